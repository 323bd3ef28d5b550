#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/IniFile.h"
#include "collections/Favorites.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::ScopedFakes;
using testing::TempDir;

std::vector<std::string> Names(const TFavorites& f) {
  std::vector<std::string> out;
  for (int i = 0; i < f.Count(); ++i) out.push_back(f.GroupName(i));
  return out;
}

int TotalRows(const TFavorites& f) {
  int n = 0;
  for (int i = 0; i < f.Count(); ++i) n += f.Group(i).Count();
  return n;
}

TEST(LoadFavorites, OldSettingsLayoutMovesIntoTheStoreAndTheFileIsRewrittenAtOnce) {
  ScopedFakes fakes;
  TempDir dir;
  const std::string iniPath = dir / "tintorb.ini";
  WriteFileAtomic(iniPath,
                  "[Config]\r\nStayOnTop=1\r\n"
                  "[Favorite]\r\n"
                  "GroupWidth=120\r\n"
                  "Count=4\r\n"
                  "Favorite[0].Name=Web\r\n"
                  "Favorite[0].Colors.Count=3\r\n"
                  "favorite[0].colors.2=00FF00,green, light\r\n"  // keys match in any case
                  "Favorite[0].Colors.0=FF0000,\x90\xD4\r\n"
                  "Favorite[0].Colors.1=broken\r\n"
                  "Favorite[0].Colors.3=beyond its count\r\n"
                  "Favorite[1].Name=\r\n"
                  "Favorite[1].Colors.Count=1\r\n"
                  "Favorite[1].Colors.0=000000,k\r\n"
                  "Favorite[2].Name=WEB\r\n"
                  "Favorite[2].Colors.Count=1\r\n"
                  "Favorite[2].Colors.0=111111,x\r\n"
                  "Favorite[3].Name=Second\r\n"
                  "Favorite[9].Name=Beyond\r\n");
  WriteFileAtomic(dir / "Files.tintorb", "222222,f\r\n");      // not read in this case
  WriteFileAtomic(dir / "Second.tintorb", "333333,mine\r\n");  // nor written over

  TIniFile ini(iniPath);
  TFavorites f;
  EXPECT_EQ(LoadFavorites(f, ini, dir.path()), TFavoritesSource::IniMigrated);
  EXPECT_THAT(Names(f), ElementsAre("Web", "Second1"));  // "Second.tintorb" is not ours
  EXPECT_THAT(f.Group(0).Rows(), ElementsAre("FF0000,赤", "00FF00,green, light"));
  EXPECT_EQ(f.Group(1).Count(), 0);
  EXPECT_THAT(fakes.dialogs.Of("Warning"), ElementsAre("そのグループ名は既に使われてるよん"));

  // Already on disk, before any SaveToDir: the groups first, then the
  // settings without them.
  EXPECT_EQ(ReadFileBytes(dir / "Web.tintorb"), "FF0000,\x90\xD4\r\n00FF00,green, light\r\n");
  EXPECT_EQ(ReadFileBytes(dir / "Second.tintorb"), "333333,mine\r\n");
  TIniFile disk(iniPath);
  EXPECT_THAT(disk.ReadSection("Favorite"),
              ElementsAre("GroupWidth", "Favorite[0].Colors.3", "Favorite[1].Colors.Count",
                          "Favorite[1].Colors.0", "Favorite[2].Colors.Count",
                          "Favorite[2].Colors.0", "Favorite[9].Name"));
  EXPECT_TRUE(disk.ReadBool("Config", "StayOnTop", false));

  // The next start takes the group files.
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  TFavorites next;
  EXPECT_EQ(LoadFavorites(next, disk, dir.path()), TFavoritesSource::GroupFiles);
  EXPECT_THAT(Names(next), ElementsAre("Files", "Second", "Second1", "Web"));
}

TEST(LoadFavorites, AHugeCountInADamagedFileDoesNotHang) {
  ScopedFakes fakes;
  TempDir dir;
  WriteFileAtomic(dir / "tintorb.ini",
                  "[Favorite]\r\nCount=2147483647\r\n"
                  "Favorite[2000000000].Name=Far\r\n"
                  "Favorite[2000000000].Colors.Count=2147483647\r\n"
                  "Favorite[2000000000].Colors.1999999999=ABCDEF,far away\r\n"
                  "Favorite[01].Name=not a %d index\r\n");
  TIniFile ini(dir / "tintorb.ini");
  TFavorites f;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(LoadFavorites(f, ini, dir.path()), TFavoritesSource::IniMigrated);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_THAT(Names(f), ElementsAre("Far"));
  EXPECT_THAT(f.Group(0).Rows(), ElementsAre("ABCDEF,far away"));
  EXPECT_THAT(TIniFile(dir / "tintorb.ini").ReadSection("Favorite"),
              ElementsAre("Favorite[01].Name"));
}

TEST(LoadFavorites, AHugeOldLayoutWithARepeatedCountMigratesOnceInOnePass) {
  ScopedFakes fakes;
  TempDir dir;
  std::string text = "[Favorite]\r\nCount=20\r\n";
  for (int g = 0; g < 20; ++g) {
    const std::string p = "Favorite[" + std::to_string(g) + "].";
    text += p + "Name=g" + std::to_string(g) + "\r\n" + p + "Colors.Count=2500\r\n";
    for (int j = 0; j < 2500; ++j) text += p + "Colors." + std::to_string(j) + "=ABCDEF,c\r\n";
  }
  text += "count=20\r\n";  // a second Count, as a merge of two files leaves
  WriteFileAtomic(dir / "tintorb.ini", text);
  TIniFile ini(dir / "tintorb.ini");
  TFavorites f;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(LoadFavorites(f, ini, dir.path()), TFavoritesSource::IniMigrated);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(f.Count(), 20);
  EXPECT_EQ(TotalRows(f), 50000);
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  // No Count is left: the next start reads the group files.
  TIniFile disk(dir / "tintorb.ini");
  EXPECT_TRUE(disk.ReadSection("Favorite").empty());
  TFavorites next;
  EXPECT_EQ(LoadFavorites(next, disk, dir.path()), TFavoritesSource::GroupFiles);
  EXPECT_EQ(TotalRows(next), 50000);
}

TEST(LoadFavorites, AFreshDirectoryGetsTheBuiltInGroupsAndTheNextStartReadsThemBack) {
  ScopedFakes fakes;
  TempDir dir;
  TIniFile ini(dir / "tintorb.ini");
  TFavorites f;
  EXPECT_EQ(LoadFavorites(f, ini, dir.path()), TFavoritesSource::BuiltIn);
  EXPECT_EQ(f.Count(), 8);
  EXPECT_EQ(TotalRows(f), 390);
  EXPECT_TRUE(fakes.dialogs.log.empty());
  EXPECT_FALSE(fs::exists(dir / "tintorb.ini"));

  ASSERT_TRUE(f.SaveToDir(dir.path()));
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir.path())) {
    ++files;
    const std::string bytes = *ReadFileBytes(e.path().string());
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << e.path() << " is not CP932";
  }
  EXPECT_EQ(files, 8);

  TFavorites next;
  EXPECT_EQ(LoadFavorites(next, ini, dir.path()), TFavoritesSource::GroupFiles);
  ASSERT_EQ(next.Count(), 8);
  for (int i = 0; i < f.Count(); ++i) {
    const int j = next.IndexOfGroup(f.GroupName(i));
    ASSERT_GE(j, 0) << f.GroupName(i);
    EXPECT_EQ(next.Group(j).Rows(), f.Group(i).Rows());
  }
}

TEST(LoadFavorites, AnsweringNoToTheFavQuestionGivesTheBuiltInGroupsAndAsksOnlyOnce) {
  ScopedFakes fakes;
  TempDir dir;
  WriteFileAtomic(dir / "Old.fav", "FF0000,old\r\n");
  TIniFile ini(dir / "tintorb.ini");
  fakes.dialogs.yesNoAnswers = {false};
  TFavorites f;
  EXPECT_EQ(LoadFavorites(f, ini, dir.path()), TFavoritesSource::BuiltIn);
  EXPECT_THAT(fakes.dialogs.Of("YesNo"), ElementsAre(FavMigrationQuestion(1)));
  EXPECT_EQ(f.Count(), 8);
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_EQ(*ReadFileBytes(dir / "Old.fav"), "FF0000,old\r\n");

  fakes.dialogs.log.clear();
  TFavorites next;
  EXPECT_EQ(LoadFavorites(next, ini, dir.path()), TFavoritesSource::GroupFiles);
  EXPECT_TRUE(fakes.dialogs.log.empty());
  EXPECT_EQ(next.IndexOfGroup("Old"), -1);
}

TEST(LoadFavorites, AnsweringYesLoadsTheRenamedFavFiles) {
  ScopedFakes fakes;
  TempDir dir;
  WriteFileAtomic(dir / "b.fav", "00FF00,b\r\n");
  WriteFileAtomic(dir / "a.fav", "FF0000,a\r\n0000FF,a2\r\n");
  TIniFile ini(dir / "tintorb.ini");
  fakes.dialogs.yesNoAnswers = {true};
  TFavorites f;
  EXPECT_EQ(LoadFavorites(f, ini, dir.path()), TFavoritesSource::FavMigrated);
  EXPECT_THAT(fakes.dialogs.Of("YesNo"), ElementsAre(FavMigrationQuestion(2)));
  EXPECT_THAT(Names(f), ElementsAre("a", "b"));
  EXPECT_THAT(f.Group(0).Rows(), ElementsAre("FF0000,a", "0000FF,a2"));
  EXPECT_FALSE(fs::exists(dir / "a.fav"));
  EXPECT_TRUE(fs::exists(dir / "b.tintorb"));
}

// Killed after linking "a" and before "b" (or before removing the old names):
// the next start finishes the move without asking again.
TEST(LoadFavorites, AFavMoveKilledHalfwayIsFinishedAtTheNextStart) {
  ScopedFakes fakes;
  TempDir dir;
  WriteFileAtomic(dir / "a.fav", "FF0000,a\r\n");
  WriteFileAtomic(dir / "b.fav", "00FF00,b\r\n");
  fs::create_hard_link(dir / "a.fav", dir / "a.tintorb");
  TIniFile ini(dir / "tintorb.ini");
  TFavorites f;
  EXPECT_EQ(LoadFavorites(f, ini, dir.path()), TFavoritesSource::GroupFiles);
  EXPECT_TRUE(fakes.dialogs.log.empty());
  EXPECT_THAT(Names(f), ElementsAre("a", "b"));
  EXPECT_FALSE(fs::exists(dir / "a.fav") || fs::exists(dir / "b.fav"));
}

}  // namespace
}  // namespace tintorb

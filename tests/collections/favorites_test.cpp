#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "collections/Favorites.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ScopedFakes;
using testing::TempDir;

std::vector<std::string> Names(const TFavorites& f) {
  std::vector<std::string> out;
  for (int i = 0; i < f.Count(); ++i) out.push_back(f.GroupName(i));
  return out;
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

void Put(const std::string& path, const std::string& bytes) {
  WriteFileAtomic(path, bytes);
}

TEST(Favorites, UniqueGroupNameTakesTheSmallestFreeNumber) {
  ScopedFakes fakes;
  TFavorites f;
  f.AddGroup("グループ2");
  EXPECT_EQ(f.UniqueGroupName("グループ"), "グループ1");
  f.AddGroup("グループ1");
  EXPECT_EQ(f.UniqueGroupName("グループ"), "グループ3");
  f.AddGroup("abc1");
  EXPECT_EQ(f.UniqueGroupName("ABC"), "ABC2");
  EXPECT_TRUE(fakes.dialogs.log.empty());
}

TEST(Favorites, NamesAreUniqueWithoutRegardToLetterCase) {
  ScopedFakes fakes;
  TFavorites f;
  EXPECT_EQ(f.AddGroup("ABC"), 0);
  EXPECT_EQ(f.AddGroup("Ｆｕｌｌ"), 1);
  EXPECT_EQ(f.AddGroup("Éte"), 2);
  EXPECT_EQ(f.AddGroup("abc"), -1);
  EXPECT_EQ(f.AddGroup("ｆＵＬＬ"), -1);
  EXPECT_EQ(f.AddGroup("éTE"), -1);
  EXPECT_EQ(fakes.dialogs.Of("Warning"),
            std::vector<std::string>(3, "そのグループ名は既に使われてるよん"));
  EXPECT_TRUE(f.GroupExists("aBc"));
  EXPECT_FALSE(f.GroupExists("abcd"));
  EXPECT_EQ(f.IndexOfGroup("full"), -1);
  EXPECT_EQ(f.IndexOfGroup("ｆｕｌｌ"), 1);

  fakes.dialogs.log.clear();
  f.RenameGroup(0, "abc");  // its own name in another case counts as taken
  f.RenameGroup(0, "ABC");
  f.RenameGroup(0, "ｆｕｌｌ");
  EXPECT_EQ(fakes.dialogs.Of("Warning").size(), 3u);
  EXPECT_THAT(Names(f), ElementsAre("ABC", "Ｆｕｌｌ", "Éte"));
  f.RenameGroup(0, "xyz");
  EXPECT_THAT(Names(f), ElementsAre("xyz", "Ｆｕｌｌ", "Éte"));
  EXPECT_EQ(fakes.dialogs.Of("Warning").size(), 3u);
}

TEST(Favorites, GroupsStayPutWhileOthersComeAndGo) {
  ScopedFakes fakes;
  TFavorites f;
  f.AddGroup("a");
  f.AddGroup("b");
  TNamedColorList& b = f.Group(1);
  b.Add("FF0000", "red");
  f.AddGroup("c");
  f.DeleteGroup(0);
  EXPECT_EQ(&f.Group(0), &b);
  EXPECT_EQ(f.Group(0).Count(), 1);
  EXPECT_THROW(f.DeleteGroup(2), std::out_of_range);
  EXPECT_THROW(f.GroupName(-1), std::out_of_range);
  f.Clear();
  EXPECT_EQ(f.Count(), 0);
  EXPECT_EQ(f.AddGroup("A"), 0);  // a deleted name is free again
}

TEST(GroupFileNames, EveryNameStaysOneFileInsideTheDirectoryAndComesBack) {
  ScopedFakes fakes;
  TempDir parent;
  const std::string dir = parent / "favs";
  fs::create_directory(dir);
  const std::vector<std::string> names = {
      "a/b",        "..",  ".",   "",     "../../escape", "/",
      "50%",        "%2F", "%25", "%%2F", "%00x",         std::string("nul\0byte", 8),
      "普通の名前", "%"};
  TFavorites f;
  for (const auto& n : names) ASSERT_GE(f.AddGroup(n), 0) << n;
  for (int i = 0; i < f.Count(); ++i) f.Group(i).Add("00000" + std::to_string(i % 10), "x");
  ASSERT_TRUE(f.SaveToDir(dir));
  EXPECT_THAT(FilesIn(parent.path()), ElementsAre("favs"));
  EXPECT_EQ(FilesIn(dir).size(), names.size());

  // Names without "/", NUL or an escape-like "%" keep their plain file names.
  EXPECT_EQ(TFavorites::GroupFileName("50%"), "50%.tintorb");
  EXPECT_EQ(TFavorites::GroupFileName("普通の名前"), "普通の名前.tintorb");
  EXPECT_EQ(TFavorites::GroupFileName("a/b"), "a%2Fb.tintorb");
  EXPECT_EQ(TFavorites::GroupFileName("%2F"), "%252F.tintorb");

  TFavorites g;
  ASSERT_TRUE(g.LoadFromDir(dir));
  std::vector<std::string> loaded = Names(g), expected = names;
  std::sort(loaded.begin(), loaded.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(loaded, expected);
  for (int i = 0; i < g.Count(); ++i) {
    const int orig = f.IndexOfGroup(g.GroupName(i));
    ASSERT_GE(orig, 0);
    EXPECT_EQ(g.Group(i).Rows(), f.Group(orig).Rows()) << g.GroupName(i);
  }
  EXPECT_TRUE(fakes.dialogs.log.empty());
}

TEST(GroupFileNames, NamesTooLongForAFileNameAreRefused) {
  ScopedFakes fakes;
  TempDir dir;
  auto repeat = [](const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
  };
  // ".tintorb" takes 8 of the 255 bytes; "/" is written as 3 bytes, a kanji too.
  const std::string longest(247, 'a');
  const struct {
    std::string name;
    bool fits;
  } cases[] = {
      {longest, true},
      {longest + "b", false},
      {std::string(244, 'a') + "/", true},
      {std::string(245, 'a') + "/", false},
      {repeat("色", 82), true},
      {repeat("色", 83), false},
  };
  for (const auto& c : cases) {
    fakes.dialogs.log.clear();
    EXPECT_EQ(TFavorites::CheckGroupName(c.name), c.fits) << c.name.size();
    EXPECT_EQ(fakes.dialogs.Of("Warning"),
              c.fits ? std::vector<std::string>{} : std::vector<std::string>{kMsgGroupNameTooLong});
  }
  // The limit is the file system's: the longest name is saved, one byte more is not.
  TFavorites f;
  ASSERT_EQ(f.AddGroup(longest), 0);
  EXPECT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_THROW(WriteFileAtomic(dir / (longest + "b.tintorb"), "x"), EFileWriteError);

  // Adding, renaming and cloning ("name1") refuse it and change nothing.
  fakes.dialogs.log.clear();
  EXPECT_EQ(f.AddGroup(longest + "b"), -1);
  ASSERT_EQ(f.AddGroup("short"), 1);
  f.RenameGroup(1, longest + "b");
  EXPECT_EQ(f.GroupName(1), "short");
  EXPECT_EQ(f.AddGroup(f.UniqueGroupName(longest)), -1);
  EXPECT_EQ(f.Count(), 2);
  EXPECT_EQ(fakes.dialogs.Of("Warning"), std::vector<std::string>(3, kMsgGroupNameTooLong));

  // The input box comes back with the typed text until it fits or is cancelled.
  fakes.dialogs.inputAnswers = {longest + "b", std::string("ok")};
  std::string name = "新しいグループ";
  EXPECT_TRUE(InputGroupName("t", "p", name));
  EXPECT_EQ(name, "ok");
  EXPECT_EQ(fakes.dialogs.inputPresets,
            (std::vector<std::string>{"新しいグループ", longest + "b"}));
  fakes.dialogs.inputAnswers = {longest + "b", std::nullopt};
  EXPECT_FALSE(InputGroupName("t", "p", name));
}

TEST(GroupFiles, EachFileIsRewrittenInTheEncodingItWasReadIn) {
  ScopedFakes fakes;
  TempDir dir;
  const std::string utf8 = "FF0000,赤い色\r\n00FF00,みどり\r\n";
  const std::string cp932 = *Utf8ToCp932("0000FF,青\r\n");
  const std::string bom =
      "\xEF\xBB\xBF"
      "0000FF,青\r\n";
  const std::string bad = "FF0000,\xA0\xFD\r\n";
  Put(dir / "和色.tintorb", utf8);
  Put(dir / "cp.tintorb", cp932);
  Put(dir / "bom.tintorb", bom);
  Put(dir / "bad.tintorb", bad);
  TFavorites f;
  ASSERT_TRUE(f.LoadFromDir(dir.path()));
  const int wa = f.IndexOfGroup("和色");
  EXPECT_THAT(f.Group(wa).Rows(), ElementsAre("FF0000,赤い色", "00FF00,みどり"));
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  // Unchanged groups come back byte for byte.
  EXPECT_EQ(ReadFileBytes(dir / "和色.tintorb"), utf8);
  EXPECT_EQ(ReadFileBytes(dir / "cp.tintorb"), cp932);
  EXPECT_EQ(ReadFileBytes(dir / "bom.tintorb"), bom);
  // The undecodable one was kept before it was rewritten, and one warning says so.
  EXPECT_EQ(ReadFileBytes(dir / "bad.tintorb.bak"), bad);
  EXPECT_EQ(fakes.dialogs.Of("Warning"),
            (std::vector<std::string>{BackupNotice({dir / "bad.tintorb.bak"})}));

  // An added row keeps UTF-8 without a BOM; nothing is backed up again.
  f.Group(wa).Add("0000FF", "あお");
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_EQ(ReadFileBytes(dir / "和色.tintorb"), utf8 + "0000FF,あお\r\n");
  EXPECT_EQ(fakes.dialogs.Of("Warning").size(), 1u);
  EXPECT_EQ(ReadFileBytes(dir / "bad.tintorb.bak"), bad);
}

TEST(GroupFiles, LoadedInFileNameOrderRegularFilesOnly) {
  ScopedFakes fakes;
  TempDir dir;
  Put(dir / "b.tintorb", "FF0000,\x90\xD4\r\n");  // CP932
  Put(dir / "A.tintorb", "");
  Put(dir / "c.tintorb", "0000FF,x\r\n\r\nno comma");
  Put(dir / "d.fav", "000000,k\r\n");
  Put(dir / "e.tintorb.bak", "000000,k\r\n");
  fs::create_directory(dir / "sub.tintorb");

  TFavorites f;
  f.AddGroup("stale");
  ASSERT_TRUE(f.LoadFromDir(dir.path()));
  EXPECT_THAT(Names(f), ElementsAre("A", "b", "c"));
  EXPECT_EQ(f.Group(0).Count(), 0);
  EXPECT_THAT(f.Group(1).Rows(), ElementsAre("FF0000,赤"));
  EXPECT_THAT(f.Group(2).Rows(), ElementsAre("0000FF,x", "", "no comma"));

  TempDir empty;
  EXPECT_FALSE(f.LoadFromDir(empty.path()));
  EXPECT_EQ(f.Count(), 0);
  EXPECT_FALSE(f.LoadFromDir(empty / "does-not-exist"));
  EXPECT_TRUE(fakes.dialogs.log.empty());
}

TEST(GroupFiles, ACp932FileNameFromAnOldDesktopIsReadAndMovedToUtf8) {
  ScopedFakes fakes;
  TempDir dir;
  Put(dir / "\x90\xD4.tintorb", "FF0000,\x90\xD4\r\n");  // "赤" in CP932
  TFavorites f;
  ASSERT_TRUE(f.LoadFromDir(dir.path()));
  EXPECT_THAT(Names(f), ElementsAre("赤"));
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_THAT(FilesIn(dir.path()), ElementsAre("赤.tintorb"));
}

TEST(GroupFiles, ACaseClashLoadsTheFirstAndLeavesTheOtherAlone) {
  ScopedFakes fakes;
  TempDir dir;
  Put(dir / "ABC.tintorb", "FF0000,upper\r\n");
  Put(dir / "abc.tintorb", "00FF00,lower\r\n");
  Put(dir / "Abc.tintorb", "0000FF,mixed\r\n");
  Put(dir / "other.tintorb", "000000,o\r\n");

  TFavorites f;
  ASSERT_TRUE(f.LoadFromDir(dir.path()));
  EXPECT_THAT(Names(f), ElementsAre("ABC", "other"));
  EXPECT_THAT(f.Group(0).Rows(), ElementsAre("FF0000,upper"));
  const auto warnings = fakes.dialogs.Of("Warning");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_THAT(warnings[0], HasSubstr("Abc.tintorb"));
  EXPECT_THAT(warnings[0], HasSubstr("abc.tintorb"));

  // Even with "ABC" gone, its name stays taken while the skipped files exist,
  // so no new group can overwrite them.
  fakes.dialogs.log.clear();
  f.DeleteGroup(0);
  EXPECT_EQ(f.AddGroup("abc"), -1);
  EXPECT_THAT(fakes.dialogs.Of("Warning"), ElementsAre("そのグループ名は既に使われてるよん"));
  EXPECT_EQ(f.UniqueGroupName("abc"), "abc1");
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_THAT(FilesIn(dir.path()), ElementsAre("Abc.tintorb", "abc.tintorb", "other.tintorb"));
  EXPECT_EQ(*ReadFileBytes(dir / "abc.tintorb"), "00FF00,lower\r\n");
  EXPECT_EQ(*ReadFileBytes(dir / "Abc.tintorb"), "0000FF,mixed\r\n");

  // Next start: "Abc" now comes first and is loaded; "abc" is skipped again.
  fakes.dialogs.log.clear();
  TFavorites g;
  g.LoadFromDir(dir.path());
  EXPECT_THAT(Names(g), ElementsAre("Abc", "other"));
  EXPECT_EQ(fakes.dialogs.Of("Warning").size(), 1u);
}

// A pipe with a group file's name is said with its reason, and its name stays
// taken: nothing is ever written over it.
TEST(GroupFiles, APipeIsReportedAndKeepsItsName) {
  ScopedFakes fakes;
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.tintorb").c_str(), 0600), 0);
  Put(dir / "ok.tintorb", "FF0000,r\r\n");
  TFavorites f;
  ASSERT_TRUE(f.LoadFromDir(dir.path()));
  EXPECT_THAT(Names(f), ElementsAre("ok"));
  const auto warnings = fakes.dialogs.Of("Warning");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_THAT(warnings[0], HasSubstr("'pipe.tintorb' は名前付きパイプ"));
  EXPECT_EQ(f.UniqueGroupName("pipe"), "pipe1");
}

// Two file names that read as one group name: the second is not loaded, and
// the end of the run must neither write over it nor remove the first.
TEST(GroupFiles, AFileThatWasNotLoadedIsNeitherOverwrittenNorRemoved) {
  for (const auto& [loaded, skipped] : std::vector<std::pair<std::string, std::string>>{
           {"\x82\xa0.tintorb", "あ.tintorb"}, {"a%25b.tintorb", "a%b.tintorb"}}) {
    ScopedFakes fakes;
    TempDir dir;
    Put(dir / loaded, "111111,loaded\r\n");
    Put(dir / skipped, "222222,skipped\r\n");
    TFavorites f, next;
    ASSERT_TRUE(f.LoadFromDir(dir.path()));
    f.Group(0).Add("333333", "added");
    ASSERT_TRUE(f.SaveToDir(dir.path()));
    EXPECT_EQ(ReadFileBytes(dir / skipped), "222222,skipped\r\n") << skipped;
    next.LoadFromDir(dir.path());
    EXPECT_THAT(next.Group(0).Rows(), ElementsAre("111111,loaded", "333333,added")) << loaded;
  }
}

// Only changed groups are written: "keep" keeps its file (same inode), and
// "lost", removed by hand during the run, is written again.
TEST(GroupFiles, SavingRemovesTheFilesOfDeletedAndRenamedGroupsOnly) {
  ScopedFakes fakes;
  TempDir dir;
  Put(dir / "keep.tintorb", "FF0000,k\r\n");
  Put(dir / "lost.tintorb", "444444,l\r\n");
  struct stat before {
  }, after{};
  ::stat((dir / "keep.tintorb").c_str(), &before);
  Put(dir / "gone.tintorb", "00FF00,g\r\n");
  Put(dir / "old.tintorb", "0000FF,o\r\n");
  Put(dir / "reborn.tintorb", "111111,r\r\n");
  TFavorites f;
  ASSERT_TRUE(f.LoadFromDir(dir.path()));
  // Appeared after loading: never the store's to remove.
  Put(dir / "foreign.tintorb", "222222,f\r\n");
  Put(dir / "notes.txt", "x");
  fs::remove(dir / "lost.tintorb");

  f.DeleteGroup(f.IndexOfGroup("gone"));
  f.RenameGroup(f.IndexOfGroup("old"), "new");
  f.DeleteGroup(f.IndexOfGroup("reborn"));
  const int reborn = f.AddGroup("reborn");
  f.Group(reborn).Add("333333", "again");
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_THAT(FilesIn(dir.path()), ElementsAre("foreign.tintorb", "keep.tintorb", "lost.tintorb",
                                               "new.tintorb", "notes.txt", "reborn.tintorb"));
  ::stat((dir / "keep.tintorb").c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(*ReadFileBytes(dir / "new.tintorb"), "0000FF,o\r\n");
  EXPECT_EQ(*ReadFileBytes(dir / "reborn.tintorb"), "333333,again\r\n");

  // Files the store wrote are its own from then on.
  f.DeleteGroup(f.IndexOfGroup("new"));
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_FALSE(fs::exists(dir / "new.tintorb"));

  // Saving elsewhere removes nothing here or there.
  TempDir other;
  f.DeleteGroup(f.IndexOfGroup("keep"));
  ASSERT_TRUE(f.SaveToDir(other.path()));
  EXPECT_TRUE(fs::exists(dir / "keep.tintorb"));
  EXPECT_THAT(FilesIn(other.path()), ElementsAre("lost.tintorb", "reborn.tintorb"));
  EXPECT_TRUE(fakes.dialogs.log.empty());
}

TEST(GroupFiles, AFailedWriteIsReportedAndKeepsEveryOldFile) {
  ScopedFakes fakes;
  TempDir dir;
  Put(dir / "old.tintorb", "0000FF,o\r\n");
  Put(dir / "good.tintorb", "FF0000,g\r\n");
  TFavorites f;
  ASSERT_TRUE(f.LoadFromDir(dir.path()));
  f.RenameGroup(f.IndexOfGroup("old"), "blocked");
  fs::create_directory(dir / "blocked.tintorb");  // the new file cannot replace a directory
  f.Group(f.IndexOfGroup("good")).Add("00FF00", "more");
  EXPECT_FALSE(f.SaveToDir(dir.path()));
  const auto errors = fakes.dialogs.Of("Error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_THAT(errors[0], HasSubstr("blocked.tintorb"));
  // The renamed group's old file stays since its new one was not written.
  EXPECT_EQ(*ReadFileBytes(dir / "old.tintorb"), "0000FF,o\r\n");
  EXPECT_EQ(*ReadFileBytes(dir / "good.tintorb"), "FF0000,g\r\n00FF00,more\r\n");
  EXPECT_THAT(FilesIn(dir.path()), ElementsAre("blocked.tintorb", "good.tintorb", "old.tintorb"));

  fs::remove(dir / "blocked.tintorb");
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  EXPECT_THAT(FilesIn(dir.path()), ElementsAre("blocked.tintorb", "good.tintorb"));
}

TEST(FavMigration, YesRenamesEveryFileWithoutReplacingAGroupFile) {
  ScopedFakes fakes;
  TempDir dir;
  Put(dir / "a.fav", "FF0000,a\r\n");
  Put(dir / "b.fav", "00FF00,b\r\n");
  Put(dir / "b.tintorb", "keep me\r\n");
  fakes.dialogs.yesNoAnswers = {true};
  EXPECT_TRUE(MigrateFavFiles(dir.path()));
  EXPECT_THAT(fakes.dialogs.Of("YesNo"), ElementsAre(FavMigrationQuestion(2)));
  EXPECT_THAT(FilesIn(dir.path()), ElementsAre("a.tintorb", "b.fav", "b.tintorb"));
  EXPECT_EQ(*ReadFileBytes(dir / "a.tintorb"), "FF0000,a\r\n");
  EXPECT_EQ(*ReadFileBytes(dir / "b.tintorb"), "keep me\r\n");
}

TEST(FavMigration, NoOrNothingToMigrateLeavesEverything) {
  ScopedFakes fakes;
  TempDir dir;
  EXPECT_FALSE(MigrateFavFiles(dir.path()));
  EXPECT_TRUE(fakes.dialogs.log.empty());  // no question without files
  Put(dir / "a.fav", "FF0000,a\r\n");
  fakes.dialogs.yesNoAnswers = {false};
  EXPECT_FALSE(MigrateFavFiles(dir.path()));
  EXPECT_THAT(FilesIn(dir.path()), ElementsAre("a.fav"));
  EXPECT_EQ(FavMigrationQuestion(1),
            "1 個の旧バージョン（3.50以前）用のお気に入りファイル（*.fav）が見つかりました。\r"
            "これらの拡張子を現行バージョン（3.60以降）用に（*.tintorb）変更します。\r"
            "よろしいですか？\r\r"
            "いいえを選択した場合、お気に入りは引き継がれません");
}

}  // namespace
}  // namespace tintorb

// The end-of-run writes on a full disk and in a read-only directory, on a real
// small tmpfs (the test needs root to mount it and is skipped otherwise): one
// message naming the directory, and every file left as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "app/IniFile.h"
#include "app/SaveReport.h"
#include "app/ui/MainForm.h"
#include "collections/Favorites.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

namespace fs = std::filesystem;
using testing::ScopedFakes;
using testing::TempDir;

std::map<std::string, std::string> Files(const std::string& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(dir))
    out[e.path().filename().string()] = ReadFileBytes(e.path().string()).value_or("?");
  return out;
}

class SaveFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::mount("tintorb-test", dir.path().c_str(), "tmpfs", 0, "size=256k") != 0)
      GTEST_SKIP() << "cannot mount a tmpfs here (needs root): " << std::strerror(errno);
    mounted = true;
    setenv("TINTORB_HOME", dir.path().c_str(), 1);
    ResetProgramDirForTests();
    WriteFileAtomic(dir / "tintorb.ini", "[Color]\r\nRed=1\r\n[History]\r\nCount=0\r\n");
    WriteFileAtomic(dir / "Group.tintorb", "FF0000,red\r\n");
  }
  void TearDown() override {
    form.reset();
    if (mounted) ::umount2(dir.path().c_str(), MNT_DETACH);
    unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }
  // A run that changes the colour and the favourites, then ends.
  void Run(bool toldAtStart = false, const std::function<void()>& meanwhile = {}) {
    form = std::make_unique<TForm1>();
    form->BuildSheets({});
    if (meanwhile) meanwhile();
    if (toldAtStart) form->FolderReadOnlyTold();
    form->SetForeColor(nullptr, 0x123456);
    form->GetFavorites().Group(0).Add("00FF00", "green");
    form->close();
    form.reset();
  }

  void FillDisk() {
    FILE* f = std::fopen((dir / "filler").c_str(), "wb");
    std::string block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
    }
    std::fclose(f);
  }

  TempDir dir;
  bool mounted = false;
  ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
};

TEST_F(SaveFailure, FullDiskIsToldOnceNamingTheFolderAndNothingIsLost) {
  // Favourites of the old settings layout move out at start-up; then the disk fills.
  WriteFileAtomic(DefaultIniPath(),
                  "[Favorite]\r\nCount=1\r\nFavorite[0].Name=Mine\r\n"
                  "Favorite[0].Colors.Count=1\r\nFavorite[0].Colors.0=123456,precious\r\n");
  std::map<std::string, std::string> before;
  Run(false, [&] {
    FillDisk();
    before = Files(dir.path());
  });
  const auto errors = fakes.dialogs.Of("Error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("フォルダ「" + dir.path() + "」のディスクがいっぱいのため"),
            std::string::npos)
      << errors[0];
  EXPECT_NE(errors[0].find("元のファイルはそのまま残っています"), std::string::npos);
  // One line per file, in Japanese.
  EXPECT_EQ(errors[0].find(DefaultIniPath()), errors[0].rfind(DefaultIniPath())) << errors[0];
  EXPECT_NE(errors[0].find("ディスクの空き容量が足りません"), std::string::npos);
  EXPECT_EQ(Files(dir.path()), before);  // nothing damaged, no temporary file left
  TIniFile ini(DefaultIniPath());
  TFavorites next;
  LoadFavorites(next, ini, dir.path());
  EXPECT_EQ(next.Group(next.IndexOfGroup("Mine")).Rows(),
            std::vector<std::string>{"123456,precious"});
}

TEST_F(SaveFailure, ReadOnlyFolderIsToldAtStartUpOrOnceAtTheEnd) {
  ASSERT_EQ(::mount(nullptr, dir.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  EXPECT_EQ(ProbeFolder(dir.path()), TFolderState::ReadOnly);
  const auto before = Files(dir.path());

  Run();
  auto errors = fakes.dialogs.Of("Error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("フォルダ「" + dir.path() + "」は書き込みが禁止されているため"),
            std::string::npos)
      << errors[0];
  EXPECT_EQ(Files(dir.path()), before);

  // Told at start-up: the end of the run says nothing more.
  fakes.dialogs.log.clear();
  Run(true);
  EXPECT_TRUE(fakes.dialogs.log.empty());
  EXPECT_EQ(Files(dir.path()), before);
}

}  // namespace
}  // namespace tintorb

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "app/IniFile.h"
#include "collections/Favorites.h"
#include "core/FolderLock.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/CliRun.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::FilesIn;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::RunCli;
using testing::TempDir;
using namespace std::string_literals;

std::string Q(const std::string& s) {
  return "'" + s + "'";
}

std::string Cp932(const std::string& utf8) {
  return *Utf8ToCp932(utf8);
}

TEST(CliFavorites, AnEmptyDirectoryGetsTheEightBuiltInGroupFilesAndTheNextRunReadsThem) {
  TempDir dir, scratch;
  auto r = RunCli("favorites " + Q(dir.path()), scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "クレヨン\t60\n色見本の館 - 赤\t69\n色見本の館 - 橙・茶\t64\n色見本の館 - 黄\t30\n"
            "色見本の館 - 緑\t52\n色見本の館 - 青\t48\n色見本の館 - 紫\t27\n"
            "色見本の館 - 黒・白・灰\t40\n");

  const auto files = FilesIn(dir.path());
  ASSERT_EQ(files.size(), 8u);
  const std::map<std::string, std::pair<std::string, std::string>> firstAndLast = {
      {"クレヨン", {"FFFFFF,白\r\nEDEDED,チョーク色\r\nCCCCCC,くも色\r\n", "33333D,黒あおねずみ"}},
      {"色見本の館 - 赤",
       {"CC0000,赤(あか)\r\nB7410E,赤錆色(あかさびいろ)\r\nF92500,赤丹(あかに)\r\n",
        "A8002F,ワインレッド"}},
      {"色見本の館 - 橙・茶",
       {"D5C3AD,亜麻色(あまいろ)\r\nDBD070,飴色(あめいろ)\r\nDFBC9F,洗柿(あらいがき)\r\n",
        "D19147,駱駝色(らくだいろ)"}},
      {"色見本の館 - 黄",
       {"AD8C38,イエローオーカー\r\nF0B325,鬱金(うこん)\r\nFADEBC,薄卵色(うすたまごいろ)\r\n",
        "D9CA00,レモン色(れもんいろ)"}},
      {"色見本の館 - 緑",
       {"596250,藍海松茶(あいみるちゃ)\r\n008677,青竹色(あおだけいろ)\r\nA1B77A,青丹(あおに)\r\n",
        "A8EFAF,若緑(わかみどり)"}},
      {"色見本の館 - 青",
       {"272672,藍色(あいいろ)\r\n38334C,藍鉄色(あいてついろ)\r\n0C00CC,青(あお)\r\n",
        "88ACD5,勿忘草色(わすれなぐさいろ)"}},
      {"色見本の館 - 紫",
       {"8E00CC,菖蒲色(あやめいろ)\r\n6585A8,薄花色(うすはないろ)\r\n5274E9,薄花桜(うすはなざく"
        "ら)\r\n",
        "B865CC,ラベンダー"}},
      {"色見本の館 - 黒・白・灰",
       {"56638F,藍鼠(あいねずみ)\r\nDDDED3,アイボリー\r\n727B69,青鈍(あおにび)\r\n",
        "978083,ローズグレイ"}},
  };
  size_t rows = 0;
  for (const auto& [name, ends] : firstAndLast) {
    const auto it = files.find(name + ".tintorb");
    ASSERT_NE(it, files.end()) << name;
    const std::string& bytes = it->second;
    EXPECT_EQ(bytes.rfind(Cp932(ends.first), 0), 0u) << name;
    const std::string last = Cp932("\r\n" + ends.second + "\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - last.size()), last) << name;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') {
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " has a bare LF";
        ++rows;
      } else if (bytes[i] == '\r') {
        ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << name << " has a bare CR";
      }
    }
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(bytes)), bytes) << name << " is not plain CP932";
  }
  EXPECT_EQ(rows, 390u);

  // Second run: the groups come from the files (an edit shows), nothing is rewritten.
  WriteFileAtomic(dir / "クレヨン.tintorb", Cp932("FFFFFF,白\r\n"));
  r = RunCli("favorites " + Q(dir.path()), scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("クレヨン\t1\n"));
  auto after = FilesIn(dir.path());
  after.erase("クレヨン.tintorb");
  auto before = files;
  before.erase("クレヨン.tintorb");
  EXPECT_EQ(after, before);
}

TEST(CliFavorites, FavFilesAreMigratedOnlyWhenAsked) {
  TempDir dir, scratch;
  WriteFileAtomic(dir / "Mine.fav", Cp932("FF0000,赤\r\n00FF00,緑\r\n"));

  auto r = RunCli("favorites " + Q(dir.path()), scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("1 個の旧バージョン（3.50以前）用のお気に入りファイル（*.fav）"));
  EXPECT_THAT(r.out, HasSubstr("クレヨン\t60\n"));
  EXPECT_EQ(FilesIn(dir.path()).size(), 9u);
  EXPECT_EQ(ReadFileBytes(dir / "Mine.fav"), Cp932("FF0000,赤\r\n00FF00,緑\r\n"));

  r = RunCli("favorites " + Q(dir.path()) + " --migrate-fav", scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // group files exist now: no question
  EXPECT_THAT(r.out, Not(HasSubstr("Mine")));

  TempDir yes;
  WriteFileAtomic(yes / "Mine.fav", Cp932("FF0000,赤\r\n00FF00,緑\r\n"));
  r = RunCli("favorites --migrate-fav " + Q(yes.path()), scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("-> はい"));
  EXPECT_EQ(r.out, "Mine\t2\n");
  EXPECT_THAT(FilesIn(yes.path()), ElementsAre(std::pair<const std::string, std::string>(
                                       "Mine.tintorb", Cp932("FF0000,赤\r\n00FF00,緑\r\n"))));
}

TEST(CliFavorites, TheOldSettingsLayoutEndsUpInGroupFiles) {
  TempDir dir, scratch;
  WriteFileAtomic(dir / "tintorb.ini",
                  Cp932("[Favorite]\r\nCount=1\r\nFavorite[0].Name=旧\r\n"
                        "Favorite[0].Colors.Count=2\r\nFavorite[0].Colors.0=FF0000,赤\r\n"
                        "Favorite[0].Colors.1=0000FF,青\r\n"));
  auto r = RunCli("favorites " + Q(dir.path()), scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "旧\t2\n");
  EXPECT_EQ(ReadFileBytes(dir / "旧.tintorb"), Cp932("FF0000,赤\r\n0000FF,青\r\n"));
  EXPECT_FALSE(TIniFile(dir / "tintorb.ini").ValueExists("Favorite", "Count"));

  r = RunCli("favorites " + Q(dir.path()), scratch);
  EXPECT_EQ(r.out, "旧\t2\n");
}

// Whoever starts next removes what a killed write of the program's own files
// left, and nothing else: the folder may be a user's own.
TEST(CliFavorites, OnlyTheProgramsOwnTemporariesOfAKilledRunAreRemoved) {
  TempDir dir, scratch;
  const std::string dead = "4000002";  // no such process
  const std::map<std::string, size_t> kept = {
      {"tintorb.ini", 0}, {"G.tintorb", 0}, {"thesis.odt", 1}, {"backup", 1}};
  for (const auto& [name, k] : kept) WriteFileAtomic(dir / (name + ".tmp-" + dead), "x");
  ASSERT_EQ(RunCli("favorites " + Q(dir.path()), scratch).status, 0);
  const auto files = FilesIn(dir.path());
  for (const auto& [name, k] : kept) EXPECT_EQ(files.count(name + ".tmp-" + dead), k) << name;
}

TEST(CliFavorites, BadUsage) {
  TempDir scratch;
  EXPECT_EQ(RunCli("favorites", scratch).status, 2);
  auto r = RunCli("favorites " + Q(scratch / "absent"), scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("is not a directory"));
  EXPECT_FALSE(fs::exists(scratch / "absent"));
}

TEST(CliExport, HtmlWithDefaultsAndWithOptions) {
  TempDir dir, scratch;
  WriteFileAtomic(dir / "g.tintorb", Cp932("FF0000,赤\r\n"));
  auto r = RunCli("export-html " + Q(dir / "g.tintorb") + " " + Q(dir / "out.html"), scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string html = *ReadFileBytes(dir / "out.html");
  EXPECT_THAT(html, HasSubstr(Cp932("\t</head>\r\n\t<body bgcolor=\"white\">\r\n"
                                    "\t\t<table border=\"0\" cellpadding=\"4\" width=\"100%\">\r\n"
                                    "\t\t\t<tr>\r\n"
                                    "\t\t\t\t<td bgcolor=\"FF0000\" width=\"10%\"><br></td>\r\n"
                                    "\t\t\t\t<td>赤</td>\r\n"
                                    "\t\t\t\t<td><tt>FF0000</tt></td>\r\n"
                                    "\t\t\t\t<td bgcolor=\"#FFFFFF\" align=\"center\"><font "
                                    "color=\"FF0000\">Sample</td>\r\n"
                                    "\t\t\t</tr>\r\n")));
  EXPECT_THAT(html, Not(HasSubstr("<title>")));

  r = RunCli("export-html " + Q(dir / "g.tintorb") + " " + Q(dir / "out2.html") +
                 " --title 'R&D 色' --sample 'あいう' --back '#0080ff'",
             scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  TNamedColorList l;
  l.Add("FF0000", "赤");
  EXPECT_EQ(ReadFileBytes(dir / "out2.html"),
            Utf8ToCp932Html(l.HTMLText({"R&D 色", "あいう", RGB(0, 0x80, 0xFF), ""})));
  EXPECT_THAT(*ReadFileBytes(dir / "out2.html"), HasSubstr(Cp932("<title>R&amp;D 色</title>")));
}

TEST(CliExport, ActBytesAndErrors) {
  TempDir dir, scratch;
  WriteFileAtomic(dir / "rgb.tintorb", "FF0000,red\r\n00FF00,lime\r\n0000FF,blue\r\n");
  auto r = RunCli("export-act " + Q(dir / "rgb.tintorb") + " " + Q(dir / "p.act"), scratch);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileBytes(dir / "p.act"),
            "\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF"s + std::string(759, '\0') + "\x00\x03\xFF\xFF"s);

  std::string many;
  for (int i = 0; i < 257; ++i) many += "000000,k\r\n";
  WriteFileAtomic(dir / "many.tintorb", many);
  r = RunCli("export-act " + Q(dir / "many.tintorb") + " " + Q(dir / "m.act"), scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("256色以上あるためActファイルに書き出せません"));
  EXPECT_FALSE(fs::exists(dir / "m.act"));

  WriteFileAtomic(dir / "bad.tintorb", "FF0000,red\r\n\r\n");
  r = RunCli("export-html " + Q(dir / "bad.tintorb") + " " + Q(dir / "b.html"), scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("GetColor時にエラーが発生しました"));
  EXPECT_FALSE(fs::exists(dir / "b.html"));

  r = RunCli("export-html " + Q(dir / "rgb.tintorb") + " " + Q(dir / "c.html") + " --back white",
             scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("COLOR 'white'"));
  r = RunCli("export-act " + Q(dir / "absent.tintorb") + " " + Q(dir / "a.act"), scratch);
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("cannot read"));
  EXPECT_EQ(RunCli("export-act " + Q(dir / "rgb.tintorb"), scratch).status, 2);
}

}  // namespace
}  // namespace tintorb

namespace tintorb {
namespace {

TEST(CliFavorites, RefusesWhileTheProgramHoldsTheDirectoryThenRunsAfterIt) {
  TempDir dir, scratch;
  {
    TFolderLock program;  // what the running program holds
    ASSERT_EQ(program.TryLock(dir.path()), TFolderLock::TResult::Locked);
    const auto r = RunCli("favorites " + Q(dir.path()), scratch);
    EXPECT_EQ(r.status, 2);
    EXPECT_THAT(r.err, HasSubstr("'" + dir.path() + "' is in use by " + ExecutableName() +
                                 " (pid " + std::to_string(getpid()) + "): close it first"));
    EXPECT_THAT(FilesIn(dir.path()), IsEmpty());
    // Importing palettes writes group files too.
    WriteFileAtomic(scratch.path() + "/p.gpl", "GIMP Palette\n255 0 0\tred\n");
    const auto imp =
        RunCli("import " + Q(scratch.path() + "/p.gpl") + " --dir " + Q(dir.path()), scratch);
    EXPECT_EQ(imp.status, 2);
    EXPECT_THAT(imp.err, HasSubstr("is in use by"));
    EXPECT_THAT(FilesIn(dir.path()), IsEmpty());
  }
  const auto r = RunCli("favorites " + Q(dir.path()), scratch);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(FilesIn(dir.path()).size(), 8u);
}

}  // namespace
}  // namespace tintorb

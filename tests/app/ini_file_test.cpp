#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>

#include "app/IniFile.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Bytes(const std::string& path) {
  return ReadFileBytes(path).value_or("<missing>");
}

// Every section, key and value, in order: what a reader can see.
std::vector<std::string> Dump(const TIniFile& ini) {
  std::vector<std::string> out;
  for (const auto& s : ini.ReadSections()) {
    out.push_back("[" + s + "]");
    for (const auto& k : ini.ReadSection(s))
      out.push_back(k + "=" + ini.ReadString(s, k, "<none>"));
  }
  return out;
}

// A file as the Windows program left it: CP932, CR LF, hand edits.
const char* kWindowsFile =
    "; settings written by hand\r\n"
    "stray=before any section\r\n"
    "\r\n"
    "[Config]\r\n"
    "StayOnTop=1\r\n"
    "  form.x =  10  \r\n"
    "Form.XSize=410\r\n"
    "ActivePage=$3\r\n"
    "junk line without equals\r\n"
    "; a comment = not a key\r\n"
    "Add_Shape=0\r\n"
    "\r\n"
    "[color]\r\n"
    "Red=0x1F\r\n"
    "Green=0X10\r\n"
    "Blue=abc\r\n"
    "Back=16777215\r\n"
    "[Preview]\r\n"
    "Caption=だってTintorbなんだもん！\r\n"
    "Font.Name=ＭＳ Ｐゴシック\r\n"
    "Empty=\r\n"
    "Eq=a=b=c\r\n"
    "[Swatch]\r\n"
    "0=FF0000\r\n"
    "9=00ff00";

TEST(IniFile, ReadsAWindowsWrittenFileAndKeepsItThroughUpdateFile) {
  TempDir dir;
  const std::string path = dir / "tintorb.ini";
  const std::string cp932 = Utf8ToCp932(kWindowsFile).value();
  ASSERT_NE(cp932.find("\x82\xbe\x82\xc1\x82\xc4"), std::string::npos);  // "だって" in CP932
  WriteBytes(path, cp932);

  TIniFile ini(path);
  EXPECT_EQ(ini.FileName(), path);
  EXPECT_TRUE(ini.ReadBool("CONFIG", "stayontop", false));
  EXPECT_EQ(ini.ReadInteger("Config", "Form.X", 0), 10);
  EXPECT_EQ(ini.ReadInteger("Config", "form.xsize", 0), 410);
  EXPECT_EQ(ini.ReadInteger("Config", "ActivePage", 0), 3);
  EXPECT_FALSE(ini.ReadBool("Config", "Add_Shape", true));
  EXPECT_EQ(ini.ReadInteger("Color", "Red", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Color", "GREEN", 0), 16);
  EXPECT_EQ(ini.ReadInteger("Color", "Blue", 77), 77);
  EXPECT_EQ(ini.ReadString("Color", "Blue", ""), "abc");
  EXPECT_EQ(ini.ReadInteger("Color", "Back", 0), 16777215);
  EXPECT_EQ(ini.ReadString("Preview", "Caption", ""), "だってTintorbなんだもん！");
  EXPECT_EQ(ini.ReadString("Preview", "Font.Name", ""), "ＭＳ Ｐゴシック");
  EXPECT_TRUE(ini.ValueExists("Preview", "Empty"));
  EXPECT_EQ(ini.ReadString("Preview", "Empty", "x"), "");
  EXPECT_EQ(ini.ReadString("Preview", "Eq", ""), "a=b=c");
  EXPECT_EQ(ini.ReadString("Swatch", "9", ""), "00ff00");
  // Comments, lines before the first section and lines without "=" are not keys.
  EXPECT_FALSE(ini.ValueExists("Config", "; a comment"));
  EXPECT_FALSE(ini.ValueExists("Config", "junk line without equals"));
  EXPECT_EQ(ini.ReadString("Config", "junk line without equals", "d"), "d");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Config", "color", "Preview", "Swatch"}));

  const auto before = Dump(ini);
  ini.UpdateFile();
  const std::string written = Bytes(path);
  EXPECT_NE(written.substr(0, 3), "\xEF\xBB\xBF");  // still CP932
  EXPECT_NE(written.find("Caption=\x82\xbe\x82\xc1\x82\xc4"), std::string::npos);
  EXPECT_NE(written.find("[Config]\r\nStayOnTop=1\r\nform.x=10\r\n"), std::string::npos);
  EXPECT_NE(written.find("junk line without equals\r\n"), std::string::npos);
  EXPECT_EQ(written.find("stray"), std::string::npos);
  EXPECT_EQ(written.find("comment"), std::string::npos);
  for (size_t i = 0; i < written.size(); ++i) {
    if (written[i] == '\n') {
      ASSERT_TRUE(i > 0 && written[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  EXPECT_EQ(Dump(TIniFile(path)), before);
}

TEST(IniFile, IntegerForms) {
  TIniFile ini;
  struct Case {
    const char* text;
    int expected;
  } cases[] = {
      {"12", 12},
      {"+7", 7},
      {"-5", -5},
      {"010", 10},
      {"$1F", 31},
      {"$ff", 255},
      {"0x1f", 31},
      {"0X10", 16},
      {"-$10", -16},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"$7FFFFFFF", INT_MAX},
      {"$FFFFFFFF", -1},                 // hex uses all 32 bits
      {"$80000005", INT_MIN + 5},        // a system colour
      {"$00000000000000FF", 255},        // leading zeros are no overflow
      {"2147483648", -99},               // decimal overflow
      {"-2147483649", -99},              //
      {"99999999999999999999999", -99},  //
      {"$100000000", -99},               // hex overflow
      {"0x", -99},                       // too short for the prefix
      {"$", -99},                        //
      {"", -99},                         //
      {"-", -99},                        //
      {"12a", -99},                      //
      {"1.5", -99},                      //
      {"0x1G", -99},                     //
      {"--1", -99},                      //
      {"true", -99},                     //
  };
  for (const auto& c : cases) {
    ini.WriteString("S", "K", c.text);
    EXPECT_EQ(ini.ReadInteger("S", "K", -99), c.expected) << "'" << c.text << "'";
  }
  EXPECT_EQ(ini.ReadInteger("S", "Absent", 42), 42);
  EXPECT_EQ(ini.ReadInteger("Absent", "K", 42), 42);

  ini.WriteString("S", "B", "2");
  EXPECT_TRUE(ini.ReadBool("S", "B", false));
  ini.WriteString("S", "B", "yes");  // not a number: the default
  EXPECT_TRUE(ini.ReadBool("S", "B", true));
  EXPECT_FALSE(ini.ReadBool("S", "B", false));
  ini.WriteBool("S", "B", true);
  EXPECT_EQ(ini.ReadString("S", "B", ""), "1");
  ini.WriteBool("S", "B", false);
  EXPECT_EQ(ini.ReadString("S", "B", ""), "0");
  ini.WriteInteger("S", "I", -2147483647 - 1);
  EXPECT_EQ(ini.ReadString("S", "I", ""), "-2147483648");
}

TEST(IniFile, WritesKeepPositionsAndAppendNewKeysToTheirSection) {
  TempDir dir;
  const std::string path = dir / "a.ini";
  WriteBytes(path, "[B]\r\nx=1\r\ny=2\r\n[A]\r\np=1\r\n[b]\r\nz=3\r\n");
  TIniFile ini(path);
  // The repeated header continues section B.
  EXPECT_EQ(ini.ReadString("B", "Z", ""), "3");
  ini.WriteString("a", "P", "new");  // existing key, any case: stays in place, keeps its spelling
  ini.WriteInteger("b", "w", 5);     // new key: end of its section
  ini.WriteString("C", "k", "v");    // new section: last
  ini.DeleteKey("B", "X");
  ini.DeleteKey("B", "nothing");
  ini.DeleteKey("Nothing", "x");
  ini.UpdateFile();
  EXPECT_EQ(Bytes(path), "[B]\r\ny=2\r\nz=3\r\nw=5\r\n\r\n[A]\r\np=new\r\n\r\n[C]\r\nk=v\r\n\r\n");
  EXPECT_FALSE(ini.ValueExists("B", "x"));
  EXPECT_TRUE(ini.SectionExists("c"));
  ini.EraseSection("a");
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_EQ(ini.ReadString("A", "p", "gone"), "gone");
}

TEST(IniFile, ValueWithLineBreaksCannotInjectKeysOrSections) {
  TempDir dir;
  const std::string path = dir / "a.ini";
  TIniFile ini(path);
  ini.WriteString("Preview", "Caption", "a\r\n[Color]\r\nRed=255");
  ini.WriteString("Preview", "Two", "first\nsecond=2");
  ini.WriteString("Preview", "Three", "only\rthis");
  ini.UpdateFile();
  TIniFile back(path);
  EXPECT_EQ(back.ReadString("Preview", "Caption", ""), "a");
  EXPECT_EQ(back.ReadString("Preview", "Two", ""), "first");
  EXPECT_EQ(back.ReadString("Preview", "Three", ""), "only");
  EXPECT_FALSE(back.SectionExists("Color"));
  EXPECT_FALSE(back.ValueExists("Preview", "second"));
  EXPECT_EQ(back.ReadSections(), std::vector<std::string>{"Preview"});
}

TEST(IniFile, EncodingFallsBackToUtf8WithBomAndBadBytesBecomeReplacement) {
  TempDir dir;
  const std::string path = dir / "a.ini";
  {
    TIniFile ini(path);
    ini.WriteString("S", "jp", "日本語");
    ini.UpdateFile();
    EXPECT_EQ(Bytes(path).substr(0, 3), "[S]");  // CP932 holds it: no BOM
    ini.WriteString("S", "emoji", "é😀");
    ini.UpdateFile();
  }
  EXPECT_EQ(Bytes(path).substr(0, 3), "\xEF\xBB\xBF");
  TIniFile back(path);
  EXPECT_EQ(back.ReadString("S", "emoji", ""), "é😀");
  EXPECT_EQ(back.ReadString("S", "jp", ""), "日本語");

  testing::ScopedFakes fakes;
  const std::string damaged =
      "[S]\r\nk=a\x82\r\nm=\xff\xfe"
      "b\r\n";
  WriteBytes(path, damaged);
  TIniFile bad(path);
  EXPECT_TRUE(IsValidUtf8(bad.ReadString("S", "k", "")));
  EXPECT_EQ(bad.ReadString("S", "k", ""), "a\xEF\xBF\xBD");
  EXPECT_NE(bad.ReadString("S", "m", "").find("b"), std::string::npos);
  // Rewriting it keeps the original first, and says so once.
  bad.UpdateFile();
  bad.UpdateFile();
  EXPECT_EQ(Bytes(path + ".bak"), damaged);
  EXPECT_EQ(fakes.dialogs.Of("Warning"), (std::vector<std::string>{BackupNotice({path + ".bak"})}));
  EXPECT_EQ(TIniFile(path).ReadString("S", "k", ""), "a\xEF\xBF\xBD");
}

// A settings entry that is no regular file, or a huge one, is neither read nor
// written over: the start says why, in Japanese, and the entry stays as it was.
TEST(IniFile, WhatIsNotAReadableFileIsRefusedSaidAndLeftAlone) {
  TempDir dir;
  ASSERT_EQ(mkfifo((dir / "fifo.ini").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero.ini");
  WriteBytes(dir / "huge.ini", "[S]\r\n");
  std::filesystem::resize_file(dir / "huge.ini", uint64_t(300) << 20);  // sparse
  for (const auto& [name, why] :
       {std::pair{"fifo.ini", "は名前付きパイプ (FIFO)で、通常のファイルではありません"},
        {"zero.ini", "はデバイスで、通常のファイルではありません"},
        {"huge.ini", "は大きすぎます (314572800 バイト、上限 256 MiB)"}}) {
    testing::ScopedFakes fakes;
    const std::string path = dir / name;
    struct stat before {
    }, after{};
    lstat(path.c_str(), &before);
    TIniGT ini;
    ini.SetFileName(path);
    EXPECT_TRUE(ini.IniFile().ReadSections().empty()) << name;
    ini.WriteString("S", "k", "v");
    ini.UpdateFile();
    EXPECT_EQ(
        fakes.dialogs.Of("Warning"),
        std::vector<std::string>{"設定ファイル '" + path + "' " + why +
                                 "。\n設定は既定の値で始め、このファイルには書き込みません。"});
    lstat(path.c_str(), &after);
    EXPECT_EQ(std::tie(after.st_ino, after.st_mode, after.st_size),
              std::tie(before.st_ino, before.st_mode, before.st_size))
        << name;
  }
}

// Reading and writing grow with the number of sections, not with its square.
TEST(IniFile, ManySectionsReadAndWriteInLinearTime) {
  auto cpuSeconds = [](int sections) {
    std::string text;
    for (int i = 0; i < sections; ++i) text += "[S" + std::to_string(i) + "]\r\nKey=1\r\n";
    double best = 1e9;
    for (int rep = 0; rep < 2; ++rep) {
      const std::clock_t start = std::clock();
      TIniFile ini = TIniFile::FromBytes(text);
      for (int i = 0; i < sections; ++i)
        ini.WriteInteger("s" + std::to_string(i), "KEY",
                         ini.ReadInteger("S" + std::to_string(i), "key", 0) + i);
      const TIniFile back = TIniFile::FromBytes(ini.ToBytes());
      best = std::min(best, double(std::clock() - start) / CLOCKS_PER_SEC);
      EXPECT_EQ(back.ReadInteger("S" + std::to_string(sections - 1), "Key", 0), sections);
    }
    return best;
  };
  const double small = cpuSeconds(5000), large = cpuSeconds(40000);
  // Eight times the sections: about eight times the time, not sixty-four.
  EXPECT_LT(large, 24 * small + 0.05) << small << " s for 5,000, " << large << " s for 40,000";
}

TEST(IniFile, MissingFileIsEmptyAndPathlessCopyIsNeverWritten) {
  TempDir dir;
  TIniFile missing(dir / "none.ini");
  EXPECT_TRUE(missing.ReadSections().empty());
  EXPECT_EQ(missing.ReadString("S", "k", "def"), "def");

  TIniFile pathless;
  pathless.WriteString("S", "k", "v");
  EXPECT_EQ(pathless.ReadString("S", "k", ""), "v");
  EXPECT_NO_THROW(pathless.UpdateFile());
  EXPECT_TRUE(pathless.FileName().empty());
}

TEST(IniFile, FailedWriteIsReportedAndLeavesTheOldFile) {
  TempDir dir;
  const std::string path = dir / "a.ini";
  WriteBytes(path, "[S]\r\nk=old\r\n");
  TIniFile ini(path);
  ini.WriteString("S", "k", "new");
  // The temporary file's name is taken by a directory, so the write cannot start.
  std::filesystem::create_directory(path + ".tmp-" + std::to_string(getpid()));
  EXPECT_THROW(ini.UpdateFile(), EFileWriteError);
  EXPECT_EQ(Bytes(path), "[S]\r\nk=old\r\n");

  TIniFile nowhere(dir / "no/such/dir/a.ini");
  nowhere.WriteString("S", "k", "v");
  EXPECT_THROW(nowhere.UpdateFile(), EFileWriteError);
}

// Random bytes and random damage to a valid file: the reader never fails,
// everything it yields is UTF-8, and what it yields survives a write and re-read.
TEST(IniFile, FuzzedFilesReadSafelyAndRoundTrip) {
  const std::string valid = Utf8ToCp932(kWindowsFile).value();
  const std::string pieces[] = {
      "\r\n", "\n", "\r", "[", "]", "=", ";", " ", "\x82", "\xEF\xBB\xBF", std::string(1, '\0'),
      "$",    "0x", "-"};
  std::mt19937 rng(20240611);
  auto pick = [&](size_t n) { return n ? size_t(rng() % n) : 0; };
  for (int round = 0; round < 5000; ++round) {
    std::string bytes;
    if (round % 3 == 0) {
      bytes.resize(pick(400));
      for (char& c : bytes) c = char(rng() & 0xFF);
      if (round % 2) bytes = "\xEF\xBB\xBF" + bytes;
    } else {
      bytes = valid;
      for (int edits = 1 + int(pick(8)); edits > 0; --edits) {
        const size_t at = pick(bytes.size() + 1);
        switch (pick(4)) {
          case 0:
            bytes.insert(at, 1, char(rng() & 0xFF));
            break;
          case 1:
            if (at < bytes.size()) bytes.erase(at, 1 + pick(20));
            break;
          case 2:
            bytes.insert(at, pieces[pick(std::size(pieces))]);
            break;
          case 3:
            if (at < bytes.size()) bytes[at] = char(rng() & 0xFF);
            break;
        }
      }
    }
    const TIniFile ini = TIniFile::FromBytes(bytes);
    const auto seen = Dump(ini);
    for (const auto& line : seen) ASSERT_TRUE(IsValidUtf8(line)) << "round " << round;
    for (const auto& s : ini.ReadSections())
      for (const auto& k : ini.ReadSection(s)) (void)ini.ReadInteger(s, k, 0);
    ASSERT_EQ(Dump(TIniFile::FromBytes(ini.ToBytes())), seen) << "round " << round;
  }
}

// ---------------------------------------------------------------- TIniGT

class IniGTTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TINTORB_HOME");
    if (old) oldHome_ = old;
    setenv("TINTORB_HOME", home_.path().c_str(), 1);
    ResetProgramDirForTests();
  }
  void TearDown() override {
    if (oldHome_)
      setenv("TINTORB_HOME", oldHome_->c_str(), 1);
    else
      unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }
  TempDir home_;
  std::optional<std::string> oldHome_;
};

TEST_F(IniGTTest, FindsTheFileByProgramNameAndDefaultDir) {
  WriteBytes(home_ / DefaultIniFileName(), "[Config]\r\nWebSafe=1\r\n");
  EXPECT_EQ(DefaultIniFileName(), ExecutableName() + ".ini");
  EXPECT_EQ(DefaultIniPath(), home_ / DefaultIniFileName());

  TIniGT gt;
  EXPECT_EQ(gt.DefaultDir(), TIniGTDefaultDir::ddApplication);
  gt.Loaded();
  EXPECT_EQ(gt.FileName(), DefaultIniFileName());
  EXPECT_EQ(gt.IniFile().FileName(), home_ / DefaultIniFileName());
  EXPECT_TRUE(gt.ReadBool("Config", "WebSafe", false));

  gt.SetDefaultDir(TIniGTDefaultDir::ddWindows);
  EXPECT_EQ(gt.IniFile().FileName(), std::string(kSystemSettingsDir) + "/" + DefaultIniFileName());
  gt.SetDefaultDir(TIniGTDefaultDir::ddNone);
  EXPECT_EQ(gt.IniFile().FileName(), DefaultIniFileName());
  // A name with a directory is used as it is.
  gt.SetFileName(home_ / "other.ini");
  EXPECT_EQ(gt.IniFile().FileName(), home_ / "other.ini");
}

TEST_F(IniGTTest, SetFileNameDiscardsUnwrittenChangesAndUpdateFileWrites) {
  TIniGT gt;
  gt.Loaded();
  gt.WriteInteger("Color", "Red", 200);
  gt.WriteString("Preview", "Caption", "x");
  gt.WriteBool("Config", "TaskTray", true);
  EXPECT_EQ(gt.ReadInteger("Color", "Red", 0), 200);
  gt.SetFileName(gt.FileName());  // reload: the change was never written
  EXPECT_EQ(gt.ReadInteger("Color", "Red", 0), 0);

  gt.WriteInteger("Color", "Red", 201);
  gt.UpdateFile();
  TIniGT again;
  again.Loaded();
  EXPECT_EQ(again.ReadInteger("Color", "Red", 0), 201);
}

TEST_F(IniGTTest, AUtf8FileWithoutBomIsReadAndWrittenBackAsUtf8) {
  const std::string path = home_ / DefaultIniFileName();
  WriteBytes(path, "[Preview]\r\nCaption=日本語のメモ\r\n");
  TIniGT gt;
  gt.Loaded();
  EXPECT_EQ(gt.ReadString("Preview", "Caption", ""), "日本語のメモ");
  gt.WriteInteger("Preview", "Size", 20);
  gt.UpdateFile();
  EXPECT_EQ(Bytes(path), "[Preview]\r\nCaption=日本語のメモ\r\nSize=20\r\n\r\n");
}

TEST_F(IniGTTest, WithoutAFileNameTheCopyLivesInMemoryOnly) {
  TIniGT gt;
  gt.SetDefaultDir(TIniGTDefaultDir::ddNone);
  gt.WriteString("S", "k", "v");
  EXPECT_EQ(gt.ReadString("S", "k", ""), "v");
  EXPECT_TRUE(gt.IniFile().FileName().empty());
  EXPECT_NO_THROW(gt.UpdateFile());
  EXPECT_TRUE(std::filesystem::is_empty(home_.path()));

  TIniGT fresh;  // IniFile() before any name is set
  EXPECT_TRUE(fresh.IniFile().FileName().empty());
}

// ---------------------------------------------------------------- key groups

TEST(IniKeyGroups, FontGroupReadsEachKeyWithThePresentValueAsDefault) {
  TIniFile ini;
  const TFontSpec present{"MS UI Gothic", 24, 0x123456, 0};
  EXPECT_EQ(ReadFont(ini, "Preview", "Font", present), present);

  const TFontSpec bold{"ＭＳ ゴシック", 12, -2147483643, 1 | 4};
  WriteFont(ini, "Preview", "Font", bold);
  EXPECT_EQ(ini.ReadSection("Preview"),
            (std::vector<std::string>{"Font.Name", "Font.Size", "Font.Color", "Font.Style"}));
  EXPECT_EQ(ini.ReadString("Preview", "Font.Color", ""), "-2147483643");
  EXPECT_EQ(ReadFont(ini, "Preview", "Font", present), bold);

  ini.DeleteKey("Preview", "Font.Name");
  ini.WriteString("Preview", "Font.Size", "big");
  ini.WriteInteger("Preview", "Font.Style", 0xFF);
  const TFontSpec mixed = ReadFont(ini, "Preview", "Font", present);
  EXPECT_EQ(mixed.name, present.name);
  EXPECT_EQ(mixed.size, present.size);
  EXPECT_EQ(mixed.color, bold.color);
  EXPECT_EQ(mixed.style, 0xF);
}

TEST(IniKeyGroups, WindowPlacementKeepsRightAndBottomEdges) {
  TIniFile ini;
  ini.WriteString("Config", "Form.X", "10");
  ini.WriteString("Config", "Form.Y", "20");
  ini.WriteString("Config", "Form.XSize", "410");
  ini.WriteString("Config", "Form.YSize", "320");
  TWindowPlacement present;
  present.showCmd = 3;
  present.maxX = 7;
  const TWindowPlacement wp = ReadWindowPlacement(ini, "Config", "Form", present);
  EXPECT_EQ(wp.left, 10);
  EXPECT_EQ(wp.top, 20);
  EXPECT_EQ(wp.right - wp.left, 400);
  EXPECT_EQ(wp.bottom - wp.top, 300);
  EXPECT_EQ(wp.showCmd, 3);  // absent keys keep the present value
  EXPECT_EQ(wp.maxX, 7);

  TIniGT gt;
  gt.SetDefaultDir(TIniGTDefaultDir::ddNone);
  const TWindowPlacement w{2, 1, -1, -8, 5, 6, 105, 206};
  gt.WriteWindowPlacement("Canvas", "Form", w);
  EXPECT_EQ(gt.IniFile().ReadSection("Canvas"),
            (std::vector<std::string>{"Form.Flags", "Form.Show", "Form.MaxX", "Form.MaxY", "Form.X",
                                      "Form.Y", "Form.XSize", "Form.YSize"}));
  EXPECT_EQ(ReadWindowPlacement(gt.IniFile(), "Canvas", "Form", TWindowPlacement{}), w);
  gt.WriteFont("Canvas", "F", TFontSpec{});
  EXPECT_EQ(ReadFont(gt.IniFile(), "Canvas", "F", TFontSpec{"x", 1, 1, 1}), TFontSpec{});
}

}  // namespace
}  // namespace tintorb

namespace tintorb {
namespace {

TEST(IniFile, DeleteKeysInOnePassIsDeleteKeyForEach) {
  const std::string text = "[S]\nA=1\nb=2\nnovalue\nB=3\na=4\nC=5\nA=6\n[T]\nA=7\n";
  const std::vector<std::string> keys = {"a", "B", "A", "novalue", "x"};
  TIniFile one = TIniFile::FromBytes(text), each = TIniFile::FromBytes(text);
  one.DeleteKeys("s", keys);
  for (const auto& k : keys) each.DeleteKey("s", k);
  EXPECT_EQ(one.ToText(), each.ToText());
  EXPECT_EQ(one.ToText(), "[S]\r\nnovalue\r\nB=3\r\nC=5\r\nA=6\r\n\r\n[T]\r\nA=7\r\n\r\n");
  const std::vector<std::pair<std::string, std::string>> values = {
      {"B", "3"}, {"C", "5"}, {"A", "6"}};
  EXPECT_EQ(one.ReadSectionValues("S"), values);
}

}  // namespace
}  // namespace tintorb

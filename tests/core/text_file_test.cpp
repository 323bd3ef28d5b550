#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

const std::string kJapanese = "お気に入り～グループ①ＡＢＣ㈱　漢字ｶﾀｶﾅ";

TEST(Cp932, RoundTripsJapaneseText) {
  const auto bytes = Utf8ToCp932(kJapanese);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(Cp932ToUtf8(*bytes), kJapanese);
}

TEST(Cp932, KnownByteForms) {
  // "～" is U+FF5E, which CP932 holds as 81 60; half-width katakana are single bytes.
  EXPECT_EQ(Utf8ToCp932("～"), std::string("\x81\x60"));
  EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "～");
  EXPECT_EQ(Utf8ToCp932("あ"), std::string("\x82\xA0"));
  EXPECT_EQ(Utf8ToCp932("ｱ"), std::string("\xB1"));
  EXPECT_EQ(Utf8ToCp932("①"), std::string("\x87\x40"));
  EXPECT_EQ(Utf8ToCp932("AB,12\r\n"), std::string("AB,12\r\n"));
  EXPECT_EQ(Utf8ToCp932(""), std::string());
}

TEST(Cp932, ReportsCharactersItCannotHold) {
  EXPECT_FALSE(Utf8ToCp932("caf\xC3\xA9").has_value());  // é
  EXPECT_FALSE(Utf8ToCp932("グループ😀").has_value());
  EXPECT_FALSE(Utf8ToCp932("\xFF\xFE").has_value());  // not UTF-8 at all
}

TEST(Cp932, HtmlFormWritesNumericReferences) {
  EXPECT_EQ(Utf8ToCp932Html("aé～b😀"), std::string("a&#233;\x81\x60"
                                                   "b&#128512;"));
  EXPECT_EQ(Utf8ToCp932Html("plain"), "plain");
  EXPECT_EQ(Utf8ToCp932Html("x\xFFy"), "x&#65533;y");
}

TEST(Cp932, NearMatchesCountAsUnencodable) {
  // These would come back as other characters ("～", "\\", "－"): no silent change.
  for (const char* s : {"〜", "¥100", "−5", "‖", "¢"})
    EXPECT_FALSE(Utf8ToCp932(s).has_value()) << s;
  EXPECT_EQ(Utf8ToCp932Html("¥100〜"), "&#165;100&#12316;");
  EXPECT_EQ(EncodeTextFile("¥"), "\xEF\xBB\xBF¥");
  // The characters CP932 does hold still round-trip.
  for (const char* s : {"～", "－", "∥", "￠", "\\", "~"})
    EXPECT_TRUE(Utf8ToCp932(s).has_value()) << s;
}

TEST(Cp932, UndecodableBytesBecomeReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  // 0xA0 is no character; 0x81 0x20 is a lead byte with a bad trail byte; a
  // lone lead byte at the end is incomplete. The good bytes around survive.
  EXPECT_EQ(Cp932ToUtf8("a\xA0z"), "a" + fffd + "z");
  EXPECT_EQ(Cp932ToUtf8("\x81\x20x"), fffd + " x");
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x82"), "あ" + fffd);
  EXPECT_EQ(Cp932ToUtf8(std::string("\0x", 2)), std::string("\0x", 2));
}

TEST(TextFileEncoding, CP932WhenPossibleElseUtf8WithBom) {
  EXPECT_EQ(EncodeTextFile("[Group]\r\nあ\r\n"), std::string("[Group]\r\n\x82\xA0\r\n"));
  const std::string wide = "名前=café😀\r\n";
  const std::string encoded = EncodeTextFile(wide);
  EXPECT_EQ(encoded, "\xEF\xBB\xBF" + wide);
  EXPECT_EQ(DecodeTextFile(encoded), wide);
  EXPECT_EQ(DecodeTextFile(EncodeTextFile(kJapanese)), kJapanese);
}

TEST(TextFileEncoding, EachFileIsReadInItsOwnEncoding) {
  using E = TTextEncoding;
  const std::string fffd = "\xEF\xBF\xBD";
  const struct {
    std::string bytes, text;
    TTextFileForm form;
  } cases[] = {
      {"FF0000,赤い色\r\n00FF00,みどり\r\n",
       "FF0000,赤い色\r\n00FF00,みどり\r\n",
       {E::Utf8, false}},
      {"[Preview]\r\nCaption=日本語のメモ\r\n",
       "[Preview]\r\nCaption=日本語のメモ\r\n",
       {E::Utf8, false}},
      {"\x82\xA0", "あ", {E::Cp932, false}},
      {"plain ASCII\r\n", "plain ASCII\r\n", {E::Cp932, false}},
      {"", "", {E::Cp932, false}},
      {"\xEF\xBB\xBF", "", {E::Utf8Bom, false}},
      {"\xEF\xBB\xBF\xE8\xB5\xA4", "赤", {E::Utf8Bom, false}},
      // Neither UTF-8 nor CP932: decoded with U+FFFD and marked.
      {"a\xA0z\x82\xA0", "a" + fffd + "zあ", {E::Cp932, true}},
      // A damaged UTF-8 file keeps what is valid.
      {"\xEF\xBB\xBFok\xC3(\xE3\x81\x82", "ok" + fffd + "(あ", {E::Utf8Bom, true}},
      {"[Preview]\r\nCaption=日本語のメモ\xFF\r\n",
       "[Preview]\r\nCaption=日本語のメモ" + fffd + "\r\n",
       {E::Utf8, true}},
      // CP932 whose bytes hold a piece of valid UTF-8 ("ﾃｽ" is C3 BD) stays CP932.
      {"\xC3\xBD\xC4", "ﾃｽﾄ", {E::Cp932, false}},
      {*Utf8ToCp932(kJapanese), kJapanese, {E::Cp932, false}},
      {*Utf8ToCp932("のはなにとて"), "のはなにとて", {E::Cp932, false}},  // D7 82 ... pairs
  };
  for (const auto& c : cases) {
    TTextFileForm form{E::Utf8Bom, true};
    EXPECT_EQ(DecodeTextFile(c.bytes, &form), c.text) << c.bytes;
    EXPECT_EQ(form, c.form) << c.bytes;
  }
}

TEST(TextFileEncoding, Cp932ThatWouldReadAsUtf8GoesOutWithABom) {
  // Half-width "ﾃｽ" is C3 BD in CP932, which is also the UTF-8 of "ý".
  EXPECT_EQ(EncodeTextFile("ﾃｽ"), "\xEF\xBB\xBFﾃｽ");
  EXPECT_EQ(EncodeTextFile("ﾃｽﾄ"), "\xC3\xBD\xC4");
}

TEST(IsValidUtf8, RejectsOverlongSurrogatesAndTruncation) {
  EXPECT_TRUE(IsValidUtf8("aあ😀"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

TEST(FileIo, WriteThenReadBackByteForByte) {
  TempDir dir;
  const std::string path = dir / "group.tintorb";
  const std::string bytes("AB\r\n\0\xFF\x81\x60", 8);
  WriteFileAtomic(path, bytes);
  EXPECT_EQ(ReadFileBytes(path), bytes);
  WriteFileAtomic(path, "short");
  EXPECT_EQ(ReadFileBytes(path), "short");
  // Nothing but the file itself is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FileIo, TemporariesOfKilledWritesAreRemovedOthersKept) {
  TempDir dir;
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  ASSERT_GT(dead, 0);
  waitpid(dead, nullptr, 0);
  const std::string deadTmp = "a.tintorb.tmp-" + std::to_string(dead);
  const std::vector<std::string> kept = {
      "b.tintorb.tmp-" + std::to_string(getpid()),   // this process's own write
      "c.tintorb.tmp-" + std::to_string(getppid()),  // a live writer
      "thesis.odt.tmp-" + std::to_string(dead),      // not one of ours
      "d.tintorb",
      "notes.tmp-1x",
      "e.tmp-"};
  for (const auto& n : kept) WriteFileAtomic(dir / n, "x");
  WriteFileAtomic(dir / deadTmp, "x");
  // A writer of a group with a name as long as a file name may be: its
  // temporary is cut to fit and is still known for one of ours.
  const std::string longName = dir / (std::string(247, 'g') + ".tintorb");
  const pid_t writer = fork();
  if (writer == 0) _exit(::creat(TemporaryName(longName).c_str(), 0600) >= 0 ? 0 : 1);
  int status = 0;
  ASSERT_EQ(waitpid(writer, &status, 0), writer);
  ASSERT_EQ(status, 0);
  const auto ours = [](std::string_view name) { return name.ends_with(".tintorb"); };
  EXPECT_EQ(RemoveStaleTemporaries(dir.path(), ours), 2);
  EXPECT_FALSE(std::filesystem::exists(dir / deadTmp));
  for (const auto& n : kept) EXPECT_TRUE(std::filesystem::exists(dir / n)) << n;
}

// Reads a real file, writes it back as the program does at exit.
std::string RewriteAsRead(const std::string& path, const std::string& append = "") {
  TTextFileForm form;
  const std::string text = DecodeTextFile(*ReadFileBytes(path), &form);
  return WriteTextFile(path, text + append, form);
}

TEST(TextFileRewrite, EveryFileKeepsTheEncodingItWasReadIn) {
  TempDir dir;
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::string bytes, append, expected;
  } cases[] = {
      // Unchanged text: the very same bytes.
      {"FF0000,赤い色\r\n00FF00,みどり\r\n", "", "FF0000,赤い色\r\n00FF00,みどり\r\n"},
      {*Utf8ToCp932("FF0000,赤\r\n"), "", *Utf8ToCp932("FF0000,赤\r\n")},
      {bom + "FF0000,赤\r\n", "", bom + "FF0000,赤\r\n"},
      {"ascii\r\n", "", "ascii\r\n"},
      // Added text: UTF-8 stays UTF-8 (with or without BOM); CP932 stays CP932
      // until a character does not fit.
      {"a=赤\r\n", "b=café\r\n", "a=赤\r\nb=café\r\n"},
      {bom + "a\r\n", "b=青\r\n", bom + "a\r\nb=青\r\n"},
      {*Utf8ToCp932("a=赤\r\n"), "b=青\r\n", *Utf8ToCp932("a=赤\r\nb=青\r\n")},
      {*Utf8ToCp932("a=赤\r\n"), "b=😀\r\n", bom + "a=赤\r\nb=😀\r\n"},
  };
  for (const auto& c : cases) {
    const std::string path = dir / "f.tintorb";
    WriteFileAtomic(path, c.bytes);
    EXPECT_EQ(RewriteAsRead(path, c.append), "") << c.bytes;
    EXPECT_EQ(ReadFileBytes(path), c.expected) << c.bytes;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "f.tintorb.bak"));
}

TEST(TextFileRewrite, UndecodableFileIsKeptAsBakBeforeTheFirstRewrite) {
  TempDir dir;
  const std::string path = dir / "tintorb.ini";
  const std::string original = "[Preview]\r\nCaption=\xA0\xFD\x82\r\n";
  WriteFileAtomic(path, original);
  ::chmod(path.c_str(), 0640);
  TTextFileForm form;
  const std::string text = DecodeTextFile(original, &form);
  ASSERT_TRUE(form.damaged);
  EXPECT_EQ(WriteTextFile(path, text, form), path + ".bak");
  EXPECT_EQ(ReadFileBytes(path + ".bak"), original);
  struct stat st {};
  ASSERT_EQ(::stat((path + ".bak").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // The rewrite holds the replacement characters in UTF-8; later rewrites in
  // the same run leave the backup alone.
  EXPECT_EQ(form, (TTextFileForm{TTextEncoding::Utf8Bom, false}));
  EXPECT_EQ(DecodeTextFile(*ReadFileBytes(path)), text);
  EXPECT_EQ(WriteTextFile(path, text + "x=1\r\n", form), "");
  EXPECT_EQ(ReadFileBytes(path + ".bak"), original);

  // A backup that holds something else is never overwritten.
  WriteFileAtomic(path, "\xA0other");
  EXPECT_EQ(RewriteAsRead(path), path + ".bak.2");
  EXPECT_EQ(ReadFileBytes(path + ".bak"), original);
  EXPECT_EQ(ReadFileBytes(path + ".bak.2"), "\xA0other");
}

TEST(FileIo, WritesThroughSymbolicLinksKeepingTheTargetsMode) {
  TempDir dir;
  namespace fs = std::filesystem;
  fs::create_directory(dir / "real");
  const std::string target = dir / "real/tintorb.ini";
  WriteFileAtomic(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  // A relative link to a relative link.
  fs::create_symlink("real/tintorb.ini", dir / "inner");
  fs::create_symlink("inner", dir / "tintorb.ini");
  WriteFileAtomic(dir / "tintorb.ini", "new");
  EXPECT_TRUE(fs::is_symlink(dir / "tintorb.ini"));
  EXPECT_TRUE(fs::is_symlink(dir / "inner"));
  EXPECT_EQ(ReadFileBytes(target), "new");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  // No temporary is left in either folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);

  // A dangling link creates its target; a new file gets the umask's mode.
  fs::create_symlink(dir / "real/new.tintorb", dir / "g.tintorb");
  const mode_t old = ::umask(002);
  WriteFileAtomic(dir / "g.tintorb", "row");
  ::umask(old);
  EXPECT_TRUE(fs::is_symlink(dir / "g.tintorb"));
  EXPECT_EQ(ReadFileBytes(dir / "real/new.tintorb"), "row");
  ASSERT_EQ(::stat((dir / "real/new.tintorb").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0664u);

  fs::create_symlink("loop", dir / "loop");
  EXPECT_THROW(WriteFileAtomic(dir / "loop", "x"), EFileWriteError);
}

TEST(FileIo, ReadingWhatIsNotAFileGivesNothing) {
  TempDir dir;
  EXPECT_FALSE(ReadFileBytes(dir / "missing").has_value());
  EXPECT_FALSE(ReadFileBytes(dir.path()).has_value());
}

TEST(FileIo, FailedWriteIsReportedAndKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir / "tintorb.ini";
  WriteFileAtomic(path, "old");
  // Block the temporary file's name with a directory: creating it fails even
  // for root, which ignores permission bits.
  const std::string tmp = path + ".tmp-" + std::to_string(::getpid());
  ASSERT_EQ(::mkdir(tmp.c_str(), 0755), 0);
  EXPECT_THROW(WriteFileAtomic(path, "new"), EFileWriteError);
  EXPECT_EQ(ReadFileBytes(path), "old");
}

TEST(FileIo, WritingOverADirectoryFailsAndLeavesNoTemporary) {
  TempDir dir;
  const std::string path = dir / "sub";
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  try {
    WriteFileAtomic(path, "data");
    FAIL() << "writing over a directory succeeded";
  } catch (const EFileWriteError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FileIo, MissingDirectoryIsAnError) {
  TempDir dir;
  EXPECT_THROW(WriteFileAtomic(dir / "no/such/dir/file.ini", "x"), EFileWriteError);
}

}  // namespace
}  // namespace tintorb

#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST(TextFileEncoding, DecodeNeverFails) {
  const std::string fffd = "\xEF\xBF\xBD";
  // A damaged UTF-8 file keeps what is valid.
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBFok\xC3(\xE3\x81\x82"), "ok" + fffd + "(あ");
  // A BOM alone is an empty text; no BOM means CP932.
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF"), "");
  EXPECT_EQ(DecodeTextFile("\x82\xA0"), "あ");
  EXPECT_EQ(DecodeTextFile(""), "");
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

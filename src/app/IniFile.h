// The settings file: one in-memory ini copy, read whole at creation and written
// back only by UpdateFile.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/TextFile.h"
#include "platform/Desktop.h"

namespace tintorb {

class TIniFile {
 public:
  TIniFile();                                  // no path: empty, never written
  explicit TIniFile(const std::string& path);  // reads the file when it exists
  // A path-less copy holding what a file with these bytes would hold.
  static TIniFile FromBytes(std::string_view bytes);

  const std::string& FileName() const { return path_; }
  // Why the file was not read (a FIFO, a device, too large, unreadable), in
  // Japanese; empty when it was read or does not exist. Such a file is left
  // alone: UpdateFile does not write over it.
  const std::string& ReadProblem() const { return readProblem_; }
  // The encoding the file was read in; UpdateFile writes it back in the same.
  const TTextFileForm& Form() const { return form_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  bool ValueExists(const std::string& section, const std::string& key) const;
  bool SectionExists(const std::string& section) const;
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);
  // Section names in file order (as first spelled).
  std::vector<std::string> ReadSections() const;
  // Keys of a section in file order (as first spelled).
  std::vector<std::string> ReadSection(const std::string& section) const;
  // Keys with values of a section in file order, with their values (a key
  // repeated in the file appears each time; ReadString gives the first).
  std::vector<std::pair<std::string, std::string>> ReadSectionValues(
      const std::string& section) const;
  // DeleteKey for each of the keys, in one pass over the section.
  void DeleteKeys(const std::string& section, const std::vector<std::string>& keys);
  // The text UpdateFile writes (UTF-8, CR LF) and its bytes on disk.
  std::string ToText() const;
  std::string ToBytes() const;
  // Writes the whole copy to disk atomically, in the encoding it was read in;
  // throws EFileWriteError. A file that was read with undecodable bytes is
  // first kept as "<file>.bak", and a warning says so. A copy without a path
  // is never written.
  void UpdateFile();

 private:
  struct Entry {
    std::string key, value;
    bool hasValue = true;  // false for a line without "=", kept only to be written back
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    // Folded key -> first entry with a value; built on the first lookup in a
    // long section, dropped when entries are removed.
    mutable std::unordered_map<std::string, size_t> keys;
    mutable bool indexed = false;
  };
  const Section* Find(const std::string& section) const;
  Section* Find(const std::string& section);
  Section& FindOrAdd(const std::string& section);
  static const Entry* FindKey(const Section& s, const std::string& key);
  static void Append(Section& s, Entry e);
  void Reindex();
  void Parse(const std::string& text);

  std::string path_;
  TTextFileForm form_;
  std::string readProblem_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> index_;  // folded section name -> position
};

// A value read as ReadInteger reads it (decimal, "$hex", "0xhex").
bool IniValueToInteger(std::string_view value, int& out);

enum class TIniGTDefaultDir { ddApplication, ddWindows, ddNone };

// The fixed system-wide directory that ddWindows stands for.
inline constexpr const char* kSystemSettingsDir = "/etc/tintorb";
// The program's file name with its extension replaced by ".ini" ("tintorb.ini").
std::string DefaultIniFileName();
// DefaultIniFileName() in the program's directory.
std::string DefaultIniPath();

struct TWindowPlacement {
  int flags = 0;
  int showCmd = 1;  // 1 normal, 2 minimised, 3 maximised
  int maxX = -1, maxY = -1;
  int left = 0, top = 0, right = 0, bottom = 0;  // normal rectangle
  friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// The settings component owned by the main window.
class TIniGT {
 public:
  TIniGT();  // FileName empty, DefaultDir ddApplication, no copy loaded yet

  TIniGTDefaultDir DefaultDir() const { return defaultDir_; }
  void SetDefaultDir(TIniGTDefaultDir dir);  // re-runs SetFileName
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name);  // discards the in-memory copy
  // FileName empty -> the program's file name with ".ini", then SetFileName.
  void Loaded();
  // The loaded copy; an empty copy that is never written when no name is set.
  TIniFile& IniFile();
  // Where the copy reads and writes (empty when it has no file).
  std::string FilePath() const;

  bool ReadBool(const std::string& s, const std::string& k, bool def) {
    return IniFile().ReadBool(s, k, def);
  }
  void WriteBool(const std::string& s, const std::string& k, bool v) {
    IniFile().WriteBool(s, k, v);
  }
  int ReadInteger(const std::string& s, const std::string& k, int def) {
    return IniFile().ReadInteger(s, k, def);
  }
  void WriteInteger(const std::string& s, const std::string& k, int v) {
    IniFile().WriteInteger(s, k, v);
  }
  std::string ReadString(const std::string& s, const std::string& k, const std::string& def) {
    return IniFile().ReadString(s, k, def);
  }
  void WriteString(const std::string& s, const std::string& k, const std::string& v) {
    IniFile().WriteString(s, k, v);
  }
  void WriteFont(const std::string& section, const std::string& prefix, const TFontSpec& font);
  void WriteWindowPlacement(const std::string& section, const std::string& prefix,
                            const TWindowPlacement& wp);
  void UpdateFile() { IniFile().UpdateFile(); }

 private:
  TIniGTDefaultDir defaultDir_ = TIniGTDefaultDir::ddApplication;
  std::string fileName_;
  std::unique_ptr<TIniFile> ini_;
};

// Key groups: each key defaults to the present value of the struct passed in.
TFontSpec ReadFont(const TIniFile& ini, const std::string& section, const std::string& prefix,
                   const TFontSpec& present);
void WriteFont(TIniFile& ini, const std::string& section, const std::string& prefix,
               const TFontSpec& font);
TWindowPlacement ReadWindowPlacement(const TIniFile& ini, const std::string& section,
                                     const std::string& prefix, const TWindowPlacement& present);
void WriteWindowPlacement(TIniFile& ini, const std::string& section, const std::string& prefix,
                          const TWindowPlacement& wp);

}  // namespace tintorb

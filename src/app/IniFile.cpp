#include "app/IniFile.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/ProgramDir.h"
#include "core/TextCase.h"
#include "core/TextFile.h"

namespace tintorb {

namespace {

// Blanks are every control character and the space.
std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A value is one line on disk; anything after a line break would turn into
// keys or sections of its own, so it is never written.
std::string FirstLine(const std::string& s) {
  const size_t n = s.find_first_of("\r\n");
  return n == std::string::npos ? s : s.substr(0, n);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal, "$hex" or "0xhex" with an optional sign. Decimal must fit an int;
// hexadecimal may use all 32 bits (colours such as $80000005 are negative).
bool ParseInteger(std::string_view s, int& out) {
  s = Trim(s);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  uint64_t v = 0;
  for (char c : s) {
    const int d = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) return false;
    v = v * uint64_t(base) + uint64_t(d);
    if (v > 0xFFFFFFFFull) return false;
  }
  if (base == 16 && !negative) {
    out = static_cast<int>(static_cast<int32_t>(static_cast<uint32_t>(v)));
    return true;
  }
  if (negative) {
    if (v > 0x80000000ull) return false;
    out = static_cast<int>(-static_cast<int64_t>(v));
    return true;
  }
  if (v > 0x7FFFFFFFull) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

bool IniValueToInteger(std::string_view value, int& out) {
  return ParseInteger(value, out);
}

// ---------------------------------------------------------------- TIniFile

TIniFile::TIniFile() = default;

TIniFile::TIniFile(const std::string& path) : path_(path) {
  if (path_.empty()) return;
  const TFileRead read = ReadRegularFile(path_);
  if (read.bytes)
    Parse(DecodeTextFile(*read.bytes, &form_));
  else if (read.failure != TReadFailure::Missing)
    readProblem_ = "設定ファイル " + ReadFailureText(path_, read) +
                   "。\n設定は既定の値で始め、このファイルには書き込みません。";
}

TIniFile TIniFile::FromBytes(std::string_view bytes) {
  TIniFile ini;
  ini.Parse(DecodeTextFile(bytes, &ini.form_));
  return ini;
}

void TIniFile::Parse(const std::string& text) {
  Section* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    // Lines end with CR LF, LF or a lone CR.
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = Trim(std::string_view(text).substr(pos, end - pos));
    pos = end;
    if (pos < text.size()) {
      pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      // A repeated header continues the section it names.
      current = &FindOrAdd(std::string(Trim(line.substr(1, line.size() - 2))));
      continue;
    }
    if (!current) continue;
    const size_t eq = line.find('=');
    Entry e;
    if (eq == std::string_view::npos) {
      e.key = std::string(line);
      e.hasValue = false;
    } else {
      e.key = std::string(Trim(line.substr(0, eq)));
      e.value = std::string(Trim(line.substr(eq + 1)));
    }
    Append(*current, std::move(e));
  }
}

namespace {

// Sections this short are searched in place; longer ones get a key index.
constexpr size_t kScanLimit = 8;

}  // namespace

const TIniFile::Section* TIniFile::Find(const std::string& section) const {
  const auto it = index_.find(FoldCase(section));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

TIniFile::Section* TIniFile::Find(const std::string& section) {
  return const_cast<Section*>(std::as_const(*this).Find(section));
}

TIniFile::Section& TIniFile::FindOrAdd(const std::string& section) {
  const auto [it, added] = index_.try_emplace(FoldCase(section), sections_.size());
  if (added) sections_.push_back(Section{section, {}, {}, false});
  return sections_[it->second];
}

void TIniFile::Reindex() {
  index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) index_.try_emplace(FoldCase(sections_[i].name), i);
}

const TIniFile::Entry* TIniFile::FindKey(const Section& s, const std::string& key) {
  if (s.entries.size() <= kScanLimit) {
    for (const auto& e : s.entries)
      if (e.hasValue && SameText(e.key, key)) return &e;
    return nullptr;
  }
  if (!s.indexed) {
    s.keys.clear();
    for (size_t i = 0; i < s.entries.size(); ++i)
      if (s.entries[i].hasValue) s.keys.try_emplace(FoldCase(s.entries[i].key), i);
    s.indexed = true;
  }
  const auto it = s.keys.find(FoldCase(key));
  return it == s.keys.end() ? nullptr : &s.entries[it->second];
}

void TIniFile::Append(Section& s, Entry e) {
  if (s.indexed && e.hasValue) s.keys.try_emplace(FoldCase(e.key), s.entries.size());
  s.entries.push_back(std::move(e));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const Section* s = Find(section);
  const Entry* e = s ? FindKey(*s, key) : nullptr;
  return e ? e->value : def;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const Section* s = Find(section);
  const Entry* e = s ? FindKey(*s, key) : nullptr;
  int v;
  return e && ParseInteger(e->value, v) ? v : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  Section& s = FindOrAdd(FirstLine(section));
  const std::string k = FirstLine(key);
  if (Entry* e = const_cast<Entry*>(FindKey(s, k))) {
    e->value = FirstLine(value);
  } else {
    Append(s, Entry{k, FirstLine(value), true});
  }
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  const Section* s = Find(section);
  return s && FindKey(*s, key);
}

bool TIniFile::SectionExists(const std::string& section) const {
  return Find(section) != nullptr;
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  Section* s = Find(section);
  if (!s) return;
  if (const Entry* e = FindKey(*s, key)) {
    s->entries.erase(s->entries.begin() + (e - s->entries.data()));
    s->indexed = false;
  }
}

void TIniFile::EraseSection(const std::string& section) {
  if (const Section* s = Find(section)) {
    sections_.erase(sections_.begin() + (s - sections_.data()));
    Reindex();
  }
}

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const Section* s = Find(section)) {
    for (const auto& e : s->entries)
      if (e.hasValue) keys.push_back(e.key);
  }
  return keys;
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSectionValues(
    const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> out;
  if (const Section* s = Find(section)) {
    for (const auto& e : s->entries)
      if (e.hasValue) out.emplace_back(e.key, e.value);
  }
  return out;
}

void TIniFile::DeleteKeys(const std::string& section, const std::vector<std::string>& keys) {
  Section* s = Find(section);
  if (!s) return;
  // How many first occurrences of each key go: one per mention, as DeleteKey.
  std::unordered_map<std::string, int> pending;
  for (const auto& k : keys) ++pending[FoldCase(k)];
  std::erase_if(s->entries, [&](const Entry& e) {
    if (!e.hasValue) return false;
    const auto it = pending.find(FoldCase(e.key));
    if (it == pending.end() || it->second == 0) return false;
    --it->second;
    return true;
  });
  s->indexed = false;
}

std::string TIniFile::ToText() const {
  std::string text;
  for (const auto& s : sections_) {
    text += "[" + s.name + "]\r\n";
    for (const auto& e : s.entries) {
      text += e.key;
      if (e.hasValue) text += "=" + e.value;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

std::string TIniFile::ToBytes() const {
  return EncodeTextFile(ToText(), form_.encoding);
}

void TIniFile::UpdateFile() {
  if (path_.empty() || !readProblem_.empty()) return;
  const std::string backup = WriteTextFile(path_, ToText(), form_);
  if (!backup.empty()) Dialogs().Warning(BackupNotice({backup}));
}

// ---------------------------------------------------------------- TIniGT

std::string DefaultIniFileName() {
  std::string name = ExecutableName();
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name + ".ini";
}

std::string DefaultIniPath() {
  return ProgramDir() + "/" + DefaultIniFileName();
}

TIniGT::TIniGT() = default;

void TIniGT::SetDefaultDir(TIniGTDefaultDir dir) {
  defaultDir_ = dir;
  SetFileName(fileName_);
}

std::string TIniGT::FilePath() const {
  if (fileName_.empty()) return {};
  if (fileName_.find('/') != std::string::npos) return fileName_;
  switch (defaultDir_) {
    case TIniGTDefaultDir::ddApplication:
      return ProgramDir() + "/" + fileName_;
    case TIniGTDefaultDir::ddWindows:
      return std::string(kSystemSettingsDir) + "/" + fileName_;
    case TIniGTDefaultDir::ddNone:
      break;
  }
  return fileName_;
}

void TIniGT::SetFileName(const std::string& name) {
  fileName_ = name;
  ini_ = std::make_unique<TIniFile>(FilePath());
  if (!ini_->ReadProblem().empty()) Dialogs().Warning(ini_->ReadProblem());
}

void TIniGT::Loaded() {
  if (fileName_.empty()) fileName_ = DefaultIniFileName();
  SetFileName(fileName_);
}

TIniFile& TIniGT::IniFile() {
  if (!ini_) ini_ = std::make_unique<TIniFile>(FilePath());
  return *ini_;
}

void TIniGT::WriteFont(const std::string& section, const std::string& prefix,
                       const TFontSpec& font) {
  tintorb::WriteFont(IniFile(), section, prefix, font);
}

void TIniGT::WriteWindowPlacement(const std::string& section, const std::string& prefix,
                                  const TWindowPlacement& wp) {
  tintorb::WriteWindowPlacement(IniFile(), section, prefix, wp);
}

// ---------------------------------------------------------------- key groups

TFontSpec ReadFont(const TIniFile& ini, const std::string& section, const std::string& prefix,
                   const TFontSpec& present) {
  TFontSpec f = present;
  f.name = ini.ReadString(section, prefix + ".Name", present.name);
  f.size = ini.ReadInteger(section, prefix + ".Size", present.size);
  f.color = ini.ReadInteger(section, prefix + ".Color", present.color);
  // Only the four style bits mean anything.
  f.style = ini.ReadInteger(section, prefix + ".Style", present.style) & 0xF;
  return f;
}

void WriteFont(TIniFile& ini, const std::string& section, const std::string& prefix,
               const TFontSpec& font) {
  ini.WriteString(section, prefix + ".Name", font.name);
  ini.WriteInteger(section, prefix + ".Size", font.size);
  ini.WriteInteger(section, prefix + ".Color", font.color);
  ini.WriteInteger(section, prefix + ".Style", font.style);
}

TWindowPlacement ReadWindowPlacement(const TIniFile& ini, const std::string& section,
                                     const std::string& prefix, const TWindowPlacement& present) {
  TWindowPlacement wp;
  wp.flags = ini.ReadInteger(section, prefix + ".Flags", present.flags);
  wp.showCmd = ini.ReadInteger(section, prefix + ".Show", present.showCmd);
  wp.maxX = ini.ReadInteger(section, prefix + ".MaxX", present.maxX);
  wp.maxY = ini.ReadInteger(section, prefix + ".MaxY", present.maxY);
  wp.left = ini.ReadInteger(section, prefix + ".X", present.left);
  wp.top = ini.ReadInteger(section, prefix + ".Y", present.top);
  wp.right = ini.ReadInteger(section, prefix + ".XSize", present.right);
  wp.bottom = ini.ReadInteger(section, prefix + ".YSize", present.bottom);
  return wp;
}

void WriteWindowPlacement(TIniFile& ini, const std::string& section, const std::string& prefix,
                          const TWindowPlacement& wp) {
  ini.WriteInteger(section, prefix + ".Flags", wp.flags);
  ini.WriteInteger(section, prefix + ".Show", wp.showCmd);
  ini.WriteInteger(section, prefix + ".MaxX", wp.maxX);
  ini.WriteInteger(section, prefix + ".MaxY", wp.maxY);
  ini.WriteInteger(section, prefix + ".X", wp.left);
  ini.WriteInteger(section, prefix + ".Y", wp.top);
  ini.WriteInteger(section, prefix + ".XSize", wp.right);
  ini.WriteInteger(section, prefix + ".YSize", wp.bottom);
}

}  // namespace tintorb

#include "collections/Favorites.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <numeric>
#include <stdexcept>
#include <system_error>

#include "core/ErrorText.h"
#include "core/TextCase.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"

namespace tintorb {

extern const std::string_view kData_builtin_favorites;

namespace fs = std::filesystem;

namespace {

// Decodes the UTF-8 sequence at s[i] and its length; a stray byte has length 1
// and the code point 0xFFFFFFFF.
uint32_t NextCodePoint(std::string_view s, size_t i, size_t& len) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size() || !IsValidUtf8(s.substr(i, n))) {
    len = 1;
    return 0xFFFFFFFFu;
  }
  uint32_t cp = n == 1 ? c : c & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  len = n;
  return cp;
}

std::wstring ToWide(std::string_view s) {
  std::wstring out;
  for (size_t i = 0, n = 0; i < s.size(); i += n) {
    const uint32_t cp = NextCodePoint(s, i, n);
    out += static_cast<wchar_t>(cp == 0xFFFFFFFFu ? 0xFFFD : cp);
  }
  return out;
}

// The first `count` characters (not bytes) of s.
std::string CutChars(std::string_view s, size_t count) {
  size_t i = 0, n = 0;
  for (size_t k = 0; k < count && i < s.size(); ++k, i += n) NextCodePoint(s, i, n);
  return std::string(s.substr(0, i));
}

// A row is one line of a group file, so it never holds a line break.
std::string OneLine(std::string row) {
  std::replace(row.begin(), row.end(), '\r', ' ');
  std::replace(row.begin(), row.end(), '\n', ' ');
  return row;
}

std::string HtmlEscape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Absolute, lexically normal path of `name` inside `dir`: the form in which
// the store remembers its files.
std::string PathIn(const std::string& dir, const std::string& name) {
  std::error_code ec;
  fs::path base = fs::absolute(fs::path(dir), ec);
  if (ec) base = fs::path(dir);
  return (base / name).lexically_normal().string();
}

std::string ParentOf(const std::string& path) {
  return fs::path(path).parent_path().string();
}

// Files of `dir` whose names end with `ext`, sorted by name: regular files
// only, or also what is neither file nor folder (a pipe, a device ...), so
// that it can be reported.
std::vector<std::string> ListFiles(const std::string& dir, std::string_view ext,
                                   bool regularOnly = true) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!EndsWith(name, ext)) continue;
    std::error_code fec;
    const fs::file_status st = fs::status(it->path(), fec);
    if (regularOnly ? !fs::is_regular_file(st) : fs::is_directory(st)) continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Rename that never replaces an existing file (the old desktop's MoveFile
// refused to, and a migration must not overwrite a group file).
bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: a hard link fails on an existing target.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno != EPERM && errno != EOPNOTSUPP) return false;
  std::error_code ec;
  if (fs::exists(to, ec) || ec) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string IndexError(int index) {
  return "List index out of bounds (" + std::to_string(index) + ")";
}

}  // namespace

// ---------------------------------------------------------------------------
// TNamedColorList

void TNamedColorList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw std::out_of_range(IndexError(index));
}

int TNamedColorList::Add(const std::string& hex, const std::string& name) {
  rows_.push_back(OneLine(hex + "," + name));
  return Count() - 1;
}

void TNamedColorList::AddRow(const std::string& row) {
  rows_.push_back(OneLine(row));
}

void TNamedColorList::Insert(int index, const TNamedColor& color) {
  CheckIndex(index, Count() + 1);
  rows_.insert(rows_.begin() + index, OneLine(color.Hex + "," + color.Name));
}

void TNamedColorList::Put(int index, const TNamedColor& color) {
  CheckIndex(index, Count());
  rows_[size_t(index)] = OneLine(color.Hex + "," + color.Name);
}

void TNamedColorList::Delete(int index) {
  CheckIndex(index, Count());
  rows_.erase(rows_.begin() + index);
}

void TNamedColorList::Move(int from, int to) {
  if (from == to) return;
  CheckIndex(from, Count());
  CheckIndex(to, Count());
  std::string row = std::move(rows_[size_t(from)]);
  rows_.erase(rows_.begin() + from);
  rows_.insert(rows_.begin() + to, std::move(row));
}

const std::string& TNamedColorList::Row(int index) const {
  CheckIndex(index, Count());
  return rows_[size_t(index)];
}

TNamedColor TNamedColorList::GetColor(int index) const {
  const std::string& row = Row(index);
  const size_t comma = row.find(',');
  if (comma == std::string::npos) throw EFavoritesError(kMsgGetColorError);
  return TNamedColor{row.substr(comma + 1), CutChars(std::string_view(row).substr(0, comma), 6)};
}

void TNamedColorList::Sort(int kind) {
  if (kind < 0 || kind > 3) throw std::invalid_argument("unknown sort kind");
  const size_t n = rows_.size();
  std::vector<size_t> order(n);
  std::iota(order.begin(), order.end(), size_t(0));
  // Keys first, so that a row that cannot be read stops the sort before any
  // row has moved.
  if (kind == 0) {
    std::vector<std::string> keys(n);
    for (size_t i = 0; i < n; ++i) {
      const size_t comma = rows_[i].find(',');
      keys[i] =
          comma == std::string::npos ? std::string() : Utf8ToCp932Html(rows_[i].substr(comma + 1));
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      const std::string &x = keys[a], &y = keys[b];
      return std::lexicographical_compare(
          x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
            return static_cast<unsigned char>(p) < static_cast<unsigned char>(q);
          });
    });
  } else if (kind == 1) {
    std::vector<std::wstring> keys(n);
    for (size_t i = 0; i < n; ++i) keys[i] = ToWide(FoldCase(rows_[i]));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return std::wcscoll(keys[a].c_str(), keys[b].c_str()) < 0;
    });
  } else {
    std::vector<int> keys(n);
    for (size_t i = 0; i < n; ++i) {
      const THLS hls = ColorToHLS(HexToColor(GetColor(int(i)).Hex));
      keys[i] = kind == 2 ? hls.S : hls.L;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a] > keys[b]; });
  }
  std::vector<std::string> sorted;
  sorted.reserve(n);
  for (size_t i : order) sorted.push_back(std::move(rows_[i]));
  rows_ = std::move(sorted);
}

void TNamedColorList::LoadFromText(std::string_view text) {
  rows_.clear();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      rows_.emplace_back(text.substr(start));
      break;
    }
    rows_.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

bool TNamedColorList::LoadFromFile(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return false;
  LoadFromBytes(*bytes);
  return true;
}

void TNamedColorList::LoadFromBytes(std::string_view bytes) {
  LoadFromText(DecodeTextFile(bytes, &form_));
}

namespace {

std::string FileText(const std::vector<std::string>& rows) {
  std::string text;
  for (const auto& row : rows) text += row + "\r\n";
  return text;
}

}  // namespace

std::string TNamedColorList::FileBytes() const {
  return EncodeTextFile(FileText(rows_), form_.encoding);
}

std::string TNamedColorList::SaveToFile(const std::string& path) {
  return WriteTextFile(path, FileText(rows_), form_);
}

std::string ProposedExportName(const std::string& last, std::string_view ext) {
  if (last.empty()) return {};
  const size_t base = last.rfind('/') + 1;  // npos + 1 == 0
  const size_t dot = last.rfind('.');
  // A leading dot starts a hidden file's name, not an extension.
  const size_t stem = dot != std::string::npos && dot > base ? dot : last.size();
  return last.substr(0, stem) + "." + std::string(ext);
}

std::string TNamedColorList::HTMLText(const THTMLTableOptions& options) const {
  std::string out;
  int indent = 0;
  auto line = [&](const std::string& text) {
    out.append(size_t(indent), '\t');
    out += text;
    out += "\r\n";
  };
  auto opens = [&](const std::string& text) {
    line(text);
    ++indent;
  };
  auto closes = [&](const std::string& text) {
    --indent;
    line(text);
  };
  // Every row is read before anything is written, so a bad row leaves no file.
  std::vector<TNamedColor> colors;
  for (int i = 0; i < Count(); ++i) colors.push_back(GetColor(i));
  const std::string back = "#" + ColorToHex(options.SampleBackColor);
  const std::string sample = HtmlEscape(options.SampleText);

  opens("<html>");
  opens("<head>");
  line("<meta http-equiv=\"content-type\" content=\"text/html;charset=Shift_JIS\">");
  line("<meta name=\"generator\" content=\"Tintorb\">");
  if (!options.Title.empty()) line("<title>" + HtmlEscape(options.Title) + "</title>");
  closes("</head>");
  opens("<body bgcolor=\"white\">");
  opens("<table border=\"0\" cellpadding=\"4\" width=\"100%\">");
  for (const auto& c : colors) {
    const std::string hex = HtmlEscape(c.Hex);
    opens("<tr>");
    line("<td bgcolor=\"" + hex + "\" width=\"10%\"><br></td>");
    line("<td>" + HtmlEscape(c.Name) + "</td>");
    line("<td><tt>" + hex + "</tt></td>");
    line("<td bgcolor=\"" + back + "\" align=\"center\"><font color=\"" + hex + "\">" + sample +
         "</td>");
    closes("</tr>");
  }
  closes("</table>");
  closes("</body>");
  closes("</html>");
  return out;
}

void TNamedColorList::SaveToHTML(const THTMLTableOptions& options) const {
  WriteFileAtomic(options.FileName, Utf8ToCp932Html(HTMLText(options)));
}

std::string TNamedColorList::ACTBytes() const {
  if (Count() > 256) throw EFavoritesError(kMsgActTooManyColors);
  std::string out;
  out.reserve(772);
  for (int i = 0; i < Count(); ++i) {
    const TColor c = HexToColor(GetColor(i).Hex);
    out += char(GetRValue(c));
    out += char(GetGValue(c));
    out += char(GetBValue(c));
  }
  if (Count() < 256) {
    out.append(size_t(256 - Count()) * 3, '\0');
    out += '\0';
    out += char(Count());
    out += '\xFF';
    out += '\xFF';
  }
  return out;
}

void TNamedColorList::SaveToACT(const std::string& path) const {
  WriteFileAtomic(path, ACTBytes());
}

// ---------------------------------------------------------------------------
// TFavorites

bool TFavorites::NameTaken(const std::string& name) const {
  const std::string folded = FoldCase(name);
  return reservedNames_.count(folded) || folded_.count(folded);
}

void TFavorites::SetName(size_t index, const std::string& name) {
  folded_.erase(FoldCase(names_[index]));
  folded_.insert(FoldCase(name));
  names_[index] = name;
}

int TFavorites::AddGroup(const std::string& name) {
  if (NameTaken(name)) {
    Dialogs().Warning(kMsgGroupNameTaken);
    return -1;
  }
  if (!CheckGroupName(name)) return -1;
  names_.push_back(name);
  groups_.push_back(std::make_unique<TNamedColorList>());
  files_.emplace_back();
  folded_.insert(FoldCase(name));
  return Count() - 1;
}

bool TFavorites::GroupExists(const std::string& name) const {
  return NameTaken(name);
}

int TFavorites::IndexOfGroup(const std::string& name) const {
  const std::string folded = FoldCase(name);
  for (int i = 0; i < Count(); ++i)
    if (FoldCase(names_[size_t(i)]) == folded) return i;
  return -1;
}

void TFavorites::DeleteGroup(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range(IndexError(index));
  folded_.erase(FoldCase(names_[size_t(index)]));
  names_.erase(names_.begin() + index);
  groups_.erase(groups_.begin() + index);
  files_.erase(files_.begin() + index);
}

void TFavorites::Clear() {
  while (Count() > 0) DeleteGroup(Count() - 1);
}

TNamedColorList& TFavorites::Group(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range(IndexError(index));
  return *groups_[size_t(index)];
}

const TNamedColorList& TFavorites::Group(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range(IndexError(index));
  return *groups_[size_t(index)];
}

const std::string& TFavorites::GroupName(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range(IndexError(index));
  return names_[size_t(index)];
}

void TFavorites::RenameGroup(int index, const std::string& name) {
  if (index < 0 || index >= Count()) throw std::out_of_range(IndexError(index));
  if (NameTaken(name)) {
    Dialogs().Warning(kMsgGroupNameTaken);
    return;
  }
  if (!CheckGroupName(name)) return;
  SetName(size_t(index), name);
}

std::string TFavorites::UniqueGroupName(const std::string& base) const {
  for (int n = 1;; ++n) {
    std::string candidate = base + std::to_string(n);
    if (!NameTaken(candidate)) return candidate;
  }
}

// Only what Linux cannot hold in one file name is escaped ("/" and NUL), plus
// a "%" that would otherwise read as one of those escapes, so every other
// name keeps the file name it always had.
std::string TFavorites::GroupFileName(const std::string& groupName) {
  std::string out;
  const std::string& s = groupName;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '/') {
      out += "%2F";
    } else if (c == '\0') {
      out += "%00";
    } else if (c == '%') {
      const std::string_view next = std::string_view(s).substr(i + 1, 2);
      out += (next == "25" || next == "2F" || next == "00") ? "%25" : "%";
    } else {
      out += c;
    }
  }
  return out + kGroupFileExt;
}

bool TFavorites::CheckGroupName(const std::string& groupName) {
  // NAME_MAX of Linux file systems; the name is written in UTF-8.
  if (GroupFileName(groupName).size() <= 255) return true;
  Dialogs().Warning(kMsgGroupNameTooLong);
  return false;
}

bool InputGroupName(const std::string& caption, const std::string& prompt, std::string& name) {
  while (Dialogs().InputBox(caption, prompt, name))
    if (TFavorites::CheckGroupName(name)) return true;
  return false;
}

std::string TFavorites::GroupNameOfFile(const std::string& fileName, bool* ok) {
  const std::string_view ext = kGroupFileExt;
  if (!EndsWith(fileName, ext)) {
    if (ok) *ok = false;
    return {};
  }
  if (ok) *ok = true;
  const std::string_view stem = std::string_view(fileName).substr(0, fileName.size() - ext.size());
  std::string out;
  for (size_t i = 0; i < stem.size(); ++i) {
    const std::string_view next = stem.substr(i, 3);
    if (next == "%25") {
      out += '%';
      i += 2;
    } else if (next == "%2F") {
      out += '/';
      i += 2;
    } else if (next == "%00") {
      out += '\0';
      i += 2;
    } else {
      out += stem[i];
    }
  }
  // A file copied from an old desktop may carry a CP932 name.
  if (!IsValidUtf8(out)) out = Cp932ToUtf8(out);
  return out;
}

bool TFavorites::LoadFromDir(const std::string& dir) {
  Clear();
  reservedNames_.clear();
  ownedFiles_.clear();
  std::vector<std::string> clashes, unreadable;
  for (const auto& file : ListFiles(dir, kGroupFileExt, false)) {
    const std::string name = GroupNameOfFile(file);
    // A set of folded names keeps this linear in the number of files.
    if (NameTaken(name)) {
      clashes.push_back(file);
      reservedNames_.insert(FoldCase(name));
      continue;
    }
    const std::string path = PathIn(dir, file);
    const TFileRead read = ReadRegularFile(path);
    if (!read.bytes) {
      unreadable.push_back(ReadFailureText(file, read));
      reservedNames_.insert(FoldCase(name));
      continue;
    }
    names_.push_back(name);
    groups_.push_back(std::make_unique<TNamedColorList>());
    groups_.back()->LoadFromBytes(*read.bytes);
    files_.push_back({path, *read.bytes});
    folded_.insert(FoldCase(name));
    ownedFiles_.insert(path);
  }
  if (!clashes.empty() || !unreadable.empty()) {
    std::string text;
    if (!clashes.empty()) {
      text +=
          "同じグループ名になるお気に入りファイル（大文字と小文字や文字コードだけが違う名前）がある"
          "ため、次のファイルは読み込みませんでした。";
      for (const auto& f : clashes) text += "\n" + f;
    }
    if (!unreadable.empty()) {
      if (!text.empty()) text += "\n\n";
      text += "次のお気に入りファイルを読み込めませんでした。";
      for (const auto& f : unreadable) text += "\n" + f;
    }
    Dialogs().Warning(text);
  }
  return Count() > 0;
}

namespace {

// Whether a rename to `path` would replace something. A folder is not
// replaced: writing there fails and is reported.
bool Occupied(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return errno != ENOENT;
  return !S_ISDIR(st.st_mode);
}

// The file at `path` still holds `bytes` as far as its size tells.
bool StillHolds(const std::string& path, const std::string& bytes) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         size_t(st.st_size) == bytes.size();
}

}  // namespace

// A file is the store's to write when it loaded or wrote it, when nothing is
// there (or a folder, where the write fails), or when it already holds exactly
// what would be written (left by a run that was killed after writing it).
bool TFavorites::MayWrite(const std::string& path, const TGroupFile& file,
                          const std::string& bytes) const {
  return path == file.path || ownedFiles_.count(path) || !Occupied(path) ||
         ReadFileBytes(path) == bytes;
}

std::string TFavorites::TargetFile(size_t index, const std::string& dir, const std::string& bytes) {
  const TGroupFile& file = files_[index];
  const std::string path = PathIn(dir, GroupFileName(names_[index]));
  if (MayWrite(path, file, bytes)) return path;
  // Someone else's file has the name: the group stays in the file it came
  // from while that still carries its name ...
  if (!file.path.empty() && ParentOf(file.path) == ParentOf(path) &&
      GroupNameOfFile(fs::path(file.path).filename().string()) == names_[index])
    return file.path;
  // ... or takes the next free name.
  for (int n = 1;; ++n) {
    const std::string name = names_[index] + std::to_string(n);
    if (NameTaken(name)) continue;
    const std::string other = PathIn(dir, GroupFileName(name));
    if (!MayWrite(other, file, bytes)) continue;
    SetName(index, name);
    return other;
  }
}

bool TFavorites::SaveToDir(const std::string& dir, std::vector<std::string>* failures) {
  std::set<std::string> kept;  // files that hold a group after this save
  std::vector<std::string> errors, backups;
  for (size_t i = 0; i < groups_.size(); ++i) {
    TGroupFile& file = files_[i];
    const std::string bytes = groups_[i]->FileBytes();
    const std::string path = TargetFile(i, dir, bytes);
    try {
      // Unchanged files are left alone: no write, no sync.
      if (path != file.path || file.bytes != bytes || !StillHolds(path, bytes)) {
        if (std::string bak = groups_[i]->SaveToFile(path); !bak.empty())
          backups.push_back(std::move(bak));
        file.bytes = bytes;
      }
      file.path = path;
      kept.insert(path);
      ownedFiles_.insert(path);
    } catch (const EFileWriteError& e) {
      errors.push_back(e.what());
    }
  }
  if (errors.empty()) {
    // Files of deleted or renamed groups would bring the groups back at the
    // next start. Only files this store loaded or wrote are touched.
    const std::string here = ParentOf(PathIn(dir, "x"));
    std::optional<std::set<std::pair<dev_t, ino_t>>> keptIds;
    for (auto it = ownedFiles_.begin(); it != ownedFiles_.end();) {
      const std::string& path = *it;
      if (ParentOf(path) != here || kept.count(path)) {
        ++it;
        continue;
      }
      struct stat st {};
      if (::stat(path.c_str(), &st) == 0) {
        // On a case-insensitive file system the old name may be the new file.
        if (!keptIds) {
          keptIds.emplace();
          for (const auto& k : kept)
            if (struct stat ks{}; ::stat(k.c_str(), &ks) == 0)
              keptIds->insert({ks.st_dev, ks.st_ino});
        }
        if (!keptIds->count({st.st_dev, st.st_ino}) && ::unlink(path.c_str()) != 0 &&
            errno != ENOENT)
          errors.push_back("'" + path + "' を削除できません: " + SystemErrorText(errno));
      }
      it = ownedFiles_.erase(it);
    }
  }
  if (!backups.empty()) Dialogs().Warning(BackupNotice(backups));
  if (!errors.empty() && failures) {
    failures->insert(failures->end(), errors.begin(), errors.end());
    return false;
  }
  if (!errors.empty()) {
    std::string text = "お気に入りを保存できませんでした。";
    for (const auto& e : errors) text += "\n" + e;
    Dialogs().Error(text);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Start-up helpers

std::string FavMigrationQuestion(int count) {
  const std::string oldExt = kOldGroupFileExt, newExt = kGroupFileExt;
  return std::to_string(count) + " 個の旧バージョン（3.50以前）用のお気に入りファイル（*" + oldExt +
         "）が見つかりました。\rこれらの拡張子を現行バージョン（3.60以降）用に（*" + newExt +
         "）変更します。\rよろしいですか？\r\rいいえを選択した場合、お気に入りは引き継がれません";
}

namespace {

// "x.fav" -> "x.tintorb", in `dir`.
std::string NewGroupPath(const std::string& dir, const std::string& fav) {
  return PathIn(dir, fav.substr(0, fav.size() - std::strlen(kOldGroupFileExt)) + kGroupFileExt);
}

// The old and the new name on one file: a move that ended before removing
// the old name.
bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

// Every file gets its new name as a second link first, and loses the old
// names only then: a move killed halfway leaves links that the next start
// finds and finishes. Where the file system has no links, each file is
// renamed. A file whose new name is taken stays as it is.
void MoveFavFiles(const std::string& dir, const std::vector<std::string>& files) {
  std::vector<std::string> linked;
  for (const auto& f : files) {
    const std::string from = PathIn(dir, f), to = NewGroupPath(dir, f);
    if (::link(from.c_str(), to.c_str()) == 0 || (errno == EEXIST && SameFile(from, to)))
      linked.push_back(from);
    else if (errno == EPERM || errno == EOPNOTSUPP)
      RenameNoReplace(from, to);
  }
  for (const auto& from : linked) ::unlink(from.c_str());
}

}  // namespace

bool MigrateFavFiles(const std::string& dir) {
  const auto files = ListFiles(dir, kOldGroupFileExt);
  if (files.empty()) return false;
  if (!Dialogs().YesNo(FavMigrationQuestion(int(files.size())))) return false;
  MoveFavFiles(dir, files);
  return true;
}

bool FinishFavMigration(const std::string& dir) {
  const auto files = ListFiles(dir, kOldGroupFileExt);
  const bool interrupted = std::any_of(files.begin(), files.end(), [&](const std::string& f) {
    return SameFile(PathIn(dir, f), NewGroupPath(dir, f));
  });
  if (interrupted) MoveFavFiles(dir, files);
  return interrupted;
}

void CreateBuiltInGroups(TFavorites& favorites) {
  const std::string_view data = kData_builtin_favorites;
  TNamedColorList* group = nullptr;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\n', start);
    if (end == std::string_view::npos) end = data.size();
    std::string_view line = data.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const int index = favorites.AddGroup(std::string(line.substr(1, line.size() - 2)));
      group = index < 0 ? nullptr : &favorites.Group(index);
      continue;
    }
    const size_t comma = line.find(',');
    if (group && comma != std::string_view::npos)
      group->Add(std::string(line.substr(0, comma)), std::string(line.substr(comma + 1)));
  }
}

}  // namespace tintorb

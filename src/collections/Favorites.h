// Favourite colours: named groups of "RRGGBB,name" rows, one group file per
// group, and the two exports of a group (HTML table page, Adobe Color Table).
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/Color.h"
#include "core/TextFile.h"

namespace tintorb {

class TIniFile;

// Raised for a bad row or an export that cannot be made; the message is shown
// as an error by the application's top-level handler.
class EFavoritesError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kGroupFileExt = ".tintorb";
inline constexpr const char* kOldGroupFileExt = ".fav";
inline constexpr const char* kMsgGroupNameTaken = "そのグループ名は既に使われてるよん";
inline constexpr const char* kMsgGroupNameTooLong =
    "そのグループ名は長すぎてファイル名にできないよん";
inline constexpr const char* kMsgGetColorError = "GetColor時にエラーが発生しました";
inline constexpr const char* kMsgActTooManyColors = "256色以上あるためActファイルに書き出せません";

struct TNamedColor {
  std::string Name;
  std::string Hex;  // at most 6 characters
  friend bool operator==(const TNamedColor&, const TNamedColor&) = default;
};

struct THTMLTableOptions {
  std::string Title;  // no <title> line when empty
  std::string SampleText;
  TColor SampleBackColor = clWhite;
  std::string FileName;
};

// The name an export's save dialog proposes: the last chosen file name with
// the export's extension ("/x/page.html", "act" -> "/x/page.act"); empty
// when no name was chosen yet.
std::string ProposedExportName(const std::string& last, std::string_view ext);

// One group: rows "hex,name" in the user's order; equal rows are allowed.
class TNamedColorList {
 public:
  int Add(const std::string& hex, const std::string& name);  // -> index
  void AddRow(const std::string& row);                       // raw row, as read from a file
  void Insert(int index, const TNamedColor& color);          // 0..Count()
  void Put(int index, const TNamedColor& color);
  void Delete(int index);
  void Move(int from, int to);
  void Clear() { rows_.clear(); }
  void Assign(const TNamedColorList& other) { rows_ = other.rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  const std::string& Row(int index) const;
  const std::vector<std::string>& Rows() const { return rows_; }

  // Splits the row at its first comma; raises EFavoritesError without one.
  TNamedColor GetColor(int index) const;

  // 0 name (CP932 bytes), 1 whole row (case-insensitive, locale collation),
  // 2 HLS saturation descending, 3 HLS lightness descending. A row that has no
  // colour where the kind needs one raises before anything moves.
  void Sort(int kind);

  // Group file: rows split at CR LF, CR or LF; a final line break adds no row.
  // False (and the list unchanged) when the file cannot be read.
  bool LoadFromFile(const std::string& path);
  void LoadFromText(std::string_view decodedText);
  // The bytes of a group file read into the list, remembering their encoding.
  void LoadFromBytes(std::string_view bytes);
  // How the group's file was read (CP932 for a group made in memory).
  const TTextFileForm& Form() const { return form_; }
  // CR LF, atomic, in the encoding the file was read in (CP932, or UTF-8 with
  // a BOM when CP932 cannot hold a name). A file read with undecodable bytes
  // is first kept as "<file>.bak"; returns that path ("" when none was made).
  // Throws EFileWriteError.
  std::string SaveToFile(const std::string& path);
  std::string FileBytes() const;

  // HTML table page (CP932, CR LF, no BOM) and Adobe Color Table.
  void SaveToHTML(const THTMLTableOptions& options) const;
  std::string HTMLText(const THTMLTableOptions& options) const;  // UTF-8 lines, CR LF
  void SaveToACT(const std::string& path) const;
  std::string ACTBytes() const;

 private:
  void CheckIndex(int index, int limit) const;
  std::vector<std::string> rows_;
  TTextFileForm form_;
};

// The store: group names (unique without regard to letter case) and their
// groups. Refusals are shown through Dialogs() of the desktop seam.
class TFavorites {
 public:
  TFavorites() = default;
  TFavorites(const TFavorites&) = delete;
  TFavorites& operator=(const TFavorites&) = delete;

  // -> index, or -1 (warning shown) when the name is taken or too long.
  int AddGroup(const std::string& name);
  bool GroupExists(const std::string& name) const;
  void DeleteGroup(int index);
  void Clear();
  TNamedColorList& Group(int index);
  const TNamedColorList& Group(int index) const;
  int Count() const { return static_cast<int>(groups_.size()); }
  const std::string& GroupName(int index) const;
  // Refused with a warning when the name is taken or too long.
  void RenameGroup(int index, const std::string& name);
  std::string UniqueGroupName(const std::string& base) const;
  int IndexOfGroup(const std::string& name) const;  // -1 when absent

  // Loads every "*.tintorb" file of the directory in file-name order. A file
  // whose group name is already taken (names differing only in letter case,
  // or spelled another way: CP932 bytes, "%25") or that cannot be read is
  // skipped, left alone and reported once.
  bool LoadFromDir(const std::string& dir);
  // Writes atomically every group whose file would change; then removes the
  // files this store loaded (or wrote) in that directory that no group owns
  // any more, i.e. those of deleted or renamed groups. A file the store did
  // not load or write is never written over: a group whose name such a file
  // holds stays in the file it came from, or a new one takes the next free
  // name (base1, base2 ...). Failures are reported; returns false then and
  // removes nothing. With `failures`, the error texts go there instead.
  bool SaveToDir(const std::string& dir, std::vector<std::string>* failures = nullptr);

  // Keys of the old settings layout that the store took over; they leave the
  // settings only once the groups are on disk (CompleteIniMigration).
  void SetMovedIniKeys(std::vector<std::string> keys) { movedIniKeys_ = std::move(keys); }
  bool IniMigrationPending() const { return !movedIniKeys_.empty(); }
  std::vector<std::string> TakeMovedIniKeys() { return std::exchange(movedIniKeys_, {}); }

  // The file name of a group: the name with "%", "/" and NUL escaped where
  // needed so that it stays one file inside the directory.
  static std::string GroupFileName(const std::string& groupName);
  // Whether the group's file name fits in the 255 bytes a file name may have;
  // when it does not, shows kMsgGroupNameTooLong.
  static bool CheckGroupName(const std::string& groupName);
  // The group name of a file name (without directory), or "" when the file is
  // not a group file; `ok` tells the two apart.
  static std::string GroupNameOfFile(const std::string& fileName, bool* ok = nullptr);

 private:
  // Where a group's file is and the bytes it holds, as loaded or last written.
  struct TGroupFile {
    std::string path;  // empty for a group made in memory
    std::optional<std::string> bytes;
  };
  bool NameTaken(const std::string& name) const;
  bool MayWrite(const std::string& path, const TGroupFile& file, const std::string& bytes) const;
  std::string TargetFile(size_t index, const std::string& dir, const std::string& bytes);
  void SetName(size_t index, const std::string& name);

  std::vector<std::string> names_;
  std::vector<std::unique_ptr<TNamedColorList>> groups_;
  std::vector<TGroupFile> files_;           // parallel to groups_
  std::unordered_set<std::string> folded_;  // names_ without letter case
  std::vector<std::string> movedIniKeys_;
  std::set<std::string> ownedFiles_;     // absolute paths loaded or written this run
  std::set<std::string> reservedNames_;  // folded names of files skipped at loading
};

// The input box for a group name, shown again with the typed text after the
// warning of CheckGroupName until the name fits or the user cancels (false).
bool InputGroupName(const std::string& caption, const std::string& prompt, std::string& name);

// Old layout: "*.fav" group files. Asks through Dialogs() whether to rename
// them to "*.tintorb"; true when the user said Yes.
bool MigrateFavFiles(const std::string& dir);
// Finishes, without asking again, a MigrateFavFiles that was killed halfway;
// true when there was one.
bool FinishFavMigration(const std::string& dir);
std::string FavMigrationQuestion(int count);

// The eight built-in groups (390 rows), added in their fixed order.
void CreateBuiltInGroups(TFavorites& favorites);

// Oldest layout: groups as keys of the settings section Favorite. Moves them
// into the store and writes their group files to `dir`; only once those are
// on disk do the keys leave the settings file, written at once. When a group
// file cannot be written the user is told, the keys stay and false is
// returned; a later successful SaveToDir completes the move.
bool MigrateIniFavorites(TFavorites& favorites, TIniFile& ini, const std::string& dir);
// After a successful SaveToDir: deletes the old layout's keys that the store
// took over from the settings copy (memory only). False when none were left.
bool CompleteIniMigration(TFavorites& favorites, TIniFile& ini);
inline constexpr const char* kMsgOldFavoritesKept =
    "古い形式のお気に入りをグループファイルに書き出せなかったため、設定ファイルにそのまま残してあり"
    "ます。";

enum class TFavoritesSource { IniMigrated, GroupFiles, FavMigrated, BuiltIn };

// Start-up filling of the (empty) store from `dir`, the program's directory.
// IniMigrated and BuiltIn leave groups that exist only in memory until the
// next SaveToDir.
TFavoritesSource LoadFavorites(TFavorites& favorites, TIniFile& ini, const std::string& dir);

}  // namespace tintorb

// The recent-copies list: most recent first, letter case ignored when matching,
// kept in a section of the settings file as Count and H0 ... H(Count-1).
#pragma once

#include <string>
#include <vector>

namespace tintorb {

class THistoryList {
 public:
  static constexpr int MaxCount = 32;

  // An entry equal apart from letter case moves to the top keeping its old
  // spelling; a new one goes to the top and the oldest fall off past MaxCount.
  // Empty text is ignored.
  void Add(const std::string& text);
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  const std::vector<std::string>& Strings() const { return items_; }

  // Replaces the list from a fresh read of the file; a missing H key reads as "BUG".
  void LoadHistory(const std::string& iniPath, const std::string& section);
  // Re-reads the file (keeping whatever was written to it meanwhile), sets
  // Count and H0.. and writes it. Throws EFileWriteError.
  void SaveHistory(const std::string& iniPath, const std::string& section) const;

 private:
  std::vector<std::string> items_;
};

}  // namespace tintorb

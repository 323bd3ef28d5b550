#include "app/HistoryList.h"

#include <algorithm>
#include <climits>

#include "app/IniFile.h"
#include "core/TextCase.h"

namespace tintorb {

namespace {

// The index of a key "H<n>" as HistoryKey would spell it, else -1.
int HistoryIndex(const std::string& key) {
  if (key.size() < 2 || key.size() > 11 || (key[0] != 'H' && key[0] != 'h')) return -1;
  if (key[1] == '0' && key.size() > 2) return -1;
  long long n = 0;
  for (size_t i = 1; i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9') return -1;
    n = n * 10 + (key[i] - '0');
  }
  return n > INT_MAX ? -1 : static_cast<int>(n);
}

std::string HistoryKey(int i) {
  return "H" + std::to_string(i);
}

}  // namespace

void THistoryList::Add(const std::string& text) {
  if (text.empty()) return;
  const auto it =
      std::find_if(items_.begin(), items_.end(), [&](const auto& s) { return SameText(s, text); });
  if (it != items_.end()) {
    std::rotate(items_.begin(), it, it + 1);
    return;
  }
  items_.insert(items_.begin(), text);
  if (items_.size() > size_t(MaxCount)) items_.resize(MaxCount);
}

void THistoryList::LoadHistory(const std::string& iniPath, const std::string& section) {
  Clear();
  const TIniFile ini(iniPath);
  int n = ini.ReadInteger(section, "Count", 0);
  // Beyond the highest H key every add is "BUG", and repeated adds of one text
  // collapse into one, so a huge Count needs only one of them.
  int top = -1;
  for (const auto& key : ini.ReadSection(section)) top = std::max(top, HistoryIndex(key));
  if (top < INT_MAX - 1) n = std::min(n, top + 2);
  for (int i = n - 1; i >= 0; --i) Add(ini.ReadString(section, HistoryKey(i), "BUG"));
}

void THistoryList::SaveHistory(const std::string& iniPath, const std::string& section) const {
  TIniFile ini(iniPath);
  ini.WriteInteger(section, "Count", Count());
  for (int i = 0; i < Count(); ++i) ini.WriteString(section, HistoryKey(i), items_[size_t(i)]);
  ini.UpdateFile();
}

}  // namespace tintorb

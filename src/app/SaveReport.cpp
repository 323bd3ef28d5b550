#include "app/SaveReport.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>

namespace tintorb {

namespace {

constexpr unsigned long long kFullBelow = 1024 * 1024;
constexpr size_t kListedErrors = 10;

}  // namespace

TFolderState ProbeFolder(const std::string& dir) {
  struct statvfs st {};
  const bool known = ::statvfs(dir.c_str(), &st) == 0;
  if ((known && (st.f_flag & ST_RDONLY)) || ::access(dir.c_str(), W_OK) != 0)
    return TFolderState::ReadOnly;
  if (known && static_cast<unsigned long long>(st.f_bavail) * st.f_frsize < kFullBelow)
    return TFolderState::Full;
  return TFolderState::Writable;
}

std::string ReadOnlyAtStartMessage(const std::string& dir) {
  return "フォルダ「" + dir +
         "」は書き込みが禁止されています。\n設定とお気に入りの変更は終了するときに保存できません。";
}

std::string FolderBusyMessage(const std::string& dir) {
  return "フォルダ「" + dir +
         "」は別の Tintorb か tintorb-cli "
         "が使用中です。\nしばらくしてからもう一度起動してください。";
}

void TSaveReport::Failed(const std::string& error) {
  // The settings file is written twice at exit (settings, then recent copies).
  if (std::find(errors_.begin(), errors_.end(), error) == errors_.end()) errors_.push_back(error);
}

void TSaveReport::Failed(const std::vector<std::string>& errors) {
  for (const auto& e : errors) Failed(e);
}

std::string TSaveReport::Message(TFolderState state, bool readOnlyToldAtStart) const {
  if (errors_.empty()) return {};
  if (state == TFolderState::ReadOnly && readOnlyToldAtStart) return {};
  std::string text = "フォルダ「" + dir_ + "」";
  switch (state) {
    case TFolderState::ReadOnly:
      text += "は書き込みが禁止されているため、";
      break;
    case TFolderState::Full:
      text += "のディスクがいっぱいのため、";
      break;
    case TFolderState::Writable:
      text += "に";
      break;
  }
  text += "設定とお気に入りを保存できませんでした。\n元のファイルはそのまま残っています。\n";
  for (size_t i = 0; i < errors_.size() && i < kListedErrors; ++i) text += "\n" + errors_[i];
  if (errors_.size() > kListedErrors)
    text += "\nほか " + std::to_string(errors_.size() - kListedErrors) + " 件";
  return text;
}

}  // namespace tintorb

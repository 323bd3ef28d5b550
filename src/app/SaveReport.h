// The end-of-run writes (settings, group files, recent copies) fail together
// when the program directory is read-only or its disk is full: the user is
// told once, naming the directory.
#pragma once

#include <string>
#include <vector>

namespace tintorb {

enum class TFolderState { Writable, ReadOnly, Full };

// What the directory allows now: read-only (mount or permissions), full (under
// 1 MiB left for us) or writable.
TFolderState ProbeFolder(const std::string& dir);

// Said at start-up when the directory is read-only.
std::string ReadOnlyAtStartMessage(const std::string& dir);
// Said when another start holds the directory's lock and does not answer.
std::string FolderBusyMessage(const std::string& dir);

class TSaveReport {
 public:
  explicit TSaveReport(std::string dir) : dir_(std::move(dir)) {}
  // Each error text is kept once.
  void Failed(const std::string& error);
  void Failed(const std::vector<std::string>& errors);
  bool Empty() const { return errors_.empty(); }
  // The one message for the user; "" when nothing failed, or when the failure
  // is the read-only directory the user was already told about at start-up.
  std::string Message(TFolderState state, bool readOnlyToldAtStart) const;

 private:
  std::string dir_;
  std::vector<std::string> errors_;
};

}  // namespace tintorb

// The one-flag re-entry lock of the numeric sheets: a handler that finds the
// flag taken returns at once, so the notifications caused by the sheet's own
// updates are ignored.
#pragma once

namespace tintorb {

class TUpdateLock {
 public:
  enum Mode { kTry, kForce };
  // kTry takes the flag only when it is free; kForce takes it in any case and
  // puts back what it found.
  explicit TUpdateLock(bool& flag, Mode mode = kTry) : flag_(flag), previous_(flag) {
    owns_ = mode == kForce || !flag;
    if (owns_) flag_ = true;
  }
  ~TUpdateLock() {
    if (owns_) flag_ = previous_;
  }
  TUpdateLock(const TUpdateLock&) = delete;
  TUpdateLock& operator=(const TUpdateLock&) = delete;

  explicit operator bool() const { return owns_; }

 private:
  bool& flag_;
  bool previous_;
  bool owns_;
};

}  // namespace tintorb

// `tintorb --pick` in the running program: the pick window for the current
// colour; the colour taken becomes the current colour (undoable) and its text
// goes to the clipboard, the recent copies, a desktop notification and the
// waiting process.
#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "app/CommandLine.h"
#include "app/ui/SingleInstance.h"

namespace tintorb {

class TForm1;
struct TDesktopFrame;

// Set by `tintorb --pick` for the program it starts.
inline constexpr const char* kStartedToPickVariable = "TINTORB_STARTED_TO_PICK";
// In a program started to pick on X11: the desktop grabbed now, before the
// main window covers part of it, as the frame of the first pick (later ones
// grab afresh). Empty otherwise.
std::function<TDesktopFrame()> GrabAtStart();

class TPickCommand : public QObject {
  Q_OBJECT
 public:
  explicit TPickCommand(TForm1& form);

  // `form` names what to copy (PickFormFromName). `reply` gets one line:
  // "taken TEXT", "none" (nothing copied) or "busy" (a pick is under way).
  void Request(const QString& form, TSingleInstance::TReply reply);

  // Summary of the notification after a copy.
  static const char* const kCopiedSummary;
  // Its body when the name form finds no keyword.
  static const char* const kNoNameBody;

 private:
  void Taken(TPickForm form, std::optional<TColor> color);

  TForm1& FForm;
  TSingleInstance::TReply FReply;
};

}  // namespace tintorb

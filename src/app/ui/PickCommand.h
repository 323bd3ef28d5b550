// `tintorb --pick` in the running program: the pick window for the current
// colour; the colour taken becomes the current colour (undoable) and its text
// goes to the clipboard, the recent copies, a desktop notification and the
// waiting process.
#pragma once

#include <QObject>
#include <optional>

#include "app/CommandLine.h"
#include "app/ui/SingleInstance.h"

namespace tintorb {

class TForm1;

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

// The program's main block and its top-level error handler.
#pragma once

#include <QApplication>

namespace tintorb {

// Every exception that escapes an event handler ends that handler only: its
// message is shown in an error box and the program carries on.
class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  // Qt's own texts in Japanese, the catalogue opened when the first dialog
  // is polished or the first context menu asked for, not at start-up.
  void TranslateQtWhenNeeded() { translateLater_ = true; }

 private:
  bool translateLater_ = false;
};

// Qt's own texts (standard dialogs, context menus) in Japanese; false when
// the translations are not installed.
bool InstallQtTranslations(QApplication& app);

// Start-up, message loop, teardown. Returns the exit status.
int RunTintorb(TApplication& app);

}  // namespace tintorb

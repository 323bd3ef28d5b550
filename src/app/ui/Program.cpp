#include "app/ui/Program.h"

#include <time.h>

#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "app/ui/CanvasLink.h"
#include "app/ui/MainForm.h"
#include "app/ui/Sheets.h"
#include "platform/Desktop.h"
#include "platform/ui/QtDesktop.h"

namespace tintorb {

namespace {

// TINTORB_TRACE_STARTUP=1 prints the wall-clock time of the first paint of
// the main window, for the start-up measurement.
class TFirstPaintProbe : public QObject {
 public:
  explicit TFirstPaintProbe(QWidget* window) : QObject(window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // Report after the paint has been handled.
      QMetaObject::invokeMethod(
          this,
          [] {
            timespec ts{};
            clock_gettime(CLOCK_REALTIME, &ts);
            std::fprintf(stderr, "tintorb: first-paint %lld.%09ld\n", (long long)ts.tv_sec,
                         ts.tv_nsec);
          },
          Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    Dialogs().Error(e.what());
  } catch (...) {
    Dialogs().Error("予期しないエラーが発生しました");
  }
  return false;
}

int RunTintorb(TApplication& app) {
  app.setApplicationName("Tintorb");
  app.setQuitOnLastWindowClosed(false);
  InstallQtDesktop();
  QFont ui(QStringLiteral("MS UI Gothic"));
  ui.setPixelSize(12);
  QApplication::setFont(ui);

  int status = 0;
  {
    auto form = std::make_unique<TForm1>();
    form->SetCanvas(CreateCanvasWindow(*form));
    form->BuildSheets(CreateSheets(*form));
    RandomizeFromClock();
    QObject::connect(form.get(), &TForm1::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (std::getenv("TINTORB_TRACE_STARTUP")) new TFirstPaintProbe(form.get());
    form->ShowWithPlacement();
    status = app.exec();
  }  // teardown: sheets, canvas, settings file, favourites, history
  return status;
}

}  // namespace tintorb

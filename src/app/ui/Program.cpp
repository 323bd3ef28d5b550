#include "app/ui/Program.h"

#include <signal.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <QDialog>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/ProgramFiles.h"
#include "app/SaveReport.h"
#include "app/ui/AppStyle.h"
#include "app/ui/CanvasLink.h"
#include "app/ui/Icons.h"
#include "app/ui/MainForm.h"
#include "app/ui/PickCommand.h"
#include "app/ui/PickController.h"
#include "app/ui/Sheets.h"
#include "app/ui/SingleInstance.h"
#include "core/FolderLock.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"
#include "platform/ui/QtConvert.h"
#include "platform/ui/QtDesktop.h"

namespace tintorb {

namespace {

bool g_trace = false;

// TINTORB_TRACE_STARTUP=1 prints the wall-clock time of each start-up step and
// of the first paint of the main window, for the start-up measurement.
void Trace(const char* step) {
  if (!g_trace) return;
  timespec ts{}, cpu{};
  clock_gettime(CLOCK_REALTIME, &ts);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  // Wall clock (to compare with the launch time), then the CPU time used so far.
  std::fprintf(stderr, "tintorb: %s %lld.%09ld cpu %.4f\n", step, (long long)ts.tv_sec, ts.tv_nsec,
               cpu.tv_sec + cpu.tv_nsec / 1e9);
}

// Runs `then` once, after the window's first paint has been handled: work the
// first picture does not need waits until the user sees the window.
class TAfterFirstPaint : public QObject {
 public:
  TAfterFirstPaint(QWidget* window, std::function<void()> then)
      : QObject(window), then_(std::move(then)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QMetaObject::invokeMethod(
          this,
          [this] {
            then_();
            deleteLater();
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

// SIGTERM, SIGINT and SIGHUP (end of session, Ctrl+C in a terminal) close the
// main window the ordinary way, so the settings and favourites are written.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char b = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &b, 1);
}

void CloseOnSignals(QWidget* window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window, notifier] {
    char b = 0;
    [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &b, 1);
    notifier->setEnabled(false);
    window->close();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  if (translateLater_ && (event->type() == QEvent::ContextMenu ||
                          (event->type() == QEvent::Polish && qobject_cast<QDialog*>(receiver)))) {
    translateLater_ = false;
    // What exists already is told at once, so the dialog is sized in Japanese.
    InstallQtTranslations(*this);
    sendPostedEvents(nullptr, QEvent::LanguageChange);
  }
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    Dialogs().Error(e.what());
  } catch (...) {
    Dialogs().Error("予期しないエラーが発生しました");
  }
  return false;
}

bool InstallQtTranslations(QApplication& app) {
  auto* qtTexts = new QTranslator(&app);
  if (!qtTexts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qtTexts;
    return false;
  }
  return QApplication::installTranslator(qtTexts);
}

int RunTintorb(TApplication& app) {
  g_trace = std::getenv("TINTORB_TRACE_STARTUP") != nullptr;
  Trace("application");
  app.setApplicationName("Tintorb");
  // Wayland app id and desktop file name: the task switcher finds the entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(TINTORB_APP_ID));
  app.setQuitOnLastWindowClosed(false);
  InstallQtDesktop();
  app.TranslateQtWhenNeeded();
  QFont ui(DrawnFamily(QStringLiteral("MS UI Gothic")));
  ui.setPixelSize(12);
  QApplication::setFont(ui);
  QApplication::setStyle(CreateAppStyle());

  // Held until the last file of the run has been written.
  TSingleInstance instance(QString::fromStdString(ProgramDir()));
  switch (instance.Acquire()) {
    case TSingleInstance::TStart::AnotherRunning:
      return 0;
    case TSingleInstance::TStart::Busy:
      Dialogs().Error(FolderBusyMessage(ProgramDir()));
      return 1;
    case TSingleInstance::TStart::First:
      break;
  }
  auto grabAtStart = GrabAtStart();  // before any window of ours shows
  // Running without the lock is said, never done silently.
  const bool unlocked = !instance.Locked();
  const bool readOnly = ProbeFolder(ProgramDir()) == TFolderState::ReadOnly;
  if (!readOnly) RemoveProgramTemporaries(ProgramDir());

  int status = 0;
  {
    auto form = std::make_unique<TForm1>();
    instance.SetWindow(form.get());
    if (grabAtStart) form->Pick()->SetGrab(std::move(grabAtStart));
    auto* pick = new TPickCommand(*form);
    instance.SetPickHandler([pick](const QString& f, auto reply) {
      Trace("pick-request");
      pick->Request(f, reply);
    });
    if (g_trace)
      QObject::connect(form->Pick(), &TPickController::PickWindowShown,
                       [] { Trace("pick-shown"); });
    Trace("main-window");
    form->SetCanvas(CreateCanvasWindow(*form));
    Trace("canvas");
    auto pages = SheetPages();
    Trace("sheet-pages");
    form->BuildSheetPages(std::move(pages));  // makes the active sheet only
    Trace("build-sheets");
    RandomizeFromClock();
    QObject::connect(form.get(), &TForm1::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // The window manager takes the icon a moment later; decoding it is not
    // worth delaying the first picture for.
    new TAfterFirstPaint(form.get(), [w = form.get()] { w->setWindowIcon(AppIcon()); });
    // Filters run newest first: the paint is reported before the icon is made.
    if (g_trace) new TAfterFirstPaint(form.get(), [] { Trace("first-paint"); });
    CloseOnSignals(form.get());
    form->ShowWithPlacement();
    if (unlocked) {
      QTimer::singleShot(0, form.get(), [err = instance.LockError()] {
        Dialogs().Warning(FolderLockFailureText(ProgramDir(), err) +
                          "\n同じフォルダで動く他の Tintorb や tintorb-cli "
                          "と書き込みがぶつかるおそれがあります。");
      });
    }
    if (readOnly) {
      form->FolderReadOnlyTold();
      QTimer::singleShot(0, form.get(),
                         [] { Dialogs().Warning(ReadOnlyAtStartMessage(ProgramDir())); });
    }
    status = app.exec();
  }  // teardown: sheets, canvas, settings file, favourites, history
  return status;
}

}  // namespace tintorb

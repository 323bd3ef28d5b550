// The floor for bench/startup.sh: a bare Qt main window with a menu bar, no
// program behind it. It reports its first paint the way tintorb does under
// TINTORB_TRACE_STARTUP, so both are measured by the same script.
#include <time.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMetaObject>
#include <cstdio>

namespace {

class TPaintProbe : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QMetaObject::invokeMethod(
          this,
          [] {
            timespec ts{}, cpu{};
            clock_gettime(CLOCK_REALTIME, &ts);
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::fprintf(stderr, "tintorb: first-paint %lld.%09ld cpu %.4f\n", (long long)ts.tv_sec,
                         ts.tv_nsec, cpu.tv_sec + cpu.tv_nsec / 1e9);
          },
          Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  for (const char* title : {"File", "Edit", "Tags", "CSS", "Program", "Settings"})
    window.menuBar()->addMenu(title)->addAction("Item");
  window.resize(500, 430);
  TPaintProbe probe;
  window.installEventFilter(&probe);
  window.show();
  return app.exec();
}

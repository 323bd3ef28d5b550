// The floor for bench/startup.sh: a bare Qt main window with a menu bar, no
// program behind it. It reports its first paint the way tintorb does under
// TINTORB_TRACE_STARTUP, so both are measured by the same script.
#include <time.h>

#include <QApplication>
#include <QFont>
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

// With the argument "ja" the menu bar reads in Japanese in the program's UI
// font, so the floor includes opening a Japanese face as the program must.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool japanese = argc > 1 && QByteArray(argv[1]) == "ja";
  if (japanese) {
    QFont ui(QStringLiteral("MS UI Gothic"));
    ui.setPixelSize(12);
    QApplication::setFont(ui);
  }
  QMainWindow window;
  const char* const titles[2][6] = {
      {"File", "Edit", "Tags", "CSS", "Program", "Settings"},
      {"ファイル(&F)", "編集(&E)", "タグ(&T)", "CSS(&S)", "プログラミング(&P)", "設定(&C)"}};
  for (const char* title : titles[japanese])
    window.menuBar()->addMenu(QString::fromUtf8(title))->addAction("Item");
  window.resize(500, 430);
  TPaintProbe probe;
  window.installEventFilter(&probe);
  window.show();
  return app.exec();
}

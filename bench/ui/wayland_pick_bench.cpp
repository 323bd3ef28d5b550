// The screen pick in a Wayland session: from Esc to the pick window's first
// paint (the portal's screenshot, loading it, mapping the window), and the
// cost of one arrow or pointer step in the open window. Needs the session of
// bench/wayland_pick.sh.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>

#include "app/ui/MainForm.h"
#include "app/ui/PickController.h"
#include "app/ui/PickWindow.h"
#include "app/ui/Program.h"
#include "app/ui/Sheets.h"
#include "core/ProgramDir.h"
#include "platform/ui/PortalClient.h"
#include "platform/ui/QtDesktop.h"

namespace {

tintorb::TForm1* g_form = nullptr;

// Runs the event loop until done() holds, checking every millisecond.
template <class Done>
bool Spin(Done done, int ms = 10000) {
  if (done()) return true;
  QEventLoop loop;
  QTimer poll, limit;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(1);
  limit.start(ms);
  loop.exec();
  return done();
}

tintorb::TPickWindow* OpenPick() {
  bool shown = false;
  auto c = QObject::connect(g_form->Pick(), &tintorb::TPickController::PickWindowShown,
                            [&] { shown = true; });
  auto f = QObject::connect(g_form->Pick()->Portal(), &tintorb::TPortalClient::Finished,
                            [](const tintorb::TPortalReply& r) {
                              if (r.status != tintorb::TPortalStatus::Ok)
                                fprintf(stderr, "portal: %d %s\n", int(r.status),
                                        r.detail.toLocal8Bit().constData());
                            });
  g_form->actESCPick->trigger();
  const bool ok = Spin([&] { return shown; });
  QObject::disconnect(c);
  QObject::disconnect(f);
  if (!ok) {
    return nullptr;
  }
  return g_form->Pick()->Session()->Windows().front();
}

// A person looks before pressing Esc; a window closed within milliseconds of
// being mapped leaves sway without a frame for the next one.
void ClosePick(tintorb::TPickWindow* w) {
  Spin([] { return false; }, 300);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &esc);
  Spin([] { return g_form->Pick()->Session() == nullptr; });
  Spin([] { return g_form->isActiveWindow(); }, 1000);
  Spin([] { return false; }, 200);
}

void BM_EscToPickWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    tintorb::TPickWindow* w = OpenPick();
    const double s = t.nsecsElapsed() / 1e9;
    if (!w) {
      state.SkipWithError("no pick window");
      return;
    }
    state.SetIterationTime(s);
    ClosePick(w);
  }
}
BENCHMARK(BM_EscToPickWindowShown)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// One step: the event, then whatever it leaves for the event loop (the
// repaint of the cross and loupe, the main window's displays).
void Step(benchmark::State& state, bool pointer) {
  tintorb::TPickWindow* w = OpenPick();
  if (!w) {
    state.SkipWithError("no pick window");
    return;
  }
  int i = 0;
  for (auto _ : state) {
    ++i;
    if (pointer) {
      const QPointF at(600 + (i & 15), 400 + (i & 1));
      QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
      QCoreApplication::sendEvent(w, &move);
    } else {
      QKeyEvent key(QEvent::KeyPress, (i & 1) ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
      QCoreApplication::sendEvent(w, &key);
    }
    w->repaint(w->MarkRect(g_form->Pick()->Session()->Cross(), 0));
    QCoreApplication::processEvents();
  }
  ClosePick(w);
}

void BM_ArrowStep(benchmark::State& state) {
  Step(state, false);
}
BENCHMARK(BM_ArrowStep)->Unit(benchmark::kMicrosecond);

void BM_PointerStep(benchmark::State& state) {
  Step(state, true);
}
BENCHMARK(BM_PointerStep)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  tintorb::TApplication app(argc, argv);
  tintorb::InstallQtDesktop();
  QTemporaryDir home;
  setenv("TINTORB_HOME", QDir::toNativeSeparators(home.path()).toLocal8Bit().constData(), 1);
  tintorb::TForm1 form;
  g_form = &form;
  form.BuildSheets(tintorb::CreateSheets(form));
  form.ActivateSheet(form.Sheets().size() - 1);  // RGB/CMYK: sliders follow every change
  form.show();
  if (!Spin([&] { return form.isActiveWindow(); })) return 2;
  if (!form.Pick()->Portal()) {
    fprintf(stderr, "not a Wayland session: run bench/wayland_pick.sh\n");
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

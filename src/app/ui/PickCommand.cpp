#include "app/ui/PickCommand.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "app/ui/MainForm.h"
#include "app/ui/PickController.h"
#include "platform/ui/Notifier.h"
#include "platform/ui/QtConvert.h"
#include "platform/ui/ScreenGrab.h"

namespace tintorb {

const char* const TPickCommand::kCopiedSummary = "コピーしました";
const char* const TPickCommand::kNoNameBody = "この色には CSS の色名がありません";

std::function<TDesktopFrame()> GrabAtStart() {
  if (!std::getenv(kStartedToPickVariable)) return {};
  unsetenv(kStartedToPickVariable);  // not for the programs this one starts
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return {};
  auto first = std::make_shared<std::optional<TDesktopFrame>>(GrabDesktop());
  QElapsedTimer taken;
  taken.start();
  return [first, taken] {
    // Stale when the request never came with the start.
    if (!*first || taken.hasExpired(10000)) return GrabDesktop();
    TDesktopFrame f = std::move(**first);
    first->reset();
    return f;
  };
}

TPickCommand::TPickCommand(TForm1& form) : QObject(&form), FForm(form) {}

void TPickCommand::Request(const QString& name, TSingleInstance::TReply reply) {
  const std::optional<TPickForm> form = PickFormFromName(ToStd(name));
  if (!form) return reply("none\n");
  if (FReply) return reply("busy\n");
  FReply = std::move(reply);
  if (!FForm.Pick()->PickFromScreen([this, f = *form](std::optional<TColor> c) { Taken(f, c); })) {
    const TSingleInstance::TReply busy = std::move(FReply);
    FReply = nullptr;
    busy("busy\n");
  }
}

void TPickCommand::Taken(TPickForm form, std::optional<TColor> color) {
  const TSingleInstance::TReply reply = std::move(FReply);
  FReply = nullptr;
  if (!color) return reply("none\n");
  FForm.SetForeColor(&FForm, *color);
  const TColor shown = FForm.GetForeColor();  // web-safe when the option is on
  const std::string text = PickText(form, shown, FForm.CopyOptions());
  if (text.empty()) {
    NotifyDesktop(ToQ("#" + ColorToHex(shown)), QString::fromUtf8(kNoNameBody), shown);
    return reply("none\n");
  }
  FForm.CopyText(ToQ(text));
  reply("taken " + QByteArray::fromStdString(text) + "\n");
  NotifyDesktop(QString::fromUtf8(kCopiedSummary), ToQ(text), shown);
}

}  // namespace tintorb

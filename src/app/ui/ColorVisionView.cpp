#include "app/ui/ColorVisionView.h"

#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

struct TShown {
  TCvdFilter filter;
  TCvdFilter none;
  int percent = 100;
  bool suspended = false;
  int generation = 0;
};

TShown& State() {
  static TShown shown;
  return shown;
}

}  // namespace

const TCvdFilter& ShownFilter() {
  const TShown& s = State();
  return s.suspended ? s.none : s.filter;
}

TCvdType ShownType() {
  return State().filter.Type();
}

int ShownPercent() {
  return State().percent;
}

void SetShownFilter(TCvdType type, int percent) {
  TShown& s = State();
  s.percent = percent;
  if (type != s.filter.Type() || percent / 100.0 != s.filter.Severity())
    s.filter = TCvdFilter(type, percent / 100.0);
  ++s.generation;
}

void SuspendShownFilter(bool suspended) {
  State().suspended = suspended;
  ++State().generation;
}

int ShownFilterGeneration() {
  return State().generation;
}

QColor ShownQColor(TColor c) {
  return ToQColor(ShownColor(c));
}

QString CvdTypeCaption(TCvdType type) {
  switch (type) {
    case TCvdType::Protan:
      return QString::fromUtf8("P型(1型)");
    case TCvdType::Deutan:
      return QString::fromUtf8("D型(2型)");
    case TCvdType::Tritan:
      return QString::fromUtf8("T型(3型)");
    case TCvdType::Achroma:
      return QString::fromUtf8("全色盲(グレー)");
    default:
      return QString::fromUtf8("なし");
  }
}

QString ShownFilterCaption() {
  const TCvdType t = ShownType();
  if (t == TCvdType::None) return {};
  QString text = QString::fromUtf8(" - 色覚シミュレーション ") + CvdTypeCaption(t);
  // The grey has no strength.
  if (t != TCvdType::Achroma) text += QString(" %1%").arg(ShownPercent());
  return text;
}

}  // namespace tintorb

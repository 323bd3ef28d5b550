#include "app/ui/ColorVisionDialogs.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

#include "app/ui/ColorVisionView.h"
#include "core/Contrast.h"
#include "core/CssColor.h"
#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

QString U(const char* s) {
  return QString::fromUtf8(s);
}

// The preview text in its colours, exactly as given (not through the
// window's own simulation).
class TSample : public QWidget {
 public:
  explicit TSample(QWidget* parent) : QWidget(parent) {}
  void Set(TColor fore, TColor back, const QString& text, const QFont& font) {
    fore_ = fore, back_ = back, text_ = text;
    setFont(font);
    const QFontMetrics fm(font);
    setMinimumSize(std::min(fm.horizontalAdvance(text) + 16, 640), fm.height() + 12);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(back_));
    p.setPen(ToQColor(fore_));
    p.drawText(rect().adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, text_);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }

 private:
  TColor fore_ = 0, back_ = 0xFFFFFF;
  QString text_;
};

constexpr TCvdType kCheckTypes[] = {TCvdType::None, TCvdType::Protan, TCvdType::Deutan,
                                    TCvdType::Tritan, TCvdType::Achroma};

QPixmap PairIcon(TColor a, TColor b) {
  QPixmap pm(32, 16);
  QPainter p(&pm);
  p.fillRect(0, 0, 16, 16, ToQColor(a));
  p.fillRect(16, 0, 16, 16, ToQColor(b));
  p.setPen(Qt::gray);
  p.drawRect(0, 0, 31, 15);
  return pm;
}

}  // namespace

TColorVisionCheck::TColorVisionCheck(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgColorVisionCheck");
  setWindowTitle(U("色覚チェック"));
  auto* grid = new QGridLayout(this);
  grid->setColumnStretch(1, 1);
  for (int i = 0; i < 5; ++i) {
    auto* caption = new QLabel(this);
    auto* sample = new TSample(this);
    auto* ratio = new QLabel(this);
    grid->addWidget(caption, i, 0);
    grid->addWidget(sample, i, 1);
    grid->addWidget(ratio, i, 2);
    FCaptions.push_back(caption);
    FSamples.push_back(sample);
    FRatios.push_back(ratio);
  }
}

void TColorVisionCheck::ShowPair(TColor fore, TColor back, const QString& text, const QFont& font,
                                 int percent) {
  FPanes.clear();
  for (size_t i = 0; i < std::size(kCheckTypes); ++i) {
    const TCvdType t = kCheckTypes[i];
    const TCvdFilter f(t, percent / 100.0);
    const TPane pane{t, f.Apply(fore), f.Apply(back), 0};
    FPanes.push_back(pane);
    FPanes.back().ratio = ContrastRatio(pane.fore, pane.back);
    QString caption = t == TCvdType::None ? U("通常") : CvdTypeCaption(t);
    if (t != TCvdType::None && t != TCvdType::Achroma) caption += QString(" %1%").arg(percent);
    FCaptions[i]->setText(caption);
    static_cast<TSample*>(FSamples[i])->Set(pane.fore, pane.back, text, font);
    FRatios[i]->setText("WCAG " + ToQ(ContrastReadout(pane.fore, pane.back)));
  }
}

QDialog* ShowConfusablePairs(QWidget* parent, const QString& what,
                             const std::vector<TColor>& colors, int percent) {
  auto* dlg = new QDialog(parent);
  dlg->setObjectName("dlgConfusablePairs");
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  dlg->setWindowTitle(U("色覚で見分けにくい組") + (what.isEmpty() ? "" : " - " + what));
  auto* layout = new QVBoxLayout(dlg);
  const std::vector<TConfusablePair> pairs = ConfusablePairs(colors, percent / 100.0);
  auto* head = new QLabel(dlg);
  head->setText(pairs.empty() ? U("見分けにくい組はありません。")
                              : U("%1 組あります（強さ %2%、CIEDE2000 の差が %3 未満）。")
                                    .arg(pairs.size())
                                    .arg(percent)
                                    .arg(kConfusableThreshold));
  layout->addWidget(head);
  auto* list = new QListWidget(dlg);
  list->setObjectName("lstPairs");
  list->setIconSize(QSize(32, 16));
  for (TCvdType t : {TCvdType::Protan, TCvdType::Deutan, TCvdType::Tritan}) {
    auto* title = new QListWidgetItem(CvdTypeCaption(t), list);
    QFont bold = list->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setFlags(Qt::ItemIsEnabled);
    int n = 0;
    for (const TConfusablePair& p : pairs) {
      if (p.type != t) continue;
      ++n;
      auto* item = new QListWidgetItem(QIcon(PairIcon(p.a, p.b)),
                                       QString("#%1 / #%2   %3 %4")
                                           .arg(ToQ(ColorToHex(p.a)), ToQ(ColorToHex(p.b)), U("差"),
                                                ToQ(FormatFixed(p.difference, 1))),
                                       list);
      item->setData(Qt::UserRole, int(t));
    }
    if (n == 0) new QListWidgetItem(U("    なし"), list);
  }
  layout->addWidget(list);
  dlg->resize(360, 320);
  dlg->show();
  return dlg;
}

}  // namespace tintorb

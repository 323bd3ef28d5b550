// The two colour-vision windows: 色覚チェック (the current pair as each kind
// of vision sees it) and 色覚で見分けにくい組 (confusable pairs of a list).
#pragma once

#include <QDialog>
#include <QFont>
#include <vector>

#include "core/ColorVision.h"

class QGridLayout;
class QLabel;

namespace tintorb {

class TColorVisionCheck : public QDialog {
  Q_OBJECT
 public:
  explicit TColorVisionCheck(QWidget* parent);

  // Normal, P, D and T at `percent` strength, and grey.
  void ShowPair(TColor fore, TColor back, const QString& text, const QFont& font, int percent);

  struct TPane {
    TCvdType type;
    TColor fore, back;  // as seen
    double ratio;       // WCAG 2 of the two
  };
  const std::vector<TPane>& Panes() const { return FPanes; }

 private:
  std::vector<TPane> FPanes;
  std::vector<QWidget*> FSamples;
  std::vector<QLabel*> FCaptions, FRatios;
};

// A list window of the confusable pairs of `colors` at `percent` strength,
// per type, or the word that there are none. Not modal; deletes itself.
QDialog* ShowConfusablePairs(QWidget* parent, const QString& what,
                             const std::vector<TColor>& colors, int percent);

}  // namespace tintorb

// A pair of arrow buttons stacked beside an input box; each click reports a
// step of +1 (up) or -1 (down). The sheets decide what a step means.
#pragma once

#include <QToolButton>
#include <QWidget>

namespace tintorb {

class TUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TUpDown(QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }
  QSize sizeHint() const override { return QSize(16, 22); }

 signals:
  void Click(TUpDown* sender, int step);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace tintorb

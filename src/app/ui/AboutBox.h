// The About box: icon, product name, version and the memory line.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tintorb {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* ProductName;
  QLabel* Version;
  QLabel* PhysMem;
  QPushButton* OKButton;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tintorb

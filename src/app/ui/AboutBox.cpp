#include "app/ui/AboutBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AboutText.h"
#include "app/ui/Icons.h"
#include "platform/Desktop.h"
#include "platform/ui/QtConvert.h"

namespace tintorb {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Tintorbのバージョン情報"));
  setFixedWidth(400);

  auto* icon = new QLabel(this);
  icon->setPixmap(AppIcon().pixmap(32, 32));
  ProductName = new QLabel(ToQ(kProductName), this);
  QFont big = ProductName->font();
  big.setBold(true);
  big.setPixelSize(16);
  ProductName->setFont(big);
  Version = new QLabel(ToQ(VersionText()), this);
  PhysMem = new QLabel(ToQ(MemoryLineText(Desktop().PhysicalMemoryAvailable())), this);
  OKButton = new QPushButton("OK", this);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(ProductName);
  texts->addWidget(Version);
  texts->addSpacing(8);
  texts->addWidget(PhysMem);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(texts, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(OKButton);
  bottom->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(bottom);
}

void TAboutBox::mousePressEvent(QMouseEvent* event) {
  OKButton->setFocus();
  QDialog::mousePressEvent(event);
}

}  // namespace tintorb

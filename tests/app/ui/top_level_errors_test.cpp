// An exception escaping an event handler ends that handler only: the program's
// application object shows it in an error box and keeps running.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <stdexcept>

#include "app/ui/Program.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::ScopedFakes;

TEST(TopLevelErrors, AThrowingHandlerShowsItsMessageAndTheProgramCarriesOn) {
  ASSERT_NE(dynamic_cast<TApplication*>(QCoreApplication::instance()), nullptr);
  ScopedFakes fakes;
  QPushButton button("x");
  button.resize(40, 20);
  button.show();
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] {
    ++clicks;
    if (clicks == 1) throw std::runtime_error("書き込めませんでした: /ro/out.html");
    if (clicks == 2) throw 42;  // not a std::exception
  });
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);  // still answers after both
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(fakes.dialogs.Of("Error"),
            (std::vector<std::string>{"書き込めませんでした: /ro/out.html",
                                      "予期しないエラーが発生しました"}));
}

// Qt's own buttons and dialogs speak Japanese: the catalogue, not opened at
// start-up, is in by the time the first dialog is shown.
TEST(QtTranslations, StandardButtonsAndDialogTextsInJapanese) {
  auto* app = qobject_cast<TApplication*>(QCoreApplication::instance());
  app->TranslateQtWhenNeeded();
  QDialog dialog;
  QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save, &dialog);
  dialog.show();
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("キャンセル"));
  EXPECT_NE(QCoreApplication::translate("QColorDialog", "&Basic colors"), "&Basic colors");
  for (QTranslator* t : app->findChildren<QTranslator*>()) {  // the other tests see Qt's own
    QCoreApplication::removeTranslator(t);
    delete t;
  }
}

}  // namespace
}  // namespace tintorb

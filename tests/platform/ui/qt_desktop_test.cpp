// The Qt side of the desktop seam, as far as it runs without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QPalette>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "platform/ui/FontColorDialog.h"
#include "platform/ui/QtConvert.h"
#include "platform/ui/QtDesktop.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

TEST(QtConvert, WindowsFiltersBecomeQtFilters) {
  EXPECT_EQ(
      WindowsFilterToQt("HTML ファイル (*.html)|*.html|すべてのファイル (*.*)|*.*").toStdString(),
      "HTML ファイル (*.html);;すべてのファイル (*.*)");
  EXPECT_EQ(WindowsFilterToQt("Pictures|*.png;*.bmp").toStdString(), "Pictures (*.png *.bmp)");
  EXPECT_TRUE(WindowsFilterToQt("").isEmpty());
  EXPECT_TRUE(WindowsFilterToQt("dangling").isEmpty());
}

TEST(QtConvert, CarriageReturnsBreakMessageLines) {
  EXPECT_EQ(MessageText("a\rb\r\nc\nd").toStdString(), "a\nb\nc\nd");
}

// A Windows face is drawn as its installed substitute, Latin text included;
// an installed face or an unknown name stays as it is.
TEST(QtConvert, DrawnFamilyIsTheInstalledSubstitute) {
  InstallFontSubstitutes();
  EXPECT_EQ(DrawnFamily("MS UI Gothic"), "IPAPGothic");
  EXPECT_EQ(DrawnFamily("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_EQ(DrawnFamily("IPAGothic"), "IPAGothic");
  EXPECT_EQ(DrawnFamily("No Such Face"), "No Such Face");
  EXPECT_EQ(DrawnFont({"MS UI Gothic", 24, 0, 1}).family(), "IPAPGothic");
}

TEST(QtConvert, FontSpecRoundTripsAtNinetySixDpi) {
  EXPECT_EQ(PointsToPixels(24), 32);
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PixelsToPoints(32), 24);
  const TFontSpec font{"MS UI Gothic", 24, RGB(1, 2, 3), 1 | 4 | 8};
  const QFont f = FontSpecToQFont(font);
  EXPECT_EQ(f.family().toStdString(), "MS UI Gothic");
  EXPECT_EQ(f.pixelSize(), 32);
  EXPECT_TRUE(f.bold());
  EXPECT_FALSE(f.italic());
  EXPECT_TRUE(f.underline());
  EXPECT_TRUE(f.strikeOut());
  EXPECT_EQ(QFontToFontSpec(f, font.color), font);
  QFont points("IPAGothic");
  points.setPointSize(11);
  EXPECT_EQ(QFontToFontSpec(points, 0).size, 11);
}

TEST(QtConvert, ColoursResolveSystemColoursFirst) {
  EXPECT_EQ(ToQColor(RGB(1, 2, 3)), QColor(1, 2, 3));
  EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGB(1, 2, 3));
  SetSysColorResolver(&PaletteSysColor);
  const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(ToQColor(clBtnFace), face);
  SetSysColorResolver(nullptr);
}

TEST(QtDesktop, SystemColoursFollowThePalette) {
  const QPalette pal = QGuiApplication::palette();
  EXPECT_EQ(PaletteSysColor(5), FromQColor(pal.color(QPalette::Active, QPalette::Base)));
  EXPECT_EQ(PaletteSysColor(13), FromQColor(pal.color(QPalette::Active, QPalette::Highlight)));
  EXPECT_EQ(PaletteSysColor(24), FromQColor(pal.color(QPalette::Active, QPalette::ToolTipBase)));
  EXPECT_EQ(PaletteSysColor(25), DefaultSysColor(25));
  EXPECT_EQ(PaletteSysColor(40), DefaultSysColor(40));
}

TEST(QtDesktop, ScreenRectReadsWhatIsOnTheScreen) {
  QWidget w;
  w.setWindowFlag(Qt::FramelessWindowHint);
  w.setAutoFillBackground(true);
  QPalette pal = w.palette();
  pal.setColor(QPalette::Window, QColor(12, 34, 56));
  w.setPalette(pal);
  w.setGeometry(50, 60, 40, 30);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTest::qWait(50);
  TQtDesktop d;
  const QPoint c = w.mapToGlobal(QPoint(20, 15));
  const auto px = d.ScreenRect(c.x() - 2, c.y() - 2, 5, 5);
  ASSERT_EQ(px.size(), 25u);
  for (TColor p : px) EXPECT_EQ(p, RGB(12, 34, 56));
  EXPECT_EQ(d.ScreenPixel(c.x(), c.y()), RGB(12, 34, 56));
  // Off every screen: black, and no failure.
  const auto off = d.ScreenRect(-100000, -100000, 3, 3);
  EXPECT_EQ(off, std::vector<TColor>(9, 0));
}

TEST(FontColorDialog, PresetAndChoice) {
  TFontColorDialog dlg(TFontSpec{"IPAGothic", 12, RGB(0xFF, 0, 0), 4});
  EXPECT_EQ(dlg.ColorBox()->currentText().toStdString(), "赤");
  const TFontSpec s = dlg.Selected();
  EXPECT_EQ(s.color, RGB(0xFF, 0, 0));
  EXPECT_EQ(s.size, 12);
  EXPECT_EQ(s.style & 4, 4);  // underline survives the face's style list
  // A colour that is not one of the sixteen is kept as its own entry.
  TFontColorDialog other(TFontSpec{"IPAGothic", 12, RGB(1, 2, 3), 0});
  EXPECT_EQ(other.Selected().color, RGB(1, 2, 3));
  other.ColorBox()->setCurrentIndex(0);
  EXPECT_EQ(other.Selected().color, 0);
}

// The stored preview face is a substitution name; the dialog shows the family
// that is really drawn, and OK without a change hands back what it was given.
TEST(FontColorDialog, PresetToTheFaceShownAndUnchangedOnOk) {
  InstallFontSubstitutes();
  for (const TFontSpec& preset :
       {TFontSpec{"MS UI Gothic", 24, 0, 0}, TFontSpec{"MS UI Gothic", 9, 0, 4},
        TFontSpec{"DejaVu Sans", 14, RGB(0, 0, 0xFF), 1}, TFontSpec{"No Such Face", 18, 0, 0}}) {
    TFontColorDialog dlg(preset);
    const QString shown = QFontInfo(FontSpecToQFont(preset)).family();
    EXPECT_EQ(dlg.FontPanel()->currentFont().family(), shown) << preset.name;
    EXPECT_EQ(dlg.Selected(), preset) << preset.name;
  }
}

// Esc and Return belong to the whole dialog, wherever the focus is inside it.
TEST(FontColorDialog, EscCancelsAndReturnAcceptsTheWholeDialog) {
  for (const auto& [key, result] : {std::pair{Qt::Key_Escape, int(QDialog::Rejected)},
                                    std::pair{Qt::Key_Return, int(QDialog::Accepted)},
                                    std::pair{Qt::Key_Enter, int(QDialog::Accepted)}}) {
    TFontColorDialog dlg(TFontSpec{"DejaVu Sans", 12, 0, 0});
    // The family list first, then the size box.
    for (QWidget* target :
         {static_cast<QWidget*>(dlg.FontPanel()->findChild<QListView*>()),
          static_cast<QWidget*>(dlg.FontPanel()->findChildren<QLineEdit*>().last())}) {
      ASSERT_NE(target, nullptr);
      dlg.setResult(-1);
      dlg.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
      target->setFocus();
      QTest::keyClick(target, key);
      EXPECT_FALSE(dlg.isVisible()) << key;
      EXPECT_TRUE(dlg.FontPanel()->isVisibleTo(&dlg)) << key;
      EXPECT_EQ(dlg.result(), result) << key;
    }
  }
}

// Generic aliases are not installed families; fontconfig's "dual" spacing (a
// Japanese face with half-width Latin letters) is fixed pitch.
TEST(QtDesktop, FontFamiliesAreRealFamiliesWithTheirPitch) {
  TQtDesktop d;
  const std::vector<TFontFamilyInfo> families = d.FontFamilies();
  std::map<std::string, TFontFamilyInfo> byName;
  for (const auto& f : families) byName[f.name] = f;
  for (const char* alias : {"Monospace", "Sans Serif", "Serif", "sans-serif", "monospace", "serif",
                            "Sans", "Mono", "system-ui"})
    EXPECT_EQ(byName.count(alias), 0u) << alias;
  struct Case {
    const char* family;
    bool fixed;
  };
  for (const Case& c : {Case{"IPAGothic", true}, Case{"IPAPGothic", false},
                        Case{"DejaVu Sans Mono", true}, Case{"DejaVu Sans", false}}) {
    ASSERT_EQ(byName.count(c.family), 1u) << c.family;
    EXPECT_EQ(byName[c.family].fixedPitch, c.fixed) << c.family;
  }
  EXPECT_TRUE(byName["IPAGothic"].japanese);
}

// The help page goes to xdg-open, which tells of a missing browser only by its
// exit status; that status, or a missing file, reaches the failure callback.
TEST(QtDesktop, HelpFailureIsReportedFromTheOpenersExitStatus) {
  testing::TempDir dir;
  const std::string page = dir / "help.html";
  std::ofstream(page) << "<html></html>";
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (dir.path() + ":" + oldPath).c_str(), 1);
  struct Case {
    int status;  // of the stand-in xdg-open
    std::string path;
    bool failed;
  };
  for (const Case& c :
       {Case{3, page, true}, Case{0, page, false}, Case{0, dir / "none.html", true}}) {
    const std::string opener = dir / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > \"" << dir / "opened"
                          << "\"\nexit " << c.status << "\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    std::filesystem::remove(dir / "opened");
    TQtDesktop d;
    auto failed = std::make_shared<bool>(false);  // may be set after this round
    d.OpenHelp(c.path, [failed] { *failed = true; });
    const bool ran =
        QTest::qWaitFor([&] { return *failed || std::filesystem::exists(dir / "opened"); }, 5000);
    QTest::qWait(200);  // the opener's end reaches the event loop
    EXPECT_TRUE(ran);
    EXPECT_EQ(*failed, c.failed) << c.status << " " << c.path;
  }
  setenv("PATH", oldPath.c_str(), 1);
}

}  // namespace
}  // namespace tintorb

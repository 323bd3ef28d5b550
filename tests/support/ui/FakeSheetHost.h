// A recording stand-in for the main window, for widget tests of single sheets.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/IniFile.h"
#include "app/ui/ColorSheet.h"

namespace tintorb::testing {

class FakeSheetHost : public TSheetHost {
 public:
  struct ColorCall {
    QObject* sender;
    TColor color;
  };
  std::vector<ColorCall> foreCalls, backCalls;
  QStringList copied;
  QStringList previewFonts;
  int favoritesChangedCalls = 0;
  TColor fore = 0, back = 0xFFFFFF;
  bool webSafe = false;
  bool sharp = true, quote = true, lower = false, colorTag = false;
  QString previewText = QString::fromUtf8("だってTintorbなんだもん！");
  TFavorites* favorites = nullptr;  // set by tests that need the store
  TIniGT settings;                  // in-memory only unless a test sets a file

  FakeSheetHost();

  void SetForeColor(QObject* sender, TColor color) override {
    foreCalls.push_back({sender, color});
    fore = color;
  }
  void SetBackColor(QObject* sender, TColor color) override {
    backCalls.push_back({sender, color});
    back = color;
  }
  TColor GetForeColor() const override { return webSafe ? WebSafeColor(fore) : fore; }
  TColor GetBackColor() const override { return back; }
  bool IsWebSafe() const override { return webSafe; }
  TIniGT& GetSettingsFile() override { return settings; }
  TFavorites& GetFavorites() override;
  void NotifyFavoritesChanged() override { ++favoritesChangedCalls; }
  void CopyText(const QString& text) override { copied << text; }
  QString ApplyCopyOptions(const QString& text, bool noSharp) const override;
  void SetPreviewFontName(const QString& face) override { previewFonts << face; }
  QString GetPreviewText() const override { return previewText; }
  bool CheckEditRange(int lo, int hi, QLineEdit* edit) override {
    return CheckEditRangeImpl(lo, hi, edit);
  }
};

}  // namespace tintorb::testing

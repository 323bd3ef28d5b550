// The contract between the main window and its colour sheets.
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/Color.h"

class QLineEdit;
class QWheelEvent;

namespace tintorb {

class TIniGT;
class TFavorites;

// What a sheet may ask of the window that hosts it. TForm1 implements it;
// widget tests implement it with a recording fake.
class TSheetHost {
 public:
  virtual ~TSheetHost() = default;
  virtual void SetForeColor(QObject* sender, TColor color) = 0;
  virtual void SetBackColor(QObject* sender, TColor color) = 0;
  virtual TColor GetForeColor() const = 0;
  virtual TColor GetBackColor() const = 0;
  virtual bool IsWebSafe() const = 0;
  virtual TIniGT& GetSettingsFile() = 0;
  virtual TFavorites& GetFavorites() = 0;
  virtual void NotifyFavoritesChanged() = 0;
  virtual void CopyText(const QString& text) = 0;
  virtual QString ApplyCopyOptions(const QString& text, bool noSharp) const = 0;
  virtual void SetPreviewFontName(const QString& face) = 0;
  virtual QString GetPreviewText() const = 0;
  virtual bool CheckEditRange(int lo, int hi, QLineEdit* edit) = 0;
};

// Every sheet derives from this. The three notifications do nothing here.
class TColorSheetForm : public QWidget {
  Q_OBJECT
 public:
  TColorSheetForm(TSheetHost& host, const QString& caption, QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  virtual QIcon SheetIcon() const;  // 16 x 16 toolbar image

  virtual void ColorChanged(int kind) { (void)kind; }  // 0 fore, 1 back, 2 activated
  virtual void WebSafeChanged() {}
  virtual void FavoritesChanged() {}
  // The main window hands the wheel over; return true when handled.
  virtual bool SheetMouseWheel(QWheelEvent* event) {
    (void)event;
    return false;
  }

  TSheetHost& Host() const { return host_; }

 protected:
  void SetForeColor(TColor c) { host_.SetForeColor(this, c); }
  void SetBackColor(TColor c) { host_.SetBackColor(this, c); }
  TColor GetForeColor() const { return host_.GetForeColor(); }
  TColor GetBackColor() const { return host_.GetBackColor(); }
  bool IsWebSafe() const { return host_.IsWebSafe(); }
  TIniGT& GetSettingsFile() const { return host_.GetSettingsFile(); }
  TFavorites& GetFavorites() const { return host_.GetFavorites(); }
  void NotifyFavoritesChanged() { host_.NotifyFavoritesChanged(); }
  void CopyText(const QString& text) { host_.CopyText(text); }
  QString ApplyCopyOptions(const QString& t, bool noSharp) const {
    return host_.ApplyCopyOptions(t, noSharp);
  }
  void SetPreviewFontName(const QString& face) { host_.SetPreviewFontName(face); }
  QString GetPreviewText() const { return host_.GetPreviewText(); }
  bool CheckEditRange(int lo, int hi, QLineEdit* edit) {
    return host_.CheckEditRange(lo, hi, edit);
  }

 private:
  TSheetHost& host_;
  QString caption_;
};

class TColorSheetPreviewForm : public TColorSheetForm {
  Q_OBJECT
 public:
  using TColorSheetForm::TColorSheetForm;
  virtual void PreviewTextChanged(const QString& text) = 0;
};

// A page of the sheet area as the toolbar shows it before its sheet exists;
// the main window makes the sheet when the page is first shown.
struct TSheetPage {
  QString caption;
  QIcon icon;
  std::function<std::unique_ptr<TColorSheetForm>(TSheetHost&)> make;
};

// The range check every numeric sheet runs when an input box is left: shows the
// message through the installed dialogs, clamps the text, focuses the box.
bool CheckEditRangeImpl(int lo, int hi, QLineEdit* edit);

}  // namespace tintorb

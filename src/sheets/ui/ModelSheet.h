// The shape shared by the HSV, HLS and YUV sheets: a two-dimensional field and a
// bar beside a panel with one input box (and up-down button) per component.
// What differs between the three is data: the sliders' styles, the component
// table and the colour model's conversions.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "app/ui/ColorSheet.h"
#include "sheets/ui/TintorbColorSlider.h"
#include "sheets/ui/UpDown.h"

namespace tintorb {

class TModelSheet : public TColorSheetForm {
  Q_OBJECT
 public:
  // The three components in the order of the input boxes.
  using TValues = std::array<int, 3>;

  struct TComponent {
    const char* caption;  // label above the box
    int lo, hi;           // range checked when the box is left
    bool onBar;           // held by the bar rather than the field
    bool percent;         // shown as a percentage in percent form
    int maxLength;
    const char* unit;  // mark after the up-down button, or nullptr
  };
  struct TModel {
    TValues (*record)(const TTintorbColorSlider& s);  // the slider's own value
    void (*setRecord)(TTintorbColorSlider& s, const TValues& v);
    TValues (*fromColor)(TColor c);
    TColor (*toColor)(const TValues& v);
    TValues (*shift)(const TValues& v, int component, int step);
  };
  struct TShape {
    TTintorbColorPanelStyle fieldStyle, barStyle;
    TComponent components[3];
    TModel model;
    bool digitsOnly;              // key filter with a beep
    const char* settingsSection;  // percent check box and its setting; nullptr: none
    bool barFirst;                // which slider takes a new value first
    int wheelComponent;           // the wheel over the field steps this component ...
    int wheelAway;                // ... by this for a turn away from the user
    bool webSafeShowsColour;      // WebSafeChanged shows the current colour, not the sliders
    int fieldMaxWidth, fieldMaxHeight;
    bool squareField;
  };

  void ColorChanged(int kind) override;
  void WebSafeChanged() override;
  bool SheetMouseWheel(QWheelEvent* event) override;
  QIcon SheetIcon() const override;

  TTintorbColorSlider* Field() const { return field_; }
  TTintorbColorSlider* Bar() const { return bar_; }
  QLineEdit* Edit(int i) const { return rows_[i].edit; }
  TUpDown* UpDown(int i) const { return rows_[i].upDown; }
  QLabel* Caption(int i) const { return rows_[i].caption; }
  QLabel* Unit(int i) const { return rows_[i].unit; }
  QCheckBox* PercentBox() const { return chkPercent; }
  bool PercentForm() const { return chkPercent && chkPercent->isChecked(); }
  // The components of record: each from the slider that holds it.
  TValues ReadSliders() const;

  QWidget* pnlParam;
  QCheckBox* chkPercent = nullptr;

  QSize minimumSizeHint() const override;

 protected:
  TModelSheet(TSheetHost& host, const QString& caption, const TShape& shape,
              QWidget* parent = nullptr);
  ~TModelSheet() override;  // writes the percent setting

  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  struct TRow {
    QLabel* caption;
    QLineEdit* edit;
    TUpDown* upDown;
    QLabel* unit;
  };

  int RowOf(const QObject* control) const;
  TTintorbColorSlider* Holder(int i) const { return shape_.components[i].onBar ? bar_ : field_; }
  bool ShownAsPercent(int i) const { return shape_.components[i].percent && PercentForm(); }
  void ShowValues(const TValues& v);
  void SetBoth(const TValues& v);

  void SliderChange(TTintorbColorSlider* moved);
  void EditChange(int i);
  void EditExit(int i);
  bool EditKeyPress(QKeyEvent* event);
  void chkPercentClick();
  void UpDownClick(TUpDown* sender, int step);
  bool FormMouseWheel(QPoint pt, int step);
  void FormResize();
  void LayoutParamPanel();

  TShape shape_;
  TTintorbColorSlider* field_;
  TTintorbColorSlider* bar_;
  std::array<TRow, 3> rows_{};
  bool FUpdating = false;
};

}  // namespace tintorb

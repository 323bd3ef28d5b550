// A split tool button whose face shows a colour and whose arrow part drops
// down a colour popup: named colours, optionally the system colours, a default
// button and a custom button that opens a hexagonal colour comb.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/ColorPopupModel.h"

namespace tintorb {

class TColorPickerButton;

enum TIndicatorBorder { ibNone, ibFlat, ibSunken, ibRaised };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The borderless top-most popup. It paints and routes input; the rules live in
// TColorPopupModel.
class TColorPopup : public QWidget {
  Q_OBJECT
 public:
  explicit TColorPopup(TColorPickerButton* owner);

  TColorPopupModel& Model() { return model_; }
  const TColorPopupModel& Model() const { return model_; }

  // Measures the button texts and re-runs the layout.
  void Relayout();

  // Input in popup coordinates (the button forwards what reaches it).
  void HandleMouseDown(QPoint pos);
  void HandleMouseMove(QPoint pos, bool leftDown);
  void HandleMouseUp(QPoint pos);
  void HandleKey(QKeyEvent* event);

  static constexpr int kEdge = 2;  // the 3-D edge width

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  friend class TColorPickerButton;
  void Apply(const TPopupAction& action);
  void ShowHintAt(QPoint pos, bool leftDown);
  void PaintCellFrame(class QPainter& p, const TPopupRect& r, int index);
  void PaintCombArea(class QPainter& p);

  TColorPickerButton* owner_;
  TColorPopupModel model_;
  bool closingByOwner_ = false;
};

class TColorPickerButton : public QWidget {
  Q_OBJECT
 public:
  explicit TColorPickerButton(QWidget* parent = nullptr);
  ~TColorPickerButton() override;

  TColor SelectionColor() const { return selectionColor_; }
  void SetSelectionColor(TColor color);
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int width);
  TColor DropDownArrowColor() const { return arrowColor_; }
  void SetDropDownArrowColor(TColor color);
  TIndicatorBorder IndicatorBorder() const { return indicatorBorder_; }
  void SetIndicatorBorder(TIndicatorBorder border);
  int PopupSpacing() const { return popupSpacing_; }
  void SetPopupSpacing(int spacing);
  bool ShowSystemColors() const { return showSystemColors_; }
  void SetShowSystemColors(bool show);
  QString CustomText() const { return customText_; }
  void SetCustomText(const QString& text);
  QString DefaultText() const { return defaultText_; }
  void SetDefaultText(const QString& text);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  void SetDown(bool down);
  QPixmap Glyph() const { return glyph_; }
  void SetGlyph(const QPixmap& glyph);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int count);  // 1..4
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QString Hint() const { return hint_; }
  void SetHint(const QString& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show) { showHint_ = show; }

  bool DroppedDown() const { return droppedDown_; }
  void SetDroppedDown(bool dropped);
  // Closes the popup; with acceptance the popup's selection decides.
  void CloseUp(bool accept);

  // Made on first use: measuring its texts is a good share of start-up.
  TColorPopup* Popup() const;
  QRect SwatchRect() const;
  QSize sizeHint() const override { return {45, 22}; }

  std::function<void(TColorPickerButton*)> OnChange, OnClick, OnDblClick, OnDefaultSelect,
      OnDropChanged;
  std::function<void(TColorPickerButton*, bool& allowed)> OnDropChanging;
  std::function<void(TColorPickerButton*, int cell, QString& hint)> OnHint;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  friend class TColorPopup;
  void PlacePopup();
  void PopupOptionsChanged();
  void PopupLost();  // the window system closed the popup
  void FacePress();
  QPoint ToPopup(QPointF globalPos) const;
  void PaintContent(class QPainter& p, bool pressed);

  mutable TColorPopup* popup_ = nullptr;
  TColor selectionColor_ = clBlack;
  int dropDownWidth_ = 15;
  TColor arrowColor_ = clBlack;
  TIndicatorBorder indicatorBorder_ = ibFlat;
  int popupSpacing_ = 8;
  bool showSystemColors_ = false;
  QString customText_, defaultText_;
  bool flat_ = false;
  bool transparent_ = true;
  int spacing_ = 4;
  int margin_ = -1;
  TButtonLayout layout_ = blGlyphLeft;
  bool allowAllUp_ = false;
  int groupIndex_ = 0;
  bool down_ = false;
  QPixmap glyph_;
  int numGlyphs_ = 1;
  QString caption_;
  QString hint_;
  bool showHint_ = false;

  bool droppedDown_ = false;
  bool mouseInControl_ = false;
  bool tracking_ = false;  // a press on the face is being followed
  bool pressed_ = false;   // the face is shown pressed
};

}  // namespace tintorb

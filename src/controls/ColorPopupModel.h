// The drop-down colour popup without a window: its colour table, geometry,
// hit testing, keyboard cursor, the hexagonal colour comb and the grey strip,
// and the mouse and key rules. The Qt popup paints what this computes and
// feeds it the events.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"
#include "platform/Desktop.h"

namespace tintorb {

// Half-open rectangle: [left, right) x [top, bottom).
struct TPopupRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  TPopupRect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
  friend bool operator==(const TPopupRect&, const TPopupRect&) = default;
};

struct TPopupColorEntry {
  const char* name;
  TColor color;  // RGB for 0..39, the symbolic system colour for 40..64
};

constexpr int kBasicColorCount = 40;
constexpr int kSysColorCount = 25;
constexpr int kPopupColorCount = kBasicColorCount + kSysColorCount;
constexpr int kPopupCellSize = 18;
constexpr int kPopupColumns = 8;

extern const std::array<TPopupColorEntry, kPopupColorCount> kPopupColors;

// Entry codes besides the table indices 0..64.
constexpr int kNoCell = -1;
constexpr int kCustomCell = -2;
constexpr int kDefaultCell = -3;

enum class TDragPart { None, Comb, Grey, Slider };

// One hexagon of the comb or the grey strip. Comb cells are relative to the
// comb centre, grey cells to the strip's top-left corner.
struct TCombCell {
  int x = 0, y = 0;
  TColor color = 0;
  friend bool operator==(const TCombCell&, const TCombCell&) = default;
};

struct TPopupTextSize {
  int width = 0, height = 0;
};

// What the layout depends on. Text sizes are measured by the caller with the
// default GUI font; an empty text means the button is absent.
struct TPopupOptions {
  int edge = 2;     // E, the 3-D edge width
  int spacing = 8;  // S, PopupSpacing
  bool showSystemColors = false;
  std::string defaultText, customText;
  TPopupTextSize defaultTextSize, customTextSize;
};

struct TPopupLayout {
  int edge = 2, spacing = 8;
  bool hasDefault = false, hasCustom = false, showSystemColors = false;
  int width = 0, height = 0;  // without the comb area
  int gridTop = 0;            // top of the first basic row
  TPopupRect defaultButton, customButton, customPreview;
  int combRadius = 0, combLevels = 0, cellSize = 0;  // R, L, r
  TPopupRect combRect, greyStripRect, sliderRect;
  int extendedHeight = 0;  // height while the comb area is shown
  int CombCenterX() const { return combRect.left + combRadius; }
  int CombCenterY() const { return combRect.top + combRadius; }
};

TPopupLayout LayoutPopup(const TPopupOptions& options);

// The comb's cells for a given centre brightness (0..1), and the grey strip.
std::vector<TCombCell> BuildColorComb(int radius, int levels, double brightness);
std::vector<TCombCell> BuildGreyStrip(int cellSize);

// Six hexagon vertices (one straight down), in order, around (cx, cy).
std::array<std::pair<double, double>, 6> HexagonVertices(double cx, double cy, double halfSize);

// Where a popup of size w x h goes for a button at `button` (screen
// coordinates) on the screen area `screen`.
TPoint PlacePopup(const TPopupRect& button, int w, int h, const TPopupRect& screen);

// The letter after a single '&' in a caption, upper-cased (0 when none).
char32_t AccelChar(std::string_view text);

enum class TPopupKey { Enter, Space, Escape, Left, Up, Right, Down, Other };

// What the window has to do after an event.
struct TPopupAction {
  enum TClose { Stay, Accept, Cancel };
  bool repaint = false;
  bool replace = false;  // the height changed (the comb area came or went)
  TClose close = Stay;
};

// The result of closing with acceptance.
struct TPopupChoice {
  enum TKind { Nothing, Color, DefaultSelect };
  TKind kind = Nothing;
  TColor color = 0;
};

struct TPopupHint {
  enum TKind { None, Cell, Button, Slider, CombCell };
  TKind kind = None;
  int cell = kNoCell;   // entry code for Cell / Button / None
  std::string text;     // empty for Button and None: the owner supplies it
  TPopupRect rect;      // where the text stays valid
  int hideAfterMs = 0;  // 0: the default time
};

class TColorPopupModel {
 public:
  TColorPopupModel();

  // Re-runs LayoutPopup and drops state that the new layout cannot show.
  void SetOptions(const TPopupOptions& options);
  const TPopupOptions& Options() const { return options_; }
  const TPopupLayout& Layout() const { return layout_; }

  // Height of the window right now (with the comb area while -2 is selected).
  int PopupHeight() const;
  bool Extended() const { return SelectedIndex == kCustomCell && layout_.hasCustom; }
  int LastCell() const {
    return layout_.showSystemColors ? kPopupColorCount - 1 : kBasicColorCount - 1;
  }
  bool IsCell(int index) const { return index >= 0 && index <= LastCell(); }

  TPopupRect CellRect(int index) const;
  int HitTest(int x, int y) const;  // the entry under a point, kNoCell when none

  // The keyboard cursor move of an arrow key from entry `from`.
  int Navigate(TPopupKey key, int from) const;

  // Built on demand and discarded whenever the brightness changes.
  const std::vector<TCombCell>& ColorComb() const;
  const std::vector<TCombCell>& GreyStrip() const;
  void BuildCombs() const;
  void SetBrightness(double brightness);  // clamps, discards the combs on change
  double Brightness() const { return brightness_; }
  // Centre of the cell of a CombSelection code, in popup coordinates.
  TPoint CombCellCenter(int combSelection) const;
  TColor CombCellColor(int combSelection) const;  // 0 for code 0

  void MatchSelection(TColor color);

  // Called when the popup opens: forget pointer and drag state.
  void ResetTransient();

  TPopupAction MouseMove(int x, int y, bool leftDown);
  TPopupAction MouseDown(int x, int y);
  TPopupAction MouseUp(int x, int y);
  TPopupAction KeyDown(TPopupKey key);
  TPopupAction AltKey(char32_t letter);

  TPopupChoice Choice() const;  // what closing with acceptance yields
  TPopupHint HintAt(int x, int y, bool leftDown) const;

  // The slider's lines and marker: grey of line j (0 = top) and marker y.
  int SliderLineGrey(int j) const;
  int SliderMarkerY() const;

  int SelectedIndex = kNoCell;
  int HotIndex = kNoCell;
  int CombSelection = 0;  // k > 0: ColorComb[k-1]; k < 0: GreyStrip[-k-1]
  TDragPart DragPart = TDragPart::None;
  bool Pressed = false;  // the left button went down inside and is still down

 private:
  TPopupAction CombHandling(int x, int y, bool leftDown);
  int CombHit(int x, int y) const;
  int GreyHit(int x, int y) const;

  TPopupOptions options_;
  TPopupLayout layout_;
  double brightness_ = 1.0;
  mutable std::vector<TCombCell> comb_, grey_;
};

}  // namespace tintorb

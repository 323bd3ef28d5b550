#include "controls/ColorPopupModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace tintorb {

namespace {

constexpr TColor Sys(int index) {
  return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index));
}

constexpr TColor Hex(uint32_t rgb) {
  // Table values are written red first; TColor keeps red in the low byte.
  return static_cast<TColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

// Halves go to the even neighbour (the default floating-point rounding mode).
int RoundEven(double v) {
  return static_cast<int>(std::lrint(v));
}

const double kCos30 = std::cos(std::numbers::pi / 6);

int Channel255(double value) {
  return std::clamp(RoundEven(value), 0, 255);
}

int Dist2(int dx, int dy) {
  return dx * dx + dy * dy;
}

}  // namespace

const std::array<TPopupColorEntry, kPopupColorCount> kPopupColors = {{
    {"Black", Hex(0x000000)},
    {"Brown", Hex(0x993300)},
    {"Olive Green", Hex(0x333300)},
    {"Dark Green", Hex(0x003300)},
    {"Dark Teal", Hex(0x003366)},
    {"Dark blue", Hex(0x000080)},
    {"Indigo", Hex(0x333399)},
    {"Gray-80%", Hex(0x333333)},
    {"Dark Red", Hex(0x800000)},
    {"Orange", Hex(0xFF6600)},
    {"Dark Yellow", Hex(0x808000)},
    {"Green", Hex(0x008000)},
    {"Teal", Hex(0x008080)},
    {"Blue", Hex(0x0000FF)},
    {"Blue-Gray", Hex(0x666699)},
    {"Gray-50%", Hex(0x808080)},
    {"Red", Hex(0xFF0000)},
    {"Light Orange", Hex(0xFF9900)},
    {"Lime", Hex(0x99CC00)},
    {"Sea Green", Hex(0x339966)},
    {"Aqua", Hex(0x33CCCC)},
    {"Light Blue", Hex(0x3366FF)},
    {"Violet", Hex(0x800080)},
    {"Grey-40%", Hex(0x969696)},
    {"Pink", Hex(0xFF00FF)},
    {"Gold", Hex(0xFFCC00)},
    {"Yellow", Hex(0xFFFF00)},
    {"Bright Green", Hex(0x00FF00)},
    {"Turquoise", Hex(0x00FFFF)},
    {"Sky Blue", Hex(0x00CCFF)},
    {"Plum", Hex(0x993366)},
    {"Gray-25%", Hex(0xC0C0C0)},
    {"Rose", Hex(0xFF99CC)},
    {"Tan", Hex(0xFFCC99)},
    {"Light Yellow", Hex(0xFFFF99)},
    {"Light Green", Hex(0xCCFFCC)},
    {"Light Turquoise", Hex(0xCCFFFF)},
    {"Pale Blue", Hex(0x99CCFF)},
    {"Lavender", Hex(0xCC99FF)},
    {"White", Hex(0xFFFFFF)},
    {"system color: scroll bar", Sys(0)},
    {"system color: background", Sys(1)},
    {"system color: active caption", Sys(2)},
    {"system color: inactive caption", Sys(3)},
    {"system color: menu", Sys(4)},
    {"system color: window", Sys(5)},
    {"system color: window frame", Sys(6)},
    {"system color: menu text", Sys(7)},
    {"system color: window text", Sys(8)},
    {"system color: caption text", Sys(9)},
    {"system color: active border", Sys(10)},
    {"system color: inactive border", Sys(11)},
    {"system color: application workspace", Sys(12)},
    {"system color: highlight", Sys(13)},
    {"system color: highlight text", Sys(14)},
    {"system color: button face", Sys(15)},
    {"system color: button shadow", Sys(16)},
    {"system color: gray text", Sys(17)},
    {"system color: button text", Sys(18)},
    {"system color: inactive caption text", Sys(19)},
    {"system color: button highlight", Sys(20)},
    {"system color: 3D dark shadow", Sys(21)},
    {"system color: 3D light", Sys(22)},
    {"system color: info text", Sys(23)},
    {"system color: info background", Sys(24)},
}};

TPopupLayout LayoutPopup(const TPopupOptions& o) {
  TPopupLayout g;
  const int E = o.edge, S = o.spacing, cell = kPopupCellSize;
  g.edge = E;
  g.spacing = S;
  g.hasDefault = !o.defaultText.empty();
  g.hasCustom = !o.customText.empty();
  g.showSystemColors = o.showSystemColors;

  int tw = 0, th = 0;
  if (g.hasDefault || g.hasCustom) {
    tw = std::max(o.defaultTextSize.width, o.customTextSize.width) + 2 * E;
    th = std::max(o.defaultTextSize.height, o.customTextSize.height) + 4 * E + 2;
  }

  const int basicRows =
      kBasicColorCount / kPopupColumns + (kBasicColorCount % kPopupColumns ? 1 : 0);
  g.width = kPopupColumns * cell + 2 * E + 2 * S;
  g.height = basicRows * cell + 4 * E;
  g.gridTop = 2 * E;

  g.combRadius = static_cast<int>(std::trunc(kPopupColumns * cell * 7 / 16.0));
  g.combLevels = 7;
  g.cellSize = RoundEven(double(g.combRadius) / (g.combLevels - 1) + 0.5);

  if (g.hasDefault) {
    g.width = std::max(g.width, tw);
    g.defaultButton = {E + S, 2 * E, g.width - E - S, 2 * E + th};
    g.height += th + 2 * E;
    g.gridTop = g.defaultButton.bottom;
  }
  if (g.showSystemColors) {
    const int sysRows = kSysColorCount / kPopupColumns + (kSysColorCount % kPopupColumns ? 1 : 0);
    g.height += sysRows * cell + 2 * E;
  }
  if (g.hasCustom) {
    g.width = std::max(g.width, tw);
    g.customButton = {E + S, g.height, g.width - E - S, g.height + th};
    const int cy = (g.customButton.top + g.customButton.bottom) / 2;
    const TPopupRect square{g.customButton.right - cell, cy - cell / 2, g.customButton.right,
                            cy - cell / 2 + cell};
    g.customPreview = square.Inflated(-(E + 1));
    g.height += th + 2 * E;
  }

  const int R = g.combRadius, r = g.cellSize;
  g.combRect = {E + S, g.height, E + S + 2 * R, g.height + 2 * R};
  g.greyStripRect = {g.combRect.left, g.combRect.bottom - 4, RoundEven(kCos30 * r * 17 / 2) + 6 * r,
                     g.combRect.bottom + 2 * r};
  g.sliderRect = {g.combRect.right, g.combRect.top + r, g.combRect.right + 20,
                  g.combRect.bottom - r};
  g.extendedHeight = 2 * E + g.greyStripRect.bottom;
  return g;
}

std::vector<TCombCell> BuildColorComb(int radius, int levels, double brightness) {
  static const int kCorners[6][3] = {{1, 0, 1}, {1, 0, 0}, {1, 1, 0},
                                     {0, 1, 0}, {0, 1, 1}, {0, 0, 1}};
  const double d = radius * kCos30;
  const int steps = levels - 1;
  // Cell j of ring n in sector k lies at (n * corner k + j * (corner k+1 -
  // corner k)) / steps, colours likewise. One division at the end keeps exact
  // halves exact (255 * 5 / 6 = 212.5), so they round to the even neighbour.
  auto channel = [&](int n, int j, int c0, int c1) {
    return Channel255((255 * brightness * (steps - n) + 255.0 * (n * c0 + j * (c1 - c0))) / steps);
  };

  std::vector<TCombCell> cells;
  cells.reserve(1 + 6 * levels * steps / 2);
  const int centre = std::clamp(RoundEven(brightness * 255), 0, 255);
  cells.push_back({0, 0, RGB(centre, centre, centre)});
  for (int k = 0; k < 6; ++k) {
    const int k1 = (k + 1) % 6;
    const double a0 = std::numbers::pi / 3 * k, a1 = std::numbers::pi / 3 * k1;
    const double x0 = d * std::cos(a0), y0 = d * std::sin(a0);
    const double x1 = d * std::cos(a1), y1 = d * std::sin(a1);
    const int* c0 = kCorners[k];
    const int* c1 = kCorners[k1];
    for (int n = 1; n <= steps; ++n) {
      for (int j = 0; j < n; ++j) {
        const double x = (n * x0 + j * (x1 - x0)) / steps;
        const double y = (n * y0 + j * (y1 - y0)) / steps;
        cells.push_back({RoundEven(x), RoundEven(y),
                         RGB(channel(n, j, c0[0], c1[0]), channel(n, j, c0[1], c1[1]),
                             channel(n, j, c0[2], c1[2]))});
      }
    }
  }
  return cells;
}

std::vector<TCombCell> BuildGreyStrip(int r) {
  const int step = RoundEven(kCos30 * r / 2);
  const int zig = RoundEven(1.5 * r / 2);
  std::vector<TCombCell> cells;
  cells.reserve(17);
  cells.push_back({r, r, clWhite});
  for (int i = 1; i <= 15; ++i) {
    const int grey = (16 - i) * 15;
    cells.push_back(
        {3 * r + (i - 1) * step, (r / 4) * 3 + (i % 2 == 0 ? zig : 0), RGB(grey, grey, grey)});
  }
  cells.push_back({step * 16 + 3 * r + r, r, clBlack});
  return cells;
}

std::array<std::pair<double, double>, 6> HexagonVertices(double cx, double cy, double s) {
  std::array<std::pair<double, double>, 6> v;
  for (int i = 0; i < 6; ++i) {
    const double a = std::numbers::pi / 180 * (90 - 60 * i);
    v[i] = {cx + s * std::cos(a), cy + s * std::sin(a)};
  }
  return v;
}

TPoint PlacePopup(const TPopupRect& button, int w, int h, const TPopupRect& screen) {
  int x = button.left - 1, y = button.bottom;
  if (y + h > screen.bottom) {
    y = screen.bottom - h;
    if (y < button.top) y = button.top - h;
  }
  if (x + w > screen.right) x = screen.right - w;
  // Multi-screen desktops may start anywhere, so clamp to the screen, not to 0.
  if (x < screen.left) x = screen.left;
  return {x, y};
}

char32_t AccelChar(std::string_view text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto b = static_cast<unsigned char>(text[i + 1]);
    if (b < 0x80) return static_cast<char32_t>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    int len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (len == 1 || i + 1 + len > text.size()) return 0;
    char32_t c = b & (0x3F >> (len - 1));
    for (int k = 1; k < len; ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + 1 + k]) & 0x3F);
    return c;
  }
  return 0;
}

TColorPopupModel::TColorPopupModel() {
  SetOptions(TPopupOptions{});
}

void TColorPopupModel::SetOptions(const TPopupOptions& options) {
  options_ = options;
  layout_ = LayoutPopup(options_);
  if (!layout_.hasCustom && SelectedIndex == kCustomCell) SelectedIndex = kNoCell;
  // Entries that vanished with the new layout cannot stay selected or hot.
  if (SelectedIndex >= 0 && !IsCell(SelectedIndex)) SelectedIndex = kNoCell;
  if ((HotIndex >= 0 && !IsCell(HotIndex)) || (HotIndex == kCustomCell && !layout_.hasCustom) ||
      (HotIndex == kDefaultCell && !layout_.hasDefault))
    HotIndex = kNoCell;
  comb_.clear();
  grey_.clear();
}

int TColorPopupModel::PopupHeight() const {
  return Extended() ? layout_.extendedHeight : layout_.height;
}

TPopupRect TColorPopupModel::CellRect(int index) const {
  if (index < 0 || index >= kPopupColorCount) return {};
  const int E = layout_.edge;
  const int left = (index % kPopupColumns) * kPopupCellSize + E + layout_.spacing;
  int top = (index / kPopupColumns) * kPopupCellSize + layout_.gridTop;
  if (index >= kBasicColorCount) top += 3 * E;
  return {left, top, left + kPopupCellSize, top + kPopupCellSize};
}

// The exact inverse of CellRect, so the entry under the pointer is always the
// one drawn there (frame included) and gaps between rows hit nothing.
int TColorPopupModel::HitTest(int x, int y) const {
  if (layout_.hasCustom && layout_.customButton.Contains(x, y)) return kCustomCell;
  if (layout_.hasDefault && layout_.defaultButton.Contains(x, y)) return kDefaultCell;
  const int E = layout_.edge;
  const int gx = x - (E + layout_.spacing);
  int gy = y - layout_.gridTop;
  if (gx < 0 || gy < 0) return kNoCell;
  const int column = gx / kPopupCellSize;
  if (column >= kPopupColumns) return kNoCell;
  const int basicRows = kBasicColorCount / kPopupColumns;
  int base = 0;
  if (gy >= basicRows * kPopupCellSize) {
    if (!layout_.showSystemColors) return kNoCell;
    gy -= basicRows * kPopupCellSize + 3 * E;
    if (gy < 0) return kNoCell;
    base = kBasicColorCount;
  }
  const int index = base + (gy / kPopupCellSize) * kPopupColumns + column;
  if (base == 0 && index >= kBasicColorCount) return kNoCell;
  return IsCell(index) ? index : kNoCell;
}

int TColorPopupModel::Navigate(TPopupKey key, int from) const {
  const bool hasD = layout_.hasDefault, hasC = layout_.hasCustom;
  const int last = LastCell();
  const bool back = key == TPopupKey::Left || key == TPopupKey::Up;
  if (key != TPopupKey::Left && key != TPopupKey::Up && key != TPopupKey::Right &&
      key != TPopupKey::Down)
    return from;
  if (from == kDefaultCell) return back ? (hasC ? kCustomCell : last) : 0;
  if (from == kCustomCell) return back ? last : (hasD ? kDefaultCell : 0);
  if (!IsCell(from)) return back ? last : 0;

  auto cellAt = [&](int row, int column) {
    const int i = row * kPopupColumns + column;
    return IsCell(i) ? i : kNoCell;
  };
  const int row = from / kPopupColumns, column = from % kPopupColumns;
  // Leaving the grid backwards: default button, else custom button, else wrap.
  const int before = hasD ? kDefaultCell : hasC ? kCustomCell : last;
  switch (key) {
    case TPopupKey::Left:
      if (column > 0) return from - 1;
      return row > 0 ? cellAt(row - 1, kPopupColumns - 1) : before;
    case TPopupKey::Up:
      return row > 0 ? from - kPopupColumns : before;
    case TPopupKey::Right: {
      const int next = column < kPopupColumns - 1 ? cellAt(row, column + 1) : cellAt(row + 1, 0);
      if (next != kNoCell) return next;
      return hasC ? kCustomCell : !hasD ? 0 : kDefaultCell;
    }
    default: {  // Down
      const int next = cellAt(row + 1, column);
      if (next != kNoCell) return next;
      return hasC ? kCustomCell : hasD ? kDefaultCell : 0;
    }
  }
}

void TColorPopupModel::BuildCombs() const {
  if (comb_.empty()) comb_ = BuildColorComb(layout_.combRadius, layout_.combLevels, brightness_);
  if (grey_.empty()) grey_ = BuildGreyStrip(layout_.cellSize);
}

const std::vector<TCombCell>& TColorPopupModel::ColorComb() const {
  BuildCombs();
  return comb_;
}

const std::vector<TCombCell>& TColorPopupModel::GreyStrip() const {
  BuildCombs();
  return grey_;
}

void TColorPopupModel::SetBrightness(double brightness) {
  brightness_ = std::clamp(brightness, 0.0, 1.0);
  comb_.clear();
}

TPoint TColorPopupModel::CombCellCenter(int sel) const {
  if (sel > 0 && sel <= int(ColorComb().size())) {
    const TCombCell& c = comb_[sel - 1];
    return {layout_.CombCenterX() + c.x, layout_.CombCenterY() + c.y};
  }
  if (sel < 0 && -sel <= int(GreyStrip().size())) {
    const TCombCell& c = grey_[-sel - 1];
    return {layout_.greyStripRect.left + c.x, layout_.greyStripRect.top + c.y};
  }
  return {};
}

TColor TColorPopupModel::CombCellColor(int sel) const {
  if (sel > 0 && sel <= int(ColorComb().size())) return comb_[sel - 1].color;
  if (sel < 0 && -sel <= int(GreyStrip().size())) return grey_[-sel - 1].color;
  return 0;
}

void TColorPopupModel::MatchSelection(TColor c) {
  CombSelection = 0;
  SelectedIndex = kNoCell;
  if (c == clNone) return;
  if (c == clDefault) {
    SelectedIndex = kDefaultCell;
    return;
  }
  const bool sys = layout_.showSystemColors;
  if (sys && c < 0) {
    for (int i = kBasicColorCount; i < kPopupColorCount; ++i)
      if (kPopupColors[i].color == c) {
        SelectedIndex = i;
        return;
      }
  }
  const TColor rgb = ResolveColor(c);
  for (int i = 0; i < kBasicColorCount; ++i)
    if (kPopupColors[i].color == rgb) {
      SelectedIndex = i;
      return;
    }
  if (sys && c >= 0) {
    for (int i = kBasicColorCount; i < kPopupColorCount; ++i)
      if (ResolveColor(kPopupColors[i].color) == rgb) {
        SelectedIndex = i;
        return;
      }
  }
  // The comb lives behind the custom button; without it there is nothing to show.
  if (!layout_.hasCustom) return;
  const auto& grey = GreyStrip();
  for (size_t i = 0; i < grey.size(); ++i)
    if (grey[i].color == rgb) {
      SelectedIndex = kCustomCell;
      CombSelection = -int(i + 1);
      return;
    }
  const auto& comb = ColorComb();
  for (size_t i = 0; i < comb.size(); ++i)
    if (comb[i].color == rgb) {
      SelectedIndex = kCustomCell;
      CombSelection = int(i + 1);
      return;
    }
}

void TColorPopupModel::ResetTransient() {
  HotIndex = kNoCell;
  DragPart = TDragPart::None;
  Pressed = false;
}

int TColorPopupModel::CombHit(int x, int y) const {
  const int half = layout_.cellSize / 2;
  const int dx = x - layout_.CombCenterX(), dy = y - layout_.CombCenterY();
  const auto& comb = ColorComb();
  for (size_t i = 0; i < comb.size(); ++i)
    if (Dist2(dx - comb[i].x, dy - comb[i].y) <= half * half) return int(i + 1);
  return 0;
}

int TColorPopupModel::GreyHit(int x, int y) const {
  const int r = layout_.cellSize;
  const int dx = x - layout_.greyStripRect.left, dy = y - layout_.greyStripRect.top;
  const auto& grey = GreyStrip();
  for (size_t i = 0; i < grey.size(); ++i) {
    const bool big = i == 0 || i + 1 == grey.size();
    const int lim = big ? r : r / 2;
    if (Dist2(dx - grey[i].x, dy - grey[i].y) <= lim * lim) return -int(i + 1);
  }
  return 0;
}

TPopupAction TColorPopupModel::CombHandling(int x, int y, bool leftDown) {
  TPopupAction a;
  if (!Extended()) return a;
  const TPopupLayout& g = layout_;
  const TPopupRect& s = g.sliderRect;
  const bool inSpan = x >= s.left && x < s.right;
  const bool free = DragPart == TDragPart::None;
  if ((s.Contains(x, y) && (free || DragPart == TDragPart::Slider)) ||
      (DragPart == TDragPart::Slider && inSpan)) {
    if (leftDown) {
      DragPart = TDragPart::Slider;
      SetBrightness(1.0 - double(y - s.top) / double(s.bottom - s.top));
      BuildCombs();
      a.repaint = true;
    }
    return a;
  }
  a.repaint = true;
  if (g.greyStripRect.Contains(x, y) && (free || DragPart == TDragPart::Grey)) {
    DragPart = TDragPart::Grey;
    CombSelection = GreyHit(x, y);
    return a;
  }
  if (g.combRect.Contains(x, y) && (free || DragPart == TDragPart::Comb)) {
    DragPart = TDragPart::Comb;
    CombSelection = CombHit(x, y);
    return a;
  }
  CombSelection = 0;
  return a;
}

TPopupAction TColorPopupModel::MouseMove(int x, int y, bool leftDown) {
  // A slider drag owns the pointer: passing over cells must neither pick
  // them nor stop the brightness from following.
  if (leftDown && DragPart == TDragPart::Slider) return CombHandling(x, y, true);
  TPopupAction a;
  if (!leftDown) DragPart = TDragPart::None;  // the release went elsewhere
  if (Pressed != leftDown) {
    Pressed = leftDown;
    a.repaint = true;
  }
  const int hit = HitTest(x, y);
  if (hit != HotIndex) {
    HotIndex = hit;
    a.repaint = true;
  }
  if (hit == kNoCell && leftDown) {
    const TPopupAction c = CombHandling(x, y, true);
    a.repaint = a.repaint || c.repaint;
  }
  return a;
}

TPopupAction TColorPopupModel::MouseDown(int x, int y) {
  TPopupAction a;
  if (x < 0 || y < 0 || x >= layout_.width || y >= PopupHeight()) {
    a.close = TPopupAction::Cancel;
    return a;
  }
  Pressed = true;
  DragPart = TDragPart::None;
  HotIndex = HitTest(x, y);
  a.repaint = true;
  if (HotIndex == kNoCell) CombHandling(x, y, true);
  return a;
}

TPopupAction TColorPopupModel::MouseUp(int x, int y) {
  TPopupAction a;
  a.repaint = true;
  Pressed = false;
  const TDragPart part = DragPart;
  DragPart = TDragPart::None;
  if (part == TDragPart::Slider) return a;  // adjusting the brightness never picks

  int index = HitTest(x, y);
  if (index == kNoCell && Extended() && CombSelection != 0) index = kCustomCell;
  if (index == kNoCell) return a;
  const bool wasExtended = Extended();
  SelectedIndex = index;
  a.replace = Extended() != wasExtended;
  const bool combDrag = part == TDragPart::Comb || part == TDragPart::Grey;
  if (IsCell(index) || index == kDefaultCell || (index == kCustomCell && combDrag))
    a.close = TPopupAction::Accept;
  return a;
}

TPopupAction TColorPopupModel::KeyDown(TPopupKey key) {
  TPopupAction a;
  const int cursor = HotIndex != kNoCell ? HotIndex : SelectedIndex;
  switch (key) {
    case TPopupKey::Enter:
    case TPopupKey::Space:
      SelectedIndex = cursor;
      a.close = TPopupAction::Accept;
      break;
    case TPopupKey::Escape:
      a.close = TPopupAction::Cancel;
      break;
    case TPopupKey::Left:
    case TPopupKey::Up:
    case TPopupKey::Right:
    case TPopupKey::Down:
      HotIndex = Navigate(key, cursor);
      a.repaint = true;
      break;
    case TPopupKey::Other:
      break;
  }
  return a;
}

TPopupAction TColorPopupModel::AltKey(char32_t letter) {
  TPopupAction a;
  if (letter >= 'a' && letter <= 'z') letter = letter - 'a' + 'A';
  if (letter == 0) return a;
  if (layout_.hasDefault && AccelChar(options_.defaultText) == letter) {
    SelectedIndex = kDefaultCell;
    a.close = TPopupAction::Accept;
  } else if (layout_.hasCustom && AccelChar(options_.customText) == letter) {
    const bool wasExtended = Extended();
    SelectedIndex = kCustomCell;
    a.repaint = true;
    a.replace = !wasExtended;
  }
  return a;
}

TPopupChoice TColorPopupModel::Choice() const {
  if (IsCell(SelectedIndex)) return {TPopupChoice::Color, kPopupColors[SelectedIndex].color};
  if (SelectedIndex == kCustomCell) {
    if (CombSelection == 0) return {};
    return {TPopupChoice::Color, CombCellColor(CombSelection)};
  }
  return {TPopupChoice::DefaultSelect, 0};
}

TPopupHint TColorPopupModel::HintAt(int x, int y, bool leftDown) const {
  TPopupHint h;
  const int hit = HitTest(x, y);
  if (IsCell(hit)) {
    h.kind = TPopupHint::Cell;
    h.cell = hit;
    h.text = kPopupColors[hit].name;
    h.rect = CellRect(hit);
    return h;
  }
  if (hit == kCustomCell || hit == kDefaultCell) {
    h.kind = TPopupHint::Button;
    h.cell = hit;
    h.rect = hit == kCustomCell ? layout_.customButton : layout_.defaultButton;
    return h;
  }
  if (Extended()) {
    char buf[64];
    const TPopupRect& s = layout_.sliderRect;
    if (s.Contains(x, y) || (leftDown && DragPart == TDragPart::Slider)) {
      std::snprintf(buf, sizeof buf, "Intensity: %d%%", RoundEven(brightness_ * 100));
      h.kind = TPopupHint::Slider;
      h.text = buf;
      h.rect = s;
      h.hideAfterMs = 5000;
      return h;
    }
    int sel = 0;
    if (leftDown)
      sel = CombSelection;
    else if (layout_.greyStripRect.Contains(x, y))
      sel = GreyHit(x, y);
    if (sel == 0 && !leftDown && layout_.combRect.Contains(x, y)) sel = CombHit(x, y);
    if (sel != 0) {
      const TColor c = CombCellColor(sel);
      std::snprintf(buf, sizeof buf, "red: %d, green: %d, blue: %d", GetRValue(c), GetGValue(c),
                    GetBValue(c));
      const TPoint p = CombCellCenter(sel);
      const int r = layout_.cellSize;
      const int half = (sel == -1 || sel == -int(GreyStrip().size())) ? r : r / 2;
      h.kind = TPopupHint::CombCell;
      h.text = buf;
      h.rect = {p.x - half, p.y - half, p.x + half + 1, p.y + half + 1};
      h.hideAfterMs = 5000;
      return h;
    }
  }
  h.kind = TPopupHint::None;
  h.cell = kNoCell;
  return h;
}

int TColorPopupModel::SliderLineGrey(int j) const {
  const int f = layout_.sliderRect.Height() - 1;
  if (f <= 0) return 255;
  return std::clamp(RoundEven((f - j) * 255.0 / f), 0, 255);
}

int TColorPopupModel::SliderMarkerY() const {
  const int f = layout_.sliderRect.Height() - 1;
  return layout_.sliderRect.top + RoundEven((1 - brightness_) * f);
}

}  // namespace tintorb

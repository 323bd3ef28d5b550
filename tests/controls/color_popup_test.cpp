#include <gtest/gtest.h>

#include <set>
#include <string>

#include "controls/ColorPopupModel.h"

namespace tintorb {
namespace {

// The program's button: E = 2, S = 2, both texts, system colours shown.
TPopupOptions ProgramOptions() {
  TPopupOptions o;
  o.edge = 2;
  o.spacing = 2;
  o.showSystemColors = true;
  o.defaultText = "基本色";
  o.customText = "カスタムカラー";
  o.defaultTextSize = {36, 13};
  o.customTextSize = {84, 13};
  return o;
}

TColorPopupModel ProgramModel() {
  TColorPopupModel m;
  m.SetOptions(ProgramOptions());
  return m;
}

TPoint Center(const TPopupRect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Opens the comb view by clicking the custom button.
void OpenComb(TColorPopupModel& m) {
  const TPoint c = Center(m.Layout().customButton);
  m.MouseDown(c.x, c.y);
  const TPopupAction a = m.MouseUp(c.x, c.y);
  ASSERT_EQ(m.SelectedIndex, kCustomCell);
  ASSERT_TRUE(a.replace);
  ASSERT_EQ(a.close, TPopupAction::Stay);
}

TEST(ColorPopupTable, HoldsBasicColoursAsRgbAndSystemColoursSymbolically) {
  EXPECT_STREQ(kPopupColors[0].name, "Black");
  EXPECT_EQ(kPopupColors[0].color, RGB(0, 0, 0));
  EXPECT_STREQ(kPopupColors[9].name, "Orange");
  EXPECT_EQ(kPopupColors[9].color, RGB(0xFF, 0x66, 0x00));
  EXPECT_STREQ(kPopupColors[23].name, "Grey-40%");
  EXPECT_EQ(kPopupColors[23].color, RGB(0x96, 0x96, 0x96));
  EXPECT_EQ(kPopupColors[37].color, RGB(0x99, 0xCC, 0xFF));
  EXPECT_STREQ(kPopupColors[39].name, "White");
  EXPECT_EQ(kPopupColors[39].color, clWhite);
  for (int i = 0; i < kSysColorCount; ++i)
    EXPECT_EQ(kPopupColors[kBasicColorCount + i].color, static_cast<TColor>(0x80000000u + i));
  EXPECT_STREQ(kPopupColors[40].name, "system color: scroll bar");
  EXPECT_STREQ(kPopupColors[55].name, "system color: button face");
  EXPECT_STREQ(kPopupColors[64].name, "system color: info background");
  std::set<std::string> names;
  for (const auto& e : kPopupColors) names.insert(e.name);
  EXPECT_EQ(names.size(), size_t(kPopupColorCount));
}

TEST(LayoutPopup, ProgramButtonIs152WideWithTheGridAtX4) {
  const TPopupLayout g = LayoutPopup(ProgramOptions());
  const TColorPopupModel m = ProgramModel();
  EXPECT_EQ(g.width, 152);
  EXPECT_EQ(m.CellRect(0).left, 4);
  EXPECT_EQ(m.CellRect(7).right, 4 + 8 * 18);
  // th = 13 + 4E + 2 = 23; default button at (E + S, 2E).
  EXPECT_EQ(g.defaultButton, (TPopupRect{4, 4, 148, 27}));
  EXPECT_EQ(m.CellRect(0).top, 27);  // right below the default button
  // System rows keep a 3E gap below the basic rows.
  EXPECT_EQ(m.CellRect(40).top, m.CellRect(32).bottom + 6);
  EXPECT_EQ(m.CellRect(64), (TPopupRect{4, 27 + 8 * 18 + 6, 22, 27 + 9 * 18 + 6}));
  // 98 + (23 + 4) + (72 + 4) = 201, then the custom button.
  EXPECT_EQ(g.customButton, (TPopupRect{4, 201, 148, 224}));
  EXPECT_GE(g.customButton.top, m.CellRect(64).bottom);
  EXPECT_EQ(g.height, 228);
  EXPECT_EQ(g.customPreview.Width(), 18 - 2 * 3);
  EXPECT_EQ(g.customPreview.right, g.customButton.right - 3);
}

TEST(LayoutPopup, CombAreaSizesFollowTheGrid) {
  const TPopupLayout g = LayoutPopup(ProgramOptions());
  EXPECT_EQ(g.combRadius, 63);
  EXPECT_EQ(g.combLevels, 7);
  EXPECT_EQ(g.cellSize, 11);
  EXPECT_EQ(g.combRect, (TPopupRect{4, 228, 130, 354}));
  EXPECT_EQ(g.greyStripRect, (TPopupRect{4, 350, 147, 376}));
  EXPECT_EQ(g.sliderRect, (TPopupRect{130, 239, 150, 343}));
  EXPECT_EQ(g.extendedHeight, 4 + 376);
}

TEST(LayoutPopup, PlainPopupAndWideTexts) {
  TPopupOptions o;  // E 2, S 8, no texts, no system colours
  TPopupLayout g = LayoutPopup(o);
  EXPECT_EQ(g.width, 144 + 4 + 16);
  EXPECT_EQ(g.height, 90 + 8);
  EXPECT_FALSE(g.hasDefault);
  EXPECT_FALSE(g.hasCustom);
  EXPECT_TRUE(g.defaultButton.Empty());

  o.customText = "a very long custom caption";
  o.customTextSize = {300, 15};
  g = LayoutPopup(o);
  EXPECT_EQ(g.width, 304);  // widened to the text + 2E
  EXPECT_EQ(g.customButton, (TPopupRect{10, 98, 294, 98 + 15 + 10}));
  EXPECT_EQ(g.height, 98 + 25 + 4);
}

// For any edge width and spacing: every cell lies inside the popup, clear of
// the buttons and of each other, and the hit test finds exactly the cell
// drawn under each pixel.
TEST(LayoutPopup, HitTestIsTheInverseOfTheCellRectanglesForAnyEdgeAndSpacing) {
  for (int e : {1, 2, 3}) {
    for (int s : {0, 2, 8}) {
      for (int variant = 0; variant < 8; ++variant) {
        TPopupOptions o;
        o.edge = e;
        o.spacing = s;
        o.showSystemColors = variant & 1;
        if (variant & 2) o.defaultText = "D", o.defaultTextSize = {20, 13};
        if (variant & 4) o.customText = "C", o.customTextSize = {20, 13};
        TColorPopupModel m;
        m.SetOptions(o);
        const TPopupLayout& g = m.Layout();
        SCOPED_TRACE("E=" + std::to_string(e) + " S=" + std::to_string(s) +
                     " variant=" + std::to_string(variant));
        EXPECT_EQ(g.width, 144 + 2 * e + 2 * s);
        for (int i = 0; i <= m.LastCell(); ++i) {
          const TPopupRect c = m.CellRect(i);
          EXPECT_GE(c.left, e);
          EXPECT_LE(c.right, g.width - e);
          EXPECT_LE(c.bottom, g.height);
          if (g.hasDefault) {
            EXPECT_GE(c.top, g.defaultButton.bottom);
          }
          if (g.hasCustom) {
            EXPECT_LE(c.bottom, g.customButton.top);
          }
        }
        for (int y = -2; y < g.height + 2; ++y) {
          for (int x = -2; x < g.width + 2; ++x) {
            const int hit = m.HitTest(x, y);
            int expected = kNoCell;
            if (g.hasCustom && g.customButton.Contains(x, y))
              expected = kCustomCell;
            else if (g.hasDefault && g.defaultButton.Contains(x, y))
              expected = kDefaultCell;
            else
              for (int i = 0; i <= m.LastCell(); ++i)
                if (m.CellRect(i).Contains(x, y)) expected = i;
            ASSERT_EQ(hit, expected) << "at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(ColorPopupHitTest, EdgesGapsAndButtons) {
  const TColorPopupModel m = ProgramModel();
  EXPECT_EQ(m.HitTest(3, 30), kNoCell);  // left of the grid
  EXPECT_EQ(m.HitTest(4, 27), 0);
  EXPECT_EQ(m.HitTest(21, 44), 0);  // the last pixel of cell 0, not cell 1
  EXPECT_EQ(m.HitTest(22, 27), 1);
  EXPECT_EQ(m.HitTest(147, 27 + 4 * 18), 39);
  EXPECT_EQ(m.HitTest(148, 30), kNoCell);
  EXPECT_EQ(m.HitTest(30, 27 + 90 + 2), kNoCell);  // between basic and system rows
  EXPECT_EQ(m.HitTest(30, 27 + 90 + 6), 41);
  EXPECT_EQ(m.HitTest(30, 27 + 90 + 6 + 3 * 18), kNoCell);  // entry 65 does not exist
  EXPECT_EQ(m.HitTest(10, 27 + 90 + 6 + 3 * 18), 64);
  EXPECT_EQ(m.HitTest(10, 10), kDefaultCell);
  EXPECT_EQ(m.HitTest(100, 210), kCustomCell);
}

TEST(ColorPopupKeyboard, NavigationTableWithBothButtonsAndSystemColours) {
  const TColorPopupModel m = ProgramModel();
  using K = TPopupKey;
  EXPECT_EQ(m.Navigate(K::Left, 0), kDefaultCell);
  EXPECT_EQ(m.Navigate(K::Up, 3), kDefaultCell);
  EXPECT_EQ(m.Navigate(K::Down, 64), kCustomCell);
  EXPECT_EQ(m.Navigate(K::Down, 60), kCustomCell);  // row 8 ends at entry 64
  EXPECT_EQ(m.Navigate(K::Down, 35), 43);
  EXPECT_EQ(m.Navigate(K::Up, 43), 35);
  EXPECT_EQ(m.Navigate(K::Left, 8), 7);
  EXPECT_EQ(m.Navigate(K::Right, 7), 8);
  EXPECT_EQ(m.Navigate(K::Right, 39), 40);
  EXPECT_EQ(m.Navigate(K::Right, 64), kCustomCell);
  EXPECT_EQ(m.Navigate(K::Left, kDefaultCell), kCustomCell);
  EXPECT_EQ(m.Navigate(K::Up, kDefaultCell), kCustomCell);
  EXPECT_EQ(m.Navigate(K::Right, kDefaultCell), 0);
  EXPECT_EQ(m.Navigate(K::Down, kDefaultCell), 0);
  EXPECT_EQ(m.Navigate(K::Left, kCustomCell), 64);
  EXPECT_EQ(m.Navigate(K::Up, kCustomCell), 64);
  EXPECT_EQ(m.Navigate(K::Right, kCustomCell), kDefaultCell);
  EXPECT_EQ(m.Navigate(K::Down, kCustomCell), kDefaultCell);

  // Right from the default button visits every entry once and comes back.
  std::set<int> seen;
  int at = kDefaultCell;
  for (int i = 0; i < 67; ++i) {
    at = m.Navigate(K::Right, at);
    seen.insert(at);
  }
  EXPECT_EQ(at, kDefaultCell);
  EXPECT_EQ(seen.size(), 67u);
}

TEST(ColorPopupKeyboard, NavigationWithoutSomeButtons) {
  using K = TPopupKey;
  TPopupOptions o;
  TColorPopupModel m;
  m.SetOptions(o);  // no buttons, no system colours
  EXPECT_EQ(m.Navigate(K::Left, 0), 39);
  EXPECT_EQ(m.Navigate(K::Up, 5), 39);
  EXPECT_EQ(m.Navigate(K::Right, 39), 0);
  EXPECT_EQ(m.Navigate(K::Down, 36), 0);

  o.defaultText = "D";
  m.SetOptions(o);  // default only
  EXPECT_EQ(m.Navigate(K::Left, 0), kDefaultCell);
  EXPECT_EQ(m.Navigate(K::Right, 39), kDefaultCell);
  EXPECT_EQ(m.Navigate(K::Down, 33), kDefaultCell);
  EXPECT_EQ(m.Navigate(K::Left, kDefaultCell), 39);

  o.defaultText.clear();
  o.customText = "C";
  m.SetOptions(o);  // custom only
  EXPECT_EQ(m.Navigate(K::Left, 0), kCustomCell);
  EXPECT_EQ(m.Navigate(K::Right, 39), kCustomCell);
  EXPECT_EQ(m.Navigate(K::Right, kCustomCell), 0);
  EXPECT_EQ(m.Navigate(K::Left, kCustomCell), 39);
}

TEST(ColorPopupKeyboard, ArrowsMoveTheCursorAndEnterPicksIt) {
  TColorPopupModel m = ProgramModel();
  m.MatchSelection(kPopupColors[10].color);
  ASSERT_EQ(m.SelectedIndex, 10);
  // Nothing hot: the cursor starts at the selection.
  TPopupAction a = m.KeyDown(TPopupKey::Right);
  EXPECT_TRUE(a.repaint);
  EXPECT_EQ(m.HotIndex, 11);
  EXPECT_EQ(m.SelectedIndex, 10);  // arrows only move the cursor
  m.KeyDown(TPopupKey::Down);
  EXPECT_EQ(m.HotIndex, 19);
  EXPECT_EQ(m.KeyDown(TPopupKey::Other).close, TPopupAction::Stay);
  a = m.KeyDown(TPopupKey::Enter);
  EXPECT_EQ(a.close, TPopupAction::Accept);
  EXPECT_EQ(m.SelectedIndex, 19);
  EXPECT_EQ(m.Choice().kind, TPopupChoice::Color);
  EXPECT_EQ(m.Choice().color, kPopupColors[19].color);

  m.ResetTransient();
  EXPECT_EQ(m.KeyDown(TPopupKey::Escape).close, TPopupAction::Cancel);
  // Space on the selection with nothing hot keeps it.
  EXPECT_EQ(m.KeyDown(TPopupKey::Space).close, TPopupAction::Accept);
  EXPECT_EQ(m.SelectedIndex, 19);
}

TEST(ColorPopupKeyboard, AltWithTheAcceleratorLetters) {
  TPopupOptions o;
  o.defaultText = "&Automatic";
  o.customText = "&More colours";
  TColorPopupModel m;
  m.SetOptions(o);
  TPopupAction a = m.AltKey('m');
  EXPECT_EQ(m.SelectedIndex, kCustomCell);
  EXPECT_TRUE(a.replace);
  EXPECT_EQ(a.close, TPopupAction::Stay);
  EXPECT_EQ(m.AltKey('x').close, TPopupAction::Stay);
  a = m.AltKey('A');
  EXPECT_EQ(a.close, TPopupAction::Accept);
  EXPECT_EQ(m.SelectedIndex, kDefaultCell);
  EXPECT_EQ(m.Choice().kind, TPopupChoice::DefaultSelect);

  EXPECT_EQ(AccelChar("&File"), U'F');
  EXPECT_EQ(AccelChar("Save &as"), U'A');
  EXPECT_EQ(AccelChar("R&&D"), 0u);
  EXPECT_EQ(AccelChar("R&&D &x"), U'X');
  EXPECT_EQ(AccelChar("色&色"), U'色');
  EXPECT_EQ(AccelChar("trailing&"), 0u);
  EXPECT_EQ(AccelChar("基本色"), 0u);
}

TEST(BuildCombs, CombCellsPositionsAndColours) {
  const auto comb = BuildColorComb(63, 7, 1.0);
  ASSERT_EQ(comb.size(), 127u);
  EXPECT_EQ(comb[0], (TCombCell{0, 0, clWhite}));
  // Sector 0 runs from the magenta corner (to the right) towards red (60 degrees down).
  EXPECT_EQ(comb[1], (TCombCell{9, 0, RGB(255, 212, 255)}));  // 212.5 -> 212
  EXPECT_EQ(comb[2], (TCombCell{18, 0, RGB(255, 170, 255)}));
  EXPECT_EQ(comb[3], (TCombCell{14, 8, RGB(255, 170, 212)}));
  EXPECT_EQ(comb[11], (TCombCell{45, 0, RGB(255, 42, 255)}));  // 42.5 -> 42
  EXPECT_EQ(comb[16], (TCombCell{55, 0, RGB(255, 0, 255)}));   // the corner itself
  std::set<std::pair<int, int>> places;
  for (const auto& c : comb) {
    places.insert({c.x, c.y});
    EXPECT_LE(c.x * c.x + c.y * c.y, 63 * 63);
  }
  EXPECT_EQ(places.size(), 127u);  // no two cells share a place
  // Every outer corner carries its full colour.
  const TColor corners[6] = {RGB(255, 0, 255), RGB(255, 0, 0),   RGB(255, 255, 0),
                             RGB(0, 255, 0),   RGB(0, 255, 255), RGB(0, 0, 255)};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(comb[1 + 21 * k + 15].color, corners[k]) << k;
  EXPECT_EQ(comb[1 + 21 * 3 + 15].x, -55);
  EXPECT_EQ(comb[1 + 21 * 1 + 15].y, 47);  // 54.56 * sin 60 = 47.25
}

TEST(BuildCombs, BrightnessZeroMakesTheCentreBlackAndLeavesTheGreysAlone) {
  const auto dark = BuildColorComb(63, 7, 0.0);
  const auto bright = BuildColorComb(63, 7, 1.0);
  ASSERT_EQ(dark.size(), 127u);
  EXPECT_EQ(dark[0].color, clBlack);
  EXPECT_EQ(dark[1].color, RGB(42, 0, 42));  // 42.5 -> 42
  for (int k = 0; k < 6; ++k) EXPECT_EQ(dark[16 + 21 * k].color, bright[16 + 21 * k].color);
  for (size_t i = 0; i < dark.size(); ++i) {
    EXPECT_EQ(dark[i].x, bright[i].x);
    EXPECT_EQ(dark[i].y, bright[i].y);
  }

  TColorPopupModel m = ProgramModel();
  const auto greyBefore = m.GreyStrip();
  m.SetBrightness(0);
  EXPECT_EQ(m.ColorComb()[0].color, clBlack);
  EXPECT_EQ(m.GreyStrip(), greyBefore);
  m.SetBrightness(-3);
  EXPECT_EQ(m.Brightness(), 0.0);
  m.SetBrightness(7);
  EXPECT_EQ(m.Brightness(), 1.0);
  EXPECT_EQ(m.ColorComb()[0].color, clWhite);
}

TEST(BuildCombs, GreyStripForCellSize11) {
  const auto grey = BuildGreyStrip(11);
  ASSERT_EQ(grey.size(), 17u);
  EXPECT_EQ(grey[0], (TCombCell{11, 11, clWhite}));
  EXPECT_EQ(grey[16], (TCombCell{5 * 16 + 33 + 11, 11, clBlack}));
  for (int i = 1; i <= 15; ++i) {
    const int g = (16 - i) * 15;
    EXPECT_EQ(grey[i], (TCombCell{33 + (i - 1) * 5, i % 2 == 0 ? 14 : 6, RGB(g, g, g)})) << i;
  }
}

TEST(MatchSelection, SpecialValuesAndSystemColours) {
  TColorPopupModel m = ProgramModel();
  m.MatchSelection(clNone);
  EXPECT_EQ(m.SelectedIndex, kNoCell);
  m.MatchSelection(clDefault);
  EXPECT_EQ(m.SelectedIndex, kDefaultCell);
  m.MatchSelection(static_cast<TColor>(0x8000000F));
  EXPECT_EQ(m.SelectedIndex, 55);
  m.MatchSelection(RGB(0x33, 0x99, 0x66));
  EXPECT_EQ(m.SelectedIndex, 19);
  // An RGB value equal to a system colour's current value finds the system entry,
  // unless a basic colour has it first.
  m.MatchSelection(ResolveColor(static_cast<TColor>(0x80000001)));
  EXPECT_EQ(m.SelectedIndex, 41);
  m.MatchSelection(clWhite);
  EXPECT_EQ(m.SelectedIndex, 39);
  m.MatchSelection(RGB(1, 2, 3));
  EXPECT_EQ(m.SelectedIndex, kNoCell);
  EXPECT_EQ(m.CombSelection, 0);

  TPopupOptions o = ProgramOptions();
  o.showSystemColors = false;
  m.SetOptions(o);
  // Without the system rows a symbolic colour is matched by its RGB value.
  SetSysColorResolver([](int index) { return index == 15 ? RGB(0xFF, 0x66, 0x00) : 0; });
  m.MatchSelection(static_cast<TColor>(0x8000000F));
  EXPECT_EQ(m.SelectedIndex, 9);
  SetSysColorResolver(nullptr);
  m.MatchSelection(ResolveColor(static_cast<TColor>(0x80000001)));
  EXPECT_EQ(m.SelectedIndex, kNoCell);
}

TEST(MatchSelection, GreyAndCombColoursOpenTheCombView) {
  TColorPopupModel m = ProgramModel();
  EXPECT_EQ(m.PopupHeight(), m.Layout().height);
  m.MatchSelection(RGB(0xE1, 0xE1, 0xE1));
  EXPECT_EQ(m.SelectedIndex, kCustomCell);
  EXPECT_EQ(m.CombSelection, -2);
  EXPECT_TRUE(m.Extended());
  EXPECT_EQ(m.PopupHeight(), m.Layout().extendedHeight);
  EXPECT_EQ(m.CombCellColor(m.CombSelection), RGB(0xE1, 0xE1, 0xE1));

  m.MatchSelection(RGB(255, 212, 255));
  EXPECT_EQ(m.SelectedIndex, kCustomCell);
  EXPECT_EQ(m.CombSelection, 2);
  // Black is a basic colour before it is a grey cell.
  m.MatchSelection(clBlack);
  EXPECT_EQ(m.SelectedIndex, 0);
  EXPECT_EQ(m.CombSelection, 0);
  EXPECT_FALSE(m.Extended());

  // The comb follows the brightness.
  m.SetBrightness(0);
  m.MatchSelection(RGB(42, 0, 42));
  EXPECT_EQ(m.CombSelection, 2);

  // Without a custom button there is no comb to show.
  TPopupOptions o = ProgramOptions();
  o.customText.clear();
  m.SetOptions(o);
  m.MatchSelection(RGB(0xE1, 0xE1, 0xE1));
  EXPECT_EQ(m.SelectedIndex, kNoCell);
}

TEST(ColorPopupMouse, ClickingACellAcceptsIt) {
  TColorPopupModel m = ProgramModel();
  const TPoint c = Center(m.CellRect(16));
  EXPECT_EQ(m.MouseMove(c.x, c.y, false).repaint, true);
  EXPECT_EQ(m.HotIndex, 16);
  m.MouseDown(c.x, c.y);
  EXPECT_TRUE(m.Pressed);
  const TPopupAction a = m.MouseUp(c.x, c.y);
  EXPECT_EQ(a.close, TPopupAction::Accept);
  EXPECT_EQ(m.SelectedIndex, 16);
  EXPECT_EQ(m.Choice().color, RGB(255, 0, 0));

  // A system entry yields its symbolic value.
  const TPoint s = Center(m.CellRect(45));
  m.MouseDown(s.x, s.y);
  m.MouseUp(s.x, s.y);
  EXPECT_EQ(m.Choice().color, static_cast<TColor>(0x80000005));

  // The default button closes with the default choice.
  const TPoint d = Center(m.Layout().defaultButton);
  m.MouseDown(d.x, d.y);
  EXPECT_EQ(m.MouseUp(d.x, d.y).close, TPopupAction::Accept);
  EXPECT_EQ(m.Choice().kind, TPopupChoice::DefaultSelect);
}

TEST(ColorPopupMouse, PressOutsideCancelsAndEmptySpaceDoesNothing) {
  TColorPopupModel m = ProgramModel();
  EXPECT_EQ(m.MouseDown(-1, 10).close, TPopupAction::Cancel);
  EXPECT_EQ(m.MouseDown(10, m.Layout().height).close, TPopupAction::Cancel);
  // The comb area is outside while it is hidden.
  EXPECT_EQ(m.MouseDown(60, m.Layout().combRect.top + 60).close, TPopupAction::Cancel);
  m.MatchSelection(kPopupColors[3].color);
  m.MouseDown(1, 1);  // the border: no entry
  const TPopupAction a = m.MouseUp(1, 1);
  EXPECT_EQ(a.close, TPopupAction::Stay);
  EXPECT_EQ(m.SelectedIndex, 3);
  // Releasing outside after a press that came from the button changes nothing.
  EXPECT_EQ(m.MouseUp(20, -10).close, TPopupAction::Stay);
}

TEST(ColorPopupMouse, CombAndGreyStripPicks) {
  TColorPopupModel m = ProgramModel();
  OpenComb(m);
  const TPopupLayout& g = m.Layout();
  EXPECT_EQ(m.PopupHeight(), g.extendedHeight);
  // Clicking the custom button again keeps the popup open.
  const TPoint cb = Center(g.customButton);
  m.MouseDown(cb.x, cb.y);
  EXPECT_EQ(m.MouseUp(cb.x, cb.y).close, TPopupAction::Stay);

  // The comb centre, a few pixels off: within r div 2.
  const int cx = g.CombCenterX(), cy = g.CombCenterY();
  m.MouseDown(cx + 3, cy + 4);
  EXPECT_EQ(m.DragPart, TDragPart::Comb);
  EXPECT_EQ(m.CombSelection, 1);
  // Six pixels away is too far (36 > 25): no cell, the choice is cleared.
  m.MouseMove(cx, cy - 6, true);
  EXPECT_EQ(m.CombSelection, 0);
  m.MouseMove(cx + 9, cy, true);
  EXPECT_EQ(m.CombSelection, 2);
  TPopupAction a = m.MouseUp(cx + 9, cy);
  EXPECT_EQ(a.close, TPopupAction::Accept);
  EXPECT_EQ(m.Choice().color, RGB(255, 212, 255));

  // Grey strip: the big white cell answers within r, small cells within r div 2.
  m.SelectedIndex = kCustomCell;
  const int gx = g.greyStripRect.left, gy = g.greyStripRect.top;
  m.MouseDown(gx + 11 + 8, gy + 11 + 6);  // distance 10 from the white cell
  EXPECT_EQ(m.DragPart, TDragPart::Grey);
  EXPECT_EQ(m.CombSelection, -1);
  m.MouseMove(gx + 38, gy + 14 + 5, true);  // cell 2, distance 5
  EXPECT_EQ(m.CombSelection, -3);
  // A grey drag does not switch to the comb when it wanders onto it.
  m.MouseMove(cx, cy, true);
  EXPECT_EQ(m.DragPart, TDragPart::Grey);
  EXPECT_EQ(m.CombSelection, 0);
  m.MouseMove(gx + 124, gy + 11, true);
  EXPECT_EQ(m.CombSelection, -17);
  a = m.MouseUp(gx + 124, gy + 11);
  EXPECT_EQ(a.close, TPopupAction::Accept);
  EXPECT_EQ(m.Choice().color, clBlack);

  // Released near no cell: nothing to take, the popup stays.
  m.SelectedIndex = kCustomCell;
  m.MouseDown(cx, cy - 6);
  EXPECT_EQ(m.CombSelection, 0);
  EXPECT_EQ(m.MouseUp(cx, cy - 6).close, TPopupAction::Stay);
  EXPECT_EQ(m.Choice().kind, TPopupChoice::Nothing);
}

TEST(ColorPopupMouse, SliderDragFollowsItsSpanAtAnyHeightAndNeverCloses) {
  TColorPopupModel m = ProgramModel();
  OpenComb(m);
  const TPopupLayout& g = m.Layout();
  const TPopupRect& s = g.sliderRect;
  const int cx = g.CombCenterX(), cy = g.CombCenterY();
  m.MouseDown(cx, cy);  // choose the centre first
  m.MouseUp(cx, cy);
  m.SelectedIndex = kCustomCell;
  m.CombSelection = 1;

  const int x = s.left + 5;
  m.MouseDown(x, s.top + s.Height() / 2);
  EXPECT_EQ(m.DragPart, TDragPart::Slider);
  EXPECT_DOUBLE_EQ(m.Brightness(), 0.5);
  EXPECT_EQ(m.ColorComb()[0].color, RGB(128, 128, 128));  // 127.5 -> 128
  EXPECT_EQ(m.CombSelection, 1);                          // the choice survives

  m.MouseMove(x, s.bottom + 200, true);  // far below: clamped
  EXPECT_EQ(m.Brightness(), 0.0);
  EXPECT_EQ(m.ColorComb()[0].color, clBlack);
  m.MouseMove(s.right - 1, -300, true);  // far above the popup
  EXPECT_EQ(m.Brightness(), 1.0);
  // Over column 7 of the basic cells: still the slider, no cell becomes hot.
  const TPoint cell = Center(m.CellRect(15));
  ASSERT_GE(cell.x, s.left);
  m.MouseMove(cell.x, cell.y, true);
  EXPECT_EQ(m.DragPart, TDragPart::Slider);
  EXPECT_NE(m.HotIndex, 15);
  m.MouseMove(x, s.bottom, true);
  EXPECT_EQ(m.Brightness(), 0.0);
  m.MouseMove(cell.x, cell.y, true);  // above the slider: clamped to full
  EXPECT_EQ(m.Brightness(), 1.0);
  EXPECT_EQ(m.DragPart, TDragPart::Slider);
  // Released over that cell: the popup stays open and nothing is picked.
  TPopupAction a = m.MouseUp(cell.x, cell.y);
  EXPECT_EQ(a.close, TPopupAction::Stay);
  EXPECT_EQ(m.SelectedIndex, kCustomCell);

  // Sideways onto the comb: no cell, the comb choice is cleared, brightness stays.
  m.MouseDown(x, s.top + 10);
  const double b = m.Brightness();
  m.MouseMove(cx, cy, true);
  EXPECT_EQ(m.CombSelection, 0);
  EXPECT_EQ(m.Brightness(), b);
  a = m.MouseUp(cx, cy);
  EXPECT_EQ(a.close, TPopupAction::Stay);
}

TEST(ColorPopupMouse, EmptyingTheCustomTextDropsTheCombView) {
  TColorPopupModel m = ProgramModel();
  OpenComb(m);
  TPopupOptions o = ProgramOptions();
  o.customText.clear();
  m.SetOptions(o);
  EXPECT_EQ(m.SelectedIndex, kNoCell);
  EXPECT_EQ(m.PopupHeight(), m.Layout().height);

  // Hiding the system rows drops a system selection too.
  m.SetOptions(ProgramOptions());
  m.SelectedIndex = 50;
  o = ProgramOptions();
  o.showSystemColors = false;
  m.SetOptions(o);
  EXPECT_EQ(m.SelectedIndex, kNoCell);
}

TEST(ColorPopupHints, TextsAndAreas) {
  TColorPopupModel m = ProgramModel();
  const TPoint c = Center(m.CellRect(21));
  TPopupHint h = m.HintAt(c.x, c.y, false);
  EXPECT_EQ(h.kind, TPopupHint::Cell);
  EXPECT_EQ(h.text, "Light Blue");
  EXPECT_EQ(h.rect, m.CellRect(21));
  const TPoint s = Center(m.CellRect(61));
  EXPECT_EQ(m.HintAt(s.x, s.y, false).text, "system color: 3D dark shadow");
  h = m.HintAt(10, 10, false);
  EXPECT_EQ(h.kind, TPopupHint::Button);
  EXPECT_EQ(h.cell, kDefaultCell);
  h = m.HintAt(1, 1, false);
  EXPECT_EQ(h.kind, TPopupHint::None);
  EXPECT_EQ(h.cell, kNoCell);

  OpenComb(m);
  const TPopupLayout& g = m.Layout();
  m.SetBrightness(0.375);
  h = m.HintAt(g.sliderRect.left + 2, g.sliderRect.top + 2, false);
  EXPECT_EQ(h.text, "Intensity: 38%");
  EXPECT_EQ(h.hideAfterMs, 5000);
  h = m.HintAt(g.CombCenterX() + 9, g.CombCenterY(), false);
  EXPECT_EQ(h.kind, TPopupHint::CombCell);
  m.SetBrightness(1);
  h = m.HintAt(g.CombCenterX() + 9, g.CombCenterY(), false);
  EXPECT_EQ(h.text, "red: 255, green: 212, blue: 255");
  // While dragging, the hint names the dragged choice wherever the pointer is.
  m.CombSelection = -17;
  h = m.HintAt(g.CombCenterX(), g.CombCenterY(), true);
  EXPECT_EQ(h.text, "red: 0, green: 0, blue: 0");
}

TEST(ColorPopupSlider, LinesAndMarker) {
  TColorPopupModel m = ProgramModel();
  const TPopupRect& s = m.Layout().sliderRect;
  const int f = s.Height() - 1;
  EXPECT_EQ(m.SliderLineGrey(0), 255);
  EXPECT_EQ(m.SliderLineGrey(f), 0);
  EXPECT_EQ(m.SliderLineGrey(51), 129);  // 52 * 255 / 103 = 128.7
  EXPECT_EQ(m.SliderMarkerY(), s.top);
  m.SetBrightness(0);
  EXPECT_EQ(m.SliderMarkerY(), s.top + f);
}

TEST(PlacePopup, BelowAboveAndAgainstTheEdges) {
  const TPopupRect screen{0, 0, 1280, 800};
  // Normally one pixel left of the button and right below it.
  EXPECT_EQ(PlacePopup({100, 50, 140, 72}, 152, 228, screen), (TPoint{99, 72}));
  // Too low: above the button.
  EXPECT_EQ(PlacePopup({100, 700, 140, 722}, 152, 228, screen), (TPoint{99, 700 - 228}));
  // Moved up to end at the bottom, it still starts below the button's top: kept there.
  EXPECT_EQ(PlacePopup({100, 560, 140, 582}, 152, 228, screen), (TPoint{99, 800 - 228}));
  // Too far right: moved left to end at the edge.
  EXPECT_EQ(PlacePopup({1200, 50, 1240, 72}, 152, 228, screen), (TPoint{1280 - 152, 72}));
  // Never left of the screen.
  EXPECT_EQ(PlacePopup({0, 50, 40, 72}, 152, 228, screen), (TPoint{0, 72}));
  EXPECT_EQ(PlacePopup({1930, 50, 1970, 72}, 152, 228, {1920, 0, 3840, 1080}), (TPoint{1929, 72}));
  EXPECT_EQ(PlacePopup({1920, 50, 1960, 72}, 152, 228, {1920, 0, 3840, 1080}), (TPoint{1920, 72}));
}

}  // namespace
}  // namespace tintorb

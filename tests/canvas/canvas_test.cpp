#include "canvas/Canvas.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tintorb {
namespace {

std::unique_ptr<TTintorbCanvasItem> MakeItem(int l, int t, int w, int h, TColor c = 0) {
  auto item = std::make_unique<TTintorbCanvasItem>();
  item->Left = l;
  item->Top = t;
  item->Width = w;
  item->Height = h;
  item->Color = c;
  return item;
}

std::vector<std::string> Captions(const TCanvasItemList& list) {
  std::vector<std::string> out;
  for (size_t i = 0; i < list.Count(); ++i) out.push_back(list[i].Caption);
  return out;
}

TEST(CanvasItem, DefaultsAndBounds) {
  TTintorbCanvasItem item;
  EXPECT_EQ(item.Kind, 0);
  EXPECT_TRUE(item.Visible);
  EXPECT_EQ(item.BoundsRect(), (TCanvasRect{32, 32, 160, 96}));
  EXPECT_EQ(item.Color, 0);
  EXPECT_TRUE(item.Text.empty());
}

TEST(CanvasItemList, CaptionsReuseTheSmallestFreeNumber) {
  TCanvasItemList list;
  auto* a = list.AddFront(MakeItem(0, 0, 1, 1));
  auto* b = list.AddFront(MakeItem(0, 0, 1, 1));
  list.AddFront(MakeItem(0, 0, 1, 1));
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"アイテム 3", "アイテム 2", "アイテム 1"}));
  ASSERT_TRUE(list.Remove(b));
  auto* d = list.AddFront(MakeItem(0, 0, 1, 1));
  EXPECT_EQ(list[0].Caption, "アイテム 2");
  EXPECT_EQ(list.Item(0), d);
  ASSERT_TRUE(list.Remove(a));
  EXPECT_EQ(list.NewItemCaption(), "アイテム 1");
  EXPECT_FALSE(list.Remove(a));  // already gone

  // Only an exact caption blocks a number: "アイテム 10" does not take 1.
  TCanvasItemList other;
  other.AddBack(MakeItem(0, 0, 1, 1), "アイテム 10");
  other.AddBack(MakeItem(0, 0, 1, 1), "アイテム 1 ");
  EXPECT_EQ(other.NewItemCaption(), "アイテム 1");
}

TEST(CanvasItemList, StackingCommandsAndNoOpsAtTheEnds) {
  TCanvasItemList list;
  auto* c = list.AddFront(MakeItem(0, 0, 1, 1));
  auto* b = list.AddFront(MakeItem(0, 0, 1, 1));
  auto* a = list.AddFront(MakeItem(0, 0, 1, 1));  // order a b c, a in front
  auto order = [&] {
    std::vector<TTintorbCanvasItem*> v;
    for (size_t i = 0; i < list.Count(); ++i) v.push_back(list.Item(i));
    return v;
  };
  using V = std::vector<TTintorbCanvasItem*>;
  EXPECT_EQ(list.PaintOrder(), (V{c, b, a}));

  EXPECT_FALSE(list.Up(a));
  EXPECT_FALSE(list.BringToFront(a));
  EXPECT_FALSE(list.Down(c));
  EXPECT_FALSE(list.SendToBack(c));
  EXPECT_EQ(order(), (V{a, b, c}));

  EXPECT_TRUE(list.Down(a));
  EXPECT_EQ(order(), (V{b, a, c}));
  EXPECT_TRUE(list.Up(c));
  EXPECT_EQ(order(), (V{b, c, a}));
  EXPECT_TRUE(list.BringToFront(a));
  EXPECT_EQ(order(), (V{a, b, c}));
  EXPECT_TRUE(list.SendToBack(a));
  EXPECT_EQ(order(), (V{b, c, a}));
  // The captions travel with their items.
  EXPECT_EQ(list[2].Caption, "アイテム 3");

  TTintorbCanvasItem stranger;
  EXPECT_FALSE(list.Up(&stranger));
  EXPECT_FALSE(list.SendToBack(&stranger));
}

TEST(CanvasItemList, ItemAtPointFindsTheFrontMostAndIgnoresVisibility) {
  TCanvasItemList list;
  auto* back = list.AddFront(MakeItem(0, 0, 100, 100));
  auto* front = list.AddFront(MakeItem(50, 50, 10, 10));
  front->Visible = false;
  EXPECT_EQ(list.ItemAtPoint({55, 55}), front);
  EXPECT_EQ(list.ItemAtPoint({50, 50}), front);  // left and top inclusive
  EXPECT_EQ(list.ItemAtPoint({60, 55}), back);   // right exclusive
  EXPECT_EQ(list.ItemAtPoint({99, 99}), back);
  EXPECT_EQ(list.ItemAtPoint({100, 0}), nullptr);
  EXPECT_EQ(list.ItemAtPoint({-1, 0}), nullptr);

  TCanvasItemList zero;
  zero.AddFront(MakeItem(5, 5, 0, 10));
  EXPECT_EQ(zero.ItemAtPoint({5, 6}), nullptr);  // a zero-width item covers nothing
}

TEST(CanvasHandles, ZonesTheirOrderAndTheirEdges) {
  const TCanvasRect r{100, 200, 301, 251};  // midX 200, midY 225
  const auto pts = HandlePoints(r);
  EXPECT_EQ(pts[1], (TPoint{200, 200}));
  EXPECT_EQ(pts[3], (TPoint{100, 225}));
  EXPECT_EQ(pts[7], (TPoint{301, 251}));

  EXPECT_EQ(HitTestHandles(r, {100, 200}), TDragMode::dmTopLeft);
  EXPECT_EQ(HitTestHandles(r, {95, 195}), TDragMode::dmTopLeft);   // -5 inclusive
  EXPECT_EQ(HitTestHandles(r, {104, 204}), TDragMode::dmTopLeft);  // +4 still in
  EXPECT_EQ(HitTestHandles(r, {105, 205}), TDragMode::dmMove);     // +5 exclusive
  EXPECT_EQ(HitTestHandles(r, {94, 200}), TDragMode::dmNone);      // outside
  EXPECT_EQ(HitTestHandles(r, {200, 196}), TDragMode::dmTopMiddle);
  EXPECT_EQ(HitTestHandles(r, {305, 200}), TDragMode::dmTopRight);
  EXPECT_EQ(HitTestHandles(r, {96, 225}), TDragMode::dmLeftMiddle);
  EXPECT_EQ(HitTestHandles(r, {301, 229}), TDragMode::dmRightMiddle);
  EXPECT_EQ(HitTestHandles(r, {100, 255}), TDragMode::dmBottomLeft);
  EXPECT_EQ(HitTestHandles(r, {199, 251}), TDragMode::dmBottomMiddle);
  EXPECT_EQ(HitTestHandles(r, {305, 255}), TDragMode::dmBottomRight);
  EXPECT_EQ(HitTestHandles(r, {300, 240}), TDragMode::dmMove);
  EXPECT_EQ(HitTestHandles(r, {301, 240}), TDragMode::dmNone);  // right exclusive

  // On a tiny rectangle every zone overlaps: the first in the order wins.
  const TCanvasRect tiny{10, 10, 14, 14};
  EXPECT_EQ(HitTestHandles(tiny, {12, 12}), TDragMode::dmTopLeft);
  EXPECT_EQ(HitTestHandles(tiny, {16, 12}), TDragMode::dmTopMiddle);
  EXPECT_EQ(HitTestHandles(tiny, {17, 13}), TDragMode::dmTopRight);  // also right and bottom-right
  EXPECT_EQ(HitTestHandles(tiny, {13, 17}), TDragMode::dmBottomLeft);
  EXPECT_EQ(HitTestHandles(tiny, {18, 18}), TDragMode::dmBottomRight);
}

TEST(CanvasResize, EachHandleKeepsTheOppositeSide) {
  const TCanvasRect s{100, 100, 200, 150};
  const TPoint c{130, 120};
  const std::tuple<TDragMode, TCanvasRect> cases[] = {
      {TDragMode::dmTopLeft, {130, 120, 200, 150}},
      {TDragMode::dmTopMiddle, {100, 120, 200, 150}},
      {TDragMode::dmTopRight, {100, 120, 130, 150}},
      {TDragMode::dmLeftMiddle, {130, 100, 200, 150}},
      {TDragMode::dmRightMiddle, {100, 100, 130, 150}},
      {TDragMode::dmBottomLeft, {130, 100, 200, 120}},
      {TDragMode::dmBottomMiddle, {100, 100, 200, 120}},
      {TDragMode::dmBottomRight, {100, 100, 130, 120}},
  };
  for (const auto& [mode, expected] : cases)
    EXPECT_EQ(ResizeRect(mode, s, c), expected) << static_cast<int>(mode);
}

TEST(CanvasResize, PastTheFixedCornerFlipsAndOntoItGivesZero) {
  const TCanvasRect s{100, 100, 200, 150};
  // Top-left dragged beyond bottom-right: becomes the bottom-right corner.
  EXPECT_EQ(ResizeRect(TDragMode::dmTopLeft, s, {260, 190}), (TCanvasRect{200, 150, 260, 190}));
  EXPECT_EQ(ResizeRect(TDragMode::dmBottomRight, s, {40, 20}), (TCanvasRect{40, 20, 100, 100}));
  EXPECT_EQ(ResizeRect(TDragMode::dmTopMiddle, s, {0, 170}), (TCanvasRect{100, 150, 200, 170}));
  const TCanvasRect flat = ResizeRect(TDragMode::dmRightMiddle, s, {100, 999});
  EXPECT_EQ(flat.Width(), 0);
  EXPECT_EQ(flat.Height(), 50);
  EXPECT_EQ(ResizeRect(TDragMode::dmTopLeft, s, {200, 150}), (TCanvasRect{200, 150, 200, 150}));
}

// ---- the window state driven like the mouse does ----

struct CanvasFixture : ::testing::Test {
  TCanvas canvas;
  TTintorbCanvasItem* Add(int l, int t, int w, int h, TColor c = 0) {
    return canvas.Items.AddFront(MakeItem(l, t, w, h, c));
  }
};

TEST_F(CanvasFixture, PressWithNothingSelectedSelectsAndMoves) {
  auto* a = Add(100, 100, 50, 50);
  const auto press = canvas.MouseDown({110, 120}, {0, 0});
  EXPECT_TRUE(press.selectionChanged);
  EXPECT_TRUE(press.dragStarted);
  EXPECT_EQ(canvas.Selected(), a);
  EXPECT_EQ(canvas.DragMode(), TDragMode::dmMove);
  ASSERT_TRUE(canvas.MouseMove({140, 100}, {0, 0}));
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{130, 80, 180, 130}));
  canvas.MouseUp();
  EXPECT_EQ(canvas.Dragged(), nullptr);
  EXPECT_FALSE(canvas.MouseMove({0, 0}, {0, 0}));
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{130, 80, 180, 130}));
}

TEST_F(CanvasFixture, PressOnAnotherItemOnlySelectsAndEmptyCanvasDeselects) {
  auto* a = Add(0, 0, 50, 50);
  auto* b = Add(200, 200, 50, 50);
  canvas.Select(a);
  auto press = canvas.MouseDown({210, 210}, {0, 0});
  EXPECT_TRUE(press.selectionChanged);
  EXPECT_EQ(canvas.Selected(), b);
  EXPECT_EQ(canvas.DragMode(), TDragMode::dmNone);
  canvas.MouseMove({300, 300}, {0, 0});
  EXPECT_EQ(b->BoundsRect(), (TCanvasRect{200, 200, 250, 250}));  // only selected
  canvas.MouseUp();

  // The second press on it moves it.
  press = canvas.MouseDown({210, 210}, {0, 0});
  EXPECT_FALSE(press.selectionChanged);
  EXPECT_EQ(canvas.DragMode(), TDragMode::dmMove);
  canvas.MouseMove({220, 215}, {0, 0});
  EXPECT_EQ(b->Left, 210);
  EXPECT_EQ(b->Top, 205);
  canvas.MouseUp();

  press = canvas.MouseDown({1000, 1000}, {0, 0});
  EXPECT_TRUE(press.selectionChanged);
  EXPECT_FALSE(press.dragStarted);
  EXPECT_EQ(canvas.Selected(), nullptr);
  // A press on empty canvas with nothing selected changes nothing.
  EXPECT_FALSE(canvas.MouseDown({1000, 1000}, {0, 0}).selectionChanged);
}

TEST_F(CanvasFixture, HandleOfTheSelectedItemWinsOverAnItemOnTop) {
  auto* low = Add(100, 100, 100, 100);
  auto* top = Add(150, 150, 200, 200);  // covers low's bottom-right corner
  canvas.Select(low);
  const auto press = canvas.MouseDown({199, 199}, {0, 0});
  EXPECT_FALSE(press.selectionChanged);
  EXPECT_EQ(canvas.Dragged(), low);
  EXPECT_EQ(canvas.DragMode(), TDragMode::dmBottomRight);
  canvas.MouseMove({250, 230}, {0, 0});
  EXPECT_EQ(low->BoundsRect(), (TCanvasRect{100, 100, 250, 230}));
  EXPECT_EQ(top->BoundsRect(), (TCanvasRect{150, 150, 350, 350}));
}

TEST_F(CanvasFixture, PressInsideTheSelectedItemMovesTheFrontMostThere) {
  auto* low = Add(100, 100, 100, 100);
  auto* top = Add(150, 150, 200, 200);
  canvas.Select(low);
  const auto press = canvas.MouseDown({170, 170}, {0, 0});
  EXPECT_TRUE(press.selectionChanged);
  EXPECT_EQ(canvas.Selected(), top);
  EXPECT_EQ(canvas.Dragged(), top);
  EXPECT_EQ(canvas.DragMode(), TDragMode::dmMove);
}

TEST_F(CanvasFixture, ScrollPositionsShiftHitsButTheGrabIsInViewCoordinates) {
  auto* a = Add(1000, 2000, 100, 100);
  canvas.MouseDown({10, 20}, {1000, 2000});
  ASSERT_EQ(canvas.Dragged(), a);
  EXPECT_EQ(canvas.Outline({1000, 2000}), (TCanvasRect{0, 0, 100, 100}));
  canvas.MouseMove({15, 30}, {1000, 2000});
  EXPECT_EQ(a->Left, 1005);
  EXPECT_EQ(a->Top, 2010);
  EXPECT_EQ(canvas.Outline({1000, 2000}), (TCanvasRect{5, 10, 105, 110}));
  canvas.MouseUp();
  // Handle hit tests also see canvas coordinates.
  EXPECT_EQ(canvas.HoverMode({5, 10}, {1000, 2000}), TDragMode::dmTopLeft);
  EXPECT_EQ(canvas.HoverMode({105, 60}, {1000, 2000}), TDragMode::dmRightMiddle);
}

TEST_F(CanvasFixture, DraggingStopsAtTheCanvasEdges) {
  auto* a = Add(10, 10, 100, 50);
  canvas.MouseDown({20, 20}, {0, 0});
  canvas.MouseMove({-500, -300}, {0, 0});
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{0, 0, 100, 50}));
  canvas.MouseMove({9000, 9000}, {0, 0});
  EXPECT_EQ(a->Left, kCanvasSize - 100);
  EXPECT_EQ(a->Top, kCanvasSize - 50);
  EXPECT_EQ(a->Width, 100);
  canvas.MouseUp();

  // A handle dragged past the left edge: the grown rectangle shifts back to 0.
  canvas.Select(a);
  a->Left = 10;
  a->Top = 10;
  canvas.MouseDown({10, 35}, {0, 0});
  ASSERT_EQ(canvas.DragMode(), TDragMode::dmLeftMiddle);
  canvas.MouseMove({-50, 35}, {0, 0});
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{0, 10, 160, 60}));
  canvas.MouseUp();

  // Past the right edge a rectangle that still fits is shifted left, not cut;
  // one wider than the whole area is held to the area.
  canvas.MouseDown({160, 35}, {0, 0});
  ASSERT_EQ(canvas.DragMode(), TDragMode::dmRightMiddle);
  canvas.MouseMove({4000, 35}, {0, 0});
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{0, 10, 4000, 60}));
  canvas.MouseMove({4200, 35}, {0, 0});
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{0, 10, kCanvasSize, 60}));
  canvas.MouseUp();
  a->SetBoundsRect({3000, 10, 3100, 60});
  canvas.MouseDown({3000, 35}, {0, 0});
  ASSERT_EQ(canvas.DragMode(), TDragMode::dmLeftMiddle);
  canvas.MouseMove({4500, 35}, {0, 0});  // flips past the fixed side and beyond the edge
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{kCanvasSize - 1400, 10, kCanvasSize, 60}));
}

TEST_F(CanvasFixture, AddPlacesAQuarterOfThePaintBoxInFrontUnselected) {
  auto* first = Add(0, 0, 10, 10);
  auto* added = canvas.AddItem(379, 201, 0x123456);
  EXPECT_EQ(canvas.Items.Item(0), added);
  EXPECT_EQ(canvas.Items.Item(1), first);
  EXPECT_EQ(added->BoundsRect(), (TCanvasRect{94, 50, 94 + 189, 50 + 100}));
  EXPECT_EQ(added->Color, 0x123456);
  EXPECT_EQ(added->Kind, 0);
  EXPECT_EQ(canvas.Selected(), nullptr);
  EXPECT_EQ(canvas.Items[0].Caption, "アイテム 2");
}

TEST_F(CanvasFixture, CommandsNeedASelectionAndDeleteLeavesNone) {
  auto* a = Add(0, 0, 10, 10);
  auto* b = Add(0, 0, 10, 10);
  EXPECT_FALSE(canvas.DeleteSelected());
  EXPECT_FALSE(canvas.BringToFront());
  EXPECT_FALSE(canvas.SendToBack());
  EXPECT_FALSE(canvas.ApplyColor(0xFF));
  EXPECT_EQ(canvas.Items.Count(), 2u);

  canvas.Select(a);
  EXPECT_TRUE(canvas.ApplyColor(0xFF));
  EXPECT_EQ(a->Color, 0xFF);
  EXPECT_TRUE(canvas.BringToFront());
  EXPECT_FALSE(canvas.Up());
  EXPECT_TRUE(canvas.Down());
  EXPECT_EQ(canvas.Items.Item(0), b);
  EXPECT_TRUE(canvas.DeleteSelected());
  EXPECT_EQ(canvas.Selected(), nullptr);
  EXPECT_EQ(canvas.Items.Count(), 1u);

  canvas.Select(b);
  EXPECT_TRUE(canvas.DeleteAll());
  EXPECT_EQ(canvas.Selected(), nullptr);
  EXPECT_EQ(canvas.Items.Count(), 0u);
  EXPECT_FALSE(canvas.DeleteAll());
}

TEST_F(CanvasFixture, DeletingTheDraggedItemEndsTheDrag) {
  Add(0, 0, 100, 100);
  canvas.MouseDown({10, 10}, {0, 0});
  ASSERT_NE(canvas.Dragged(), nullptr);
  canvas.DeleteSelected();  // the Del key while the button is still down
  EXPECT_EQ(canvas.Dragged(), nullptr);
  EXPECT_FALSE(canvas.MouseMove({50, 50}, {0, 0}));

  Add(0, 0, 100, 100);
  canvas.MouseDown({10, 10}, {0, 0});
  canvas.DeleteAll();
  EXPECT_FALSE(canvas.MouseMove({50, 50}, {0, 0}));
}

TEST_F(CanvasFixture, PaintListClipsSkipsInvisibleAndGoesBackToFront) {
  auto* back = Add(0, 0, 300, 300, 0x0000FF);
  auto* hidden = Add(10, 10, 10, 10, 0x00FF00);
  auto* front = Add(150, 150, 100, 100, 0xFF0000);
  hidden->Visible = false;
  (void)back;
  (void)front;
  const auto fills = canvas.ItemFills({100, 100}, 120, 80);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].Rect, (TCanvasRect{0, 0, 120, 80}));
  EXPECT_EQ(fills[0].Color, 0x0000FF);
  EXPECT_EQ(fills[1].Rect, (TCanvasRect{50, 50, 120, 80}));
  EXPECT_EQ(fills[1].Color, 0xFF0000);
  EXPECT_TRUE(canvas.ItemFills({400, 0}, 120, 80).empty());
}

TEST_F(CanvasFixture, HandleSquaresOnlyWhileTheSelectionIsInView) {
  auto* a = Add(100, 100, 40, 20);
  EXPECT_TRUE(canvas.HandleSquares({0, 0}, 400, 400).empty());
  canvas.Select(a);
  auto squares = canvas.HandleSquares({50, 50}, 400, 400);
  ASSERT_EQ(squares.size(), 8u);
  EXPECT_EQ(squares[0], (TCanvasRect{47, 47, 53, 53}));
  EXPECT_EQ(squares[7], (TCanvasRect{87, 67, 93, 73}));
  EXPECT_TRUE(canvas.HandleSquares({140, 0}, 400, 400).empty());  // item ends at the view's edge
  EXPECT_EQ(canvas.HandleSquares({139, 0}, 400, 400).size(), 8u);

  // A selection shrunk to zero width keeps its handles.
  a->Width = 0;
  EXPECT_EQ(canvas.HandleSquares({0, 0}, 400, 400).size(), 8u);
}

TEST(CanvasScroll, PageSizeAndLastPosition) {
  EXPECT_EQ(CanvasPageSize(276), 276);
  EXPECT_EQ(CanvasPageSize(-20), 0);  // a window narrower than the hidden tree
  EXPECT_EQ(CanvasPageSize(9000), kCanvasSize + 1);
  EXPECT_EQ(CanvasScrollMax(0), kCanvasSize);
  EXPECT_EQ(CanvasScrollMax(400), kCanvasSize + 1 - 400);
  EXPECT_EQ(CanvasScrollMax(kCanvasSize + 1), 0);
}

}  // namespace
}  // namespace tintorb

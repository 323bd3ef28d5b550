// The canvas: stacked coloured rectangles on a fixed 4096 x 4096 area, the
// selection, and the mouse drag that moves or resizes the selected item.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Color.h"
#include "platform/Desktop.h"

namespace tintorb {

constexpr int kCanvasSize = 4096;

// Right and bottom are exclusive.
struct TCanvasRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom; }
  TCanvasRect Offset(int dx, int dy) const {
    return {Left + dx, Top + dy, Right + dx, Bottom + dy};
  }
  // Empty when the two do not overlap.
  TCanvasRect Intersect(const TCanvasRect& o) const;
  friend bool operator==(const TCanvasRect&, const TCanvasRect&) = default;
};

class TTintorbCanvasItem {
 public:
  uint8_t Kind = 0;  // 0 filled rectangle, 1 text item
  bool Visible = true;
  int32_t Left = 32;
  int32_t Top = 32;
  int32_t Width = 128;
  int32_t Height = 64;
  TColor Color = 0;
  std::string Text;

  TCanvasRect BoundsRect() const { return {Left, Top, Left + Width, Top + Height}; }
  void SetBoundsRect(const TCanvasRect& r) {
    Left = r.Left;
    Top = r.Top;
    Width = r.Width();
    Height = r.Height();
  }
};

// The stacking list: entry 0 is the front-most item.
class TCanvasItemList {
 public:
  struct Entry {
    std::string Caption;
    std::unique_ptr<TTintorbCanvasItem> Item;
  };

  size_t Count() const { return entries_.size(); }
  const Entry& operator[](size_t i) const { return entries_[i]; }
  TTintorbCanvasItem* Item(size_t i) const { return entries_[i].Item.get(); }
  int IndexOf(const TTintorbCanvasItem* item) const;  // -1 when absent

  // "アイテム n" with the smallest n no entry carries.
  std::string NewItemCaption() const;
  // Inserts at the front under a fresh caption.
  TTintorbCanvasItem* AddFront(std::unique_ptr<TTintorbCanvasItem> item);
  // Inserts at the back under the given caption (building a list in front-first order).
  TTintorbCanvasItem* AddBack(std::unique_ptr<TTintorbCanvasItem> item, std::string caption);
  bool Remove(const TTintorbCanvasItem* item);
  void Clear() { entries_.clear(); }

  // Each returns false when the item was absent or already in place.
  bool BringToFront(const TTintorbCanvasItem* item);
  bool Up(const TTintorbCanvasItem* item);
  bool Down(const TTintorbCanvasItem* item);
  bool SendToBack(const TTintorbCanvasItem* item);

  // Back to front.
  std::vector<TTintorbCanvasItem*> PaintOrder() const;
  // Front-most item whose bounds contain the point (visibility not consulted).
  TTintorbCanvasItem* ItemAtPoint(TPoint p) const;

 private:
  std::vector<Entry> entries_;
};

enum class TDragMode : uint8_t {
  dmNone,
  dmTopLeft,
  dmTopMiddle,
  dmTopRight,
  dmLeftMiddle,
  dmRightMiddle,
  dmBottomLeft,
  dmBottomMiddle,
  dmBottomRight,
  dmMove,
};

bool IsHandle(TDragMode mode);
// The eight handle points in hit-test order (top-left first, bottom-right last).
std::array<TPoint, 8> HandlePoints(const TCanvasRect& r);
TDragMode HitTestHandles(const TCanvasRect& r, TPoint p);
// The rectangle a handle drag gives: the opposite side stays, the result is
// normalised and may have zero width or height.
TCanvasRect ResizeRect(TDragMode handle, const TCanvasRect& start, TPoint c);
// Moves (never shrinks) the item back inside the canvas area.
void KeepInsideCanvas(TTintorbCanvasItem& item);

// One filled rectangle of a paint, in paint-box coordinates.
struct TCanvasFill {
  TCanvasRect Rect;
  TColor Color = 0;
};

// The window's state: items, selection and the drag in progress. Mouse
// positions are paint-box coordinates; `scroll` is the canvas point shown at
// the paint box's top-left corner.
class TCanvas {
 public:
  TCanvasItemList Items;

  TTintorbCanvasItem* Selected() const { return selected_; }
  // True when the selection actually changed.
  bool Select(TTintorbCanvasItem* item);

  TTintorbCanvasItem* Dragged() const { return dragged_; }
  TDragMode DragMode() const { return dragMode_; }

  struct PressResult {
    bool selectionChanged = false;
    bool dragStarted = false;
  };
  // Left-button press.
  PressResult MouseDown(TPoint p, TPoint scroll);
  // Applies a drag step to the dragged item; false when not dragging.
  bool MouseMove(TPoint p, TPoint scroll);
  // The handle under the pointer when hovering over the selected item.
  TDragMode HoverMode(TPoint p, TPoint scroll) const;
  void MouseUp() { dragged_ = nullptr; }
  // The dragged item's bounds in paint-box coordinates.
  TCanvasRect Outline(TPoint scroll) const;

  // Commands. Each returns true when the items or the selection changed.
  TTintorbCanvasItem* AddItem(int paintWidth, int paintHeight, TColor color);
  bool DeleteSelected();  // nothing is selected afterwards
  bool BringToFront() { return selected_ && Items.BringToFront(selected_); }
  bool Up() { return selected_ && Items.Up(selected_); }
  bool Down() { return selected_ && Items.Down(selected_); }
  bool SendToBack() { return selected_ && Items.SendToBack(selected_); }
  bool DeleteAll();
  // Recolours the selected item; false when none is selected.
  bool ApplyColor(TColor color);

  // What a paint draws over the background, back to front.
  std::vector<TCanvasFill> ItemFills(TPoint scroll, int paintWidth, int paintHeight) const;
  // The selected item's handle squares (6 x 6), or none when it is out of view.
  std::vector<TCanvasRect> HandleSquares(TPoint scroll, int paintWidth, int paintHeight) const;

 private:
  TTintorbCanvasItem* selected_ = nullptr;
  TTintorbCanvasItem* dragged_ = nullptr;
  TDragMode dragMode_ = TDragMode::dmNone;
  TCanvasRect dragStart_;
  TPoint grab_;
};

// Scroll bar limits: a page of `pageSize` pixels never scrolls past the area.
int CanvasPageSize(int clientExtent);
int CanvasScrollMax(int pageSize);

}  // namespace tintorb

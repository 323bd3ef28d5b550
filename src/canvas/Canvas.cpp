#include "canvas/Canvas.h"

#include <algorithm>

namespace tintorb {

TCanvasRect TCanvasRect::Intersect(const TCanvasRect& o) const {
  TCanvasRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
                std::min(Bottom, o.Bottom)};
  if (r.IsEmpty()) return {};
  return r;
}

// ---- the stacking list ----

int TCanvasItemList::IndexOf(const TTintorbCanvasItem* item) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].Item.get() == item) return static_cast<int>(i);
  return -1;
}

std::string TCanvasItemList::NewItemCaption() const {
  for (int n = 1;; ++n) {
    std::string caption = "アイテム " + std::to_string(n);
    const bool taken = std::any_of(entries_.begin(), entries_.end(),
                                   [&](const Entry& e) { return e.Caption == caption; });
    if (!taken) return caption;
  }
}

TTintorbCanvasItem* TCanvasItemList::AddFront(std::unique_ptr<TTintorbCanvasItem> item) {
  std::string caption = NewItemCaption();
  entries_.insert(entries_.begin(), Entry{std::move(caption), std::move(item)});
  return entries_.front().Item.get();
}

TTintorbCanvasItem* TCanvasItemList::AddBack(std::unique_ptr<TTintorbCanvasItem> item,
                                             std::string caption) {
  entries_.push_back(Entry{std::move(caption), std::move(item)});
  return entries_.back().Item.get();
}

bool TCanvasItemList::Remove(const TTintorbCanvasItem* item) {
  const int i = IndexOf(item);
  if (i < 0) return false;
  entries_.erase(entries_.begin() + i);
  return true;
}

bool TCanvasItemList::BringToFront(const TTintorbCanvasItem* item) {
  const int i = IndexOf(item);
  if (i <= 0) return false;
  std::rotate(entries_.begin(), entries_.begin() + i, entries_.begin() + i + 1);
  return true;
}

bool TCanvasItemList::Up(const TTintorbCanvasItem* item) {
  const int i = IndexOf(item);
  if (i <= 0) return false;
  std::swap(entries_[i], entries_[i - 1]);
  return true;
}

bool TCanvasItemList::Down(const TTintorbCanvasItem* item) {
  const int i = IndexOf(item);
  if (i < 0 || i + 1 >= static_cast<int>(entries_.size())) return false;
  std::swap(entries_[i], entries_[i + 1]);
  return true;
}

bool TCanvasItemList::SendToBack(const TTintorbCanvasItem* item) {
  const int i = IndexOf(item);
  if (i < 0 || i + 1 >= static_cast<int>(entries_.size())) return false;
  std::rotate(entries_.begin() + i, entries_.begin() + i + 1, entries_.end());
  return true;
}

std::vector<TTintorbCanvasItem*> TCanvasItemList::PaintOrder() const {
  std::vector<TTintorbCanvasItem*> order;
  order.reserve(entries_.size());
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) order.push_back(it->Item.get());
  return order;
}

TTintorbCanvasItem* TCanvasItemList::ItemAtPoint(TPoint p) const {
  for (const auto& e : entries_)
    if (e.Item->BoundsRect().Contains(p)) return e.Item.get();
  return nullptr;
}

// ---- handles and drag geometry ----

bool IsHandle(TDragMode mode) {
  return mode != TDragMode::dmNone && mode != TDragMode::dmMove;
}

std::array<TPoint, 8> HandlePoints(const TCanvasRect& r) {
  // Division truncates toward zero, as the C++ operator does.
  const int midX = r.Left + (r.Right - r.Left) / 2;
  const int midY = r.Top + (r.Bottom - r.Top) / 2;
  return {{{r.Left, r.Top},
           {midX, r.Top},
           {r.Right, r.Top},
           {r.Left, midY},
           {r.Right, midY},
           {r.Left, r.Bottom},
           {midX, r.Bottom},
           {r.Right, r.Bottom}}};
}

TDragMode HitTestHandles(const TCanvasRect& r, TPoint p) {
  const auto points = HandlePoints(r);
  for (size_t i = 0; i < points.size(); ++i) {
    const TCanvasRect zone{points[i].x - 5, points[i].y - 5, points[i].x + 5, points[i].y + 5};
    if (zone.Contains(p)) return static_cast<TDragMode>(static_cast<int>(TDragMode::dmTopLeft) + i);
  }
  return r.Contains(p) ? TDragMode::dmMove : TDragMode::dmNone;
}

TCanvasRect ResizeRect(TDragMode handle, const TCanvasRect& s, TPoint c) {
  TCanvasRect r = s;
  auto spanX = [&](int fixed) {
    r.Left = std::min(fixed, c.x);
    r.Right = std::max(fixed, c.x);
  };
  auto spanY = [&](int fixed) {
    r.Top = std::min(fixed, c.y);
    r.Bottom = std::max(fixed, c.y);
  };
  switch (handle) {
    case TDragMode::dmTopLeft:
      spanX(s.Right);
      spanY(s.Bottom);
      break;
    case TDragMode::dmTopRight:
      spanX(s.Left);
      spanY(s.Bottom);
      break;
    case TDragMode::dmBottomLeft:
      spanX(s.Right);
      spanY(s.Top);
      break;
    case TDragMode::dmBottomRight:
      spanX(s.Left);
      spanY(s.Top);
      break;
    case TDragMode::dmTopMiddle:
      spanY(s.Bottom);
      break;
    case TDragMode::dmBottomMiddle:
      spanY(s.Top);
      break;
    case TDragMode::dmLeftMiddle:
      spanX(s.Right);
      break;
    case TDragMode::dmRightMiddle:
      spanX(s.Left);
      break;
    case TDragMode::dmNone:
    case TDragMode::dmMove:
      break;
  }
  return r;
}

void KeepInsideCanvas(TTintorbCanvasItem& item) {
  // Moving cannot bring a rectangle larger than the area inside it; only then
  // is it cut to the area.
  item.Width = std::min(item.Width, kCanvasSize);
  item.Height = std::min(item.Height, kCanvasSize);
  if (item.Left < 0) item.Left = 0;
  if (item.Top < 0) item.Top = 0;
  if (item.Left + item.Width > kCanvasSize) item.Left = kCanvasSize - item.Width;
  if (item.Top + item.Height > kCanvasSize) item.Top = kCanvasSize - item.Height;
}

// ---- window state ----

bool TCanvas::Select(TTintorbCanvasItem* item) {
  if (item == selected_) return false;
  selected_ = item;
  return true;
}

TCanvas::PressResult TCanvas::MouseDown(TPoint p, TPoint scroll) {
  PressResult result;
  const TPoint c{p.x + scroll.x, p.y + scroll.y};
  dragged_ = nullptr;
  if (selected_) {
    dragMode_ = HitTestHandles(selected_->BoundsRect(), c);
    if (IsHandle(dragMode_)) dragged_ = selected_;
  } else {
    // With nothing selected, a press picks the item under the pointer and
    // moves it straight away.
    dragMode_ = TDragMode::dmMove;
  }
  if (!dragged_) {
    TTintorbCanvasItem* q = Items.ItemAtPoint(c);
    result.selectionChanged = Select(q);
    dragged_ = q;
  }
  if (dragged_) {
    dragStart_ = dragged_->BoundsRect();
    grab_ = {p.x - dragged_->Left, p.y - dragged_->Top};
    result.dragStarted = true;
  }
  return result;
}

bool TCanvas::MouseMove(TPoint p, TPoint scroll) {
  if (!dragged_) return false;
  const TPoint c{p.x + scroll.x, p.y + scroll.y};
  if (dragMode_ == TDragMode::dmMove) {
    dragged_->Left = p.x - grab_.x;
    dragged_->Top = p.y - grab_.y;
  } else if (IsHandle(dragMode_)) {
    dragged_->SetBoundsRect(ResizeRect(dragMode_, dragStart_, c));
  } else {
    dragged_->SetBoundsRect(dragStart_);
  }
  KeepInsideCanvas(*dragged_);
  return true;
}

TDragMode TCanvas::HoverMode(TPoint p, TPoint scroll) const {
  if (!selected_ || dragged_) return TDragMode::dmNone;
  return HitTestHandles(selected_->BoundsRect(), {p.x + scroll.x, p.y + scroll.y});
}

TCanvasRect TCanvas::Outline(TPoint scroll) const {
  if (!dragged_) return {};
  return dragged_->BoundsRect().Offset(-scroll.x, -scroll.y);
}

TTintorbCanvasItem* TCanvas::AddItem(int paintWidth, int paintHeight, TColor color) {
  auto item = std::make_unique<TTintorbCanvasItem>();
  item->Kind = 0;
  item->Visible = true;
  item->Left = paintWidth / 4;
  item->Top = paintHeight / 4;
  item->Width = paintWidth / 2;
  item->Height = paintHeight / 2;
  item->Color = color;
  return Items.AddFront(std::move(item));
}

bool TCanvas::DeleteSelected() {
  if (!selected_) return false;
  // A key press can delete the item under a running drag; the drag ends with it.
  if (dragged_ == selected_) dragged_ = nullptr;
  Items.Remove(selected_);
  selected_ = nullptr;
  return true;
}

bool TCanvas::DeleteAll() {
  const bool changed = Items.Count() > 0 || selected_;
  dragged_ = nullptr;
  selected_ = nullptr;
  Items.Clear();
  return changed;
}

bool TCanvas::ApplyColor(TColor color) {
  if (!selected_) return false;
  selected_->Color = color;
  return true;
}

std::vector<TCanvasFill> TCanvas::ItemFills(TPoint scroll, int paintWidth, int paintHeight) const {
  const TCanvasRect box{0, 0, paintWidth, paintHeight};
  std::vector<TCanvasFill> fills;
  for (const TTintorbCanvasItem* item : Items.PaintOrder()) {
    if (!item->Visible) continue;
    const TCanvasRect part = item->BoundsRect().Offset(-scroll.x, -scroll.y).Intersect(box);
    if (!part.IsEmpty()) fills.push_back({part, item->Color});
  }
  return fills;
}

std::vector<TCanvasRect> TCanvas::HandleSquares(TPoint scroll, int paintWidth,
                                                int paintHeight) const {
  if (!selected_) return {};
  const TCanvasRect r = selected_->BoundsRect().Offset(-scroll.x, -scroll.y);
  // A selected item shrunk to zero width or height keeps its handles on screen,
  // or it could not be found again.
  const TCanvasRect probe{r.Left, r.Top, std::max(r.Right, r.Left + 1),
                          std::max(r.Bottom, r.Top + 1)};
  if (probe.Intersect({0, 0, paintWidth, paintHeight}).IsEmpty()) return {};
  std::vector<TCanvasRect> squares;
  for (const TPoint& h : HandlePoints(r)) squares.push_back({h.x - 3, h.y - 3, h.x + 3, h.y + 3});
  return squares;
}

int CanvasPageSize(int clientExtent) {
  return std::clamp(clientExtent, 0, kCanvasSize + 1);
}

int CanvasScrollMax(int pageSize) {
  // The position range 0..4096 is inclusive, so a page of n pixels stops at 4097 - n.
  if (pageSize <= 0) return kCanvasSize;
  return std::max(0, kCanvasSize + 1 - pageSize);
}

}  // namespace tintorb

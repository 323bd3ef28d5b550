#include "app/PictureView.h"

#include <algorithm>
#include <cmath>

namespace tintorb {

namespace {

// A picture narrower than the window is centred; a wider one leaves no gap
// at either edge.
double Keep(double pos, double size, int win) {
  if (size <= win) return (win - size) / 2;
  return std::clamp(pos, win - size, 0.0);
}

TPictureView Clamped(TPictureView v) {
  v.x = Keep(v.x, v.w * v.zoom, v.winW);
  v.y = Keep(v.y, v.h * v.zoom, v.winH);
  return v;
}

}  // namespace

TPictureView FitPicture(int w, int h, int winW, int winH) {
  TPictureView v;
  v.w = std::max(1, w), v.h = std::max(1, h);
  v.winW = std::max(1, winW), v.winH = std::max(1, winH);
  v.zoom = std::min({double(v.winW) / v.w, double(v.winH) / v.h, kPictureMaxZoom});
  v.minZoom = v.zoom;
  return Clamped(v);
}

TPictureView ZoomAt(TPictureView v, double factor, double px, double py) {
  const double z = std::clamp(v.zoom * factor, v.minZoom, std::max(v.minZoom, kPictureMaxZoom));
  const double fx = (px - v.x) / v.zoom, fy = (py - v.y) / v.zoom;
  v.zoom = z;
  v.x = px - fx * z;
  v.y = py - fy * z;
  return Clamped(v);
}

TPictureView PanBy(TPictureView v, double dx, double dy) {
  v.x += dx;
  v.y += dy;
  return Clamped(v);
}

TPictureView Reveal(TPictureView v, int cx, int cy) {
  const double margin = std::min(64.0, std::min(v.winW, v.winH) / 4.0);
  const double l = v.x + cx * v.zoom, t = v.y + cy * v.zoom;
  const double r = l + v.zoom, b = t + v.zoom;
  if (l < margin) v.x += margin - l;
  if (r > v.winW - margin) v.x -= r - (v.winW - margin);
  if (t < margin) v.y += margin - t;
  if (b > v.winH - margin) v.y -= b - (v.winH - margin);
  return Clamped(v);
}

}  // namespace tintorb

// How a picture lies in the pick window: fitted to the screen at first, then
// zoomed around the pointer and panned, never drifting off the window.
#pragma once

namespace tintorb {

inline constexpr double kPictureMaxZoom = 16;

struct TPictureView {
  double zoom = 1;      // window pixels per picture pixel
  double x = 0, y = 0;  // window position of the picture's top left corner
  int w = 0, h = 0;     // picture size
  int winW = 0, winH = 0;
  double minZoom = 1;  // the fitted zoom
};

// The whole w x h picture in the window, centred, at most 16 x.
TPictureView FitPicture(int w, int h, int winW, int winH);
// Zoom by `factor` (between the fitted zoom and 16 x), the picture point
// under the window point (px, py) staying under it.
TPictureView ZoomAt(TPictureView v, double factor, double px, double py);
// Moved by (dx, dy) window pixels, then kept on the window.
TPictureView PanBy(TPictureView v, double dx, double dy);
// Scrolled as little as needed to show picture pixel (cx, cy) with a margin.
TPictureView Reveal(TPictureView v, int cx, int cy);

}  // namespace tintorb

// The canvas window as the main window sees it. The canvas is created hidden
// after the main window and before the sheets; it reaches the main window
// through TSheetHost, passing CanvasWindow() as the sender of its changes.
#pragma once

#include <memory>

class QWidget;

namespace tintorb {

class TSheetHost;

class TCanvasLink {
 public:
  virtual ~TCanvasLink() = default;  // writes the canvas's settings keys
  // The top-level window: the sender of its colour changes, and what
  // actCanvas shows and hides.
  virtual QWidget* CanvasWindow() = 0;
  // The main window's current or background colour changed (not by the canvas).
  virtual void ApplyCurrentColor() = 0;
};

// nullptr while the program is built without a canvas window.
std::unique_ptr<TCanvasLink> CreateCanvasWindow(TSheetHost& host);

}  // namespace tintorb

#include "app/ui/AppStyle.h"

#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>

namespace tintorb {

namespace {

// Asks the style for the icon only when something is drawn with it. The menu
// bar and every tool bar make an overflow button at construction, and Qt 6.4
// reads its picture through QImageReader, which opens every image format
// plug-in (WebP, TIFF, ...) to ask whether it reads PNG: a large share of the
// start-up time and memory, for a button shown only in a narrow window.
class TDeferredIconEngine : public QIconEngine {
 public:
  TDeferredIconEngine(QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Real().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Real().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Real().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Real().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Real().availableSizes(mode, state);
  }
  bool isNull() override { return false; }  // known without reading it
  QIconEngine* clone() const override { return new TDeferredIconEngine(style_, which_); }
  QString key() const override { return QStringLiteral("TDeferredIconEngine"); }

 private:
  QIcon& Real() {
    if (!loaded_ && style_) {
      real_ = style_->standardIcon(which_);
      loaded_ = true;
    }
    return real_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  QIcon real_;
  bool loaded_ = false;
};

class TAppStyle : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                     const QWidget* widget) const override {
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
      return QIcon(new TDeferredIconEngine(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
  }
};

}  // namespace

QStyle* CreateAppStyle() {
  return new TAppStyle;
}

}  // namespace tintorb

// Conversions between the model's values and Qt's at the UI boundary.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "core/Color.h"
#include "platform/Desktop.h"

namespace tintorb {

inline QString ToQ(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string ToStd(const QString& s) {
  return s.toStdString();
}

// System colours are resolved first.
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);

// Sizes are points at 96 dots per inch, as the settings store them, so a font
// looks the same whatever DPI the X server claims.
QFont FontSpecToQFont(const TFontSpec& font);
TFontSpec QFontToFontSpec(const QFont& font, TColor color);
int PointsToPixels(int points);
int PixelsToPoints(int pixels);

// "HTML ファイル (*.html)|*.html|すべて (*.*)|*.*" -> Qt's ";;" form.
QString WindowsFilterToQt(const std::string& filter);

// Windows message texts break lines with CR (or CR LF).
QString MessageText(const std::string& text);

// A stored window rectangle fitted into the screens' available areas.
QRect FitToScreens(const QRect& r);

// Japanese Windows faces map onto the installed IPA fonts.
void InstallFontSubstitutes();

// The face a window draws for `family`: itself when installed, else its first
// installed substitute ("MS UI Gothic" is IPAPGothic here), else unchanged.
QString DrawnFamily(const QString& family);
// FontSpecToQFont with the family DrawnFamily gives, for showing text.
QFont DrawnFont(const TFontSpec& font);

}  // namespace tintorb

#include "platform/ui/QtConvert.h"

#include <fontconfig/fontconfig.h>

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <cmath>
#include <map>

#include "platform/WindowRect.h"

namespace tintorb {

QColor ToQColor(TColor c) {
  const TColor rgb = ResolveColor(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c) {
  return RGB(c.red(), c.green(), c.blue());
}

int PointsToPixels(int points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}
int PixelsToPoints(int pixels) {
  return static_cast<int>(std::lround(pixels * 72.0 / 96.0));
}

QFont FontSpecToQFont(const TFontSpec& font) {
  QFont f(ToQ(font.name));
  f.setPixelSize(std::max(1, PointsToPixels(font.size)));
  f.setBold(font.style & 1);
  f.setItalic(font.style & 2);
  f.setUnderline(font.style & 4);
  f.setStrikeOut(font.style & 8);
  return f;
}

TFontSpec QFontToFontSpec(const QFont& font, TColor color) {
  TFontSpec s;
  s.name = ToStd(font.family());
  if (font.pixelSize() > 0)
    s.size = PixelsToPoints(font.pixelSize());
  else
    s.size = static_cast<int>(std::lround(font.pointSizeF()));
  s.color = color;
  s.style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
            (font.strikeOut() ? 8 : 0);
  return s;
}

QString WindowsFilterToQt(const std::string& filter) {
  const QStringList parts = ToQ(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString desc = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    // Qt takes the patterns from the parentheses; keep the description as shown.
    if (desc.contains('('))
      out << desc.left(desc.indexOf('(')).trimmed() + " (" + patterns + ")";
    else
      out << desc + " (" + patterns + ")";
  }
  return out.join(";;");
}

QString MessageText(const std::string& text) {
  QString s = ToQ(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

QRect FitToScreens(const QRect& r) {
  std::vector<TWindowRect> areas;
  const auto add = [&areas](const QScreen* s) {
    const QRect a = s->availableGeometry();
    areas.push_back({a.x(), a.y(), a.width(), a.height()});
  };
  // The primary screen first: it takes a rectangle that is on no screen.
  if (QScreen* primary = QGuiApplication::primaryScreen()) add(primary);
  for (QScreen* s : QGuiApplication::screens())
    if (s != QGuiApplication::primaryScreen()) add(s);
  const TWindowRect f = FitWindowRect({r.x(), r.y(), r.width(), r.height()}, areas);
  return QRect(f.left, f.top, f.width, f.height);
}

void InstallFontSubstitutes() {
  const QStringList proportional = {"IPAPGothic", "IPAGothic"};
  const QStringList fixed = {"IPAGothic", "IPAPGothic"};
  for (const char* face : {"MS UI Gothic", "MS PGothic", "ＭＳ Ｐゴシック"})
    QFont::insertSubstitutions(QString::fromUtf8(face), proportional);
  for (const char* face : {"MS Gothic", "ＭＳ ゴシック", "Osaka－等幅"})
    QFont::insertSubstitutions(QString::fromUtf8(face), fixed);
}

namespace {

// The family as its font names it ("ipapgothic" -> "IPAPGothic"), or empty
// when no installed font has that name.
QString InstalledName(const QString& family) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* found = FcFontList(nullptr, pattern, objects);
  QString name;
  for (int i = 0; found && i < found->nfont && name.isEmpty(); ++i) {
    FcChar8* value = nullptr;
    for (int n = 0; FcPatternGetString(found->fonts[i], FC_FAMILY, n, &value) == FcResultMatch;
         ++n) {
      const QString candidate = QString::fromUtf8(reinterpret_cast<const char*>(value));
      if (candidate.compare(family, Qt::CaseInsensitive) == 0) {
        name = candidate;
        break;
      }
    }
  }
  if (found) FcFontSetDestroy(found);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return name;
}

}  // namespace

QString DrawnFamily(const QString& family) {
  // Asked here, once per name: for a face that is not installed Qt asks
  // fontconfig for its fallbacks first, which sorts every font (again for each
  // script) and draws Latin text in another face than the substitute.
  static std::map<QString, QString> known;
  if (const auto it = known.find(family); it != known.end()) return it->second;
  QString drawn = InstalledName(family);
  for (const QString& substitute : QFont::substitutes(family)) {
    if (!drawn.isEmpty()) break;
    drawn = InstalledName(substitute);
  }
  return known[family] = drawn.isEmpty() ? family : drawn;
}

QFont DrawnFont(const TFontSpec& font) {
  QFont f = FontSpecToQFont(font);
  f.setFamily(DrawnFamily(f.family()));
  return f;
}

}  // namespace tintorb

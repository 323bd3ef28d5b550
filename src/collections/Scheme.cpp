#include "collections/Scheme.h"

#include <climits>
#include <cmath>
#include <stdexcept>

namespace tintorb {

int FitRange(int value, int lo, int hi, bool wrap) {
  if (!wrap) return value < lo ? lo : (value > hi ? hi : value);
  const long long period = static_cast<long long>(hi) - lo + 1;
  long long v = (static_cast<long long>(value) - lo) % period;
  if (v < 0) v += period;
  return static_cast<int>(lo + v);
}

int SchemeRnd(long double diff, int n, int index, long double start) {
  long double q = diff / static_cast<long double>(n);
  q = q * static_cast<long double>(index);
  q = q + start;
  // Round to nearest, halves to even: the default rounding mode.
  return static_cast<int>(std::nearbyintl(q));
}

int TSchemeColor::Index() const {
  return scheme_->IndexOf(this);
}

void TSchemeColorFixed::Calculate() {
  TSchemeColor::Calculate();
  switch (FixedKind) {
    case fkForeground:
      Color = Scheme().ForeColor;
      break;
    case fkBackground:
      Color = Scheme().BackColor;
      break;
    case fkOwn:
      Color = FixedColor;
      break;
    default:
      break;
  }
}

void TSchemeColorRandHSV::Calculate() {
  TSchemeColor::Calculate();
  THSV hsv = ColorToHSV(Scheme().ForeColor);
  if (RandHue) hsv.H = static_cast<uint16_t>(MinHSV.H + Random(MaxHSV.H - MinHSV.H + 1));
  if (RandSaturation) hsv.S = static_cast<uint8_t>(MinHSV.S + Random(MaxHSV.S - MinHSV.S + 1));
  if (RandValue) hsv.V = static_cast<uint8_t>(MinHSV.V + Random(MaxHSV.V - MinHSV.V + 1));
  Color = HSVToColor(hsv);
}

void TSchemeColorRefHSV::Calculate() {
  TSchemeColor::Calculate();
  const int i = Index();
  const TColor source = (RefIndex >= 0 && RefIndex < i) ? Scheme().Items(RefIndex).Color : 0;
  THSV hsv = ColorToHSV(source);
  hsv.H = static_cast<uint16_t>(FitRange(hsv.H + HueOffset, 0, 359, true));
  hsv.S = static_cast<uint8_t>(FitRange(hsv.S + SaturationOffset, 0, 255, false));
  hsv.V = static_cast<uint8_t>(FitRange(hsv.V + ValueOffset, 0, 255, false));
  Color = HSVToColor(hsv);
}

void TSchemeColorGradHSV::Calculate() {
  TSchemeColor::Calculate();
  THSV hsv = ColorToHSV(Scheme().ForeColor);
  const int i = Index();
  const int n = Scheme().Count() - 1;
  if (i > 0) {
    if (GradHue) {
      const int d = SchemeRnd(360, n, i, 0);
      hsv.H = static_cast<uint16_t>(FitRange(Increase ? hsv.H + d : hsv.H - d, 0, 359, true));
    }
    if (GradSaturation) {
      const int span = Increase ? 255 - hsv.S : -hsv.S;
      hsv.S = static_cast<uint8_t>(FitRange(SchemeRnd(span, n, i, hsv.S), 0, 255, false));
    }
    if (GradValue) {
      const int span = Increase ? 255 - hsv.V : -hsv.V;
      hsv.V = static_cast<uint8_t>(FitRange(SchemeRnd(span, n, i, hsv.V), 0, 255, false));
    }
  }
  Color = HSVToColor(hsv);
}

void TSchemeColorForeToBack::Calculate() {
  TSchemeColor::Calculate();
  const TRGBRec f = ColorToRGBRec(Scheme().ForeColor);
  const TRGBRec b = ColorToRGBRec(Scheme().BackColor);
  const int i = Index();
  const int n = Scheme().Count() - 1;
  if (i <= 0) {
    Color = RGBToColor(f);
    return;
  }
  auto step = [&](uint8_t fc, uint8_t bc) {
    return static_cast<uint8_t>(FitRange(SchemeRnd(bc - fc, n, i, fc), 0, 255, false));
  };
  TRGBRec r;
  r.R = step(f.R, b.R);
  r.G = step(f.G, b.G);
  r.B = step(f.B, b.B);
  Color = RGBToColor(r);
}

int TScheme::Add(std::unique_ptr<TSchemeColor> entry) {
  if (!entry) throw std::invalid_argument("TScheme::Add: no entry");
  if (entry->scheme_ != this) throw std::invalid_argument("TScheme::Add: entry of another scheme");
  entry->index_ = Count();
  items_.push_back(std::move(entry));
  return Count() - 1;
}

int TScheme::IndexOf(const TSchemeColor* entry) const {
  if (!entry || entry->scheme_ != this) return -1;
  const int i = entry->index_;
  return (i >= 0 && i < Count() && items_[static_cast<size_t>(i)].get() == entry) ? i : -1;
}

void TScheme::Recalculate(TColor foreColor, TColor backColor) {
  ForeColor = foreColor;
  BackColor = backColor;
  for (auto& entry : items_) entry->Calculate();
}

const std::vector<TSchemeTemplateInfo>& SchemeTemplates() {
  using T = TSchemeTemplate;
  static const std::vector<TSchemeTemplateInfo> list = {
      {T::Dyards, "Dyards", "ダイアード（２色配色）", nullptr},
      {T::Triads, "Triads", "トリアード（３色配色）", nullptr},
      {T::SplitComplementary, "SplitComplementary", "スプリット・コンプリメンタリー（３色配色）",
       nullptr},
      {T::Tetrards, "Tetrards", "テトラード（４色配色）", nullptr},
      {T::TetrardsOblong, "TetrardsOblong", "テトラード長方形（４色配色）", nullptr},
      {T::Pentards, "Pentards", "ペンタード（５色配色）", nullptr},
      {T::Hexards, "Hexards", "ヘキサード（６色配色）", nullptr},
      {T::RandomHue, "RandomHue", "色相ランダム", "色相ランダム"},
      {T::RandomSV, "RandomSV", "彩度・明度ランダム", "彩度・明度ランダム"},
      {T::GradHue, "GradHue", "色相のグラデーション", "色相のグラデーション"},
      {T::GradSaturationDark, "GradSaturationDark", "彩度のグラデーション（鈍く）",
       "彩度のグラデーション（鈍く）"},
      {T::GradSaturation, "GradSaturation", "彩度のグラデーション（鮮やかに）",
       "彩度のグラデーション（鮮やかに）"},
      {T::GradValue, "GradValue", "明度のグラデーション（明るく）",
       "明度のグラデーション（明るく）"},
      {T::GradValueDark, "GradValueDark", "明度のグラデーション（暗く）",
       "明度のグラデーション（暗く）"},
      {T::ForeToBack, "ForeToBack", "前景色から背景色へ", "前景色から背景色へ"},
  };
  return list;
}

const TSchemeTemplateInfo& SchemeTemplateInfo(TSchemeTemplate t) {
  for (const auto& info : SchemeTemplates())
    if (info.Template == t) return info;
  throw std::invalid_argument("unknown scheme template");
}

const TSchemeTemplateInfo* FindSchemeTemplate(std::string_view name) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
  for (const auto& info : SchemeTemplates()) {
    const std::string_view n = info.Name;
    if (n.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < n.size() && same; ++k) same = lower(n[k]) == lower(name[k]);
    if (same) return &info;
  }
  return nullptr;
}

int ParseSchemeCount(std::string_view text) {
  // Surrounding blanks are forgiven; anything else but an optional sign and
  // decimal digits is not an integer.
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return -1;
  long long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    if (v <= INT32_MAX) v = v * 10 + (c - '0');
  }
  if (negative) return v > 0 ? -1 : 0;  // every negative count is refused alike
  return v > INT32_MAX ? INT32_MAX : static_cast<int>(v);
}

bool ApplySchemeTemplate(TScheme& scheme, TSchemeTemplate t, int count) {
  using T = TSchemeTemplate;
  const bool counted = SchemeTemplateInfo(t).CountTitle != nullptr;
  if (counted && (count < 1 || count > kMaxSchemeCount)) return false;

  scheme.Clear();
  auto randomHue = [&] { scheme.Emplace<TSchemeColorRandHSV>(true, false, false); };
  auto ref = [&](int hue) { scheme.Emplace<TSchemeColorRefHSV>(0, hue, 0, 0); };
  auto refs = [&](std::initializer_list<int> hues) {
    randomHue();
    for (int h : hues) ref(h);
  };
  switch (t) {
    case T::Dyards:
      refs({180});
      break;
    case T::Triads:
      refs({120, 240});
      break;
    case T::SplitComplementary:
      refs({160, 200});
      break;
    case T::Tetrards:
      refs({90, 180, 270});
      break;
    case T::TetrardsOblong:
      refs({120, 180, 300});
      break;
    case T::Pentards:
      randomHue();
      scheme.Emplace<TSchemeColorFixed>(TColor{clWhite});
      ref(120);
      scheme.Emplace<TSchemeColorFixed>(TColor{clBlack});
      ref(240);
      break;
    case T::Hexards:
      refs({60, 120, 180, 240, 300});
      break;
    default:
      for (int k = 0; k < count; ++k) {
        switch (t) {
          case T::RandomHue:
            scheme.Emplace<TSchemeColorRandHSV>(true, false, false);
            break;
          case T::RandomSV:
            scheme.Emplace<TSchemeColorRandHSV>(false, true, true);
            break;
          case T::GradHue:
            scheme.Emplace<TSchemeColorGradHSV>(true, true, false, false);
            break;
          case T::GradSaturation:
            scheme.Emplace<TSchemeColorGradHSV>(true, false, true, false);
            break;
          case T::GradSaturationDark:
            scheme.Emplace<TSchemeColorGradHSV>(false, false, true, false);
            break;
          case T::GradValue:
            scheme.Emplace<TSchemeColorGradHSV>(true, false, false, true);
            break;
          case T::GradValueDark:
            scheme.Emplace<TSchemeColorGradHSV>(false, false, false, true);
            break;
          case T::ForeToBack:
            scheme.Emplace<TSchemeColorForeToBack>();
            break;
          default:
            break;
        }
      }
      break;
  }
  return true;
}

}  // namespace tintorb

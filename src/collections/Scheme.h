// The scheme generator: a list of small generator entries that compute their
// colours from the foreground and background colours or from earlier entries.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"

namespace tintorb {

class TScheme;

// Brings `value` into [lo, hi]: clamps, or with `wrap` reduces it cyclically
// with period hi - lo + 1 (hue: 360 -> 0, -1 -> 359).
int FitRange(int value, int lo, int hi, bool wrap);
// start + diff / n * index in extended precision, rounded half to even.
int SchemeRnd(long double diff, int n, int index, long double start);

class TSchemeColor {
 public:
  explicit TSchemeColor(TScheme& scheme) : scheme_(&scheme) {}
  virtual ~TSchemeColor() = default;
  TSchemeColor(const TSchemeColor&) = delete;
  TSchemeColor& operator=(const TSchemeColor&) = delete;

  TScheme& Scheme() const { return *scheme_; }
  TColor Color = 0;
  // Every override calls this first: it resets Color to black.
  virtual void Calculate() { Color = 0; }

 protected:
  // The entry's own position in its scheme (-1 when not in it yet).
  int Index() const;

 private:
  friend class TScheme;
  TScheme* scheme_;
  int index_ = -1;  // kept by the scheme, so no entry has to search for itself
};

// A distinct type, so that a plain number passed to the constructor is always
// taken as a colour and never as a kind.
enum TFixedKind : uint8_t { fkForeground = 0, fkBackground = 1, fkOwn = 2 };

class TSchemeColorFixed : public TSchemeColor {
 public:
  TSchemeColorFixed(TScheme& scheme, TColor ownColor)
      : TSchemeColor(scheme), FixedKind(fkOwn), FixedColor(ownColor) {}
  TSchemeColorFixed(TScheme& scheme, TFixedKind kind) : TSchemeColor(scheme), FixedKind(kind) {}
  uint8_t FixedKind;  // a byte: values beyond the three kinds give black
  TColor FixedColor = 0;
  void Calculate() override;
};

class TSchemeColorRandHSV : public TSchemeColor {
 public:
  TSchemeColorRandHSV(TScheme& scheme, bool randHue, bool randSaturation, bool randValue)
      : TSchemeColor(scheme),
        RandHue(randHue),
        RandSaturation(randSaturation),
        RandValue(randValue) {}
  bool RandHue, RandSaturation, RandValue;
  THSV MinHSV = MakeHSV(0, 0, 0);
  THSV MaxHSV = MakeHSV(359, 255, 255);
  void Calculate() override;
};

class TSchemeColorRefHSV : public TSchemeColor {
 public:
  TSchemeColorRefHSV(TScheme& scheme, int32_t refIndex, int32_t hueOffset, int32_t saturationOffset,
                     int32_t valueOffset)
      : TSchemeColor(scheme),
        RefIndex(refIndex),
        HueOffset(hueOffset),
        SaturationOffset(saturationOffset),
        ValueOffset(valueOffset) {}
  int32_t RefIndex, HueOffset, SaturationOffset, ValueOffset;
  void Calculate() override;
};

class TSchemeColorGradHSV : public TSchemeColor {
 public:
  TSchemeColorGradHSV(TScheme& scheme, bool increase, bool gradHue, bool gradSaturation,
                      bool gradValue)
      : TSchemeColor(scheme),
        Increase(increase),
        GradHue(gradHue),
        GradSaturation(gradSaturation),
        GradValue(gradValue) {}
  bool Increase, GradHue, GradSaturation, GradValue;
  void Calculate() override;
};

class TSchemeColorForeToBack : public TSchemeColor {
 public:
  explicit TSchemeColorForeToBack(TScheme& scheme) : TSchemeColor(scheme) {}
  void Calculate() override;
};

class TScheme {
 public:
  TScheme() = default;
  TScheme(const TScheme&) = delete;
  TScheme& operator=(const TScheme&) = delete;

  // Appends; the scheme takes ownership. The entry must belong to this scheme.
  int Add(std::unique_ptr<TSchemeColor> entry);
  template <class T, class... Args>
  T& Emplace(Args&&... args) {
    auto p = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *p;
    Add(std::move(p));
    return ref;
  }
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  TSchemeColor& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
  int IndexOf(const TSchemeColor* entry) const;
  // Stores both colours, then calculates every entry from index 0 upwards.
  void Recalculate(TColor foreColor, TColor backColor);

  TColor ForeColor = 0;
  TColor BackColor = 0;

 private:
  std::vector<std::unique_ptr<TSchemeColor>> items_;
};

// The templates, in the order of the sheet's menu.
enum class TSchemeTemplate {
  Dyards,
  Triads,
  SplitComplementary,
  Tetrards,
  TetrardsOblong,
  Pentards,
  Hexards,
  RandomHue,
  RandomSV,
  GradHue,
  GradSaturationDark,
  GradSaturation,
  GradValue,
  GradValueDark,
  ForeToBack,
};

struct TSchemeTemplateInfo {
  TSchemeTemplate Template;
  const char* Name;        // the action name without "actTemplate"
  const char* Caption;     // menu caption
  const char* CountTitle;  // title of the count prompt; nullptr for the fixed templates
};

const std::vector<TSchemeTemplateInfo>& SchemeTemplates();
const TSchemeTemplateInfo& SchemeTemplateInfo(TSchemeTemplate t);
// Looks a template up by Name, ignoring letter case; nullptr when unknown.
const TSchemeTemplateInfo* FindSchemeTemplate(std::string_view name);

// Beyond this many entries a gradient only repeats colours (there are at most
// 360 hues and 256 levels per component) and the list stops being something
// to pick from; the cap also bounds memory and export sizes.
inline constexpr int kMaxSchemeCount = 4096;
inline constexpr const char* kMsgSchemeCountTooLarge = "一度に作成できるのは 4096 色までです。";
inline constexpr const char* kSchemeCountPrompt = "何色作成しますか？";
inline constexpr const char* kSchemeCountDefault = "8";

// Reads the count box's text. A text that is not an integer reads as -1; an
// integer too large for 32 bits reads as INT32_MAX, so that it counts as over
// the cap rather than as garbage.
int ParseSchemeCount(std::string_view text);

// Clears the scheme and appends the template's entries. `count` is used by
// the counted templates only and must lie in 1..kMaxSchemeCount; returns
// false (scheme untouched) otherwise.
bool ApplySchemeTemplate(TScheme& scheme, TSchemeTemplate t, int count = 0);

}  // namespace tintorb

// The installed font families with their attribute words, and the filtering
// that the font-name list runs over them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace tintorb {

enum TFontNameFilter {
  fnfDevice,
  fnfVector,
  fnfRaster,
  fnfTrueType,
  fnfPrinter,
  fnfSymbolFont,
  fnfJapanese,
  fnfFixedPitch,
  fnfLyingFont,
};

// A set of TFontNameFilter elements.
class TFontNameFilters {
 public:
  constexpr TFontNameFilters() = default;
  constexpr TFontNameFilters(std::initializer_list<TFontNameFilter> list) {
    for (TFontNameFilter f : list) bits_ |= uint16_t(1u << f);
  }
  static constexpr TFontNameFilters FromBits(uint16_t bits) {
    TFontNameFilters s;
    s.bits_ = bits & 0x1FF;
    return s;
  }
  constexpr uint16_t Bits() const { return bits_; }
  constexpr bool Has(TFontNameFilter f) const { return bits_ & (1u << f); }
  constexpr bool Empty() const { return bits_ == 0; }
  void Include(TFontNameFilter f) { bits_ |= uint16_t(1u << f); }
  void Exclude(TFontNameFilter f) { bits_ &= uint16_t(~(1u << f)); }
  friend constexpr bool operator==(TFontNameFilters, TFontNameFilters) = default;

 private:
  uint16_t bits_ = 0;
};

// Attribute word bits.
constexpr uint32_t kFontTypeRaster = 1, kFontTypeDevice = 2, kFontTypeTrueType = 4;
constexpr uint32_t kFontVector = 0x200, kFontFixedPitch = 0x400, kFontPrinterOnly = 0x800;
constexpr uint32_t kFontOnPrinter = 0x80000000u;
constexpr uint32_t kCharsetSymbol = 2, kCharsetJapanese = 128;
constexpr uint32_t FontCharset(uint32_t word) {
  return (word >> 16) & 0xFF;
}

struct TFontEntry {
  std::string name;
  uint32_t attr = 0;
  friend bool operator==(const TFontEntry&, const TFontEntry&) = default;
};

// The word a family gets from what the desktop tells about it.
uint32_t FontAttributeWord(const TFontFamilyInfo& info);
TFontNameFilters FontAttributes(const TFontEntry& entry);
// Case-insensitive order of the table.
bool FontNameLess(const std::string& a, const std::string& b);

// Screen families first, then the printer's merged in when a printer exists.
std::vector<TFontEntry> BuildFontTable(const std::vector<TFontFamilyInfo>& families,
                                       bool printerExists);

// The process-wide table, enumerated from Desktop() on first use.
const std::vector<TFontEntry>& FontTable();
bool FontTableBuilt();
void ResetFontTable();  // next FontTable() enumerates again (tests)

// The item list of a font-name list control, without the control.
class TFontNameList {
 public:
  // The sheet's defaults: every kind but vertical faces.
  static constexpr TFontNameFilters kDefaultCollect = TFontNameFilters::FromBits(0xFF);

  TFontNameFilters CollectFilters() const { return collect_; }
  void SetCollectFilters(TFontNameFilters f);
  TFontNameFilters ExclusiveFilters() const { return exclusive_; }
  void SetExclusiveFilters(TFontNameFilters f);
  const std::vector<std::string>& VisibleFontNames() const { return visible_; }
  void SetVisibleFontNames(std::vector<std::string> names);
  const std::vector<std::string>& InvisibleFontNames() const { return invisible_; }
  void SetInvisibleFontNames(std::vector<std::string> names);

  // Builds the items from `table` (FontTable() when null; later property
  // changes rebuild from the same one); keeps the selected name.
  void RebuildItems(const std::vector<TFontEntry>* table = nullptr);
  bool Built() const { return built_; }
  const std::vector<TFontEntry>& Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }
  // Selects the first item of that name (any case), item 0 when none; true
  // when the selection changed.
  bool SetValue(const std::string& name);
  bool SetItemIndex(int index);
  std::string Value() const;

  // Runs after a property change rebuilt the items.
  std::function<void()> OnRebuilt;

 private:
  bool Passes(const TFontEntry& e) const;
  void PropertyChanged();

  TFontNameFilters collect_ = kDefaultCollect;
  TFontNameFilters exclusive_;
  std::vector<std::string> visible_, invisible_;
  std::vector<TFontEntry> items_;
  int itemIndex_ = -1;
  std::string pendingValue_;                         // asked for before the items existed
  const std::vector<TFontEntry>* source_ = nullptr;  // null: FontTable()
  bool built_ = false;
};

}  // namespace tintorb

#include "collections/FontTable.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "core/TextCase.h"

namespace tintorb {

namespace {

bool ContainsName(const std::vector<std::string>& list, const std::string& name) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& s) { return SameText(s, name); });
}

void RemoveName(std::vector<std::string>& list, const std::string& name) {
  std::erase_if(list, [&](const std::string& s) { return SameText(s, name); });
}

// A family that fonts of two foundries share comes once per foundry, as
// "Family [Foundry]"; its plain name draws with either.
std::string WithoutFoundry(const std::string& name) {
  const size_t open = name.rfind(" [");
  if (open == std::string::npos || open == 0 || name.back() != ']') return name;
  return name.substr(0, open);
}

// One enumeration pass: each family once (first report wins), sorted.
std::vector<TFontEntry> Enumerate(const std::vector<TFontFamilyInfo>& families, bool printer) {
  std::vector<TFontEntry> out;
  std::unordered_set<std::string> seen;
  for (const TFontFamilyInfo& f : families) {
    if (printer ? !f.printer : !f.screen) continue;
    // The platform's face names end at 31 characters; longer names are kept
    // whole, as cutting UTF-8 could leave half a character.
    std::string name = WithoutFoundry(f.name);
    if (name.empty() || !seen.insert(FoldCase(name)).second) continue;
    out.push_back({std::move(name), FontAttributeWord(f)});
  }
  std::stable_sort(out.begin(), out.end(), [](const TFontEntry& a, const TFontEntry& b) {
    return FontNameLess(a.name, b.name);
  });
  return out;
}

std::unique_ptr<std::vector<TFontEntry>>& TableSlot() {
  static std::unique_ptr<std::vector<TFontEntry>> table;
  return table;
}

constexpr uint16_t kTypeBits =
    (1u << fnfDevice) | (1u << fnfVector) | (1u << fnfRaster) | (1u << fnfTrueType);

}  // namespace

uint32_t FontAttributeWord(const TFontFamilyInfo& info) {
  uint32_t w = 0;
  if (info.scalable)
    w |= kFontTypeTrueType;
  else if (info.screen)
    w |= kFontTypeRaster;
  else
    w |= kFontTypeDevice;  // a bitmap font only the printer has
  if (info.fixedPitch) w |= kFontFixedPitch;
  uint32_t charset = 0;
  if (info.japanese)
    charset = kCharsetJapanese;
  else if (info.symbol)
    charset = kCharsetSymbol;
  return w | (charset << 16);
}

TFontNameFilters FontAttributes(const TFontEntry& e) {
  TFontNameFilters a;
  const uint32_t type = e.attr & 7;
  if (type & kFontTypeDevice) a.Include(fnfDevice);
  if (e.attr & kFontVector) a.Include(fnfVector);
  if (type & kFontTypeRaster) a.Include(fnfRaster);
  if (type & kFontTypeTrueType) a.Include(fnfTrueType);
  if (e.attr & kFontOnPrinter) a.Include(fnfPrinter);
  if (FontCharset(e.attr) == kCharsetSymbol) a.Include(fnfSymbolFont);
  if (FontCharset(e.attr) == kCharsetJapanese) a.Include(fnfJapanese);
  if (e.attr & kFontFixedPitch) a.Include(fnfFixedPitch);
  if (!e.name.empty() && e.name[0] == '@') a.Include(fnfLyingFont);
  return a;
}

bool FontNameLess(const std::string& a, const std::string& b) {
  const std::string fa = FoldCase(a), fb = FoldCase(b);
  if (fa != fb) return fa < fb;
  return a < b;
}

std::vector<TFontEntry> BuildFontTable(const std::vector<TFontFamilyInfo>& families,
                                       bool printerExists) {
  std::vector<TFontEntry> table = Enumerate(families, false);
  if (!printerExists) return table;
  for (const TFontEntry& p : Enumerate(families, true)) {
    auto it = std::find_if(table.begin(), table.end(),
                           [&](const TFontEntry& e) { return SameText(e.name, p.name); });
    if (it != table.end()) {
      it->attr |= kFontOnPrinter;
      continue;
    }
    auto at = std::upper_bound(
        table.begin(), table.end(), p.name,
        [](const std::string& n, const TFontEntry& e) { return FontNameLess(n, e.name); });
    table.insert(at, {p.name, p.attr | kFontOnPrinter | kFontPrinterOnly});
  }
  return table;
}

const std::vector<TFontEntry>& FontTable() {
  auto& slot = TableSlot();
  if (!slot) {
    TDesktop& d = Desktop();
    slot = std::make_unique<std::vector<TFontEntry>>(
        BuildFontTable(d.FontFamilies(), d.PrinterExists()));
  }
  return *slot;
}

bool FontTableBuilt() {
  return TableSlot() != nullptr;
}

void ResetFontTable() {
  TableSlot().reset();
}

void TFontNameList::SetCollectFilters(TFontNameFilters f) {
  if (f == collect_) return;
  collect_ = f;
  PropertyChanged();
}

void TFontNameList::SetExclusiveFilters(TFontNameFilters f) {
  // A newly asked-for font type replaces the others: a font has one type.
  const uint16_t added = f.Bits() & ~exclusive_.Bits() & kTypeBits;
  if (added) {
    const uint16_t first = added & uint16_t(-int(added));  // lowest set bit
    f = TFontNameFilters::FromBits(uint16_t((f.Bits() & ~kTypeBits) | first));
  }
  if (f == exclusive_) return;
  exclusive_ = f;
  PropertyChanged();
}

void TFontNameList::SetVisibleFontNames(std::vector<std::string> names) {
  if (names == visible_) return;
  for (const std::string& n : names) RemoveName(invisible_, n);
  visible_ = std::move(names);
  PropertyChanged();
}

void TFontNameList::SetInvisibleFontNames(std::vector<std::string> names) {
  if (names == invisible_) return;
  for (const std::string& n : names) RemoveName(visible_, n);
  invisible_ = std::move(names);
  PropertyChanged();
}

void TFontNameList::PropertyChanged() {
  // Before the first build there is nothing to redo; the build reads the properties.
  if (!built_) return;
  RebuildItems(source_);
  if (OnRebuilt) OnRebuilt();
}

bool TFontNameList::Passes(const TFontEntry& e) const {
  if (ContainsName(visible_, e.name)) return true;
  if (ContainsName(invisible_, e.name)) return false;
  TFontNameFilters a = FontAttributes(e);
  if (!(e.attr & kFontPrinterOnly)) a.Exclude(fnfPrinter);
  for (TFontNameFilter f : {fnfPrinter, fnfSymbolFont, fnfJapanese, fnfFixedPitch, fnfLyingFont})
    if (a.Has(f) && !collect_.Has(f)) return false;
  if (!(a.Bits() & collect_.Bits() & kTypeBits)) return false;
  return (exclusive_.Bits() & ~a.Bits()) == 0;
}

void TFontNameList::RebuildItems(const std::vector<TFontEntry>* table) {
  const std::string keep = built_ ? Value() : pendingValue_;
  source_ = table;
  const std::vector<TFontEntry>& src = table ? *table : FontTable();
  items_.clear();
  for (const TFontEntry& e : src)
    if (Passes(e)) items_.push_back(e);
  built_ = true;
  itemIndex_ = -1;
  pendingValue_.clear();
  SetValue(keep);
}

bool TFontNameList::SetValue(const std::string& name) {
  if (!built_) {
    pendingValue_ = name;
    return false;
  }
  int index = items_.empty() ? -1 : 0;
  for (size_t i = 0; i < items_.size(); ++i)
    if (SameText(items_[i].name, name)) {
      index = int(i);
      break;
    }
  return SetItemIndex(index);
}

bool TFontNameList::SetItemIndex(int index) {
  if (index < -1 || index >= int(items_.size())) index = -1;
  if (index == itemIndex_) return false;
  itemIndex_ = index;
  return true;
}

std::string TFontNameList::Value() const {
  if (!built_) return pendingValue_;
  return itemIndex_ >= 0 ? items_[size_t(itemIndex_)].name : std::string();
}

}  // namespace tintorb

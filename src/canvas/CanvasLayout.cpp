#include "canvas/CanvasLayout.h"

#include <charconv>
#include <string>
#include <vector>

namespace tintorb {

namespace {

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

[[noreturn]] void Fail(int lineNo, const std::string& what) {
  throw ECanvasLayoutError("line " + std::to_string(lineNo) + ": " + what);
}

int ReadNumber(std::string_view field, const char* name, int lineNo) {
  int value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc() || end != field.data() + field.size())
    Fail(lineNo, std::string(name) + " '" + std::string(field) + "' is not an integer");
  if (value < 0 || value > kCanvasSize)
    Fail(lineNo, std::string(name) + " " + std::to_string(value) + " is outside 0..4096");
  return value;
}

TColor ReadColor(std::string_view field, int lineNo) {
  std::string_view digits = field;
  if (!digits.empty() && digits.front() == '#') digits.remove_prefix(1);
  bool hex = digits.size() == 6;
  for (char ch : digits)
    hex = hex && ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'));
  TColor color = 0;
  if (!hex || !TryHexToColor(digits, color))
    Fail(lineNo, "colour '" + std::string(field) + "' is not six hexadecimal digits RRGGBB");
  return color;
}

}  // namespace

TCanvasLayout ParseCanvasLayout(std::string_view text) {
  TCanvasLayout layout;
  int lineNo = 0;
  bool first = true;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fields = SplitFields(line);
    if (fields.empty()) continue;

    if (fields[0] == "background") {
      if (!first) Fail(lineNo, "the background line must come first");
      if (fields.size() != 2) Fail(lineNo, "expected 'background RRGGBB'");
      layout.Background = ReadColor(fields[1], lineNo);
      first = false;
      continue;
    }
    first = false;
    if (fields.size() != 5) Fail(lineNo, "expected 'LEFT TOP WIDTH HEIGHT RRGGBB'");
    auto item = std::make_unique<TTintorbCanvasItem>();
    item->Left = ReadNumber(fields[0], "LEFT", lineNo);
    item->Top = ReadNumber(fields[1], "TOP", lineNo);
    item->Width = ReadNumber(fields[2], "WIDTH", lineNo);
    item->Height = ReadNumber(fields[3], "HEIGHT", lineNo);
    item->Color = ReadColor(fields[4], lineNo);
    if (item->Left + item->Width > kCanvasSize || item->Top + item->Height > kCanvasSize)
      Fail(lineNo, "the item does not fit in the 4096 x 4096 canvas");
    const std::string caption = "アイテム " + std::to_string(layout.Items.Count() + 1);
    layout.Items.AddBack(std::move(item), caption);
  }
  return layout;
}

}  // namespace tintorb

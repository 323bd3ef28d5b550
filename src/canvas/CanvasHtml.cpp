#include "canvas/CanvasHtml.h"

#include <cstdio>

#include "core/TextFile.h"

namespace tintorb {

namespace {

constexpr const char* kProductName = "Tintorb";

// Lines with an indentation depth: an opening line indents what follows it, a
// closing line is written one level out.
class TIndentedLines {
 public:
  void Add(const std::string& text) { lines_.push_back(std::string(depth_, '\t') + text); }
  void Open(const std::string& text) {
    Add(text);
    ++depth_;
  }
  void Close(const std::string& text) {
    if (depth_ > 0) --depth_;
    Add(text);
  }
  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
  size_t depth_ = 0;
};

std::string Format(const char* fmt, auto... args) {
  const int n = std::snprintf(nullptr, 0, fmt, args...);
  std::string s(static_cast<size_t>(n), '\0');
  std::snprintf(s.data(), s.size() + 1, fmt, args...);
  return s;
}

}  // namespace

std::vector<std::string> CanvasHtmlLines(const TCanvasItemList& items, TColor backColor) {
  const auto order = items.PaintOrder();
  TIndentedLines out;
  out.Open("<html>");
  out.Open("<head>");
  out.Add("<meta http-equiv=\"content-type\" content=\"text/html;charset=Shift_JIS\">");
  out.Add(Format("<meta name=\"generator\" content=\"%s\">", kProductName));
  out.Add(Format("<title>%s - キャンバス</title>", kProductName));
  out.Add("<style type=\"text/css\" media=\"screen\">");
  out.Open("<!--");
  for (size_t i = 0; i < order.size(); ++i) {
    const TTintorbCanvasItem& item = *order[i];
    const int layer = static_cast<int>(i);
    out.Add(
        Format("#layer%d { background-color: #%s; position: absolute;z-index: %d; top: %dpx; "
               "left: %dpx; width: %dpx; height: %dpx; visibility: visible; display: block }",
               layer, ColorToHex(item.Color).c_str(), layer, item.Top, item.Left, item.Width,
               item.Height));
  }
  out.Close("-->");
  out.Add("</style>");
  out.Close("</head>");
  out.Open(Format("<body bgcolor=\"#%s\">", ColorToHex(backColor).c_str()));
  for (size_t i = 0; i < order.size(); ++i)
    out.Add(Format("<div id=\"layer%d\"></div>", static_cast<int>(i)));
  out.Close("</body>");
  out.Close("</html>");
  return out.Take();
}

std::string CanvasHtmlBytes(const TCanvasItemList& items, TColor backColor) {
  std::string text;
  for (const std::string& line : CanvasHtmlLines(items, backColor)) {
    text += line;
    text += "\r\n";
  }
  // Anything CP932 cannot hold becomes a numeric character reference.
  return Utf8ToCp932Html(text);
}

void ExportCanvasHtml(const std::string& path, const TCanvasItemList& items, TColor backColor) {
  WriteFileAtomic(path, CanvasHtmlBytes(items, backColor));
}

}  // namespace tintorb

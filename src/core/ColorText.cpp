#include "core/ColorText.h"

#include <cstdio>
#include <iterator>

#include "core/CssColor.h"

namespace tintorb {

namespace {

struct TTagForm {
  std::string_view name;
  std::string_view prefix;
  std::string_view suffix;
  std::string_view initialCaption;
};

// Indexed by TTagAction. The last five keep their action names as captions
// until the menu is first opened.
constexpr TTagForm kTagForms[] = {
    {"actTagFont", "<FONT COLOR=", ">", "<&FONT>"},
    {"actTagHR", "<HR COLOR=", ">", "<&HR>"},
    {"actTagTable", "<TABLE BGCOLOR=", ">", "<&TABLE>"},
    {"actTagTR", "<TR BGCOLOR=", ">", "<T&R>"},
    {"actTagTH", "<TH BGCOLOR=", ">", "<T&H>"},
    {"actTagTD", "<TD BGCOLOR=", ">", "<T&D>"},
    {"actTagStyleColor", "color: ", "", "&color:"},
    {"actTagText", "TEXT=", "", "actTagText"},
    {"actTagBgColor", "BGCOLOR=", "", "actTagBgColor"},
    {"actLink", "LINK=", "", "actLink"},
    {"actALink", "ALink=", "", "actALink"},
    {"actVLink", "VLink=", "", "actVLink"},
};
static_assert(std::size(kTagForms) == kTagActions.size());

constexpr std::string_view kLiteralNames[] = {"actDelphi", "actVisualBasic", "actIAppli",
                                              "actIAppli16"};
static_assert(std::size(kLiteralNames) == kLiteralActions.size());

const TTagForm& FormOf(TTagAction action) {
  return kTagForms[static_cast<size_t>(action)];
}

// The value inside a tag text: "#", then quotes, then lower case; never "COLOR=".
std::string TagValue(TColor color, const TCopyOptions& options, bool quote) {
  std::string v = ColorToHex(color);
  if (options.sharp) v = "#" + v;
  if (quote && options.quote) v = "\"" + v + "\"";
  if (options.lower) v = AsciiLower(v);
  return v;
}

std::string TagWith(TTagAction action, const std::string& value) {
  const TTagForm& form = FormOf(action);
  return std::string(form.prefix) + value + std::string(form.suffix);
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string s(text);
  for (char& ch : s)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  return s;
}

std::string ApplyCopyOptions(std::string_view text, bool noSharp, const TCopyOptions& options) {
  std::string s(text);
  if (!noSharp && options.sharp) s = "#" + s;
  if (options.quote) s = "\"" + s + "\"";
  if (options.lower) s = AsciiLower(s);
  // After lower case, so the tag stays upper case.
  if (options.colorTag) s = "COLOR=" + s;
  return s;
}

std::string CopyColorText(TColor color, const TCopyOptions& options) {
  return ApplyCopyOptions(ColorToHex(color), false, options);
}

std::string_view TagActionName(TTagAction action) {
  return FormOf(action).name;
}

std::optional<TTagAction> TagActionFromName(std::string_view name) {
  for (TTagAction a : kTagActions)
    if (FormOf(a).name == name) return a;
  return std::nullopt;
}

std::string_view TagInitialCaption(TTagAction action) {
  return FormOf(action).initialCaption;
}

std::string TagText(TTagAction action, TColor color, const TCopyOptions& options) {
  // A style declaration takes the value bare.
  const bool quote = action != TTagAction::actTagStyleColor;
  return TagWith(action, TagValue(color, options, quote));
}

std::string TagCaption(TTagAction action, TColor color, const TCopyOptions& options) {
  return TagWith(action, TagValue(color, options, true));
}

std::string_view LiteralActionName(TLiteralAction action) {
  return kLiteralNames[static_cast<size_t>(action)];
}

std::optional<TLiteralAction> LiteralActionFromName(std::string_view name) {
  for (TLiteralAction a : kLiteralActions)
    if (LiteralActionName(a) == name) return a;
  return std::nullopt;
}

std::string LiteralCaption(TLiteralAction action, TColor color) {
  const std::string h = ColorToHex(color);
  const std::string bgr = h.substr(4, 2) + h.substr(2, 2) + h.substr(0, 2);
  const TRGBRec rgb = ColorToRGBRec(color);
  char buf[64];
  switch (action) {
    case TLiteralAction::actDelphi:
      return "$00" + bgr;
    case TLiteralAction::actVisualBasic:
      return "&&H" + bgr;
    case TLiteralAction::actIAppli:
      std::snprintf(buf, sizeof buf, "g.getColorOfRGB(%d, %d, %d)", rgb.R, rgb.G, rgb.B);
      return buf;
    case TLiteralAction::actIAppli16:
      std::snprintf(buf, sizeof buf, "g.getColorOfRGB(0x%.2X, 0x%.2X, 0x%.2X)", rgb.R, rgb.G,
                    rgb.B);
      return buf;
  }
  return {};
}

std::string LiteralCopyText(std::string_view caption) {
  if (caption.substr(0, 2) == "&&") caption.remove_prefix(1);
  return std::string(caption);
}

std::string LiteralText(TLiteralAction action, TColor color) {
  return LiteralCopyText(LiteralCaption(action, color));
}

std::string WindowCaptionText(TColor color, const TCopyOptions& options) {
  return "Tintorb [" + CopyColorText(color, options) + "]";
}

std::string TaskBarTitleText(TColor color) {
  return "Tintorb [" + ColorToHex(color) + "]";
}

bool AcceptPastedText(std::string_view text, TColor& out) {
  // The plain hex rule goes first, so whatever it reads keeps its meaning.
  return TryHexToColor(text, out) || TryCssToColor(text, out);
}

}  // namespace tintorb

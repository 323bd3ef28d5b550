// Every text the program makes from a colour: the decorated hex value, the HTML
// tag and attribute texts, the program literals and the captions that preview them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/Color.h"

namespace tintorb {

// The four copy options of the settings menu, with the program's defaults.
struct TCopyOptions {
  bool sharp = true;      // actAddSharp
  bool quote = true;      // actAddQuotation
  bool lower = false;     // actLowerCase
  bool colorTag = false;  // actAddColorTag
  friend bool operator==(const TCopyOptions&, const TCopyOptions&) = default;
};

// Captions of the four option actions.
inline constexpr std::string_view kCaptionAddSharp = "# を付加する(&S)";
inline constexpr std::string_view kCaptionAddQuotation = "値を \"\" で囲む(&D)";
inline constexpr std::string_view kCaptionLowerCase = "16進数は小文字を使う(&H)";
inline constexpr std::string_view kCaptionAddColorTag = "COLOR= を付加する(&C)";

// "#", quotes, lower case, "COLOR=" in that order. Colour names pass noSharp so
// they never get a "#".
std::string ApplyCopyOptions(std::string_view text, bool noSharp, const TCopyOptions& options);
// The text of actCopy for a colour.
std::string CopyColorText(TColor color, const TCopyOptions& options);

// Only the letters A..Z change; UTF-8 sequences are left as they are.
std::string AsciiLower(std::string_view text);

enum class TTagAction {
  actTagFont,
  actTagHR,
  actTagTable,
  actTagTR,
  actTagTH,
  actTagTD,
  actTagStyleColor,
  actTagText,
  actTagBgColor,
  actLink,
  actALink,
  actVLink,
};
inline constexpr std::array<TTagAction, 12> kTagActions = {
    TTagAction::actTagFont,       TTagAction::actTagHR,   TTagAction::actTagTable,
    TTagAction::actTagTR,         TTagAction::actTagTH,   TTagAction::actTagTD,
    TTagAction::actTagStyleColor, TTagAction::actTagText, TTagAction::actTagBgColor,
    TTagAction::actLink,          TTagAction::actALink,   TTagAction::actVLink,
};

std::string_view TagActionName(TTagAction action);
std::optional<TTagAction> TagActionFromName(std::string_view name);
// Caption before the tag menu is first opened ("<&FONT>" ...).
std::string_view TagInitialCaption(TTagAction action);
// The text that the action copies ("COLOR=" never applies; style colour is never quoted).
std::string TagText(TTagAction action, TColor color, const TCopyOptions& options);
// The caption set each time the tag menu opens: like TagText, but the style
// colour is quoted as well when quotes are on.
std::string TagCaption(TTagAction action, TColor color, const TCopyOptions& options);

enum class TLiteralAction { actDelphi, actVisualBasic, actIAppli, actIAppli16 };
inline constexpr std::array<TLiteralAction, 4> kLiteralActions = {
    TLiteralAction::actDelphi, TLiteralAction::actVisualBasic, TLiteralAction::actIAppli,
    TLiteralAction::actIAppli16};

std::string_view LiteralActionName(TLiteralAction action);
std::optional<TLiteralAction> LiteralActionFromName(std::string_view name);
// The caption set when the programming menu opens. The copy options never apply.
std::string LiteralCaption(TLiteralAction action, TColor color);
// What a literal action copies from its current caption: a leading "&&" (the
// menu escape of "&") loses its first character.
std::string LiteralCopyText(std::string_view caption);
// LiteralCopyText of LiteralCaption.
std::string LiteralText(TLiteralAction action, TColor color);

// "Tintorb [" + decorated hex + "]".
std::string WindowCaptionText(TColor color, const TCopyOptions& options);
// "Tintorb [" + plain hex + "]".
std::string TaskBarTitleText(TColor color);

// Clipboard text read back as a colour: the plain hex forms, then any CSS colour.
bool AcceptPastedText(std::string_view text, TColor& out);

}  // namespace tintorb

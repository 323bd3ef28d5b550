#include "collections/Palette.h"

#include <utility>

namespace tintorb {

namespace {

struct TIdent {
  const char* name;
  TColor color;
};

constexpr TColor Sys(int index) {
  return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index));
}

// The identifiers the system palette uses, with their colours.
const TIdent kIdents[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", Sys(0)},
    {"clBackground", Sys(1)},
    {"clActiveCaption", Sys(2)},
    {"clInactiveCaption", Sys(3)},
    {"clMenu", Sys(4)},
    {"clWindow", Sys(5)},
    {"clWindowFrame", Sys(6)},
    {"clMenuText", Sys(7)},
    {"clWindowText", Sys(8)},
    {"clCaptionText", Sys(9)},
    {"clActiveBorder", Sys(10)},
    {"clInactiveBorder", Sys(11)},
    {"clAppWorkSpace", Sys(12)},
    {"clHighlight", Sys(13)},
    {"clHighlightText", Sys(14)},
    {"clBtnFace", Sys(15)},
    {"clBtnShadow", Sys(16)},
    {"clGrayText", Sys(17)},
    {"clBtnText", Sys(18)},
    {"clInactiveCaptionText", Sys(19)},
    {"clBtnHighlight", Sys(20)},
    {"cl3DDkShadow", Sys(21)},
    {"cl3DLight", Sys(22)},
    {"clInfoText", Sys(23)},
    {"clInfoBk", Sys(24)},
    {"clGradientActiveCaption", Sys(27)},
    {"clGradientInactiveCaption", Sys(28)},
};

std::string Hex2(int v) {
  static const char digits[] = "0123456789ABCDEF";
  return {digits[(v >> 4) & 15], digits[v & 15]};
}

}  // namespace

const std::vector<std::string>& WebSafePalette() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> v;
    for (int g = 255; g >= 0; g -= 51)
      for (int b = 0; b <= 255; b += 51)
        for (int r = 0; r <= 255; r += 51) v.push_back(Hex2(r) + Hex2(g) + Hex2(b));
    return v;
  }();
  return list;
}

const std::vector<std::string>& SystemPalette() {
  static const std::vector<std::string> list = {
      "clBlack,黒",
      "clMaroon,茶色",
      "clGreen,緑",
      "clOlive,オリーブ",
      "clNavy,紺",
      "clPurple,紫",
      "clTeal,青緑",
      "clGray,灰色",
      "clSilver,銀色",
      "clRed,赤",
      "clLime,黄緑",
      "clYellow,黄",
      "clBlue,青",
      "clFuchsia,赤紫",
      "clAqua,水色",
      "clWhite,白",
      "clScrollBar,スクロールバーのトラックの現在の色",
      "clBackground,Windows デスクトップの背景色",
      "clActiveCaption,アクティブウィンドウのタイトルバー",
      "clInactiveCaption,アクティブでないウィンドウのタイトルバー",
      "clMenu,メニューの背景色",
      "clWindow,ウィンドウの背景色",
      "clWindowFrame,ウィンドウ枠",
      "clMenuText,メニュー上の文字",
      "clWindowText,ウィンドウ内の文字",
      "clCaptionText,アクティブウィンドウのタイトルバーの文字",
      "clActiveBorder,アクティブウィンドウの境界色",
      "clInactiveBorder,アクティブでないウィンドウの境界色",
      "clAppWorkSpace,アプリケーション作業領域",
      "clHighlight,選択した文字の背景色",
      "clHighlightText,選択した文字",
      "clBtnFace,ボタン面",
      "clBtnShadow,ボタンのシャドウキャスト",
      "clGrayText,淡色表示されている文字",
      "clBtnText,ボタンの文字",
      "clInactiveCaptionText,アクティブでないウィンドウのタイトルバーの文字",
      "clBtnHighlight,ボタンの強調表示",
      "cl3DDkShadow,3 次元表示要素の暗い影",
      "cl3DLight,3次元表示要素の明るい色（明るい面の縁用）",
      "clInfoText,ツールチップコントロールの文字",
      "clInfoBk,ツールチップコントロールの背景色",
      "clGradientActiveCaption,アクティブウィンドウのタイトルバーにおける色のグラデーションの右側",
      "clGradientInactiveCaption,"
      "非アクティブウィンドウのタイトルバーにおける色のグラデーションの右側",
  };
  return list;
}

const std::vector<std::string>& RGB332Palette() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> v;
    // k * 255 / 7 rounded to nearest: 00 24 49 6D 92 B6 DB FF.
    auto level7 = [](int k) { return (k * 255 * 2 + 7) / 14; };
    for (int r = 0; r < 8; ++r)
      for (int g = 0; g < 8; ++g)
        for (int b = 0; b < 4; ++b) v.push_back(Hex2(level7(r)) + Hex2(level7(g)) + Hex2(b * 85));
    return v;
  }();
  return list;
}

const std::vector<std::string>& Palette(TPaletteKind kind) {
  switch (kind) {
    case TPaletteKind::System:
      return SystemPalette();
    case TPaletteKind::RGB332:
      return RGB332Palette();
    case TPaletteKind::WebSafe:
    default:
      return WebSafePalette();
  }
}

bool IdentToColor(std::string_view ident, TColor& color) {
  for (const auto& id : kIdents) {
    if (ident == id.name) {
      color = id.color;
      return true;
    }
  }
  return false;
}

TPaletteEntry ReadPaletteEntry(std::string_view entry) {
  TPaletteEntry out;
  std::string_view code = entry;
  const size_t comma = entry.find(',');
  if (comma != std::string_view::npos) {
    code = entry.substr(0, comma);
    out.Label = std::string(entry.substr(comma + 1));
  }
  if (code.substr(0, 2) == "cl") {
    IdentToColor(code, out.Color);
  } else if (code.size() == 6) {
    try {
      out.Color = HexToColor(code);
    } catch (const EConvertError&) {
      out.Color = 0;
    }
  }
  return out;
}

}  // namespace tintorb

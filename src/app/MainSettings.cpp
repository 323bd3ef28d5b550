#include "app/MainSettings.h"

#include <algorithm>

namespace tintorb {

namespace {
constexpr const char* kConfig = "Config";
constexpr const char* kColor = "Color";
constexpr const char* kPreview = "Preview";
constexpr const char* kSwatch = "Swatch";
}  // namespace

TFontSpec DefaultPreviewFont() {
  TFontSpec f;
  f.name = "MS UI Gothic";
  f.size = 24;
  f.color = 0;
  f.style = 0;
  return f;
}

TMainSettings::TMainSettings() : previewFont(DefaultPreviewFont()) {
  swatches.fill("000000");
}

TMainSettings ReadMainSettings(const TIniFile& ini, const TMainSettings& present) {
  TMainSettings s = present;
  // Each component keeps its low byte, as the colour record does.
  s.current = RGB(ini.ReadInteger(kColor, "Red", 0), ini.ReadInteger(kColor, "Green", 0),
                  ini.ReadInteger(kColor, "Blue", 0));
  s.back = ini.ReadInteger(kColor, "Back", 0xFFFFFF);
  s.form = ReadWindowPlacement(ini, kConfig, "Form", present.form);
  s.copy.sharp = ini.ReadBool(kConfig, "Add_Shape", true);
  s.copy.quote = ini.ReadBool(kConfig, "Add_Quote", true);
  s.copy.lower = ini.ReadBool(kConfig, "Use_Small", false);
  s.copy.colorTag = ini.ReadBool(kConfig, "Add_COLOR", false);
  s.stayOnTop = ini.ReadBool(kConfig, "StayOnTop", false);
  s.webSafe = ini.ReadBool(kConfig, "WebSafe", false);
  s.taskTray = ini.ReadBool(kConfig, "TaskTray", false);
  s.activePage = ini.ReadInteger(kConfig, "ActivePage", 0);
  s.previewCaption = ini.ReadString(kPreview, "Caption", kDefaultPreviewCaption);
  s.previewFont = ReadFont(ini, kPreview, "Font", present.previewFont);
  s.previewFontColor = ini.ReadInteger(kPreview, "FontColor", 0);
  s.previewColor = ini.ReadInteger(kPreview, "Color", 0xFFFFFF);
  s.previewSize = std::max(kMinPreviewSize, ini.ReadInteger(kPreview, "Size", kMinPreviewSize));
  s.previewShow = ini.ReadBool(kPreview, "Show", true);
  for (int i = 0; i < 10; ++i) s.swatches[i] = ini.ReadString(kSwatch, std::to_string(i), "000000");
  return s;
}

void WriteMainSettings(TIniFile& ini, const TMainSettings& s) {
  ini.WriteInteger(kColor, "Red", GetRValue(s.current));
  ini.WriteInteger(kColor, "Green", GetGValue(s.current));
  ini.WriteInteger(kColor, "Blue", GetBValue(s.current));
  ini.WriteInteger(kColor, "Back", s.back);
  WriteWindowPlacement(ini, kConfig, "Form", s.form);
  ini.WriteBool(kConfig, "Add_Shape", s.copy.sharp);
  ini.WriteBool(kConfig, "Add_Quote", s.copy.quote);
  ini.WriteBool(kConfig, "Use_Small", s.copy.lower);
  ini.WriteBool(kConfig, "Add_COLOR", s.copy.colorTag);
  ini.WriteBool(kConfig, "StayOnTop", s.stayOnTop);
  ini.WriteBool(kConfig, "WebSafe", s.webSafe);
  ini.WriteBool(kConfig, "TaskTray", s.taskTray);
  ini.WriteInteger(kConfig, "ActivePage", s.activePage);
  ini.WriteInteger(kPreview, "Size", s.previewSize);
  ini.WriteBool(kPreview, "Show", s.previewShow);
  ini.WriteString(kPreview, "Caption", s.previewCaption);
  WriteFont(ini, kPreview, "Font", s.previewFont);
  ini.WriteInteger(kPreview, "FontColor", s.previewFontColor);
  ini.WriteInteger(kPreview, "Color", s.previewColor);
  for (int i = 0; i < 10; ++i) ini.WriteString(kSwatch, std::to_string(i), s.swatches[i]);
}

}  // namespace tintorb

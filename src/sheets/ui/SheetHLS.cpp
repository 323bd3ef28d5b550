#include "sheets/ui/SheetHLS.h"

#include "sheets/ui/SheetIcons.h"

namespace tintorb {

namespace {

using V = TModelSheet::TValues;

THLS Make(const V& v) {
  return MakeHLS(uint16_t(v[0]), uint8_t(v[1]), uint8_t(v[2]));
}
V Values(THLS h) {
  return {h.H, h.L, h.S};
}

const TModelSheet::TShape kShape = {
    TTintorbColorPanelStyle::cpsHlsHS,
    TTintorbColorPanelStyle::cpsHlsLightness,
    {{"色相", 0, 359, false, false, 3, "ﾟ"},
     {"明度", 0, 255, true, true, 3, nullptr},
     {"彩度", 0, 255, false, true, 3, nullptr}},
    {[](const TTintorbColorSlider& s) { return Values(s.HLS()); },
     [](TTintorbColorSlider& s, const V& v) { s.SetHLS(Make(v)); },
     [](TColor c) { return Values(ColorToHLS(c)); }, [](const V& v) { return HLSToColor(Make(v)); },
     [](const V& v, int component, int step) {
       return Values(ShiftHLS(Make(v), component, step));
     }},
    /*digitsOnly=*/true,
    /*settingsSection=*/"HLS",
    /*barFirst=*/true,
    /*wheelComponent=*/1,
    /*wheelAway=*/+1,  // away from the user: lighter
    /*webSafeShowsColour=*/false,
    362,
    258,
    /*squareField=*/false,
};

}  // namespace

QIcon TfrmHLS::PageIcon() {
  return FieldAndBarIcon(kShape.fieldStyle, kShape.barStyle);
}

TfrmHLS::TfrmHLS(TSheetHost& host, QWidget* parent)
    : TModelSheet(host, PageCaption(), kShape, parent) {
  icsHS = Field(), icsLightness = Bar();
  // The field's x position carries the hue, so its bounds cover 0..359; with the
  // default 0..255 a hue step above 255 would not register as a change.
  icsHS->SetPositionRange({0, 0}, {0, 0}, {359, 255});
  edtHue = Edit(0), edtLightness = Edit(1), edtSaturation = Edit(2);
  updHue = UpDown(0), updLightness = UpDown(1), updSaturation = UpDown(2);
  Label4 = Caption(0), Label6 = Caption(1), Label5 = Caption(2);
  Label1 = Unit(0), lblPercent1 = Unit(1), lblPercent2 = Unit(2);
}

THLS TfrmHLS::ReadSliderHLS() const {
  return Make(ReadSliders());
}

}  // namespace tintorb

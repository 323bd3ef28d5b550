#include "sheets/ui/SheetHSV.h"

#include "sheets/ui/SheetIcons.h"

namespace tintorb {

namespace {

using V = TModelSheet::TValues;

THSV Make(const V& v) {
  return MakeHSV(uint16_t(v[0]), uint8_t(v[1]), uint8_t(v[2]));
}
V Values(THSV h) {
  return {h.H, h.S, h.V};
}

const TModelSheet::TShape kShape = {
    TTintorbColorPanelStyle::cpsHsvSV,
    TTintorbColorPanelStyle::cpsHsvHue,
    {{"色相", 0, 359, true, false, 3, "ﾟ"},
     {"彩度", 0, 255, false, true, 3, nullptr},
     {"明度", 0, 255, false, true, 3, nullptr}},
    {[](const TTintorbColorSlider& s) { return Values(s.HSV()); },
     [](TTintorbColorSlider& s, const V& v) { s.SetHSV(Make(v)); },
     [](TColor c) { return Values(ColorToHSV(c)); }, [](const V& v) { return HSVToColor(Make(v)); },
     [](const V& v, int component, int step) {
       return Values(ShiftHSV(Make(v), component, step));
     }},
    /*digitsOnly=*/true,
    /*settingsSection=*/"HSV",
    /*barFirst=*/false,
    /*wheelComponent=*/0,
    /*wheelAway=*/-1,  // away from the user moves the hue marker up
    /*webSafeShowsColour=*/false,
    258,
    258,
    /*squareField=*/true,
};

}  // namespace

QIcon TfrmHSV::PageIcon() {
  return FieldAndBarIcon(kShape.fieldStyle, kShape.barStyle);
}

TfrmHSV::TfrmHSV(TSheetHost& host, QWidget* parent)
    : TModelSheet(host, PageCaption(), kShape, parent) {
  icsSV = Field(), icsHue = Bar();
  edtHue = Edit(0), edtSaturation = Edit(1), edtValue = Edit(2);
  updHue = UpDown(0), updSaturation = UpDown(1), updValue = UpDown(2);
  Label4 = Caption(0), Label5 = Caption(1), Label6 = Caption(2);
  Label1 = Unit(0), lblPercent1 = Unit(1), lblPercent2 = Unit(2);
}

THSV TfrmHSV::ReadSliderHSV() const {
  return Make(ReadSliders());
}

}  // namespace tintorb

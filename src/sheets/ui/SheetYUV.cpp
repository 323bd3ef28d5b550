#include "sheets/ui/SheetYUV.h"

#include "sheets/ui/SheetIcons.h"

namespace tintorb {

namespace {

using V = TModelSheet::TValues;

TYUV Make(const V& v) {
  return MakeYUV(uint8_t(v[0]), int8_t(v[1]), int8_t(v[2]));
}
V Values(TYUV y) {
  return {y.Y, y.U, y.V};
}

const TModelSheet::TShape kShape = {
    TTintorbColorPanelStyle::cpsYuvUV,
    TTintorbColorPanelStyle::cpsYuvY,
    {{"輝度", 0, 255, true, false, 3, nullptr},
     {"青み", -128, 127, false, false, 4, nullptr},
     {"赤み", -128, 127, false, false, 4, nullptr}},
    {[](const TTintorbColorSlider& s) { return Values(s.YUV()); },
     [](TTintorbColorSlider& s, const V& v) { s.SetYUV(Make(v)); },
     [](TColor c) { return Values(ColorToYUV(c)); }, [](const V& v) { return YUVToColor(Make(v)); },
     [](const V& v, int component, int step) {
       return Values(ShiftYUV(component, step, Make(v)));
     }},
    /*digitsOnly=*/false,  // the minus sign
    /*settingsSection=*/nullptr,
    /*barFirst=*/false,
    /*wheelComponent=*/0,
    /*wheelAway=*/+1,
    /*webSafeShowsColour=*/true,
    258,
    258,
    /*squareField=*/true,
};

}  // namespace

QIcon TfrmYUV::PageIcon() {
  return FieldAndBarIcon(kShape.fieldStyle, kShape.barStyle);
}

TfrmYUV::TfrmYUV(TSheetHost& host, QWidget* parent)
    : TModelSheet(host, PageCaption(), kShape, parent) {
  icsUV = Field(), icsY = Bar();
  edtY = Edit(0), edtU = Edit(1), edtV = Edit(2);
  updY = UpDown(0), updU = UpDown(1), updV = UpDown(2);
  Label4 = Caption(0), Label6 = Caption(1), Label5 = Caption(2);
}

TYUV TfrmYUV::ReadSliderYUV() const {
  return Make(ReadSliders());
}

}  // namespace tintorb

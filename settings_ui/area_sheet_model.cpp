#include "settings_ui/area_sheet_model.h"

#include <algorithm>

namespace mdx {

const char kAreaSheetCaption[] = "AREA設定";

const AreaPageIds& areaPageIds(int areaNumber) {
  const int n = std::clamp(areaNumber, 1, kAreaCount);
  return kAreaPageIds[static_cast<size_t>(n - 1)];
}

AreaSettings blankAreaPageValues() {
  AreaSettings v;
  v.COUNTRY.clear();
  v.RUG = v.X = v.Y = 0;
  v.ﾏｰｼﾞﾝ1X = v.ﾏｰｼﾞﾝ1Y = v.ﾏｰｼﾞﾝ2X = v.ﾏｰｼﾞﾝ2Y = 0;
  v.R = v.G = v.B = 0;
  v.D_COUNTRY = v.D_ANALOG = v.D_DIJITAL = v.D_24HOUR = v.D_DATE = 0;
  return v;
}

std::vector<Field> areaPageFields(int areaNumber, AreaSettings& v) {
  using F = Field;
  const AreaPageIds& id = areaPageIds(areaNumber);
  return {
      F::textField(id.name, v.COUNTRY),
      F::intField(id.nameMarginX, v.ﾏｰｼﾞﾝ1X, kMarginMin, kMarginMax),
      F::intField(id.nameMarginY, v.ﾏｰｼﾞﾝ1Y, kMarginMin, kMarginMax),
      F::intField(id.digitalMarginX, v.ﾏｰｼﾞﾝ2X, kMarginMin, kMarginMax),
      F::intField(id.digitalMarginY, v.ﾏｰｼﾞﾝ2Y, kMarginMin, kMarginMax),
      F::intField(id.rug, v.RUG, kRugMin, kRugMax),
      F::intField(id.posX, v.X),
      F::intField(id.posY, v.Y),
      F::checkBox(id.showDate, v.D_DATE),
      F::checkBox(id.twelveHour, v.D_24HOUR),
      F::checkBox(id.showAnalog, v.D_ANALOG),
      F::checkBox(id.showCountry, v.D_COUNTRY),
      F::checkBox(id.showDigital, v.D_DIJITAL),
      F::intField(id.red, v.R, kColourMin, kColourMax),
      F::intField(id.green, v.G, kColourMin, kColourMax),
      F::intField(id.blue, v.B, kColourMin, kColourMax),
  };
}

AreaPageEnabling areaPageEnabling(bool analogChecked, bool countryChecked, bool digitalChecked) {
  AreaPageEnabling e;
  e.position = analogChecked;
  e.nameMargins = countryChecked;
  e.digitalMargins = digitalChecked;
  e.colour = countryChecked || digitalChecked;
  return e;
}

void applyAreaPageEnabling(int areaNumber, ControlAccess& controls) {
  const AreaPageIds& id = areaPageIds(areaNumber);
  const AreaPageEnabling e = areaPageEnabling(controls.isChecked(id.showAnalog), controls.isChecked(id.showCountry),
                                              controls.isChecked(id.showDigital));
  for (int c : {id.posX, id.posY}) controls.enableItem(c, e.position);
  for (int c : {id.nameMarginX, id.nameMarginY}) controls.enableItem(c, e.nameMargins);
  for (int c : {id.digitalMarginX, id.digitalMarginY}) controls.enableItem(c, e.digitalMargins);
  for (int c : {id.red, id.green, id.blue, kAreaColorButton}) controls.enableItem(c, e.colour);
}

Rgb pickerStartColour(int32_t red, int32_t green, int32_t blue) {
  auto byte = [](int32_t v) { return static_cast<uint8_t>(std::clamp<int32_t>(v, 0, 255)); };
  return Rgb{byte(red), byte(green), byte(blue)};
}

void acceptAreaColour(int areaNumber, AreaSettings& values, Rgb chosen, ControlAccess& controls) {
  const AreaPageIds& id = areaPageIds(areaNumber);
  values.R = chosen.r;
  values.G = chosen.g;
  values.B = chosen.b;
  controls.setItemText(id.red, std::to_string(values.R));
  controls.setItemText(id.green, std::to_string(values.G));
  controls.setItemText(id.blue, std::to_string(values.B));
}

}  // namespace mdx

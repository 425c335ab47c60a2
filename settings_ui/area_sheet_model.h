#pragma once
// The AREA settings sheet "AREA設定" without Windows: the control identifiers of the seven
// pages, the page values, their exchange table in take-back order, the enabling rule and the
// box-colour picker's start and result.
#include <array>
#include <cstdint>
#include <vector>

#include "raster/surface.h"  // Rgb, the colour as the picker takes and gives it
#include "dialogfw/field_exchange.h"
#include "resources/settings_ui_ids.h"
#include "settings/settings.h"

namespace mdx {

// The sheet's caption and the push button "COLOR", which has the same id on every page.
extern const char kAreaSheetCaption[];  // "AREA設定"
constexpr int kAreaColorButton = IDC_AREA_COLOR;

// The controls of one page, by the value each edits.
struct AreaPageIds {
  int templateId;
  int name, rug, red, green, blue;
  int showDate, twelveHour;
  int showAnalog, posX, posY;
  int showCountry, nameMarginX, nameMarginY;
  int showDigital, digitalMarginX, digitalMarginY;
};

// AREA1 .. AREA7 on templates 105 .. 111.
// The ids of page n, in AreaPageIds' order, from the resource script's header.
#define MDX_AREA_PAGE_IDS(n)                                                                            \
  {IDD_AREA##n,      IDC_A##n##_NAME,    IDC_A##n##_RUG,      IDC_A##n##_RED,      IDC_A##n##_GREEN,     \
   IDC_A##n##_BLUE,  IDC_A##n##_DATE,    IDC_A##n##_12HOUR,   IDC_A##n##_ANALOG,   IDC_A##n##_POSX,      \
   IDC_A##n##_POSY,  IDC_A##n##_COUNTRY, IDC_A##n##_NMARGINX, IDC_A##n##_NMARGINY, IDC_A##n##_DIGITAL,   \
   IDC_A##n##_DMARGINX, IDC_A##n##_DMARGINY}
constexpr std::array<AreaPageIds, kAreaCount> kAreaPageIds = {{
    MDX_AREA_PAGE_IDS(1), MDX_AREA_PAGE_IDS(2), MDX_AREA_PAGE_IDS(3), MDX_AREA_PAGE_IDS(4),
    MDX_AREA_PAGE_IDS(5), MDX_AREA_PAGE_IDS(6), MDX_AREA_PAGE_IDS(7),
}};
#undef MDX_AREA_PAGE_IDS

// The ids of page n (1..7).
const AreaPageIds& areaPageIds(int areaNumber);

// Ranges the page enforces when values are taken back.
constexpr int32_t kMarginMin = -50, kMarginMax = 50;
constexpr int32_t kRugMin = -20, kRugMax = 4;
constexpr int32_t kColourMin = 0, kColourMax = 255;

// A page's copy of its AREA: the name and fifteen integers, all 0 (name empty) until the
// opener fills them. The record type is the settings record itself, so copying in and out is
// a plain assignment.
AreaSettings blankAreaPageValues();

// The page's exchange table in take-back order: name; name margin X, Y; digital margin X, Y;
// time difference; analog position X, Y; the five check boxes; red, green, blue. Every page,
// AREA1's included, checks the digital margin Y against -50 to 50.
std::vector<Field> areaPageFields(int areaNumber, AreaSettings& values);

// Which controls are enabled, from the page's own three check boxes.
struct AreaPageEnabling {
  bool position = false;        // analog position X, Y
  bool nameMargins = false;     // name margin X, Y
  bool digitalMargins = false;  // digital margin X, Y
  bool colour = false;          // the three colour edits and "COLOR"
};
AreaPageEnabling areaPageEnabling(bool analogChecked, bool countryChecked, bool digitalChecked);

// Reads the page's three check boxes and enables or disables its controls accordingly.
// Disabled controls keep their text.
void applyAreaPageEnabling(int areaNumber, ControlAccess& controls);

// The picker starts from the stored values (as last loaded, taken back or chosen), never the
// typed text; stored values outside 0 to 255 are clamped for the picker.
Rgb pickerStartColour(int32_t red, int32_t green, int32_t blue);

// The user confirmed the picker on page n: the values and the three colour edits take the colour.
void acceptAreaColour(int areaNumber, AreaSettings& values, Rgb chosen, ControlAccess& controls);

}  // namespace mdx

#pragma once
// The AREA settings sheet "AREA設定" without Windows: the control identifiers of the seven
// pages, the page values, their exchange table in take-back order, the enabling rule and the
// box-colour picker's start and result.
#include <array>
#include <cstdint>
#include <vector>

#include "settings/settings.h"
#include "raster/surface.h"  // Rgb, the colour as the picker takes and gives it
#include "dialogfw/field_exchange.h"

namespace mdx {

// The sheet's caption and the push button "COLOR", which has the same id on every page.
extern const char kAreaSheetCaption[];  // "AREA設定"
constexpr int kAreaColorButton = 1007;

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
constexpr std::array<AreaPageIds, kAreaCount> kAreaPageIds = {{
    {105, 1030, 1031, 1117, 1118, 1119, 1238, 1226, 1114, 1032, 1033, 1044, 1116, 1001, 1045, 1112, 1113},
    {106, 1052, 1053, 1198, 1199, 1211, 1248, 1227, 1155, 1054, 1055, 1056, 1156, 1157, 1060, 1159, 1160},
    {107, 1064, 1065, 1200, 1201, 1212, 1249, 1228, 1161, 1066, 1067, 1068, 1162, 1163, 1072, 1165, 1166},
    {108, 1076, 1077, 1202, 1203, 1213, 1250, 1229, 1167, 1078, 1079, 1080, 1168, 1169, 1084, 1171, 1193},
    {109, 1088, 1089, 1204, 1205, 1214, 1251, 1230, 1172, 1090, 1091, 1092, 1173, 1174, 1096, 1176, 1194},
    {110, 1100, 1101, 1206, 1207, 1215, 1252, 1231, 1177, 1102, 1103, 1104, 1178, 1179, 1108, 1181, 1195},
    {111, 1183, 1184, 1208, 1209, 1210, 1253, 1232, 1182, 1185, 1186, 1187, 1188, 1189, 1191, 1192, 1196},
}};

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

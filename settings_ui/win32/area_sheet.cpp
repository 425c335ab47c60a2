#include "settings_ui/win32/area_sheet.h"

#include "resources/settings_ui_ids.h"
#include "settings_ui/win32/dialog_controls.h"

namespace mdx::win {

// The resource script can only read #defines; the code uses the core's table. Both must name
// the same controls.
static_assert(IDC_AREA_COLOR == kAreaColorButton);
#define MDX_CHECK_PAGE(n)                                                                                    \
  static_assert(IDD_AREA##n == kAreaPageIds[n - 1].templateId && IDC_A##n##_NAME == kAreaPageIds[n - 1].name && \
                IDC_A##n##_RUG == kAreaPageIds[n - 1].rug && IDC_A##n##_RED == kAreaPageIds[n - 1].red &&      \
                IDC_A##n##_GREEN == kAreaPageIds[n - 1].green && IDC_A##n##_BLUE == kAreaPageIds[n - 1].blue && \
                IDC_A##n##_DATE == kAreaPageIds[n - 1].showDate &&                                           \
                IDC_A##n##_12HOUR == kAreaPageIds[n - 1].twelveHour &&                                       \
                IDC_A##n##_ANALOG == kAreaPageIds[n - 1].showAnalog &&                                       \
                IDC_A##n##_POSX == kAreaPageIds[n - 1].posX && IDC_A##n##_POSY == kAreaPageIds[n - 1].posY &&  \
                IDC_A##n##_COUNTRY == kAreaPageIds[n - 1].showCountry &&                                     \
                IDC_A##n##_NMARGINX == kAreaPageIds[n - 1].nameMarginX &&                                    \
                IDC_A##n##_NMARGINY == kAreaPageIds[n - 1].nameMarginY &&                                    \
                IDC_A##n##_DIGITAL == kAreaPageIds[n - 1].showDigital &&                                     \
                IDC_A##n##_DMARGINX == kAreaPageIds[n - 1].digitalMarginX &&                                 \
                IDC_A##n##_DMARGINY == kAreaPageIds[n - 1].digitalMarginY)
MDX_CHECK_PAGE(1);
MDX_CHECK_PAGE(2);
MDX_CHECK_PAGE(3);
MDX_CHECK_PAGE(4);
MDX_CHECK_PAGE(5);
MDX_CHECK_PAGE(6);
MDX_CHECK_PAGE(7);
#undef MDX_CHECK_PAGE

AreaPage::AreaPage(int areaNumber)
    : SheetPage(areaPageIds(areaNumber).templateId), values(blankAreaPageValues()), areaNumber_(areaNumber) {}

BOOL AreaPage::onInitDialog() {
  // The first time the page is shown: its values into the controls, then the enabling rule.
  DialogControls controls(*this);
  loadFields(areaPageFields(areaNumber_), values, controls);
  applyAreaPageEnabling(areaNumber_, controls);
  return TRUE;
}

bool AreaPage::onKillActive() {
  DialogControls controls(*this);
  if (const auto failure = takeBackFields(areaPageFields(areaNumber_), values, controls)) {
    failField(failure->controlId, failure->message);
    return false;
  }
  return true;
}

void AreaPage::onDisplayCheck() {
  DialogControls controls(*this);
  applyAreaPageEnabling(areaNumber_, controls);
}

void AreaPage::onColor() {
  // From the stored values, not from what is typed in the edits now.
  const auto chosen = pickColour(hwnd_, pickerStartColour(values.R, values.G, values.B));
  if (!chosen) return;
  DialogControls controls(*this);
  acceptAreaColour(areaNumber_, values, *chosen, controls);
}

CMyPropertySheet::CMyPropertySheet(HWND owner, const ZoneRules* zones, const Clock& clock)
    : SheetDialog(kAreaSheetCaption, owner), zonePage(zones, clock) {
  for (int n = 1; n <= kAreaCount; ++n) addPage(page(n));
  for (int n = 1; n <= kAreaCount; ++n) zonePage.areas[static_cast<size_t>(n - 1)] = &page(n).values;
  addPage(zonePage);
  setStartPage(0);
}

AreaPage& CMyPropertySheet::page(int areaNumber) {
  switch (areaNumber) {
    case 2: return page2;
    case 3: return page3;
    case 4: return page4;
    case 5: return page5;
    case 6: return page6;
    case 7: return page7;
    default: return page1;
  }
}

bool runAreaSheet(HWND owner, SettingsRecords& records, const ZoneRules* zones, const Clock& clock) {
  CMyPropertySheet sheet(owner, zones, clock);
  for (int n = 1; n <= kAreaCount; ++n) {
    sheet.page(n).values = records.area(n);
    sheet.zonePage.zones[static_cast<size_t>(n - 1)] = records.area(n).ZONE;
  }
  if (sheet.doModal() != IDOK) return false;
  // Every page, shown or not: a page never shown still holds the values copied in.
  for (int n = 1; n <= kAreaCount; ++n) {
    records.area(n) = sheet.page(n).values;
    records.area(n).ZONE = sheet.zonePage.zones[static_cast<size_t>(n - 1)];
  }
  return true;
}

}  // namespace mdx::win

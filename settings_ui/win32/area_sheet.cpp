#include "settings_ui/win32/area_sheet.h"

#include "settings_ui/win32/colour_picker.h"

namespace mdx::win {

AreaPage::AreaPage(int areaNumber)
    : SheetPage(areaPageIds(areaNumber).templateId), values(blankAreaPageValues()), areaNumber_(areaNumber) {}

std::vector<Field> AreaPage::fields() { return areaPageFields(areaNumber_, values); }

BOOL AreaPage::onInitDialog() {
  // The first time the page is shown: its values into the controls, then the enabling rule.
  // Leaving the page takes them back (SheetPage::onKillActive).
  loadFields();
  applyAreaPageEnabling(areaNumber_, *this);
  return TRUE;
}

void AreaPage::onDisplayCheck() { applyAreaPageEnabling(areaNumber_, *this); }

void AreaPage::onColor() {
  // From the stored values, not from what is typed in the edits now.
  const auto chosen = pickColour(hwnd_, pickerStartColour(values.R, values.G, values.B));
  if (!chosen) return;
  acceptAreaColour(areaNumber_, values, *chosen, *this);
}

void AreaPage::takeCity(const CityChoice& choice) {
  applyCityChoice(choice, values);
  if (hwnd_ == nullptr) return;  // the first showing loads the values
  const AreaPageIds& ids = areaPageIds(areaNumber_);
  setItemText(ids.name, values.COUNTRY);
  setItemText(ids.rug, std::to_string(values.RUG));
  setItemText(ids.posX, std::to_string(values.X));
  setItemText(ids.posY, std::to_string(values.Y));
}

CMyPropertySheet::CMyPropertySheet(HWND owner, const ZoneRules* zones, const Clock& clock)
    : SheetDialog(kAreaSheetCaption, owner), zonePage(zones, clock) {
  for (int n = 1; n <= kAreaCount; ++n) addPage(page(n));
  for (int n = 1; n <= kAreaCount; ++n) zonePage.areas[static_cast<size_t>(n - 1)] = &page(n).values;
  zonePage.cityTaken = [this](int n, const CityChoice& choice) { page(n).takeCity(choice); };
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

std::optional<std::array<AreaSettings, kAreaCount>> runAreaSheet(HWND owner,
                                                                 const std::array<AreaSettings, kAreaCount>& areas,
                                                                 const ZoneRules* zones, const Clock& clock) {
  CMyPropertySheet sheet(owner, zones, clock);
  for (int n = 1; n <= kAreaCount; ++n) {
    const AreaSettings& area = areas[static_cast<size_t>(n - 1)];
    sheet.page(n).values = area;
    sheet.zonePage.zones[static_cast<size_t>(n - 1)] = area.ZONE;
  }
  if (sheet.doModal() != IDOK) return std::nullopt;
  // Every page, shown or not: a page never shown still holds the values copied in.
  std::array<AreaSettings, kAreaCount> result;
  for (int n = 1; n <= kAreaCount; ++n) {
    AreaSettings& area = result[static_cast<size_t>(n - 1)];
    area = sheet.page(n).values;
    area.ZONE = sheet.zonePage.zones[static_cast<size_t>(n - 1)];
  }
  return result;
}

}  // namespace mdx::win

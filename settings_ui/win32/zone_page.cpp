#include "settings_ui/win32/zone_page.h"

#include "dialogfw/win32/accessible_name.h"
#include "platform/win32/dpi.h"
#include "platform/win32/text.h"
#include "settings_ui/win32/city_picker.h"

namespace mdx::win {

namespace {
// The lists open wider than they stand, so whole display names can be read (pixels at 96 DPI).
constexpr int kDroppedWidthPx = 360;
}  // namespace

const CommandEntry<ZonePage> ZonePage::kCommands[2 * kAreaCount] = {
    {kZoneRowIds[0].list, CBN_SELCHANGE, &ZonePage::onChoice}, {kZoneRowIds[1].list, CBN_SELCHANGE, &ZonePage::onChoice},
    {kZoneRowIds[2].list, CBN_SELCHANGE, &ZonePage::onChoice}, {kZoneRowIds[3].list, CBN_SELCHANGE, &ZonePage::onChoice},
    {kZoneRowIds[4].list, CBN_SELCHANGE, &ZonePage::onChoice}, {kZoneRowIds[5].list, CBN_SELCHANGE, &ZonePage::onChoice},
    {kZoneRowIds[6].list, CBN_SELCHANGE, &ZonePage::onChoice},
    {kZoneRowIds[0].city, BN_CLICKED, &ZonePage::onCity<1>}, {kZoneRowIds[1].city, BN_CLICKED, &ZonePage::onCity<2>},
    {kZoneRowIds[2].city, BN_CLICKED, &ZonePage::onCity<3>}, {kZoneRowIds[3].city, BN_CLICKED, &ZonePage::onCity<4>},
    {kZoneRowIds[4].city, BN_CLICKED, &ZonePage::onCity<5>}, {kZoneRowIds[5].city, BN_CLICKED, &ZonePage::onCity<6>},
    {kZoneRowIds[6].city, BN_CLICKED, &ZonePage::onCity<7>},
};

ZonePage::ZonePage(const ZoneRules* rules, const Clock& clock)
    : SheetPageImpl<ZonePage>(kZonePageTemplate), rules_(rules), clock_(clock) {}

BOOL ZonePage::onInitDialog() {
  choices_ = zoneChoices(rules_);
  setItemText(kZonePageNoteId, kZonePageNote);
  for (int n = 1; n <= kAreaCount; ++n) {
    const ZoneRowIds& ids = kZoneRowIds[static_cast<size_t>(n - 1)];
    setItemText(ids.label, zoneRowLabelText(n));
    setItemText(ids.city, kCityButtonText);
    setAccessibleName(item(ids.city), zoneRowButtonName(n));
    setAccessibleName(item(ids.list), zoneRowListName(n));
    HWND list = item(ids.list);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (const std::string& label : choices_.labels)
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(label).c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(scaleForWindow(hwnd_, kDroppedWidthPx)), 0);
    openedIndex_[static_cast<size_t>(n - 1)] = zoneChoiceIndex(choices_, zones[static_cast<size_t>(n - 1)]);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(openedIndex_[static_cast<size_t>(n - 1)]), 0);
  }
  showNames();
  showTimes();
  tickEvery(1000);
  return TRUE;
}

void ZonePage::onSetActive() {
  // The names and time differences may have changed on the AREA pages meanwhile.
  showNames();
  showTimes();
}

bool ZonePage::onKillActive() {
  for (int n = 1; n <= kAreaCount; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    const int chosen = chosenIndex(n);
    zones[i] = zoneAfterChoice(choices_, zones[i], openedIndex_[i], chosen);
    openedIndex_[i] = chosen;
  }
  return true;
}

void ZonePage::onChoice() { showTimes(); }

void ZonePage::onTick() { showTimes(); }

int ZonePage::chosenIndex(int areaNumber) const {
  const LRESULT sel = SendMessageW(item(kZoneRowIds[static_cast<size_t>(areaNumber - 1)].list), CB_GETCURSEL, 0, 0);
  return sel == CB_ERR ? 0 : static_cast<int>(sel);
}

void ZonePage::chooseCity(int areaNumber) {
  CityPicker picker(GetAncestor(hwnd_, GA_ROOT), rules_, clock_);
  if (picker.doModal() != IDOK || !picker.chosen) return;
  const CityChoice choice = cityChoice(kCityTable[*picker.chosen], rules_, clock_);
  if (cityTaken) cityTaken(areaNumber, choice);
  showZoneOfCity(areaNumber, choice);
  showNames();
  showTimes();
}

void ZonePage::showZoneOfCity(int areaNumber, const CityChoice& choice) {
  const size_t i = static_cast<size_t>(areaNumber - 1);
  HWND list = item(kZoneRowIds[i].list);
  // An entry left by an earlier city without a zone here goes first.
  const auto lastOffered = static_cast<LRESULT>(choices_.labels.size());
  while (SendMessageW(list, CB_GETCOUNT, 0, 0) > lastOffered) SendMessageW(list, CB_DELETESTRING, lastOffered, 0);
  int index = zoneChoiceIndex(choices_, choice.zone);
  if (!choice.zoneAvailable) {
    index = static_cast<int>(SendMessageW(list, CB_ADDSTRING, 0,
                                          reinterpret_cast<LPARAM>(widen(unavailableZoneEntry(choice.zone)).c_str())));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // The row now holds the city's zone as if the page had opened with it.
  zones[i] = choice.zone;
  openedIndex_[i] = index;
}

void ZonePage::showNames() {
  for (int n = 1; n <= kAreaCount; ++n) {
    const AreaSettings* a = areas[static_cast<size_t>(n - 1)];
    setItemText(kZoneRowIds[static_cast<size_t>(n - 1)].country, a ? a->COUNTRY : std::string());
  }
}

void ZonePage::showTimes() {
  // Every row at the same instant.
  const int64_t now = clock_.nowSeconds();
  for (int n = 1; n <= kAreaCount; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    const std::string zone = zoneAfterChoice(choices_, zones[i], openedIndex_[i], chosenIndex(n));
    const int32_t rug = areas[i] ? areas[i]->RUG : 0;
    const std::string text = zoneRowTime(clock_, rules_, zone, rug, now);
    if (itemText(kZoneRowIds[i].time) != text) setItemText(kZoneRowIds[i].time, text);
  }
}

}  // namespace mdx::win

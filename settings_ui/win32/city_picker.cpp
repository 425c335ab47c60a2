#include "settings_ui/win32/city_picker.h"

#include "platform/win32/text.h"
#include "settings_ui/city_search.h"

namespace mdx::win {

const CommandEntry<CityPicker> CityPicker::kCommands[2] = {
    {IDC_CITY_SEARCH, EN_CHANGE, &CityPicker::onQueryChanged},
    {IDC_CITY_LIST, LBN_DBLCLK, &CityPicker::onListDoubleClick},
};

CityPicker::CityPicker(HWND owner, const ZoneRules* rules, const Clock& clock)
    : DialogImpl<CityPicker>(IDD_CITY_PICKER, owner), rules_(rules), clock_(clock) {}

BOOL CityPicker::onInitDialog() {
  // Each entry carries the city's offset at the moment the picker opens.
  const int64_t now = clock_.nowSeconds();
  entries_.reserve(kCityCount);
  for (size_t i = 0; i < kCityCount; ++i) {
    const CityRow& city = kCityTable[i];
    const std::optional<int32_t> offset =
        (rules_ != nullptr && city.windowsZone[0] != '\0') ? rules_->offsetMinutes(city.windowsZone, now) : std::nullopt;
    entries_.push_back(widen(cityEntryLabel(city, offset)));
  }
  showMatches();
  SetFocus(item(IDC_CITY_SEARCH));
  return FALSE;  // the focus is set
}

void CityPicker::onQueryChanged() { showMatches(); }

void CityPicker::onListDoubleClick() { onOK(); }

void CityPicker::showMatches() {
  matches_ = searchCities(itemText(IDC_CITY_SEARCH));
  HWND list = item(IDC_CITY_LIST);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  SendMessageW(list, LB_INITSTORAGE, matches_.size(), matches_.size() * 32 * sizeof(wchar_t));
  for (size_t i : matches_) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries_[i].c_str()));
  // The first match is selected, so Enter takes it.
  SendMessageW(list, LB_SETCURSEL, matches_.empty() ? static_cast<WPARAM>(-1) : 0, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool CityPicker::preTranslateMessage(MSG& msg) {
  // The arrow and page keys in the search field move the list's selection instead.
  if (msg.message == WM_KEYDOWN && msg.hwnd == item(IDC_CITY_SEARCH)) {
    switch (msg.wParam) {
      case VK_UP:
      case VK_DOWN:
      case VK_PRIOR:
      case VK_NEXT:
        SendMessageW(item(IDC_CITY_LIST), WM_KEYDOWN, msg.wParam, msg.lParam);
        return true;
      default:
        break;
    }
  }
  return DialogImpl<CityPicker>::preTranslateMessage(msg);
}

void CityPicker::onOK() {
  const LRESULT sel = SendMessageW(item(IDC_CITY_LIST), LB_GETCURSEL, 0, 0);
  if (sel == LB_ERR || static_cast<size_t>(sel) >= matches_.size()) {
    MessageBeep(MB_OK);  // nothing matches: nothing to take
    return;
  }
  chosen = matches_[static_cast<size_t>(sel)];
  endDialog(IDOK);
}

}  // namespace mdx::win

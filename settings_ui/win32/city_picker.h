#pragma once
// The city picker "都市を選ぶ": a search field over a list of cities. Typing filters the list
// (settings_ui/city_search.h) and selects its first entry; the arrow and page keys move the
// selection while the focus stays in the search field; Enter, OK or a double click takes the
// selected city, Esc or キャンセル takes none.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "dialogfw/win32/dialog.h"
#include "platform/clock.h"
#include "resources/city_picker_ids.h"
#include "worldtime/zone_rules.h"

namespace mdx::win {

class CityPicker : public DialogImpl<CityPicker> {
 public:
  CityPicker(HWND owner, const ZoneRules* rules, const Clock& clock);

  static const CommandEntry<CityPicker> kCommands[2];

  // The taken city's index in kCityTable, after OK.
  std::optional<size_t> chosen;

  void onQueryChanged();
  void onListDoubleClick();
  bool preTranslateMessage(MSG& msg) override;

 protected:
  BOOL onInitDialog() override;
  void onOK() override;

 private:
  void showMatches();

  const ZoneRules* rules_;
  const Clock& clock_;
  std::vector<std::wstring> entries_;  // every city's entry, in table order
  std::vector<size_t> matches_;        // the cities the list shows
};

}  // namespace mdx::win

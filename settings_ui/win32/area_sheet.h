#pragma once
// The AREA settings sheet "AREA設定": CMyPropertySheet with the seven pages CMyPropertyPage1
// to CMyPropertyPage7 (templates IDD_AREA1 to IDD_AREA7). Each page edits a copy of one AREA;
// only OK copies the seven copies back.
#include <windows.h>

#include <array>
#include <optional>

#include "settings/settings.h"
#include "dialogfw/win32/property_sheet.h"
#include "settings_ui/area_sheet_model.h"
#include "settings_ui/win32/zone_page.h"

namespace mdx::win {

// What every AREA page does; the page classes differ only in their template and ids.
class AreaPage : public SheetPage {
 public:
  explicit AreaPage(int areaNumber);

  int areaNumber() const { return areaNumber_; }
  // The page's copy of its AREA: blank until the opener fills it.
  AreaSettings values;

  // Command handlers, bound by each page class's table.
  void onDisplayCheck();  // ｱﾅﾛｸﾞ表示, 国名及び名称表示, ﾃﾞｼﾞﾀﾙ時間表示
  void onColor();         // COLOR

  // A city taken on the zone page: name, time difference and position into the values and,
  // once the page has been shown, into its controls, so that visiting it shows them.
  void takeCity(const CityChoice& choice);

 protected:
  BOOL onInitDialog() override;
  std::vector<Field> fields() override;

 private:
  int areaNumber_;
};

template <int N>
class CMyPropertyPage : public SheetPageImpl<CMyPropertyPage<N>, AreaPage> {
  static_assert(N >= 1 && N <= kAreaCount, "AREA1 to AREA7");

 public:
  CMyPropertyPage() : SheetPageImpl<CMyPropertyPage<N>, AreaPage>(N) {}
  static const CommandEntry<CMyPropertyPage> kCommands[];
};

template <int N>
const CommandEntry<CMyPropertyPage<N>> CMyPropertyPage<N>::kCommands[] = {
    {kAreaPageIds[N - 1].showAnalog, BN_CLICKED, &CMyPropertyPage<N>::onDisplayCheck},
    {kAreaPageIds[N - 1].showCountry, BN_CLICKED, &CMyPropertyPage<N>::onDisplayCheck},
    {kAreaPageIds[N - 1].showDigital, BN_CLICKED, &CMyPropertyPage<N>::onDisplayCheck},
    {kAreaColorButton, BN_CLICKED, &CMyPropertyPage<N>::onColor},
};

using CMyPropertyPage1 = CMyPropertyPage<1>;
using CMyPropertyPage2 = CMyPropertyPage<2>;
using CMyPropertyPage3 = CMyPropertyPage<3>;
using CMyPropertyPage4 = CMyPropertyPage<4>;
using CMyPropertyPage5 = CMyPropertyPage<5>;
using CMyPropertyPage6 = CMyPropertyPage<6>;
using CMyPropertyPage7 = CMyPropertyPage<7>;

class CMyPropertySheet : public SheetDialog {
 public:
  // Caption "AREA設定", the pages in the order AREA1 to AREA7 and then "都市とタイムゾーン", AREA1
  // shown first.
  CMyPropertySheet(HWND owner, const ZoneRules* zones, const Clock& clock);

  // Page n (1..7).
  AreaPage& page(int areaNumber);

  CMyPropertyPage1 page1;
  CMyPropertyPage2 page2;
  CMyPropertyPage3 page3;
  CMyPropertyPage4 page4;
  CMyPropertyPage5 page5;
  CMyPropertyPage6 page6;
  CMyPropertyPage7 page7;
  ZonePage zonePage;
};

// The menu command "AREA設定": runs the sheet on copies of the seven AREAs; OK returns all
// seven pages (shown or not), their ZONE values from the zone page; Cancel returns nothing.
std::optional<std::array<AreaSettings, kAreaCount>> runAreaSheet(HWND owner,
                                                                 const std::array<AreaSettings, kAreaCount>& areas,
                                                                 const ZoneRules* zones, const Clock& clock);

}  // namespace mdx::win

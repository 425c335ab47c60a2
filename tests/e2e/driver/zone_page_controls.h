#pragma once
// The AREA sheet's zone page as the scenarios reach it: the popup command that opens the sheet,
// the page's place in it and the controls of AREA n's row (n = 1..7), from the resource ids.
#include <windows.h>

#include "resources/resource_ids.h"
#include "resources/zone_page_ids.h"

namespace e2e {

constexpr UINT kAreaSettingsCommand = ID_AREA_SETTINGS;
constexpr int kZonePageIndex = 7;
inline int labelId(int n) { return IDC_ZONE1_LABEL - 1 + n; }
inline int countryId(int n) { return IDC_ZONE1_COUNTRY - 1 + n; }
inline int listId(int n) { return IDC_ZONE1_LIST - 1 + n; }
inline int timeId(int n) { return IDC_ZONE1_TIME - 1 + n; }
inline int cityButtonId(int n) { return IDC_ZONE1_CITY - 1 + n; }

}  // namespace e2e

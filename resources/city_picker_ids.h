// Identifiers of the city picker "都市を選ぶ" (template 113); the code takes its constants from
// here (settings_ui/win32/city_picker.h).
#pragma once

#define IDD_CITY_PICKER 113
#define IDC_CITY_SEARCH_LABEL 1450
#define IDC_CITY_SEARCH 1451
#define IDC_CITY_LIST_LABEL 1452
#define IDC_CITY_LIST 1453

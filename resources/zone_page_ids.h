// Identifiers of the AREA sheet's page "タイムゾーン" (template 112). The code's table
// (settings_ui/zone_page_model.h) names the same numbers and is checked against these.
#pragma once

#define IDD_AREA_ZONES 112
#define IDC_ZONE_NOTE 1400
// Per row n (1..7): label "AREAn" 1400 + n, place name 1410 + n, zone list 1420 + n, time 1430 + n.
#define IDC_ZONE_LABEL1 1401
#define IDC_ZONE_COUNTRY1 1411
#define IDC_ZONE_LIST1 1421
#define IDC_ZONE_TIME1 1431

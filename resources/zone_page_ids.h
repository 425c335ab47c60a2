// Identifiers of the AREA sheet's page "都市とタイムゾーン" (template 112); the code takes its
// constants from here (settings_ui/zone_page_model.h).
#pragma once

#define IDD_AREA_ZONES 112
#define IDC_ZONE_NOTE 1400
// Row n (1..7): label "AREAn", place name, zone list, the AREA's time, button "都市…".
#define IDC_ZONE1_LABEL 1401
#define IDC_ZONE1_COUNTRY 1411
#define IDC_ZONE1_LIST 1421
#define IDC_ZONE1_TIME 1431
#define IDC_ZONE1_CITY 1441
#define IDC_ZONE2_LABEL 1402
#define IDC_ZONE2_COUNTRY 1412
#define IDC_ZONE2_LIST 1422
#define IDC_ZONE2_TIME 1432
#define IDC_ZONE2_CITY 1442
#define IDC_ZONE3_LABEL 1403
#define IDC_ZONE3_COUNTRY 1413
#define IDC_ZONE3_LIST 1423
#define IDC_ZONE3_TIME 1433
#define IDC_ZONE3_CITY 1443
#define IDC_ZONE4_LABEL 1404
#define IDC_ZONE4_COUNTRY 1414
#define IDC_ZONE4_LIST 1424
#define IDC_ZONE4_TIME 1434
#define IDC_ZONE4_CITY 1444
#define IDC_ZONE5_LABEL 1405
#define IDC_ZONE5_COUNTRY 1415
#define IDC_ZONE5_LIST 1425
#define IDC_ZONE5_TIME 1435
#define IDC_ZONE5_CITY 1445
#define IDC_ZONE6_LABEL 1406
#define IDC_ZONE6_COUNTRY 1416
#define IDC_ZONE6_LIST 1426
#define IDC_ZONE6_TIME 1436
#define IDC_ZONE6_CITY 1446
#define IDC_ZONE7_LABEL 1407
#define IDC_ZONE7_COUNTRY 1417
#define IDC_ZONE7_LIST 1427
#define IDC_ZONE7_TIME 1437
#define IDC_ZONE7_CITY 1447

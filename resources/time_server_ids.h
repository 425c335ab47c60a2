// Identifiers of the time-server dialog "日本標準時設定" (template 204), as plain #defines for
// the resource compiler; the code's constants in nettime/time_server_model.h are made from them.
#pragma once

#define IDD_TIME_SERVER 204

#define IDC_TS_SERVER_COMBO 1279
#define IDC_TS_CHOOSE 1007
#define IDC_TS_CONNECTED 1280
#define IDC_TS_STATUS 1197
#define IDC_TS_PC_TIME 1273
#define IDC_TS_SERVER_TIME 1274
#define IDC_TS_ICON 1276

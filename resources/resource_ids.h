// Identifiers of the program's resources and commands (shared by the .rc script and the code).
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDR_POPUP 103
#define IDI_APP 128
#define IDI_APP_ALT 129

#define IDC_MAP_PICTURE 1012
#define IDC_ABOUT_ICON 1000
#define IDC_ABOUT_TEXT 1001

#define ID_TIMER_ACTION 32772
#define ID_AREA_SETTINGS 32788
#define ID_OPTIONS 32789
#define ID_ABOUT 32793
#define ID_CALL_RESET 32795
#define ID_TIME_SERVER 32799
#define ID_HELP_FINDER 57667
#define ID_EXIT 1

// Identifiers of the timer-action dialog (template 132), as plain #defines for the resource
// compiler; the code's constants in actions/timer_action_model.h are made from them.
#pragma once

#define IDD_TIMER_ACTION 132

#define IDC_TA_HOUR 1003
#define IDC_TA_MINUTE 1004
#define IDC_TA_HOUR_SPIN 1008
#define IDC_TA_MINUTE_SPIN 1009
#define IDC_TA_PC_DATE 1030
#define IDC_TA_PC_TIME 1031

#define IDC_TA_EXIT_CHECK 1225
#define IDC_TA_EXIT_TIME 1033
#define IDC_TA_EXIT_RESERVE 1007
#define IDC_TA_EXIT_LOGOFF 1245
#define IDC_TA_EXIT_RESTART 1246
#define IDC_TA_EXIT_SHUTDOWN 1020

#define IDC_TA_SOUND_CHECK 1216
#define IDC_TA_SOUND_TIME 1034
#define IDC_TA_SOUND_RESERVE 1010
#define IDC_TA_SOUND_FILE 1014
#define IDC_TA_SOUND_BROWSE 1015
#define IDC_TA_SOUND_TEST 1025

#define IDC_TA_PROGRAM_CHECK 1217
#define IDC_TA_PROGRAM_TIME 1035
#define IDC_TA_PROGRAM_RESERVE 1011
#define IDC_TA_PROGRAM_COMMAND 1016
#define IDC_TA_PROGRAM_BROWSE 1017

#define IDC_TA_CALL_CHECK 1218
#define IDC_TA_CALL_TIME 1036
#define IDC_TA_CALL_RESERVE 1012
#define IDC_TA_CALL_FLASH 1258
#define IDC_TA_CALL_TOPWINDOW 1259
#define IDC_TA_CALL_TEXT 1018

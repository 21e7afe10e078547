/* Resource and control ids, shared by zelk.rc and the code. Plain #defines: the resource
   compiler reads this file too. */
#pragma once

/* Dialogs. */
#define IDD_ABOUT 106
#define IDD_SETTINGS 107
#define IDD_WORD_MAKING 131

/* Menus and their commands. */
#define IDM_STATUS 105
#define IDM_WORD_MAKING 40008
#define IDM_USER_GUIDE 40028
#define IDM_VERSION 40005
#define IDM_SOFT_KEYBOARD 120
#define IDM_SOFT_KEYBOARD_FIRST 40013 /* layout i is command 40013 + i */
#define IDM_SOFT_KEYBOARD_LAST 40025

/* Pictures. */
#define IDB_ABOUT 119
#define IDR_HAND_CURSOR 126

/* Settings dialog: the page list, OK, and the option boxes by page. */
#define IDC_PAGE_LIST 1085
#define IDC_SETTINGS_OK 1042
#define IDC_SKIN_BOX_FIRST 1086 /* box 1086 + n stands for skin number n, 0 to 6 */
#define IDC_SKIN_BOX_LAST 1092
#define IDC_CURSOR_FOLLOW 1036
#define IDC_LEFT_SHIFT 1045
#define IDC_RIGHT_SHIFT 1046
#define IDC_SHIFT_OFF 1074
#define IDC_COMMA_PERIOD_PAGING 1077
#define IDC_SEMICOLON_QUOTE 1037
#define IDC_COMMA_PERIOD 1040
#define IDC_DIGITS_ONLY 1047
#define IDC_AUTO_FREQUENCY 1071
#define IDC_MANUAL_FREQUENCY 1073
#define IDC_WORD_ASSOCIATION 1033
#define IDC_PROGRESSIVE_HINT 1044
#define IDC_PHRASE_INPUT 1034
#define IDC_CODE_HINT 1035
#define IDC_GB2312 1052
#define IDC_GBK 1053
#define IDC_PRIMARY_CODE_SET 1069
#define IDC_SECONDARY_CODE_SET 1070

/* About box. */
#define IDC_ABOUT_OK 1

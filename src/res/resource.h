// Every resource and control id of the program, named once and shared by the code and the .rc files.
// The .rc files include this header, so it holds #define lines only.
#pragma once

// ---- Application: icons, menus, commands, strings
#define IDI_ZVCTRL 100
#define IDM_TRAY 117
#define IDM_OPEN 40008
#define IDM_EXIT 40002

#define IDS_CONTROL_PANEL_TITLE 51
#define IDS_GENERAL_TITLE 54
#define IDS_EFFECTS_TITLE 55
#define IDS_PLAYBACK_MIXER_TITLE 56
#define IDS_RECORD_MIXER_TITLE 57
#define IDS_NO_DIRECTX 61
#define IDS_FIRST_ENVIRONMENT 100
#define IDS_LAST_ENVIRONMENT 151

// ---- Control panel dialog
#define IDD_CONTROL_PANEL 112
#define IDC_TABS 1062
#define IDC_APPLY 1049
#define IDC_PANEL_ICON 1145
#define IDC_DRIVER_VERSION 1052

// ---- General page
#define IDC_SPEAKERS_2 1078
#define IDC_SPEAKERS_4 1079
#define IDC_SPEAKERS_6 1080
#define IDC_SPEAKERS_STEREO_X2 1083

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

// ---- Mixer pages: one column per line, each with a label, a volume and a balance track bar and a check box
#define IDC_PLAY_MASTER_VOLUME 1099
#define IDC_PLAY_WAVE_VOLUME 1100
#define IDC_PLAY_SYNTH_VOLUME 1101
#define IDC_PLAY_CD_VOLUME 1102
#define IDC_PLAY_MIC_VOLUME 1103
#define IDC_PLAY_LINE_VOLUME 1104
#define IDC_PLAY_MASTER_LABEL 1107
#define IDC_PLAY_WAVE_LABEL 1108
#define IDC_PLAY_SYNTH_LABEL 1109
#define IDC_PLAY_CD_LABEL 1110
#define IDC_PLAY_MIC_LABEL 1111
#define IDC_PLAY_LINE_LABEL 1112
#define IDC_PLAY_MASTER_BALANCE 1113
#define IDC_PLAY_WAVE_BALANCE 1114
#define IDC_PLAY_SYNTH_BALANCE 1115
#define IDC_PLAY_CD_BALANCE 1116
#define IDC_PLAY_MIC_BALANCE 1117
#define IDC_PLAY_LINE_BALANCE 1118
#define IDC_PLAY_MASTER_MUTE 1120
#define IDC_PLAY_WAVE_MUTE 1121
#define IDC_PLAY_SYNTH_MUTE 1122
#define IDC_PLAY_CD_MUTE 1123
#define IDC_PLAY_MIC_MUTE 1124
#define IDC_PLAY_LINE_MUTE 1125

#define IDC_REC_MIX_LABEL 1127
#define IDC_REC_MIC_LABEL 1128
#define IDC_REC_CD_LABEL 1129
#define IDC_REC_LINE_LABEL 1130
#define IDC_REC_MIX_VOLUME 1132
#define IDC_REC_MIC_VOLUME 1133
#define IDC_REC_CD_VOLUME 1134
#define IDC_REC_LINE_VOLUME 1135
#define IDC_REC_MIX_SELECT 1136
#define IDC_REC_MIC_SELECT 1137
#define IDC_REC_CD_SELECT 1138
#define IDC_REC_LINE_SELECT 1139
#define IDC_REC_MIX_BALANCE 1140
#define IDC_REC_MIC_BALANCE 1141
#define IDC_REC_CD_BALANCE 1142
#define IDC_REC_LINE_BALANCE 1143

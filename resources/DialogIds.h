/* Dialog templates, their controls and the pictures they show. Plain C macros so
   that windres can read them too. */
#ifndef ZANDOR_DIALOG_IDS_H
#define ZANDOR_DIALOG_IDS_H

#define IDB_PREVIEW 145

#define IDD_SETTINGS_PAGE 133
#define IDC_SPEED_SLIDER 1003
#define IDC_VIDEO_MODE 1004
#define IDC_DESKTOP_SETTINGS 1005
#define IDC_RANDOM_SEQUENCE 1009
#define IDC_DEMO_MODE 1022
#define IDC_PAGE_TABS 1039

#define IDD_PROGRESS 139
#define IDC_PROGRESS_BAR 1025
#define IDC_TIME_REMAINING 1026
#define IDC_PROGRESS_STATUS 1027
#define IDC_PROGRESS_LOCATION 1028

#define IDD_ABOUT 142

#endif

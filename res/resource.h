#pragma once

// Main window controls. IDC_FOLDER and IDC_STATUS share 101: route WM_NOTIFY by IDC_LIST.
#define IDC_LIST 1
#define IDC_FOLDER 101
#define IDC_STATUS 101
#define IDC_BROWSE 102

// Menu commands.
#define IDM_EXIT 200
#define IDM_ABOUT 201
#define IDM_START 32771
#define IDM_OPTIONS 32775
#define IDM_STOP 32776
#define IDM_SAVE 32777
#define IDM_HELP 32778
#define IDM_COMPARE 32784

// The row menu of the list.
#define IDM_OPENFOLDER 32779
#define IDM_COPY 32780
#define IDM_COPYPATH 32781
#define IDM_SELECTALL 32782
#define IDM_PROPERTIES 32783

// Options dialog.
#define IDC_FILTER 110
#define IDC_SUBFOLDERS 111
#define IDC_AUTOWIDTH 112
#define IDC_CLEARFIRST 113

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

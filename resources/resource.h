// Resource and command identifiers, by range. Shared by the resource script
// and the C++ sources.
#pragma once

// Icons
#define IDI_VELMORA 100        // the program (main window, About box)
#define IDI_FRAME 101          // the frames' small icon
#define IDI_OPTIONS 102        // the options pages' tabs

// Menus, accelerators, dialogs, bitmaps
#define IDR_MAINMENU 110
#define IDB_MAINTOOLBAR 111    // 7 images of 16 x 15
#define IDD_ABOUT 112
#define IDD_ENCODEPAGE 114
#define IDD_GENERALPAGE 115
#define IDB_CHANNELTOOLBAR 116 // 20 images of 16 x 15
#define IDR_ACCELERATORS 128

// Commands of the main window (menu, accelerator, main toolbar)
#define IDM_EXIT 40001
#define IDM_ABOUT 40002
#define IDM_BACK 40003
#define IDM_FORWARD 40004
#define IDM_UP 40005
#define IDM_OPTIONS 40006
#define IDM_TOOLBAR 40027
#define IDM_STATUSBAR 40028
#define IDM_VIEW_THUMBNAILS 40029
#define IDM_VIEW_TILES 40030
#define IDM_VIEW_ICONS 40031
#define IDM_VIEW_LIST 40032
#define IDM_VIEW_DETAILS 40033
#define IDM_ARRANGE_NAME 40034
#define IDM_ARRANGE_SIZE 40035
#define IDM_ARRANGE_TYPE 40036
#define IDM_ARRANGE_DATE 40037
#define IDM_REFRESH 40038
#define IDM_DATAVIEW 40039
#define IDM_TREEVIEW 40040
#define IDM_MIDIONLY 40043
#define IDM_SAVE_AS 40045

// Commands of the channel toolbar
#define IDM_CHANNEL_FIRST 40008  // CH 1; CH 16 is 40023
#define IDM_CHANNEL_LAST 40023
#define IDM_COPY 40024
#define IDM_OPTION_CHANNELS 40025
#define IDM_COMPLETE_READING 40044
#define IDM_NORMALIZE_RESOLUTION 40046

// Controls of the options pages
#define IDC_CHANNEL_FIRST 1002   // CH 1; CH 16 is 1017
#define IDC_REALTIME 1003
#define IDC_SELECT_ALL 1018
#define IDC_CLEAR_ALL 1019
#define IDC_DEFAULT_FORMATS 1020
#define IDC_FORMAT1 1021
#define IDC_FORMAT2 1022

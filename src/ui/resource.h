// The program's resource ids. The resource compiler reads this file too, so they are defines.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_KESTRANE_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_INSTALL_BUTTON 1000
#define IDC_GAME_DIR 1001
#define IDC_BROWSE_BUTTON 1002
#define IDC_PICTURE 1003
#define IDC_FRAME 1004

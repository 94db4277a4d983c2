// Every resource and command id of Harpix, each once. Shared by the resource script and the code.
#pragma once

// Dialog 103 is the About box; string 103 is the program's name. Different resource types, so
// the one number serves both.
#define IDD_ABOUTBOX 103
#define IDS_APP_TITLE 103

// Menu commands, also carried by the accelerators.
#define IDM_ABOUT 104
#define IDM_EXIT 105

#define IDI_HARPIX 107
#define IDI_SMALL 108

// The menu bar, the accelerator table and the main window's class name (string 109).
#define IDC_HARPIX 109

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Resource identifiers of the launcher. The numbers are fixed: the code and
// the resource script refer to every resource by number alone.
#pragma once

#define IDD_LAUNCHER_DIALOG 102
#define IDI_LAUNCHER_ICON 128
#define IDB_READER_ENTRY 129
#define IDB_BACKGROUND 130
#define IDB_CLOSE_BUTTON 132
#define IDB_SETUP_ENTRY 133
#define IDB_MANUAL_ENTRY 134
#define IDB_MINIMIZE_BUTTON 135

#define IDC_VERSION_LABEL 1000

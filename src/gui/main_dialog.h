// The main window: dialog 1001 and its procedure.
#pragma once

#include <windows.h>

// 1 while "Create Backup?" is ticked, else 0. Read by the install.
extern int g_backup;
// 1 English, 2 German; any other value shows no texts at all.
extern int g_language;

INT_PTR CALLBACK DlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Numeric identifiers of the main window's resources, controls and commands.
// Shared by the resource script and the code, so plain #defines only.
#pragma once

// Resources.
#define IDD_MAIN 1001
#define IDM_MENU_ENGLISH 2001
#define IDM_MENU_GERMAN 2002
#define IDI_MAIN 11

// Controls of dialog 1001. The group box shares its identifier with the German
// language command, and both labels carry 203: a lookup by 203 finds the map label,
// the first of the two in creation order.
#define IDC_STATUSBAR 201
#define IDC_BROWSE 202
#define IDC_LABEL 203
#define IDC_INSTALL 204
#define IDC_GROUP 205
#define IDC_PROGRESS 206
#define IDC_UNINSTALL 208
#define IDC_BACKUP 209

// Commands of the menus and buttons.
#define IDM_OPEN 101
#define IDM_CLOSE 102
#define IDM_ENGLISH 103
#define IDM_ABOUT 106
#define IDM_GERMAN 205
#define IDM_WEBSITE 207

// What the window's title bar shows in both languages.
#define QV_CAPTION "Q.V. Race Installer v0.4"

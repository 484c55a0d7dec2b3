// The main window by itself: its start state, its commands and its two languages.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_host.h"
#include "harness.h"

namespace guitest {
namespace {

// ---- Reading the window back --------------------------------------------------------------

// One line per menu item, indented by level: "<text> <id>" with " checked" or
// " disabled" when so; "---" for a separator; a submenu's own line has no id.
void DescribeMenu(HMENU menu, const std::string& indent, std::vector<std::string>* lines) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    WCHAR text[256] = {0};
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = 256;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) {
      lines->push_back(indent + "(unreadable)");
      continue;
    }
    if (item.fType & MFT_SEPARATOR) {
      lines->push_back(indent + "---");
      continue;
    }
    std::string line = indent + Utf8(text);
    if (item.hSubMenu == nullptr) line += " " + std::to_string(item.wID);
    if (item.fState & MFS_CHECKED) line += " checked";
    if (item.fState & MFS_DISABLED) line += " disabled";
    lines->push_back(line);
    if (item.hSubMenu != nullptr) DescribeMenu(item.hSubMenu, indent + "  ", lines);
  }
}

std::vector<std::string> MenuOf(HWND window) {
  std::vector<std::string> lines;
  HMENU menu = GetMenu(window);
  if (menu != nullptr) DescribeMenu(menu, "", &lines);
  return lines;
}

const std::vector<std::string> kEnglishMenu = {
    "&File",    "  &Open map... 101", "  ---",           "  &Close 102",
    "&Options", "  &Language",        "    &German 205", "    &English 103 checked",
    "&Info",    "  &About... 106",    "  &Website 207",
};

const std::vector<std::string> kGermanMenu = {
    "&Datei",
    "  &Öffne Map... 101",
    "  ---",
    "  &Schliessen 102",
    "&Optionen",
    "  &Sprache",
    "    &Deutsch 205 checked",
    "    &Englisch 103",
    "&Info",
    "  &Über... 106",
    "  &Webseite 207",
};

// The texts of the controls that a language switch touches, and those it must not.
struct WindowTexts {
  std::string caption, group, browse, label, web, install, backup, uninstall, status0, status1;
};

WindowTexts TextsOf(HostedDialog& dialog) {
  WindowTexts texts;
  texts.caption = WindowText(dialog.window());
  // The first child is the group box; the two labels follow the browse button.
  HWND child = GetWindow(dialog.window(), GW_CHILD);
  texts.group = WindowText(child);
  child = GetWindow(child, GW_HWNDNEXT);
  texts.browse = WindowText(child);
  child = GetWindow(child, GW_HWNDNEXT);
  texts.label = WindowText(child);
  child = GetWindow(child, GW_HWNDNEXT);
  texts.web = WindowText(child);
  texts.install = WindowText(dialog.Control(kInstall));
  texts.backup = WindowText(dialog.Control(kBackup));
  texts.uninstall = WindowText(dialog.Control(kUninstall));
  texts.status0 = StatusText(dialog.StatusBar(), 0);
  texts.status1 = StatusText(dialog.StatusBar(), 1);
  return texts;
}

void CheckTexts(const WindowTexts& actual, const WindowTexts& expected) {
  CHECK_EQ(actual.caption, expected.caption);
  CHECK_EQ(actual.group, expected.group);
  CHECK_EQ(actual.browse, expected.browse);
  CHECK_EQ(actual.label, expected.label);
  CHECK_EQ(actual.web, expected.web);
  CHECK_EQ(actual.install, expected.install);
  CHECK_EQ(actual.backup, expected.backup);
  CHECK_EQ(actual.uninstall, expected.uninstall);
  CHECK_EQ(actual.status0, expected.status0);
  CHECK_EQ(actual.status1, expected.status1);
}

const WindowTexts kStartTexts = {kCaption,  "Install race in map...", "...",       "Open map...", kWebAddress,
                                 "Install", "Create Backup?",         "Uninstall", "Ready.",      "unknown"};
const WindowTexts kGermanTexts = {kCaption,
                                  "Rasse in Map installieren...",
                                  "...",
                                  "Öffne Map...",
                                  kWebAddress,
                                  "Installieren",
                                  "Backup erstellen",
                                  "Deinstallieren",
                                  "Bereit.",
                                  "unbekannt"};
const WindowTexts kEnglishTexts = {
    kCaption,  "Install race in map...", "...",       "Open map...", kWebAddress,
    "Install", "Create Backup",          "Uninstall", "Ready.",      "unknown"};

std::string Describe(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
         std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

void CheckCentred(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int screen_width = GetSystemMetrics(SM_CXSCREEN), screen_height = GetSystemMetrics(SM_CYSCREEN);
  std::printf("screen %dx%d, window %dx%d at %d,%d\n", screen_width, screen_height, width, height,
              static_cast<int>(frame.left), static_cast<int>(frame.top));
  CHECK_EQ(frame.left, (screen_width - width) / 2);
  CHECK_EQ(frame.top, (screen_height - height) / 2);
}

bool Enabled(HostedDialog& dialog, int id) {
  return IsWindowEnabled(dialog.Control(id)) != FALSE;
}

// Expects one message box owned by the dialog, checks it and presses OK.
// The system's shared icons that message boxes show.
constexpr int kExclamation = 32515; // IDI_EXCLAMATION
constexpr int kInformation = 32516; // IDI_INFORMATION
HICON SystemIcon(int id) {
  return LoadIconW(nullptr, MAKEINTRESOURCEW(id));
}

void ExpectBox(HostedDialog& dialog, const std::string& title, const std::string& text, int icon) {
  HWND box = dialog.WaitForBox();
  REQUIRE(box != nullptr);
  const MessageBoxSeen seen = ReadMessageBox(box);
  CHECK_EQ(seen.title, title);
  CHECK_EQ(seen.text, text);
  CHECK(seen.icon == SystemIcon(icon));
  CHECK_EQ(seen.buttons, 1);
  CHECK(!IsWindowEnabled(dialog.window())); // modal: the dialog waits
  PressOk(box);
  CHECK(dialog.Idle());
  CHECK(IsWindowEnabled(dialog.window()));
}

void ExpectNoBox(HostedDialog& dialog) {
  CHECK(dialog.Idle());
  CHECK(dialog.WaitForBox(300) == nullptr);
}

const char* const kBackupWarning = "If you deactive this option, you can't get back your orginal file!";
const char* const kBackupWarningGerman =
    "Wenn die diese Option deaktivieren, können sie ihre Orginal-Datei nicht mehr herrstellen!";
const char* const kAboutEnglishStart = "Q.V. Race Installer v0.4";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

// ---- Start ---------------------------------------------------------------------------------

struct ControlLayout {
  const char* class_name;
  int id;
  RECT units; // x, y, width, height in dialog units
  DWORD type; // BS_ or SS_ type
  bool tab_stop;
  bool enabled;
};

GUI_TEST(start_state) {
  HostedDialog dialog(MakeProgramFolder());
  HWND window = dialog.window();

  // The window itself: a fixed-size dialog with a minimize box, centred on the screen.
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  CHECK((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  CHECK((style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
  CHECK(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  CheckCentred(window);

  CheckTexts(TextsOf(dialog), kStartTexts);

  // The template's seven controls, in creation, Z and tab order.
  const ControlLayout kControls[] = {
      {"Button", kGroup, {5, 3, 190, 65}, BS_GROUPBOX, false, true},
      {"Button", kBrowse, {10, 15, 20, 15}, BS_PUSHBUTTON, true, true},
      {"Static", kLabel, {35, 18, 40, 10}, SS_LEFT, false, true},
      {"Static", kLabel, {110, 9, 80, 10}, SS_LEFT, false, true},
      {"Button", kInstall, {30, 50, 60, 15}, BS_PUSHBUTTON, true, false},
      {"Button", kBackup, {10, 30, 70, 15}, BS_AUTOCHECKBOX, true, true},
      {"Button", kUninstall, {110, 50, 60, 15}, BS_PUSHBUTTON, true, false},
  };
  HWND child = GetWindow(window, GW_CHILD);
  for (const ControlLayout& layout : kControls) {
    REQUIRE(child != nullptr);
    const std::string which = std::string(layout.class_name) + " " + std::to_string(layout.id);
    CHECK_EQ(ClassName(child), layout.class_name);
    CHECK_EQ(GetDlgCtrlID(child), layout.id);
    const LONG child_style = GetWindowLongW(child, GWL_STYLE);
    const LONG type_mask = std::strcmp(layout.class_name, "Button") == 0 ? BS_TYPEMASK : SS_TYPEMASK;
    CHECK_EQ(child_style & type_mask, static_cast<LONG>(layout.type));
    CHECK_EQ((child_style & WS_TABSTOP) != 0, layout.tab_stop);
    CHECK_EQ(IsWindowEnabled(child) != FALSE, layout.enabled);
    CHECK(IsWindowVisible(child));
    // The dialog manager converts position and size each on its own.
    RECT expected = layout.units;
    MapDialogRect(window, &expected);
    expected.right += expected.left;
    expected.bottom += expected.top;
    RECT actual;
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
    CHECK_EQ(which + " at " + Describe(actual), which + " at " + Describe(expected));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  CHECK_EQ(SendMessageW(dialog.Control(kBackup), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // The status bar along the bottom, with its three parts.
  HWND status = dialog.StatusBar();
  REQUIRE(status != nullptr);
  CHECK_EQ(ClassName(status), "msctls_statusbar32");
  CHECK(GetWindowLongW(status, GWL_STYLE) & SBARS_SIZEGRIP);
  std::vector<int> edges;
  CHECK_EQ(StatusParts(status, &edges), 3);
  CHECK(edges == std::vector<int>({100, 200, -1}));
  CHECK_EQ(StatusText(status, 2), "");
  RECT client_rect, status_rect;
  GetClientRect(window, &client_rect);
  GetWindowRect(status, &status_rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&status_rect), 2);
  CHECK_EQ(status_rect.bottom, client_rect.bottom);

  // The progress bar: a hidden sibling of the status bar, fixed in pixels over its third part.
  HWND progress = dialog.ProgressBar();
  REQUIRE(progress != nullptr);
  CHECK_EQ(ClassName(progress), "msctls_progress32");
  CHECK(GetParent(progress) == window);
  CHECK(!IsWindowVisible(progress));
  CHECK_EQ(SendMessageW(progress, PBM_GETSTEP, 0, 0), 1);
  RECT bar;
  GetWindowRect(progress, &bar);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar), 2);
  CHECK_EQ(Describe(bar), "202,124 80x18");
  CHECK(bar.top >= status_rect.top && bar.bottom <= status_rect.bottom);

  CHECK(MenuOf(window) == kEnglishMenu);

  // Both icons, from one 32 x 32 picture at 24 bits.
  CHECK(SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0);
  CHECK(SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0);
  HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(11), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
  REQUIRE(group != nullptr);
  const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
  CHECK_EQ(directory[4] | directory[5] << 8, 1);    // one image
  CHECK_EQ(static_cast<int>(directory[6]), 32);     // 32 wide
  CHECK_EQ(static_cast<int>(directory[7]), 32);     // 32 high
  CHECK_EQ(directory[12] | directory[13] << 8, 24); // bits per pixel

  // The keyboard: the browse button has the focus, and Tab skips the disabled buttons.
  HWND browse = dialog.Control(kBrowse), backup = dialog.Control(kBackup);
  CHECK(dialog.Focus() == browse);
  CHECK(GetNextDlgTabItem(window, browse, FALSE) == backup);
  CHECK(GetNextDlgTabItem(window, backup, FALSE) == browse);
  CHECK(GetNextDlgTabItem(window, browse, TRUE) == backup);
}

// Also run on a screen smaller than the window (see CMakeLists.txt), where the
// edges go negative by half the overflow, rounded toward zero.
GUI_TEST(centring) {
  HostedDialog dialog(MakeProgramFolder());
  CheckCentred(dialog.window());
}

GUI_TEST(resources) {
  // The manifest asks for common controls 6 and DPI awareness; the version names us.
  HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
  REQUIRE(manifest != nullptr);
  const std::string xml(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))),
                        SizeofResource(nullptr, manifest));
  CHECK(xml.find("Microsoft.Windows.Common-Controls") != std::string::npos);
  CHECK(xml.find("version=\"6.0.0.0\"") != std::string::npos);
  CHECK(xml.find(">true</dpiAware>") != std::string::npos);

  HRSRC version = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)); // RT_VERSION
  REQUIRE(version != nullptr);
  std::vector<BYTE> block(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, version))),
                          static_cast<const BYTE*>(LockResource(LoadResource(nullptr, version))) +
                              SizeofResource(nullptr, version));
  block.resize(block.size() * 2); // room for the conversions VerQueryValue may make
  for (const char* name : {"FileVersion", "ProductVersion"}) {
    WCHAR* value = nullptr;
    UINT length = 0;
    std::vector<WCHAR> path = Wide(std::string("\\StringFileInfo\\040904B0\\") + name);
    REQUIRE(VerQueryValueW(block.data(), path.data(), reinterpret_cast<void**>(&value), &length));
    CHECK_EQ(Utf8(value), "0.4.0");
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  REQUIRE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  CHECK_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(4, 0)));
}

// ---- Commands -------------------------------------------------------------------------------

GUI_TEST(about_box) {
  HostedDialog dialog(MakeProgramFolder());
  dialog.Command(kCmdAbout);
  HWND box = dialog.WaitForBox();
  REQUIRE(box != nullptr);
  const MessageBoxSeen seen = ReadMessageBox(box);
  CHECK_EQ(seen.title, "About...");
  CHECK(seen.icon == SystemIcon(kInformation));
  CHECK(GetWindow(box, GW_OWNER) == dialog.window());
  // Four lines, the third empty: name and build, authors and rights, then StormLib's credit.
  const std::vector<std::string> lines = Lines(seen.text);
  REQUIRE(lines.size() == 4);
  CHECK_EQ(lines[0].rfind(kAboutEnglishStart, 0), 0u);
  CHECK(!lines[1].empty());
  CHECK_EQ(lines[2], "");
  CHECK(lines[3].find("StormLib") != std::string::npos);
  PressOk(box);
  CHECK(dialog.Idle());
}

GUI_TEST(backup_option) {
  HostedDialog dialog(MakeProgramFolder());
  HWND backup = dialog.Control(kBackup);
  // Ticking never warns; unticking warns every time.
  for (int round = 0; round < 2; ++round) {
    dialog.Click(kBackup);
    ExpectNoBox(dialog);
    CHECK_EQ(SendMessageW(backup, BM_GETCHECK, 0, 0), BST_CHECKED);
    dialog.Click(kBackup);
    ExpectBox(dialog, "Warning!", kBackupWarning, kExclamation);
    CHECK_EQ(SendMessageW(backup, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }
}

GUI_TEST(website) {
  RegisterRecorder();
  HostedDialog dialog(MakeProgramFolder());
  dialog.Command(kCmdWebsite);
  CHECK(WaitFor([] { return !RecordedLaunches().empty(); }));
  CHECK(RecordedLaunches() == std::vector<std::string>({kWebAddress}));
  ExpectNoBox(dialog);
  CheckTexts(TextsOf(dialog), kStartTexts);
}

GUI_TEST(unhandled_commands) {
  HostedDialog dialog(MakeProgramFolder());
  // Identifiers of things that are no commands, and ones nothing uses at all.
  for (int id : {0, 1, 2, 104, 105, 201, 203, 206, 210, 999, 2001, 65535})
    dialog.Command(id);
  // A known identifier with a notification code other than a click is no command either.
  PostMessageW(dialog.window(), WM_COMMAND, MAKEWPARAM(kCmdAbout, 1), 0);
  ExpectNoBox(dialog);
  CHECK(IsWindow(dialog.window()));
  CHECK_EQ(dialog.WaitForExit(0), -1);
  CheckTexts(TextsOf(dialog), kStartTexts);
  CHECK(MenuOf(dialog.window()) == kEnglishMenu);
  CHECK(!Enabled(dialog, kInstall));
  CHECK(!Enabled(dialog, kUninstall));
  CHECK(!IsWindowVisible(dialog.ProgressBar()));
}

// ---- Open map ---------------------------------------------------------------------------------

GUI_TEST(open_map) {
  HostedDialog dialog(MakeProgramFolder());
  const std::string map = CopySharedMap("melee-131-2p.w3x");
  const std::string other = CopySharedMap("small-custom.w3x");

  // The browse button opens the system's dialog, with an empty name at first and
  // only Frozen Throne maps listed.
  dialog.Click(kBrowse);
  HWND open = dialog.WaitForBox();
  REQUIRE(open != nullptr);
  CHECK(!IsWindowEnabled(dialog.window()));
  HWND name = FileNameField(open);
  REQUIRE(name != nullptr);
  CHECK_EQ(WindowText(name), "");
  HWND types = FileTypeBox(open);
  REQUIRE(types != nullptr);
  CHECK_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 1);
  CHECK_EQ(WindowText(types), "Frozen Throne Maps (*.w3x)");

  // Cancelling changes nothing.
  PostMessageW(GetDlgItem(open, IDCANCEL), BM_CLICK, 0, 0);
  REQUIRE(WaitFor([&] { return !IsWindow(open); }));
  CHECK(dialog.Idle());
  CheckTexts(TextsOf(dialog), kStartTexts);
  CHECK(!Enabled(dialog, kInstall));

  // A chosen map: its path in the status bar, both buttons enabled, the full tab order.
  dialog.OpenMap(map);
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "File opened.");
  CHECK_EQ(StatusText(dialog.StatusBar(), 1), DosPath(map));
  CHECK(Enabled(dialog, kInstall));
  CHECK(Enabled(dialog, kUninstall));
  HWND window = dialog.window();
  HWND order[] = {dialog.Control(kBrowse), dialog.Control(kInstall), dialog.Control(kBackup),
                  dialog.Control(kUninstall), dialog.Control(kBrowse)};
  for (int i = 0; i < 4; ++i)
    CHECK(GetNextDlgTabItem(window, order[i], FALSE) == order[i + 1]);

  // File > Open map... opens with the last map filled in; a cancel keeps that map
  // and what the status bar shows.
  dialog.Command(kCmdOpenMap);
  open = dialog.WaitForBox();
  REQUIRE(open != nullptr);
  CHECK(WindowText(FileNameField(open)).find("melee-131-2p.w3x") != std::string::npos);
  PostMessageW(GetDlgItem(open, IDCANCEL), BM_CLICK, 0, 0);
  REQUIRE(WaitFor([&] { return !IsWindow(open); }));
  CHECK(dialog.Idle());
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "File opened.");
  CHECK_EQ(StatusText(dialog.StatusBar(), 1), DosPath(map));
  CHECK(Enabled(dialog, kInstall));

  // A name of no file is refused by the system's dialog, which stays open for
  // another name. (Windows would also try the name with ".w3x" added; Wine's
  // dialog checks the name as typed, so that is not tested here.)
  dialog.Command(kCmdOpenMap);
  open = dialog.WaitForBox();
  REQUIRE(open != nullptr);
  TypeFileNameAndOpen(open, DosPath(TestFolder("maps") + "/no-such-map.w3x"));
  HWND refusal = WaitForOwnedDialog(open);
  REQUIRE(refusal != nullptr);
  PressOk(refusal);
  CHECK(IsWindow(open));
  TypeFileNameAndOpen(open, DosPath(other));
  REQUIRE(WaitFor([&] { return !IsWindow(open); }));
  CHECK(dialog.Idle());
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "File opened.");
  CHECK_EQ(StatusText(dialog.StatusBar(), 1), DosPath(other));
}

// ---- Languages --------------------------------------------------------------------------------

GUI_TEST(switch_to_german) {
  HostedDialog dialog(MakeProgramFolder());
  dialog.OpenMap(CopySharedMap("melee-131-2p.w3x"));
  dialog.Click(kBackup);
  ExpectNoBox(dialog);

  // Everything in German, the map's path replaced, the rest of the state kept.
  // A second switch to German shows the same again.
  for (int round = 0; round < 2; ++round) {
    dialog.Command(kCmdGerman);
    ExpectNoBox(dialog);
    CheckTexts(TextsOf(dialog), kGermanTexts);
    CHECK(MenuOf(dialog.window()) == kGermanMenu);
    CHECK(Enabled(dialog, kInstall));
    CHECK(Enabled(dialog, kUninstall));
    CHECK_EQ(SendMessageW(dialog.Control(kBackup), BM_GETCHECK, 0, 0), BST_CHECKED);
  }

  // Later messages come in German.
  dialog.Click(kBackup);
  ExpectBox(dialog, "Warung!", kBackupWarningGerman, kExclamation);
  dialog.Command(kCmdAbout);
  HWND box = dialog.WaitForBox();
  REQUIRE(box != nullptr);
  const MessageBoxSeen about = ReadMessageBox(box);
  CHECK_EQ(about.title, "Über...");
  CHECK_EQ(Lines(about.text).size(), 4u);
  CHECK(about.text.find("für") != std::string::npos);
  PressOk(box);
  dialog.OpenMap(CopySharedMap("small-custom.w3x"));
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "Datei geöffnet.");
}

GUI_TEST(switch_back_to_english) {
  HostedDialog dialog(MakeProgramFolder());
  dialog.OpenMap(CopySharedMap("melee-131-2p.w3x"));
  dialog.Command(kCmdGerman);
  dialog.Command(kCmdEnglish);
  ExpectNoBox(dialog);
  // The backup box has lost its question mark; the tick is back on English.
  CheckTexts(TextsOf(dialog), kEnglishTexts);
  CHECK(MenuOf(dialog.window()) == kEnglishMenu);
  CHECK(Enabled(dialog, kInstall));

  // English while English: the same texts, the status reset once more.
  dialog.OpenMap(CopySharedMap("small-custom.w3x"));
  dialog.Command(kCmdEnglish);
  ExpectNoBox(dialog);
  CheckTexts(TextsOf(dialog), kEnglishTexts);

  dialog.Click(kBackup);
  dialog.Click(kBackup);
  ExpectBox(dialog, "Warning!", kBackupWarning, kExclamation);
}

// ---- Missing resources -------------------------------------------------------------------------
// These run in test programs built without some of the program's resources.

GUI_TEST_ON(without_icon_and_german_menu, missing_icon_and_german_menu) {
  // Without its icon the window starts after an English warning.
  std::vector<MessageBoxSeen> boxes;
  HostedDialog dialog(MakeProgramFolder(), &boxes);
  REQUIRE(boxes.size() == 1);
  CHECK_EQ(boxes[0].title, "Warning!");
  CHECK_EQ(boxes[0].text, "Icons couldn't be loaded!");
  CHECK(boxes[0].icon == SystemIcon(kExclamation));
  CheckTexts(TextsOf(dialog), kStartTexts);
  CHECK(MenuOf(dialog.window()) == kEnglishMenu);

  // Without the German menu, the switch warns in English and leaves the window
  // without a menu bar, but everything else switches.
  dialog.Command(kCmdGerman);
  ExpectBox(dialog, "Warning!", "Menu couldn't be loaded!", kExclamation);
  CHECK(GetMenu(dialog.window()) == nullptr);
  CheckTexts(TextsOf(dialog), kGermanTexts);
  dialog.Click(kBackup);
  dialog.Click(kBackup);
  ExpectBox(dialog, "Warung!", kBackupWarningGerman, kExclamation);

  dialog.Command(kCmdEnglish);
  ExpectNoBox(dialog);
  CHECK(MenuOf(dialog.window()) == kEnglishMenu);
}

GUI_TEST_ON(without_english_menu, missing_english_menu) {
  // Without menu 2001 the window starts without a menu bar.
  std::vector<MessageBoxSeen> boxes;
  HostedDialog dialog(MakeProgramFolder(), &boxes);
  REQUIRE(boxes.size() == 1);
  CHECK_EQ(boxes[0].title, "Warning!");
  CHECK_EQ(boxes[0].text, "Menu couldn't be loaded!");
  CHECK(GetMenu(dialog.window()) == nullptr);
  CheckTexts(TextsOf(dialog), kStartTexts);
  CHECK(SendMessageW(dialog.window(), WM_GETICON, ICON_BIG, 0) != 0);

  // German works; back to English, the warning comes in German.
  dialog.Command(kCmdGerman);
  ExpectNoBox(dialog);
  CHECK(MenuOf(dialog.window()) == kGermanMenu);
  dialog.Command(kCmdEnglish);
  ExpectBox(dialog, "Warnung!", "Menü konnte nicht geladen werden!", kExclamation);
  CHECK(GetMenu(dialog.window()) == nullptr);
  CheckTexts(TextsOf(dialog), kEnglishTexts);
}

} // namespace
} // namespace guitest

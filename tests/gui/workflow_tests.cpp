// Install and Uninstall run from the dialog on copies of real maps: what the window
// shows during and after a run, every message box, the launch of the map, and the
// rebuilt map read back with StormLib.
#include "manifest.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "dialog_host.h"
#include "harness.h"
#include "stormlib_maps.h"

namespace guitest {
namespace {

const char* const kNotice = "If you click the OK-Button, the WolrdEditor will start. Just save the Map. The "
                            "WorldEditor must create some important files...";
const char* const kNoticeGerman =
    "Wenn sie den OK-Button drücken startet der WolrdEditor. Einfach die Map speichern und den Editor "
    "schließen. "
    "Beim Speichern generriert der WorldEditor noch ein paar wichtige Daten für die Map...";

// A file of the program folder by its archive name, as the status bar shows it.
std::string Shown(const std::string& program, const std::string& archive_name) {
  std::string path = program + "/" + archive_name;
  std::replace(path.begin(), path.end(), '\\', '/');
  return DosPath(path);
}

// Waits for the run's next message box, notes it among the dialog's events and
// leaves it open for the test to look around.
HWND NextBox(HostedDialog& dialog, MessageBoxSeen* seen) {
  HWND box = dialog.WaitForBox(60000);
  REQUIRE(box != nullptr);
  *seen = ReadMessageBox(box);
  dialog.Note("box " + seen->title + "|" + seen->text);
  CHECK(!IsWindowEnabled(dialog.window()));
  CHECK_EQ(seen->buttons, 1);
  CHECK(seen->icon == LoadIconW(nullptr, MAKEINTRESOURCEW(32515))); // the exclamation mark
  return box;
}

void WaitUntilIdle(HostedDialog& dialog) {
  REQUIRE(WaitFor([&] { return dialog.Idle(); }, 60000));
}

// The state every run ends in: the buttons stay disabled until the next Open map.
void CheckEnded(HostedDialog& dialog, const char* ready = "Ready.", const char* unknown = "Unknown") {
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), ready);
  CHECK_EQ(StatusText(dialog.StatusBar(), 1), unknown);
  CHECK(!IsWindowVisible(dialog.ProgressBar()));
  CHECK(!IsWindowEnabled(dialog.Control(kInstall)));
  CHECK(!IsWindowEnabled(dialog.Control(kUninstall)));
}

int ProgressPos(HostedDialog& dialog) {
  return static_cast<int>(SendMessageW(dialog.ProgressBar(), PBM_GETPOS, 0, 0));
}
int ProgressMax(HostedDialog& dialog) {
  return static_cast<int>(SendMessageW(dialog.ProgressBar(), PBM_GETRANGE, FALSE, 0));
}

// What the window goes through in one phase: its range (or none), position 0,
// then per item the status texts and one step.
void AddPhase(std::vector<std::string>* events, int range, int items,
              const std::function<std::vector<std::string>(int)>& status) {
  if (range > 0) events->push_back("range 0-" + std::to_string(range));
  events->push_back("pos 0");
  for (int i = 0; i < items; ++i) {
    for (const std::string& text : status(i))
      events->push_back(text);
    events->push_back("step");
  }
}

const std::vector<std::string> kRunStart = {"enable 204 0", "enable 208 0", "progress shown"};

std::vector<std::string> ExpectedInstall(const std::string& program) {
  std::vector<std::string> events = kRunStart;
  AddPhase(&events, 11, 11, [&](int i) {
    const char* target = i == 10 ? "war3map_1.wts" : qv::szNeededFiles[i];
    return std::vector<std::string>{"status 0 Copy.", "status 1 " + Shown(program, target)};
  });
  AddPhase(&events, 0, 11, [](int) { return std::vector<std::string>{"status 0 Transfering."}; });
  AddPhase(&events, 123, 123, [&](int i) {
    return std::vector<std::string>{"status 0 Transfering.",
                                    "status 1 " + Shown(program, qv::g_szMapFiles[i])};
  });
  AddPhase(&events, 12, 12, [](int) { return std::vector<std::string>{"status 0 Transfering."}; });
  events.push_back(std::string("box Error!|") + kNotice);
  events.insert(events.end(), {"status 0 Ready.", "status 1 Unknown", "progress hidden"});
  return events;
}

std::vector<std::string> ExpectedUninstall() {
  std::vector<std::string> events = kRunStart;
  AddPhase(&events, 11, 11, [](int i) {
    return std::vector<std::string>{"status 0 Copy.", std::string("status 1 ") + qv::szNeededFiles[i]};
  });
  AddPhase(&events, 123, 123, [](int i) {
    return std::vector<std::string>{"status 0 Delete.", std::string("status 1 ") + qv::g_szMapFiles[i]};
  });
  AddPhase(&events, 12, 12, [](int) { return std::vector<std::string>{"status 0 Delete."}; });
  AddPhase(&events, 13, 13, [](int) { return std::vector<std::string>{"status 0 Transfering."}; });
  events.push_back(std::string("box Error!|") + kNotice);
  events.insert(events.end(), {"status 0 Ready.", "status 1 Unknown", "progress hidden"});
  return events;
}

// Compares two event lists and reports the first difference, not thousands of lines.
void CheckEvents(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  const size_t common = std::min(actual.size(), expected.size());
  for (size_t i = 0; i < common; ++i) {
    if (actual[i] != expected[i]) {
      Fail(__FILE__, __LINE__,
           "event " + std::to_string(i) + " is \"" + actual[i] + "\", expected \"" + expected[i] + "\"");
      return;
    }
  }
  CHECK_EQ(actual.size(), expected.size());
}

std::vector<std::string> NamesIn(const std::string& map) {
  std::vector<std::string> names;
  REQUIRE(mapcheck::ListFiles(map, &names));
  std::vector<std::string> data;
  for (const std::string& name : names) {
    if (name != "(listfile)" && name != "(attributes)" && name != "(signature)") data.push_back(name);
  }
  std::sort(data.begin(), data.end());
  return data;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::string StringsOf(const std::string& map) {
  std::string strings;
  CHECK(mapcheck::ReadFile(map, "war3map.wts", &strings));
  return strings;
}

// Clicks Install or Uninstall and answers the notice; returns the events of the run.
std::vector<std::string> RunToEnd(HostedDialog& dialog, int button) {
  const size_t before = dialog.Events().size();
  dialog.Click(button);
  MessageBoxSeen notice;
  HWND box = NextBox(dialog, &notice);
  PressOk(box);
  WaitUntilIdle(dialog);
  std::vector<std::string> events = dialog.Events();
  return std::vector<std::string>(events.begin() + static_cast<long>(before), events.end());
}

// ---- Install and uninstall -----------------------------------------------------------------

GUI_TEST(install_end_to_end) {
  RegisterRecorder();
  const std::string program = MakeProgramFolder();
  HostedDialog dialog(program);
  const std::string map = CopySharedMap("melee-131-2p.w3x");
  const std::string original = ReadFile(map);

  dialog.OpenMap(map);
  dialog.Click(kBackup);
  REQUIRE(dialog.Idle());
  const size_t before = dialog.Events().size();
  dialog.Click(kInstall);

  // The notice comes after the last file: the bar full, the last race file named,
  // and the map not opened yet.
  MessageBoxSeen notice;
  HWND box = NextBox(dialog, &notice);
  CHECK_EQ(notice.title, "Error!");
  CHECK_EQ(notice.text, kNotice);
  CHECK(IsWindowVisible(dialog.ProgressBar()));
  CHECK_EQ(ProgressMax(dialog), 12);
  CHECK_EQ(ProgressPos(dialog), 12);
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "Transfering.");
  CHECK_EQ(StatusText(dialog.StatusBar(), 1), Shown(program, qv::g_szMapFiles[122]));
  CHECK(!IsWindowEnabled(dialog.Control(kInstall)));
  Sleep(500);
  CHECK(RecordedLaunches().empty());
  PressOk(box);

  // Then the map opens in the program that Windows associates with maps.
  CHECK(WaitFor([] { return !RecordedLaunches().empty(); }));
  CHECK(RecordedLaunches() == std::vector<std::string>({DosPath(map)}));
  WaitUntilIdle(dialog);
  CheckEnded(dialog);
  const std::vector<std::string> events = dialog.Events();
  CheckEvents(std::vector<std::string>(events.begin() + static_cast<long>(before), events.end()),
              ExpectedInstall(program));

  // The rebuilt map: its base files with merged strings, the race, the replacements.
  std::vector<std::string> expected(qv::szNeededFiles, qv::szNeededFiles + 11);
  expected.insert(expected.end(), qv::g_szMapFiles, qv::g_szMapFiles + 123);
  expected.insert(expected.end(), qv::szResources, qv::szResources + 12);
  CHECK(NamesIn(map) == Sorted(expected));
  // The map's own strings come first, the race's follow from STRING 25 on.
  const std::string own = StringsOf(map + ".BAK"), strings = StringsOf(map);
  REQUIRE(own.size() > 40);
  CHECK(strings.find(own.substr(3, 40)) != std::string::npos);
  CHECK(strings.find("STRING 25\r\n") < std::string::npos);
  CHECK(strings.find(own.substr(3, 40)) < strings.find("STRING 25\r\n"));
  CHECK(ReadFile(map + ".BAK") == original);
  // The working files are gone from the program folder.
  for (const char* name : {"war3map_1.wts", "war3map.wts", "war3map.doo", "war3mapMap.blp"})
    CHECK(!FileExists(program + "/" + name));
}

GUI_TEST(uninstall_end_to_end) {
  RegisterRecorder();
  const std::string program = MakeProgramFolder();
  HostedDialog dialog(program);
  const std::string map = CopySharedMap("melee-131-4p.w3x");
  const std::string own_strings = StringsOf(map);

  dialog.OpenMap(map);
  RunToEnd(dialog, kInstall);
  // Each run needs a fresh choice of the map, also of the same one. The backup
  // option means nothing to an uninstall.
  dialog.OpenMap(map);
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "File opened.");
  CHECK(IsWindowEnabled(dialog.Control(kUninstall)));
  dialog.Click(kBackup);
  REQUIRE(dialog.Idle());
  const std::vector<std::string> events = RunToEnd(dialog, kUninstall);

  CheckEvents(events, ExpectedUninstall());
  CheckEnded(dialog);
  CHECK(WaitFor([] { return RecordedLaunches().size() == 2; }));
  CHECK(RecordedLaunches() == std::vector<std::string>({DosPath(map), DosPath(map)}));

  // The map holds its own thirteen files again and its own strings only.
  CHECK(NamesIn(map) == Sorted(std::vector<std::string>(qv::szNeededFiles, qv::szNeededFiles + 13)));
  std::string script;
  CHECK(mapcheck::ReadFile(map, "war3map.j", &script));
  CHECK_EQ(script, ReadFile(program + "/Temp/war3map.j"));
  CHECK_EQ(StringsOf(map), own_strings);
  CHECK(!FileExists(map + ".BAK"));
}

GUI_TEST(install_in_german) {
  RegisterRecorder();
  const std::string program = MakeProgramFolder();
  HostedDialog dialog(program);
  const std::string map = CopySharedMap("melee-tft-beta-4p.w3x");
  dialog.Command(kCmdGerman);
  dialog.OpenMap(map);
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "Datei geöffnet.");

  const size_t before = dialog.Events().size();
  dialog.Click(kInstall);
  MessageBoxSeen notice;
  HWND box = NextBox(dialog, &notice);
  CHECK_EQ(notice.title, "Fehler!");
  CHECK_EQ(notice.text, kNoticeGerman);
  PressOk(box);
  WaitUntilIdle(dialog);
  CheckEnded(dialog, "Bereit.", "Unbekannt");

  // The actions in German, each phase in turn.
  std::vector<std::string> actions;
  const std::vector<std::string> events = dialog.Events();
  for (size_t i = before; i < events.size(); ++i) {
    if (events[i].rfind("status 0 ", 0) == 0 && (actions.empty() || actions.back() != events[i]))
      actions.push_back(events[i]);
  }
  CHECK(actions ==
        std::vector<std::string>({"status 0 Kopieren.", "status 0 Übertragung.", "status 0 Bereit."}));
  CHECK(WaitFor([] { return RecordedLaunches().size() == 1; }));
}

// ---- Runs that stop with a message ----------------------------------------------------------

struct Refusal {
  const char* what;
  int button;
  std::string map;               // the map to choose
  std::function<void()> prepare; // makes the run fail
  std::string text;              // the message it shows
};

GUI_TEST(runs_refused) {
  RegisterRecorder();
  const std::string program = MakeProgramFolder();
  HostedDialog dialog(program);
  const std::string melee = CopySharedMap("melee-131-2p.w3x");
  const std::string custom = CopySharedMap("small-custom.w3x");
  const std::string not_a_map = TestFolder("maps") + "/not-a-map.w3x";
  Shell("printf 'no archive here' > '" + not_a_map + "'");
  const std::string missing = program + "/" + "war3map_2.wts";
  // Maps that crash or exhaust the MPQ library when it reads them.
  auto damaged = [](const std::string& name) {
    const std::string copy = TestFolder("maps") + "/" + name;
    Shell("cp '" + std::string(QV_SHARED_MAPS) + "/../fuzz-crashers/" + name + "' '" + copy + "' && chmod u+w '" +
          copy + "'");
    return copy;
  };

  // Each stops before the map is touched, with one message; the window ends the
  // run as usual.
  const Refusal kRefusals[] = {
      {"uninstall without the race", kUninstall, custom, [] {}, "The race is not installed in this map!"},
      {"not a map", kInstall, not_a_map, [] {}, "File couldn't be read!"},
      {"a map that crashes the reader", kInstall, damaged("segv-huffman.w3x"), [] {}, "File couldn't be read!"},
      {"a map that exhausts the reader", kInstall, damaged("memory-5gb.w3x"), [] {}, "File couldn't be read!"},
      {"backup impossible", kInstall, melee,
       [&] {
         Shell("mkdir -p '" + melee + ".BAK'");
         dialog.Click(kBackup);
       },
       "Backup couldn't be created!"},
      {"race file missing", kInstall, custom, [&] { Shell("rm '" + missing + "'"); },
       "A file of the race is missing: " + DosPath(missing)},
  };
  for (const Refusal& refusal : kRefusals) {
    std::printf("refusal: %s\n", refusal.what);
    const std::string before = ReadFile(refusal.map);
    dialog.OpenMap(refusal.map);
    refusal.prepare();
    REQUIRE(dialog.Idle());
    dialog.Click(refusal.button);
    MessageBoxSeen seen;
    HWND box = NextBox(dialog, &seen);
    CHECK_EQ(seen.title, "Error!");
    CHECK_EQ(seen.text, refusal.text);
    PressOk(box);
    WaitUntilIdle(dialog);
    CheckEnded(dialog);
    CHECK(ReadFile(refusal.map) == before);
  }
  CHECK(RecordedLaunches().empty());
}

GUI_TEST(map_cannot_be_rewritten) {
  RegisterRecorder();
  const std::string program = MakeProgramFolder();
  HostedDialog dialog(program);
  const std::string map = CopySharedMap("melee-131-2p.w3x");
  // A map marked read-only is read, but not written anew.
  const std::string protect = "chmod a-w '" + map + "'", unprotect = "chmod u+w '" + map + "'";

  // Install: the message comes once the map's files are out; the run then ends as usual.
  const std::string original = ReadFile(map);
  Shell(protect);
  dialog.OpenMap(map);
  dialog.Click(kInstall);
  MessageBoxSeen seen;
  HWND box = NextBox(dialog, &seen);
  CHECK_EQ(seen.text, "File couldn't be created!");
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "Copy.");
  CHECK_EQ(StatusText(dialog.StatusBar(), 1), Shown(program, "war3map_1.wts"));
  CHECK_EQ(ProgressPos(dialog), 11);
  CHECK_EQ(ProgressMax(dialog), 11);
  PressOk(box);
  WaitUntilIdle(dialog);
  CheckEnded(dialog);
  CHECK(ReadFile(map) == original);

  // Uninstall of a map with the race: after the message the window stays as the
  // extraction left it, the bar full, until a later run ends.
  Shell(unprotect);
  dialog.OpenMap(map);
  RunToEnd(dialog, kInstall);
  Shell(protect);
  dialog.OpenMap(map);
  dialog.Click(kUninstall);
  box = NextBox(dialog, &seen);
  CHECK_EQ(seen.text, "File couldn't be created!");
  PressOk(box);
  WaitUntilIdle(dialog);
  CHECK_EQ(StatusText(dialog.StatusBar(), 0), "Copy.");
  CHECK_EQ(StatusText(dialog.StatusBar(), 1), "war3map.wts");
  CHECK(IsWindowVisible(dialog.ProgressBar()));
  CHECK_EQ(ProgressPos(dialog), 11);
  CHECK(!IsWindowEnabled(dialog.Control(kInstall)));
  CHECK(!IsWindowEnabled(dialog.Control(kUninstall)));
  CHECK_EQ(RecordedLaunches().size(), 1u);

  Shell(unprotect);
  dialog.OpenMap(map);
  RunToEnd(dialog, kUninstall);
  CheckEnded(dialog);
}

} // namespace
} // namespace guitest

#pragma once
// A whole simulated desktop: the fakes of every platform service, wired as the
// program's services. Tests, benchmarks and the command-line demo run on it.

#include "app/app_services.h"
#include "engine/calendar.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_clock.h"
#include "tests/doubles/fake_collation.h"
#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_environment.h"
#include "tests/doubles/fake_event_pump.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/fake_focus_inspector.h"
#include "tests/doubles/fake_keyboard.h"
#include "tests/doubles/fake_program_starter.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/doubles/fake_shell_links.h"
#include "tests/doubles/fake_tray.h"
#include "tests/doubles/fake_window_shower.h"

namespace quorvel {

struct FakeDesktop {
    FakeEventPump pump;
    FakeClock clock;
    FakeClipboard clipboard{&clock};
    FakeKeyboard keyboard{pump, clipboard};
    FakeProgramStarter programs;
    EnglishUsLocale locale;
    FakeWindowShower windows;
    FakeFocusInspector focus;
    FakeSettingsStore settings;
    FakeDialogs dialogs;
    FakeFiles files;
    FakeEnvironment environment;
    FakeTray tray;
    FakeShellLinks links;
    FakeCollation collation;
    FakeWindows1252 codePage;

    // The engine's services with another key injector in front of the keyboard.
    EngineServices engineServices(KeyInjector& injector) {
        return {keyboard, keyboard, injector, pump,    clipboard,
                programs, clock,    locale,   windows, focus};
    }

    EngineServices engineSide = engineServices(keyboard);
    AppServices services{engineSide, settings, dialogs,   files,   environment,
                         tray,       links,    collation, codePage};
};

}  // namespace quorvel

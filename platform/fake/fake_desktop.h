#pragma once
// A whole simulated desktop: the fakes of every platform service, wired as the
// program's services. Tests, benchmarks and the command-line demo run on it.

#include "app/app_services.h"
#include "platform/fake/fake_ansi_code_page.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_collation.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_environment.h"
#include "platform/fake/fake_event_pump.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_keyboard.h"
#include "platform/fake/fake_program_starter.h"
#include "platform/fake/fake_settings_store.h"
#include "platform/fake/fake_shell_links.h"
#include "platform/fake/fake_tray.h"
#include "platform/fake/fake_window_shower.h"

namespace quorvel {

struct FakeDesktop {
    FakeEventPump pump;
    FakeClipboard clipboard;
    FakeKeyboard keyboard{pump, clipboard};
    FakeProgramStarter programs;
    FakeClock clock;
    EnglishUsLocale locale;
    FakeWindowShower windows;
    FakeSettingsStore settings;
    FakeDialogs dialogs{&files};
    FakeFiles files;
    FakeEnvironment environment;
    FakeTray tray;
    FakeShellLinks links;
    FakeCollation collation;
    FakeWindows1252 codePage;

    // The engine's services with another key injector in front of the keyboard.
    EngineServices engineServices(KeyInjector& injector) {
        return {keyboard, keyboard, injector, pump, clipboard, programs, clock, locale, windows};
    }

    EngineServices engineSide = engineServices(keyboard);
    AppServices services{engineSide, settings, dialogs,   files,   environment,
                         tray,       links,    collation, codePage};
};

}  // namespace quorvel

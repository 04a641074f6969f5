#pragma once
// The whole program on a simulated desktop: every platform service faked.

#include <string>

#include "app/form1.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_environment.h"
#include "platform/fake/fake_event_pump.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_keyboard.h"
#include "platform/fake/fake_program_starter.h"
#include "platform/fake/fake_settings_store.h"
#include "platform/fake/fake_tray.h"
#include "platform/fake/fake_window_shower.h"

namespace quorvel::testing {

struct AppFixture {
    FakeEventPump pump;
    FakeClipboard clipboard;
    FakeKeyboard keyboard{pump, clipboard};
    FakeProgramStarter programs;
    FakeClock clock;
    EnglishUsLocale locale;
    FakeWindowShower windows;
    FakeSettingsStore settings;
    FakeDialogs dialogs;
    FakeFiles files;
    FakeEnvironment environment;
    FakeTray tray;
    AppServices services{
        EngineServices{keyboard, keyboard, keyboard, pump, clipboard, programs, clock, locale,
                       windows},
        settings, dialogs, files, environment, tray};

    std::string defaultFile() const { return environment.folder + "\\defaultkeys.qvb"; }
    std::string setting(std::string_view application, std::string_view section,
                        std::string_view key) {
        return settings.GetSetting(application, section, key, "<missing>");
    }
};

}  // namespace quorvel::testing

// A look at the shortcut engine without Windows: a simulated keyboard types a few
// triggers into a simulated edit box and the program prints what arrived.

#include <iostream>
#include <string>

#include "engine/shortcut_engine.h"
#include "engine/shortcut_entry.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_event_pump.h"
#include "platform/fake/fake_keyboard.h"
#include "platform/fake/fake_program_starter.h"
#include "platform/fake/fake_window_shower.h"

namespace {

std::string visible(std::string text) {
    std::string shown;
    for (const char c : text) {
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

int main() {
    using namespace quorvel;
    FakeEventPump pump;
    FakeClipboard clipboard;
    FakeKeyboard keyboard(pump, clipboard);
    FakeProgramStarter programs;
    FakeClock clock;
    EnglishUsLocale locale;
    FakeWindowShower windows;
    EngineServices services{keyboard, keyboard, keyboard, pump, clipboard,
                            programs, clock,    locale,   windows};
    EngineForm form;
    ShortcutEngine engine(form, services);
    form.Text2.setText("0");

    const ShortcutEntry entries[] = {
        {LaunchMode::Space, true, "TD", "Today is %(date)% at %(Time)%."},
        {LaunchMode::Tab, false, "CU", "%(run=calc.exe)%"},
        {LaunchMode::Space, false, "SP", "This is a sample \r\nI hope you like it"},
    };
    for (const auto& entry : entries) {
        form.List1.add(formatEntryLine(entry), formatDisplayLine(entry));
    }
    std::cout << "Shortcuts:\n";
    for (std::size_t row = 0; row < form.List1.count(); ++row) {
        std::cout << "  " << visible(std::string(form.List1.displayLine(row))) << '\n';
    }
    engine.mainData().InstallKeyHook();

    const std::string typed[] = {"td ", "xtd ", "sp ", "cu\t"};
    for (const auto& keys : typed) {
        keyboard.targetText.clear();
        keyboard.typeText(keys);
        std::cout << "typed \"" << visible(keys) << "\" -> the application shows \""
                  << visible(keyboard.targetText) << "\"\n";
    }
    for (const auto& program : programs.started) {
        std::cout << "started program: " << program << '\n';
    }
    engine.mainData().RemoveKeyHook();
    return 0;
}

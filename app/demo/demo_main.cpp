// A look at Quorvel without Windows: the program starts on a simulated desktop,
// loads its sample shortcuts, a simulated keyboard types a few triggers into a
// simulated edit box, and the program prints what arrived.

#include <iostream>
#include <string>

#include "app/main_window.h"
#include "platform/virtual_keys.h"
#include "tests/doubles/fake_desktop.h"

namespace {

std::string visible(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        switch (c) {
            case '\r':
                shown += "\\r";
                break;
            case '\n':
                shown += "\\n";
                break;
            case '\t':
                shown += "\\t";
                break;
            default:
                shown += c;
        }
    }
    return shown;
}

}  // namespace

int main() {
    using namespace quorvel;
    FakeDesktop desktop;
    desktop.settings.write({"Quorvel 2.1", "options", "text2"}, "0");
    desktop.settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");

    MainWindow mainWindow(desktop.services);
    mainWindow.start();
    mainWindow.loadSampleShortcuts();
    std::cout << mainWindow.caption << "\n\nShortcuts after \"Load Samples\":\n";
    for (std::size_t row = 0; row < mainWindow.shortcuts.count(); ++row) {
        std::cout << "  " << visible(std::string(mainWindow.shortcuts.displayLine(row))) << '\n';
    }
    desktop.clipboard.setText("copied text");

    std::cout << "\nTyping into an application:\n";
    struct Typed {
        const char* keys;
        int functionKey;
        int modifierKey;
    };
    const Typed typed[] = {{"td ", 0, 0},   {"xtd ", 0, 0},          {"sp ", 0, 0},
                           {"", vk::F9, 0}, {"", vk::F9, vk::LCtrl}, {"", vk::F9 + 1, 0},
                           {"cu\t", 0, 0}};
    for (const auto& keys : typed) {
        desktop.keyboard.targetText.clear();
        std::string what = keys.keys;
        if (keys.functionKey != 0) {
            if (keys.modifierKey != 0) {
                desktop.keyboard.press(keys.modifierKey);
                what = "Ctrl+";
            }
            desktop.keyboard.tap(keys.functionKey);
            if (keys.modifierKey != 0) {
                desktop.keyboard.release(keys.modifierKey);
            }
            what += "F" + std::to_string(keys.functionKey - 111);
            mainWindow.engine.pauseTimerTick();
        } else {
            desktop.keyboard.typeText(keys.keys);
        }
        std::cout << "  typed \"" << visible(what) << "\" -> the application shows \""
                  << visible(desktop.keyboard.targetText) << "\"\n";
        desktop.clock.advanceSeconds(10);
        mainWindow.engine.modifierTimerTick();
        mainWindow.engine.pauseTimerTick();
    }
    for (const auto& program : desktop.programs.started) {
        std::cout << "  started program: " << program << '\n';
    }
    return 0;
}

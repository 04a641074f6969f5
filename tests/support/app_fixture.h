#pragma once
// The whole program on a simulated desktop: every platform service faked.

#include <memory>
#include <string>

#include "app/main_window.h"
#include "tests/doubles/fake_desktop.h"

namespace quorvel::testing {

struct AppFixture : FakeDesktop {
    std::unique_ptr<MainWindow> form;

    std::string defaultFile() const { return environment.folder + "\\defaultkeys.qvb"; }
    std::string setting(std::string_view application, std::string_view section,
                        std::string_view key) {
        return settings.GetSetting(application, section, key, "<missing>");
    }
    // A new copy of the program on the same settings and files, not yet loaded.
    MainWindow& create() {
        form = std::make_unique<MainWindow>(services);
        return *form;
    }
    MainWindow& start() {
        create().start();
        return *form;
    }
    // A start on this working file, the start-up question answered before.
    MainWindow& startOn(const std::string& working) {
        settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
        files.files[defaultFile()] = working;
        return start();
    }
    // Types a trigger and its text into the editor and clicks Add.
    void addEntry(const std::string& trigger, const std::string& text) {
        form->triggerBox.setText(trigger);
        form->shortcutText.setText(text);
        form->editor.addShortcut();
    }
};

}  // namespace quorvel::testing

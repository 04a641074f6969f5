#pragma once
// The whole program on a simulated desktop: every platform service faked.

#include <string>

#include "app/form1.h"
#include "platform/fake/fake_desktop.h"

namespace quorvel::testing {

struct AppFixture : FakeDesktop {
    std::string defaultFile() const { return environment.folder + "\\defaultkeys.qvb"; }
    std::string setting(std::string_view application, std::string_view section,
                        std::string_view key) {
        return settings.GetSetting(application, section, key, "<missing>");
    }
};

// Types a trigger and its text into the editor and clicks Add.
inline void addEntry(Form1& form, const std::string& trigger, const std::string& text) {
    form.TextData10.setText(trigger);
    form.Text7.setText(text);
    form.editor.addShortcut();
}

}  // namespace quorvel::testing

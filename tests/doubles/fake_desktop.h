#pragma once
// A whole simulated desktop: the fakes of every platform service, wired as the
// program's services. Tests, benchmarks and the command-line demo run on it.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_services.h"
#include "platform/calendar.h"
#include "platform/focus_inspector.h"
#include "platform/global_hot_key.h"
#include "platform/tray_icon.h"
#include "platform/window_shower.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_clock.h"
#include "tests/doubles/fake_collation.h"
#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_environment.h"
#include "tests/doubles/fake_event_loop.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/fake_keyboard.h"
#include "tests/doubles/fake_program_starter.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/doubles/fake_shell_links.h"

namespace quorvel {

// The focus as the test sets it; the control's text is the edit box's, read
// where facts.textReadable says it can be.
class FakeFocusInspector final : public FocusInspector {
  public:
    explicit FakeFocusInspector(const std::string& controlText) : controlText_(controlText) {}
    const FocusFacts& inspect() override { return facts; }
    std::string lastOtherProgram() override { return otherProgram; }
    std::optional<std::string> textBeforeCaret() override {
        return facts.textReadable ? std::optional(controlText_) : std::nullopt;
    }

    FocusFacts facts;
    std::string otherProgram;

  private:
    const std::string& controlText_;
};

class FakeWindowShower final : public WindowShower {
  public:
    void showMainWindow() override { ++mainWindowShown; }
    void showCommonTextWindow() override { ++commonTextShown; }

    int mainWindowShown = 0;
    int commonTextShown = 0;
};

// The notification area: icons by their (window, identifier) identity. Its menu
// records what it showed and answers with the choice a test set.
class FakeTray final : public TrayIconService {
  public:
    bool add(const TrayIconData& data) override {
        if (find(data) == nullptr) {
            icons.push_back(data);
        }
        return true;
    }
    bool modify(const TrayIconData& data) override {
        TrayIconData* icon = find(data);
        if (icon != nullptr) {
            *icon = data;
        }
        return icon != nullptr;
    }
    bool remove(const TrayIconData& data) override {
        std::erase_if(icons, [&](const TrayIconData& icon) { return sameIdentity(icon, data); });
        return true;
    }
    std::optional<std::size_t> chooseFromMenu(const std::vector<TrayMenuEntry>& entries) override {
        menusShown.push_back(entries);
        return menuChoice;
    }
    bool showBalloon(const TrayIconData& data, std::string_view title,
                     std::string_view text) override {
        if (find(data) == nullptr) {
            return false;
        }
        balloons.push_back({std::string(title), std::string(text)});
        return true;
    }
    std::uintptr_t mainWindowHandle() override { return 0x1234; }
    std::uintptr_t mainWindowIcon() override { return 0x77; }
    std::uintptr_t pausedIcon() override { return 0x78; }

    std::vector<TrayIconData> icons;
    std::vector<std::vector<TrayMenuEntry>> menusShown;
    std::optional<std::size_t> menuChoice;
    struct Balloon {
        std::string title;
        std::string text;
    };
    std::vector<Balloon> balloons;

  private:
    static bool sameIdentity(const TrayIconData& a, const TrayIconData& b) {
        return a.window == b.window && a.iconId == b.iconId;
    }
    TrayIconData* find(const TrayIconData& data) {
        const auto it = std::ranges::find_if(
            icons, [&](const TrayIconData& icon) { return sameIdentity(icon, data); });
        return it == icons.end() ? nullptr : &*it;
    }
};

// The popup's hot key: held unless a test makes another program hold it.
class FakeGlobalHotKey final : public GlobalHotKey {
  public:
    bool claim(const KeyChord& chord) override {
        held.reset();
        if (!takenElsewhere) {
            held = chord;
        }
        return held.has_value();
    }
    void release() override { held.reset(); }

    std::optional<KeyChord> held;
    bool takenElsewhere = false;
};

// Records the folder watched; a test tells the program of a change itself.
class FakeFolderWatch final : public FolderWatch {
  public:
    bool watch(std::string_view folder) override {
        watched = folder;
        return true;
    }
    std::string watched;
};

// English forms, or the short date a test sets.
struct FakeLocale final : Locale {
    std::optional<std::string> date;
    EnglishUsLocale english;
    std::string shortDate(const DateTime& when) const override {
        return date ? *date : english.shortDate(when);
    }
    std::string longTime(const DateTime& when) const override { return english.longTime(when); }
    std::string monthName(int month) const override { return english.monthName(month); }
};

struct FakeDesktop {
    FakeEventLoop loop;
    FakeClock clock;
    FakeClipboard clipboard{&clock};
    FakeKeyboard keyboard{loop, clipboard};
    FakeProgramStarter programs;
    FakeLocale locale;
    FakeWindowShower windows;
    FakeFocusInspector focus{keyboard.targetText};
    FakeSettingsStore settings;
    FakeDialogs dialogs;
    FakeFiles files;
    FakeEnvironment environment;
    FakeTray tray;
    FakeShellLinks links;
    FakeCollation collation;
    FakeWindows1252 codePage;
    FakeGlobalHotKey popupKey;
    FakeFolderWatch folderWatch;

    // The engine's services with another key injector in front of the keyboard.
    EngineServices engineServices(KeyInjector& injector) {
        return {keyboard, keyboard, injector, loop,    clipboard,
                programs, clock,    locale,   windows, focus};
    }

    EngineServices engineSide = engineServices(keyboard);
    AppServices services{engineSide, settings,  dialogs,  files,    environment, tray,
                         links,      collation, codePage, popupKey, folderWatch};
};

}  // namespace quorvel

// Damaged, huge and odd inputs: each has a defined outcome, start-up never
// fails, and shortcuts the program could not read are never written over.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "commontext/form8.h"
#include "engine/macro_expander.h"
#include "engine/utf8_text.h"
#include "storage/shortcut_file.h"
#include "support/app_fixture.h"

namespace quorvel {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

// Sanitized builds run many times slower; they get the same inputs at a
// hundredth of the size where the size is the point.
constexpr std::size_t scaled(std::size_t size) {
    return Sanitized ? size / 100 : size;
}

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::size_t closedRecords(std::string_view bytes) {
    std::size_t count = 0;
    std::size_t start = 0;
    for (auto end = bytes.find('\x01'); end != std::string_view::npos;
         start = end + 1, end = bytes.find('\x01', start)) {
        count += trimBlanks(bytes.substr(start, end - start)).empty() ? 0 : 1;
    }
    return count;
}

// `count` entry lines of about 100 bytes, in the order the list keeps them.
std::string sortedShortcutFile(std::size_t count) {
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        const std::string trigger =
            "t" + std::string(number.size() < 9 ? 9 - number.size() : 0, '0') + number;
        lines.push_back("{S} \xAF " + trigger + " \xAF " + std::string(80, 'a' + i % 26));
    }
    std::sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return compareIgnoringCase(a, b) < 0;
    });
    std::string file;
    file.reserve(count * 102 + 3);
    for (const std::string& line : lines) {
        file += line + '\x01';
    }
    return file + "\x01\r\n";
}

class BadInput : public ::testing::Test, public testing::AppFixture {
  protected:
    Form1& start() {
        form = std::make_unique<Form1>(services);
        form->Form_Load();
        return *form;
    }
    void addEntry(const std::string& trigger, const std::string& text) {
        testing::addEntry(*form, trigger, text);
    }
    // Whether any file still holds exactly these bytes.
    bool bytesKept(const std::string& bytes) const {
        return std::any_of(files.files.begin(), files.files.end(),
                           [&](const auto& file) { return file.second == bytes; });
    }
    std::unique_ptr<Form1> form;
};

TEST_F(BadInput, StartUpSurvivesAnyShortcutFileAndLoadsWhatItCanRead) {
    const std::string garbage = randomBytes(64 << 10, 7);
    struct Case {
        const char* name;
        std::function<void(BadInput&)> prepare;
        std::size_t rows;
    };
    const Case cases[] = {
        {"binary garbage", [&](BadInput& t) { t.files.files[t.defaultFile()] = garbage; },
         closedRecords(garbage)},
        {"no record separator",
         [](BadInput& t) { t.files.files[t.defaultFile()] = "{S} \xAF td \xAF today\r\n"; }, 0},
        {"zero bytes", [](BadInput& t) { t.files.files[t.defaultFile()] = ""; }, 0},
        {"a folder", [](BadInput& t) { t.files.folders.insert(t.defaultFile()); }, 0},
        {"locked",
         [](BadInput& t) {
             t.files.files[t.defaultFile()] = "{S} \xAF td \xAF today\x01\x01\r\n";
             t.files.lockedPaths.insert(t.defaultFile());
         },
         0},
    };
    ASSERT_GT(closedRecords(garbage), 100u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files = FakeFiles{};
        c.prepare(*this);
        Form1& f = start();
        EXPECT_EQ(f.List1.count(), c.rows);
        EXPECT_TRUE(f.visible);
        EXPECT_TRUE(keyboard.hookInstalled());
        // The program still works: a new entry fires.
        files.lockedPaths.clear();
        addEntry("qq", "fine");
        keyboard.targetText.clear();
        keyboard.typeText("qq ");
        EXPECT_EQ(keyboard.targetText, "fine");
    }
}

// A file the program could not read whole must not be replaced by the list,
// which lacks what was not read: the bytes have to survive the next save,
// in the file or in a copy beside it.
TEST_F(BadInput, ShortcutsThatWereNotReadSurviveTheNextSave) {
    struct Case {
        const char* name;
        std::string bytes;
        bool locked;
    };
    const Case cases[] = {
        {"a file without record separators", "{S} \xAF td \xAF today\r\n{S} \xAF sig \xAF Ann\r\n",
         false},
        {"a last record that was never closed", "{S} \xAF a \xAF one\x01{S} \xAF b \xAF two",
         false},
        {"binary garbage", randomBytes(4096, 11), false},
        {"a file locked at start-up, free by the next save",
         "{S} \xAF td \xAF today\x01{S} \xAF sig \xAF Ann\x01\x01\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files = FakeFiles{};
        files.files[defaultFile()] = c.bytes;
        if (c.locked) {
            files.lockedPaths.insert(defaultFile());
        }
        start();
        files.lockedPaths.clear();
        addEntry("zz", "new entry");
        EXPECT_TRUE(bytesKept(c.bytes)) << "the user's file was overwritten";
        EXPECT_TRUE(files.files[defaultFile()].find("new entry") != std::string::npos);
    }
}

// Windows file names: one file whatever the capitals.
class CaseBlindDisk final : public Files {
  public:
    explicit CaseBlindDisk(FakeFiles& disk) : disk_(disk) {}
    std::optional<std::string> readAll(std::string_view path) override {
        return disk_.readAll(lowerCase(path));
    }
    bool exists(std::string_view path) override { return disk_.exists(lowerCase(path)); }
    bool replaceAtomically(std::string_view path, std::string_view contents) override {
        return disk_.replaceAtomically(lowerCase(path), contents);
    }
    bool copyFile(std::string_view from, std::string_view to) override {
        return disk_.copyFile(lowerCase(from), lowerCase(to));
    }
    bool deleteFile(std::string_view path) override { return disk_.deleteFile(lowerCase(path)); }

  private:
    FakeFiles& disk_;
};

TEST_F(BadInput, AnUnreadFileIsCopiedAsideWhateverCapitalsItsSavedNameHas) {
    CaseBlindDisk disk(files);
    AppServices caseBlind{engineSide, settings, dialogs,   disk,    environment,
                          tray,       links,    collation, codePage};
    const std::string bytes = "{S} \xAF a \xAF one\x01{S} \xAF b \xAF unclosed";
    files.files[lowerCase(defaultFile())] = bytes;
    settings.SaveSetting(settings::ImportFile.application, settings::ImportFile.section,
                         settings::ImportFile.key, defaultFile());
    settings.SaveSetting(settings::SaveFile.application, settings::SaveFile.section,
                         settings::SaveFile.key, lowerCase(defaultFile()));
    Form1 blindForm(caseBlind);
    blindForm.Form_Load();
    testing::addEntry(blindForm, "zz", "new entry");
    EXPECT_EQ(files.files[lowerCase(defaultFile()) + ".unread"], bytes);
}

TEST_F(BadInput, AnUnreadFileThatCannotBeCopiedAsideIsNotSavedOver) {
    const std::string bytes = "{S} \xAF a \xAF one\x01{S} \xAF b \xAF unclosed";
    files.files[defaultFile()] = bytes;
    files.files[defaultFile() + ".unread"] = "an earlier copy";
    start();
    files.failAllWrites = true;
    addEntry("zz", "new entry");
    EXPECT_EQ(files.files[defaultFile()], bytes);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.starts_with("The shortcuts could not be saved"));

    // Once the disk takes writes again, the next change copies the file aside
    // under a free name and saves; later saves make no more copies.
    files.failAllWrites = false;
    addEntry("yy", "another entry");
    EXPECT_EQ(files.files[defaultFile() + ".unread"], "an earlier copy");
    EXPECT_EQ(files.files[defaultFile() + ".unread2"], bytes);
    addEntry("xx", "a third entry");
    EXPECT_FALSE(files.files.contains(defaultFile() + ".unread3"));
    EXPECT_EQ(form->List1.count(), 4u);
}

// How long such a load takes is measured in bench/; here, what it loads.
TEST_F(BadInput, AHugeShortcutFileLoadsEveryClosedRecord) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"entries in list order", sortedShortcutFile(scaled(200'000))},
        {"binary garbage", randomBytes(scaled(20u << 20), 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files = FakeFiles{};
        files.files[defaultFile()] = c.bytes;
        EXPECT_EQ(start().List1.count(), closedRecords(c.bytes));
    }
}

TEST_F(BadInput, DamagedSettingsFallBackToTheirDefaultsAtStartUp) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        std::function<void(BadInput&, Form1&)> check;
    };
    const auto calibrationRefused = [](BadInput& t, Form1& f) {
        EXPECT_EQ(f.Text2.text(), "500");
        EXPECT_EQ(t.setting("Quorvel 2.1", "options", "text2"), "500");
        ASSERT_EQ(t.dialogs.shown.size(), 1u);
        EXPECT_EQ(t.dialogs.shown[0].text, "Value Must be Numberic");
    };
    const Case cases[] = {
        {"Opts", "MenuShow", "maybe",
         [](BadInput&, Form1& f) { EXPECT_FALSE(f.MenuShow.checked); }},
        {"Opts", "MenuText", "maybe",
         [](BadInput&, Form1& f) { EXPECT_FALSE(f.MenuText.checked); }},
        {"Opts", "RunMinimized", "maybe",
         [](BadInput&, Form1& f) {
             EXPECT_FALSE(f.RunMinimized.checked);
             EXPECT_TRUE(f.visible);
         }},
        {"options", "text2", "abc", calibrationRefused},
        {"options", "text2", "1e999", calibrationRefused},
        // Like any other damaged setting, the import setting falls back to its
        // default: the shortcuts are loaded, not left out and later saved over.
        {"Opts", "AutoImort", "maybe", [](BadInput&, Form1& f) { EXPECT_EQ(f.List1.count(), 1u); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        settings = FakeSettingsStore{};
        dialogs = FakeDialogs{};
        files.files[defaultFile()] = "{S} \xAF td \xAF today\x01\x01\r\n";
        settings.SaveSetting(std::string_view(c.section) == "options" ? "Quorvel 2.1" : "Quorvel",
                             c.section, c.key, c.value);
        settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
        c.check(*this, start());
    }
}

TEST_F(BadInput, CommonTextCountOutOfRangeReadsAsALimitedList) {
    struct Case {
        const char* number;
        std::size_t rows;
    };
    const Case cases[] = {{"-5", 0}, {"99999999999", static_cast<std::size_t>(MaxCommonTextRows)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        FakeSettingsStore store;
        store.SaveSetting("Quorvel", "Commonkeys", "0", "kept row");
        store.SaveSetting("Quorvel", "Commonkeys", "Number", c.number);
        Form8 window(store, dialogs, clipboard, collation);
        window.show();
        ASSERT_EQ(window.List1.rows.size(), c.rows);
        if (c.rows > 0) {
            EXPECT_EQ(window.List1.rows[0], "kept row");
        }

        window.Text1.setText("added");
        window.Command1_Click();
        // A full list takes no more rows: a count past the limit would read back
        // short and lose the last row at the next start.
        const bool full = c.rows == static_cast<std::size_t>(MaxCommonTextRows);
        EXPECT_EQ(window.List1.rows.size(), full ? c.rows : c.rows + 1);
        EXPECT_EQ(!dialogs.shown.empty() &&
                      dialogs.shown.back().text == "The Common Text list is full.",
                  full);
        // What the window shows is what the next start reads.
        std::vector<std::string> reread;
        GetList(store, reread);
        EXPECT_EQ(reread.size(), window.List1.rows.size());
        EXPECT_TRUE(reread == window.List1.rows);
    }
}

TEST_F(BadInput, TenThousandNestedMarkersStopAtTheExpansionLimit) {
    const auto nested = [](int depth) {
        std::string open, close;
        for (int i = 0; i < depth; ++i) {
            open += "%(";
            close += ")%";
        }
        return open + "x" + close;
    };
    constexpr int Depth = 10'000;
    const std::string text = nested(Depth);
    // Each pass drops the outermost pair; the passes stop at the limit.
    const std::string left = nested(Depth - MaxMacroExpansions);

    const MacroExpansion expansion = expandMacros(
        text, DateTime{}, [] { return std::optional<std::string>(); }, locale);
    EXPECT_EQ(expansion.kind, MacroExpansion::Kind::Text);
    EXPECT_EQ(expansion.value, left);

    // The same text as an entry: typing the trigger sends what is left as notation.
    start();
    addEntry("nest", text);
    keyboard.typeText("nest ");
    ASSERT_FALSE(keyboard.sent.empty());
    EXPECT_EQ(keyboard.sent.back().notation, left);
}

// A text the fake keyboard types as itself: letters, digits and blanks.
std::string plainText(std::size_t size) {
    static constexpr std::string_view Words = "lorem ipsum dolor sit amet 0123456789 ";
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        text += Words;
    }
    text.resize(size);
    text.back() = '.';
    return text;
}

TEST_F(BadInput, AMegabyteTextIsAddedSavedReloadedAndTyped) {
    const std::string text = plainText(scaled(1u << 20));
    start();
    addEntry("mb", text);
    ASSERT_TRUE(files.files.contains(defaultFile()));
    EXPECT_GT(files.files[defaultFile()].size(), text.size());

    settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
    keyboard.targetText.clear();
    Form1& reloaded = start();
    ASSERT_EQ(reloaded.List1.count(), 1u);
    keyboard.typeText("mb ");
    EXPECT_TRUE(keyboard.targetText == text)
        << "typed " << keyboard.targetText.size() << " of " << text.size() << " characters";
}

TEST_F(BadInput, AThousandCharacterTriggerFiresAfterSaveAndReload) {
    std::string trigger;
    while (trigger.size() < 1000) {
        trigger += "abcdefghij";
    }
    start();
    addEntry(trigger, "long trigger fired");

    keyboard.targetText.clear();
    Form1& reloaded = start();
    ASSERT_EQ(reloaded.List1.count(), 1u);
    keyboard.typeText(trigger + " ");
    EXPECT_EQ(keyboard.targetText, "long trigger fired");
}

// Found by fuzz_expand_macros: unwrapping a name can leave its first
// character right after a '%' the expander has already passed, making a new
// "%(" that it never looks at. Each text here reads, pass by pass:
//   "%%%((()%)%" -> "%%(()%" -> "%(" (no ")%" after it: unclosed)
TEST(BadMacroInput, AMarkerFormedBehindTheExpandedPartIsStillSeen) {
    struct Case {
        const char* text;
        MacroExpansion::Kind kind;
        const char* value;
    };
    const Case cases[] = {
        {"%%%((()%)%", MacroExpansion::Kind::Unclosed, ""},
        {"%%%((()%)%date)%", MacroExpansion::Kind::Text, "12/6/2026"},
    };
    const EnglishUsLocale locale;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const MacroExpansion expansion = expandMacros(
            c.text, DateTime{2026, 12, 6, 8, 35, 46}, [] { return std::optional<std::string>(); },
            locale);
        EXPECT_EQ(expansion.kind, c.kind);
        EXPECT_EQ(expansion.value, c.value);
    }
}

}  // namespace
}  // namespace quorvel

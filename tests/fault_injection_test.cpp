// Every write of the shortcut file, the settings file and the Common Text list,
// cut short at each of its steps, leaves either the old contents whole or the
// new ones: never a mix, never an empty or unreadable file.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "storage/settings_file_store.h"
#include "storage/shortcut_file.h"
#include "support/app_fixture.h"

namespace quorvel {
namespace {

using Rows = std::vector<std::string>;

// The disk as seen by a program whose writing is cut short at step N: that step
// fails and so does every later one, as after a crash, a pulled cable or a full
// disk. Steps are counted from construction.
class InterruptedDisk final : public Files {
  public:
    InterruptedDisk(FakeFiles& disk, int failFrom)
        : disk_(disk), base_(disk.mutatingSteps), failFrom_(failFrom) {}

    std::optional<std::string> readAll(std::string_view path) override {
        return disk_.readAll(path);
    }
    bool exists(std::string_view path) override { return disk_.exists(path); }
    bool replaceAtomically(std::string_view path, std::string_view contents) override {
        arm();
        return settle(disk_.replaceAtomically(path, contents));
    }
    bool copyFile(std::string_view from, std::string_view to) override {
        arm();
        return settle(disk_.copyFile(from, to));
    }
    bool deleteFile(std::string_view path) override {
        arm();
        return settle(disk_.deleteFile(path));
    }
    bool interrupted() const { return disk_.mutatingSteps - base_ >= failFrom_; }

  private:
    void arm() {
        const int remaining = failFrom_ - (disk_.mutatingSteps - base_);
        if (remaining <= 0) {
            disk_.failAllWrites = true;
        } else {
            disk_.failOperation(remaining);
        }
    }
    bool settle(bool done) {
        disk_.failOperation(0);
        disk_.failAllWrites = interrupted();
        return done;
    }

    FakeFiles& disk_;
    int base_;
    int failFrom_;
};

// How a write is cut short: one failed step that the program survives, or the
// failed step and everything after it.
enum class Cut { OneStep, FromStepOn };
const char* nameOf(Cut cut) {
    return cut == Cut::OneStep ? "one failed step" : "cut from step on";
}

// ---- The shortcut file ----

const std::string OldFile =
    "{S} \xAF old \xAF first\x01{T} \xAF older \xAF second\r\nline\x01\x01\r\n";

struct ShortcutRig : testing::AppFixture {
    ShortcutRig() {
        files.files[defaultFile()] = OldFile;
        settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
        form.Form_Load();
    }
    Form1 form{services};
};

const std::string OtherFile = "{S} \xAF other \xAF file\x01\x01\r\n";

bool saveFailed(const ShortcutRig& rig) {
    for (const auto& shown : rig.dialogs.shown) {
        if (shown.text.find("could not be saved") != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(FaultInjection, ShortcutFileSavesCutShortKeepTheOldFileOrWriteTheNewOne) {
    struct Case {
        const char* name;
        const char* path;  // null: the default file
        std::function<void(ShortcutRig&)> act;
    };
    const Case cases[] = {
        {"Add", nullptr, [](ShortcutRig& r) { testing::addEntry(r.form, "new", "a new entry"); }},
        {"Delete", nullptr,
         [](ShortcutRig& r) {
             r.form.editor.selectEntry(0);
             r.dialogs.answers = {MessageAnswer::Yes};
             r.form.editor.deleteSelected();
         }},
        {"Delete All", nullptr,
         [](ShortcutRig& r) {
             r.dialogs.answers = {MessageAnswer::Yes};
             r.form.editor.deleteAll();
         }},
        {"File Save", nullptr,
         [](ShortcutRig& r) {
             r.form.List1.add("{C} \xC2\xAF esc \xC2\xAF saved by the menu", "");
             r.form.FileSave_Click();
         }},
        {"File Save As over another file", "E:\\copy.qvb",
         [](ShortcutRig& r) {
             r.dialogs.saveAnswers = {"E:\\copy.qvb"};
             r.form.FileSave2_Click();
         }},
    };
    for (const Case& c : cases) {
        int failed = 0;
        for (int step = 1; step <= 10; ++step) {
            SCOPED_TRACE(std::string(c.name) + ", step " + std::to_string(step));
            ShortcutRig rig;
            const std::string path = c.path != nullptr ? c.path : rig.defaultFile();
            if (c.path != nullptr) {
                rig.files.files[path] = OtherFile;
            }
            const std::string old = rig.files.files.at(path);
            const std::size_t filesBefore = rig.files.files.size();
            rig.files.failOperation(step);
            c.act(rig);
            const std::string& now = rig.files.files.at(path);
            EXPECT_EQ(rig.files.files.size(), filesBefore) << "a temporary file is left";
            if (!saveFailed(rig)) {
                EXPECT_EQ(now, formatShortcutFile(rig.form.List1, rig.codePage));
                break;
            }
            ++failed;
            EXPECT_EQ(now, old) << "neither the old file nor the new one";
            EXPECT_NE(formatShortcutFile(rig.form.List1, rig.codePage), old)
                << "the list lost the change";
        }
        EXPECT_EQ(failed, 3) << c.name << ": writing, flushing and renaming each failed once";
    }
}

// ---- The settings file ----

struct Address {
    const char* application;
    const char* section;
    const char* key;
};
const Address Watched[] = {{"Quorvel", "Opts", "MenuShow"},
                           {"Quorvel", "Opts", "Boost"},
                           {"Quorvel", "File", "Save"},
                           {"Quorvel 2.1", "options", "text2"}};
using State = std::map<std::string, std::string>;

State stateOf(FakeFiles& disk) {
    SettingsFileStore store(disk, "C:\\settings.txt");
    State state;
    for (const Address& a : Watched) {
        state[std::string(a.application) + "/" + a.section + "/" + a.key] =
            store.GetSetting(a.application, a.section, a.key, "<missing>");
    }
    return state;
}

FakeFiles settingsDisk() {
    FakeFiles disk;
    SettingsFileStore store(disk, "C:\\settings.txt");
    store.SaveSetting("Quorvel", "Opts", "MenuShow", "True");
    store.SaveSetting("Quorvel", "File", "Save", "C:\\keys.qvb");
    store.SaveSetting("Quorvel 2.1", "options", "text2", "500");
    return disk;
}

TEST(FaultInjection, SettingsFileWritesCutShortKeepTheOldStateOrTheNewOne) {
    struct Case {
        const char* name;
        std::function<void(SettingsStore&)> act;
    };
    const Case cases[] = {
        {"a new setting",
         [](SettingsStore& s) { s.SaveSetting("Quorvel", "Opts", "Boost", "False"); }},
        {"a changed value",
         [](SettingsStore& s) { s.SaveSetting("Quorvel", "opts", "MENUSHOW", "False"); }},
        {"an application deleted", [](SettingsStore& s) { s.DeleteSetting("quorvel"); }},
    };
    for (const Cut cut : {Cut::OneStep, Cut::FromStepOn}) {
        for (const Case& c : cases) {
            FakeFiles reference = settingsDisk();
            const State oldState = stateOf(reference);
            {
                SettingsFileStore store(reference, "C:\\settings.txt");
                c.act(store);
            }
            const State newState = stateOf(reference);
            ASSERT_NE(oldState, newState) << c.name;

            int failed = 0;
            for (int step = 1; step <= 10; ++step) {
                SCOPED_TRACE(std::string(c.name) + ", " + nameOf(cut) + " " + std::to_string(step));
                FakeFiles disk = settingsDisk();
                const std::string oldBytes = disk.files.at("C:\\settings.txt");
                bool inSync = false;
                if (cut == Cut::OneStep) {
                    disk.failOperation(step);
                    SettingsFileStore store(disk, "C:\\settings.txt");
                    c.act(store);
                    inSync = store.inSync();
                    disk.failOperation(0);
                } else {
                    InterruptedDisk cutShort(disk, step);
                    SettingsFileStore store(cutShort, "C:\\settings.txt");
                    c.act(store);
                    inSync = store.inSync();
                }
                EXPECT_EQ(disk.files.size(), 1u) << "a temporary file is left";
                const std::string& bytes = disk.files.at("C:\\settings.txt");
                if (inSync) {
                    EXPECT_EQ(stateOf(disk), newState);
                    break;
                }
                ++failed;
                EXPECT_EQ(bytes, oldBytes);
                EXPECT_EQ(stateOf(disk), oldState);
            }
            EXPECT_EQ(failed, 3) << c.name;
        }
    }
}

// ---- The Common Text list in the settings file ----

Rows storedList(FakeFiles& disk) {
    SettingsFileStore store(disk, "C:\\settings.txt");
    Rows rows;
    GetList(store, rows);
    return rows;
}

TEST(FaultInjection, CommonTextSavesCutShortKeepTheOldListOrTheNewOne) {
    const Rows old{"alpha", "beta", "gamma"};
    struct Case {
        const char* name;
        Rows rows;
    };
    const Case cases[] = {
        {"a row added", {"alpha", "beta", "gamma", "delta"}},
        {"a row removed", {"alpha", "gamma"}},
        {"sorted descending", {"gamma", "beta", "alpha"}},
    };
    for (const Cut cut : {Cut::OneStep, Cut::FromStepOn}) {
        for (const Case& c : cases) {
            bool completed = false;
            for (int step = 1; step <= 60 && !completed; ++step) {
                SCOPED_TRACE(std::string(c.name) + ", " + nameOf(cut) + " " + std::to_string(step));
                FakeFiles disk;
                {
                    SettingsFileStore store(disk, "C:\\settings.txt");
                    SaveList(store, old);
                }
                ASSERT_EQ(storedList(disk), old);
                bool inSync = false;
                const int stepsBefore = disk.mutatingSteps;
                if (cut == Cut::OneStep) {
                    disk.failOperation(step);
                    SettingsFileStore store(disk, "C:\\settings.txt");
                    SaveList(store, c.rows);
                    inSync = store.inSync();
                    disk.failOperation(0);
                } else {
                    InterruptedDisk cutShort(disk, step);
                    SettingsFileStore store(cutShort, "C:\\settings.txt");
                    SaveList(store, c.rows);
                    inSync = store.inSync();
                    completed = !cutShort.interrupted();
                }
                const Rows stored = storedList(disk);
                EXPECT_TRUE(stored == old || stored == c.rows)
                    << "the file holds " << stored.size() << " rows, a mix of the old list ("
                    << old.size() << ") and the new one (" << c.rows.size() << ")";
                if (cut == Cut::OneStep && inSync && disk.mutatingSteps - stepsBefore < step) {
                    completed = true;
                }
            }
            EXPECT_TRUE(completed) << c.name << ": the save never ran to its end";
        }
    }
}

}  // namespace
}  // namespace quorvel

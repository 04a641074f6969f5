#pragma once
// The one file the shortcut list is read from at start-up and saved to after
// every change. Another copy of the program (on this machine, or on another one
// through a synced folder) may save to it as well: each save first merges three
// ways, the file as this copy last read or wrote it against the file now and
// the list, so that what either side added, deleted or changed since carries
// over, and nothing one side deleted comes back from the other.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/shortcut_list.h"
#include "platform/ansi_code_page.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "storage/shortcut_file.h"

namespace quorvel {

// "defaultkeys.qvb" beside the program, or in a "Quorvel" folder of the user's
// application data when the program's folder cannot be written (a zip unpacked
// under Program Files) or the file there is another Windows user's (a folder
// every user may write): each user's shortcuts stay theirs. That folder is
// created here.
std::string locateWorkingFile(Environment& environment, Files& files);

class WorkingFile {
  public:
    WorkingFile(Files& files, const AnsiCodePage& codePage)
        : files_(&files), codePage_(&codePage) {}

    const std::string& path() const { return path_; }
    // Names the file; what was read from another file is forgotten. A place
    // the user chose may be on a drive not connected yet: its folder is not made.
    enum class Place { Default, Chosen };
    void setPath(std::string path, Place place = Place::Default);

    // Adds the file's entries the list lacks. A save over a file with several
    // names that was cut off after it had written the new contents whole beside
    // the file is finished first. A file that is there but
    // was not read whole is copied to the first free name of "<file>.unread",
    // "<file>.unread2", ... before the first save replaces it. A file that is
    // there but cannot be read at all (held open by another program, or denied)
    // leaves the file awaiting a read: load it again later.
    ImportResult load(ShortcutList& list);
    // A chosen file whose folder is missing (a drive not connected yet) awaits
    // its read too: a missing folder says nothing of what the file holds.
    // Saves are refused while it still cannot be read, so that the list never
    // replaces what the file holds unseen.
    bool awaitingRead() const { return awaitingRead_; }
    bool folderMissing() const { return folderMissing_; }

    // Replaces the file by the list, after taking into the list what the file
    // gained and lost since this copy last read or wrote it (an entry changed
    // there is one lost and one gained). A file not read whole, or empty where
    // entries were, loses nothing: what is missing may be still on its way.
    // Returns false, leaving the file as it was, when it could not be written,
    // could not be read although it is there (now or at its load), or could not
    // be copied aside.
    bool save(ShortcutList& list);

    // Takes into the list, as a save does, what the file gained and lost since
    // this copy last read or wrote it, and writes nothing. A file that cannot be
    // read, or may still be on its way in (not read whole, cut off at a
    // record's end, or empty where entries were), changes nothing: Unfinished.
    enum class Reload { Unchanged, Merged, Unfinished };
    Reload reload(ShortcutList& list);

    // The triggers that the last save or reload left with a row from each side, each
    // trimmed and once, as both changed an entry of that trigger (or added one)
    // since this copy last read the file; empty when none. Cleared by the next
    // save or reload.
    const std::vector<std::string>& doubledTriggers() const { return doubledTriggers_; }

    // A copy a sync client kept beside the file when two computers wrote it at
    // once: the entry lines it holds that the list lacks, leaving out those
    // this copy deleted since it last read the file. What the copy lacks is not
    // taken as deleted: which of the two versions is older cannot be told, and a
    // row kept shows where a row lost would not. Nothing when it is not read whole.
    std::optional<std::vector<std::string>> linesOnlyIn(std::string_view copyPath,
                                                        const ShortcutList& list);

    // Where the last save copied a file not read whole; empty before that.
    const std::string& unreadCopy() const { return unreadCopy_; }

  private:
    // Takes into the list what the file's lines gained and lost since `base_`;
    // returns the hashes of the file's lines.
    std::vector<std::size_t> mergeFromFile(const ShortcutFileLines& read, ShortcutList& list);
    bool keepUnreadCopy();
    // A chosen place whose folder is not there (now).
    bool folderGone();
    void finishCutOffSave();

    Files* files_;
    const AnsiCodePage* codePage_;
    std::string path_;
    // The file as this copy last read or wrote it, by its length and hash (a
    // copy of the bytes would double what the list costs); nothing before that.
    struct Fingerprint {
        std::size_t length = 0;
        std::size_t hash = 0;
        bool operator==(const Fingerprint&) const = default;
    };
    static Fingerprint fingerprintOf(std::string_view bytes);
    std::optional<Fingerprint> lastFile_;
    // The hashes of the entry lines of that file, sorted, once each: the base of
    // the next merge, at 8 bytes an entry. Two lines sharing a 64-bit hash are
    // too unlikely to weigh against a copy of every line.
    std::vector<std::size_t> base_;
    std::vector<std::string> doubledTriggers_;
    bool copyAsideBeforeSave_ = false;
    bool awaitingRead_ = false;
    bool folderMissing_ = false;
    Place place_ = Place::Default;
    std::string unreadCopy_;
};

}  // namespace quorvel

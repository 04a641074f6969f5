#include "storage/shortcut_file.h"

#include "engine/ansi_text.h"
#include "engine/shortcut_entry.h"

namespace quorvel {

namespace {

constexpr std::string_view FileEnd = "\x01\r\n";

}  // namespace

std::string formatShortcutFile(const ShortcutList& list) {
    std::size_t size = FileEnd.size();
    for (std::size_t row = 0; row < list.count(); ++row) {
        size += list.entryLine(row).size() + 1;
    }
    std::string text;
    text.reserve(size);
    for (std::size_t row = 0; row < list.count(); ++row) {
        text += list.entryLine(row);
        text += RecordSeparator;
    }
    text += FileEnd;
    return text;
}

std::size_t GetImportFile(std::string_view sFile, ShortcutList& list, Files& files) {
    // Our own copy: the list may change while events run, the text may not.
    const std::optional<std::string> contents = files.readAll(sFile);
    if (!contents) {
        return 0;
    }
    const std::string_view text = *contents;
    std::size_t added = 0;
    std::size_t start = 0;
    // Only pieces closed by a separator count: what follows the last one is the
    // file's closing CR LF, or an entry that the file never closed.
    for (std::size_t end = text.find(RecordSeparator); end != std::string_view::npos;
         start = end + 1, end = text.find(RecordSeparator, start)) {
        const std::string_view piece = text.substr(start, end - start);
        if (trimBlanks(piece).empty()) {
            continue;
        }
        // Kept untrimmed, so that saving the list gives the file back byte for byte.
        if (list.add(std::string(piece), displayFromEntryLine(piece))) {
            ++added;
        }
    }
    return added;
}

bool ExportFile(const ShortcutList& list, std::string_view path, Files& files) {
    // Built in one go without yielding, so the list cannot change under it.
    return files.replaceAtomically(path, formatShortcutFile(list));
}

std::string DefaultShortcutFile(Environment& environment) {
    return environment.programFolder() + "\\defaultkeys.qvb";
}

bool isAcceptedFileName(std::string_view fileName) {
    const std::string_view name = trimBlanks(fileName);
    return !name.empty() && name != "*.tq";
}

}  // namespace quorvel

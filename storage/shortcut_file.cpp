#include "storage/shortcut_file.h"

#include <algorithm>
#include <vector>

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

ImportResult GetImportFile(std::string_view sFile, ShortcutList& list, Files& files) {
    const std::optional<std::string> contents = files.readAll(sFile);
    if (!contents) {
        return {.added = 0, .readWhole = !files.exists(sFile)};
    }
    const std::string_view text = *contents;
    std::size_t start = 0;
    std::vector<std::string_view> pieces;
    // Only pieces closed by a separator count: what follows the last one is the
    // file's closing CR LF, or an entry that the file never closed (reported as
    // not read whole).
    for (std::size_t end = text.find(RecordSeparator); end != std::string_view::npos;
         start = end + 1, end = text.find(RecordSeparator, start)) {
        const std::string_view piece = text.substr(start, end - start);
        if (!trimBlanks(piece).empty()) {
            pieces.push_back(piece);
        }
    }
    // In list order, equal lines in file order: each row then goes at the end
    // instead of moving every row behind it. A file the program saved is in
    // list order already.
    const auto listOrder = [](std::string_view a, std::string_view b) {
        return compareIgnoringCase(a, b) < 0;
    };
    if (!std::is_sorted(pieces.begin(), pieces.end(), listOrder)) {
        std::stable_sort(pieces.begin(), pieces.end(), listOrder);
    }
    ImportResult result;
    for (const std::string_view piece : pieces) {
        // Kept untrimmed, so that saving the list gives the file back byte for byte.
        if (list.add(std::string(piece), displayFromEntryLine(piece))) {
            ++result.added;
        }
    }
    // After the last record only the file's closing line break belongs.
    result.readWhole =
        text.substr(start).find_first_not_of(" \r\n") == std::string_view::npos;
    return result;
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

#include "storage/shortcut_file.h"

#include <algorithm>
#include <vector>

#include "engine/shortcut_entry.h"
#include "storage/shortcut_file_encoding.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr std::string_view FileEnd = "\x01\r\n";
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

std::string utf8File(const ShortcutList& list, std::size_t size) {
    std::string text;
    text.reserve(Utf8Mark.size() + size);
    text += Utf8Mark;
    for (std::size_t row = 0; row < list.count(); ++row) {
        text += list.entryLine(row);
        text += RecordSeparator;
    }
    text += FileEnd;
    return text;
}

}  // namespace

std::string formatShortcutFile(const ShortcutList& list, const AnsiCodePage& codePage) {
    std::size_t size = FileEnd.size();
    for (std::size_t row = 0; row < list.count(); ++row) {
        size += list.entryLine(row).size() + 1;
    }
    std::string text(size, '\0');
    char* out = text.data();
    for (std::size_t row = 0; row < list.count(); ++row) {
        out = writeAnsiLine(out, list.entryLine(row), codePage);
        if (out == nullptr) {
            return utf8File(list, size);
        }
        *out++ = RecordSeparator;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    // A first entry starting with a mark's bytes in the code page ("ï»¿", "ÿþ"
    // or "þÿ" in Windows-1252) would read back as that mark.
    if (text.starts_with(Utf8Mark) || text.starts_with(Utf16LittleEndianMark) ||
        text.starts_with(Utf16BigEndianMark)) {
        return utf8File(list, size);
    }
    text += FileEnd;
    return text;
}

ShortcutFileLines readShortcutLines(std::string_view text, const AnsiCodePage& codePage) {
    bool exact = true;
    // UTF-16 is read as the UTF-8 it stands for; the next save writes ANSI or
    // UTF-8, as for any other file.
    const std::optional<DecodedLine> utf16 = decodeUtf16File(text);
    if (utf16) {
        text = utf16->text;
        exact = utf16->exact;
    }
    const bool marked = utf16 || text.starts_with(Utf8Mark);
    if (marked && !utf16) {
        text.remove_prefix(Utf8Mark.size());
    }
    std::size_t start = 0;
    ShortcutFileLines read;
    // The lines take the file's bytes, less the separators; from ANSI, a byte
    // beyond ASCII becomes two or three of UTF-8. Room is reserved once, with
    // enough to spare for a file mostly in Western letters: a big block's
    // untouched pages cost nothing, while outgrowing it near the end of a big
    // file would copy it all.
    read.text.reserve(marked ? text.size() : text.size() + text.size() / 2);
    read.ends.reserve(
        static_cast<std::size_t>(std::count(text.begin(), text.end(), RecordSeparator)));
    // Only pieces closed by a separator count: what follows the last one is the
    // file's closing CR LF, or an entry that the file never closed (reported as
    // not read).
    for (std::size_t end = text.find(RecordSeparator); end != std::string_view::npos;
         start = end + 1, end = text.find(RecordSeparator, start)) {
        const std::string_view piece = text.substr(start, end - start);
        if (trimBlanks(piece).empty()) {
            continue;
        }
        bool pieceExact = true;
        const std::size_t lineStart = read.text.size();
        if (!marked) {
            pieceExact = appendAnsiLine(read.text, piece, codePage);
        } else if (utf8::isValid(piece)) {
            read.text.append(piece);
            // Broken UTF-16 shows in the record as U+FFFD.
            pieceExact = exact || piece.find(ReplacementCharacter) == std::string_view::npos;
        } else {
            pieceExact = false;
            read.text.append(utf8::repaired(piece));
        }
        // A record without the two field separators is no shortcut: only a
        // file the program did not write holds one (a damaged file, another
        // kind of file). It stays in the file's bytes, which the working file
        // copies aside before it replaces them.
        if (splitEntryLine(std::string_view(read.text).substr(lineStart))) {
            read.ends.push_back(read.text.size());
        } else {
            read.text.resize(lineStart);
            pieceExact = false;
        }
        read.unreadLines += pieceExact ? 0 : 1;
    }
    // After the last record only the file's closing line break belongs.
    if (text.substr(start).find_first_not_of(" \r\n") != std::string_view::npos) {
        ++read.unreadLines;
    }
    // UTF-16 broken where no record shows it (an odd last byte).
    if (!exact && read.unreadLines == 0) {
        read.unreadLines = 1;
    }
    read.readWhole = read.unreadLines == 0;
    const std::size_t last = text.rfind(RecordSeparator);
    read.closed = last != std::string_view::npos &&
                  (last == 0 || text[last - 1] == RecordSeparator) &&
                  text.substr(last + 1).find_first_not_of(" \r\n") == std::string_view::npos;
    return read;
}

std::vector<std::string_view> ShortcutFileLines::lines() const {
    std::vector<std::string_view> views;
    views.reserve(ends.size());
    const PackedLines lines = packed();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        views.push_back(lines[i]);
    }
    return views;
}

std::size_t addMissingEntryLines(std::vector<std::string_view> lines, ShortcutList& list) {
    std::erase_if(lines, [&](std::string_view line) { return list.contains(line); });
    return list.addAll(lines);
}

ImportResult importShortcutFile(std::string_view path, ShortcutList& list, Files& files,
                                const AnsiCodePage& codePage) {
    const std::optional<std::string> contents = files.readAll(path);
    if (!contents) {
        return {.added = 0, .readWhole = !files.exists(path)};
    }
    const ShortcutFileLines read = readShortcutLines(*contents, codePage);
    const ShortcutList::AddedLines added = list.addAllNew(read.packed());
    return {.added = added.added,
            .repeats = added.repeats,
            .readWhole = read.readWhole,
            .unreadLines = read.unreadLines};
}

bool exportShortcutFile(const ShortcutList& list, std::string_view path, Files& files,
                        const AnsiCodePage& codePage) {
    // Built in one go without yielding, so the list cannot change under it.
    return files.replaceAtomically(path, formatShortcutFile(list, codePage));
}

std::string DefaultShortcutFile(Environment& environment) {
    return environment.programFolder() + "\\defaultkeys.qvb";
}

bool isAcceptedFileName(std::string_view fileName) {
    const std::string_view name = trimBlanks(fileName);
    return !name.empty() && name != "*.tq";
}

}  // namespace quorvel

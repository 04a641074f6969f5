// Entry lines from arbitrary bytes: splitting, parsing, the display form and
// the trigger key, and the way back through formatEntryLine.

#include <string>

#include "engine/shortcut_entry.h"
#include "engine/shortcut_list.h"
#include "fuzz_check.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace {

using namespace quorvel;

// Formatting an entry whose trigger holds no separator and no edge blanks, and
// parsing it again, gives the entry back; its display forms agree unless the
// text holds a separator (formatDisplayLine leaves those in the text).
void checkRoundTrip(const ShortcutEntry& entry) {
    const std::string line = formatEntryLine(entry);
    const auto back = parseEntryLine(line);
    FUZZ_CHECK(back.has_value() && *back == entry);
    if (entry.text.find(EntrySeparator) == std::string::npos) {
        FUZZ_CHECK(displayFromEntryLine(line) == formatDisplayLine(entry));
    }

    // The list finds the row by its trigger: F1 launches whatever the mode. An
    // empty trigger is never found: nothing typed completes no trigger.
    ShortcutList list;
    FUZZ_CHECK(list.add(line, formatDisplayLine(entry)) == std::size_t{0});
    const auto match = list.findLaunch(lowerCase(entry.trigger), 112, false);
    FUZZ_CHECK(match.has_value() != entry.trigger.empty());
    FUZZ_CHECK(!match ||
               (match->row == 0 && match->trigger == entry.trigger && match->text == entry.text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = fuzzText(data, size);

    // The display line: every separator becomes '-', nothing else changes; so
    // it is one byte shorter per separator.
    const std::string display = displayFromEntryLine(line);
    FUZZ_CHECK(display == replaceAll(line, EntrySeparator, "-"));
    const std::size_t separators = line.size() - display.size();

    const auto fields = splitEntryLine(line);
    FUZZ_CHECK(fields.has_value() == (separators >= 2));

    // A trigger key is trimmed, lower-cased and stable. Lower-casing keeps the
    // size, so a stable key has no edge blank and no capital left.
    const std::string key = triggerKey(line);
    FUZZ_CHECK(key.size() == trimBlanks(line).size());
    FUZZ_CHECK(triggerKey(key) == key);
    // Lower-casing never breaks a character.
    FUZZ_CHECK(utf8::isValid(key) == utf8::isValid(trimBlanks(line)));

    if (fields) {
        // Mode and trigger lie before the first and the second separator, trimmed.
        const std::size_t first = line.find(EntrySeparator);
        const std::size_t afterFirst = first + EntrySeparator.size();
        const std::size_t second = line.find(EntrySeparator, afterFirst);
        FUZZ_CHECK(fields->mode == trimBlanks(line.substr(0, first)));
        FUZZ_CHECK(fields->trigger == trimBlanks(line.substr(afterFirst, second - afterFirst)));
        // The text is the tail of the line: only what lies before it can have been dropped.
        FUZZ_CHECK(fields->text.empty() ||
                   fields->text.data() + fields->text.size() == line.data() + line.size());
        // The text starts on a character of its own.
        FUZZ_CHECK(!utf8::isValid(line) || utf8::isValid(fields->text));
        // A line that splits parses (value() throws otherwise); what the entry
        // holds beyond the fields shows in its round trip.
        checkRoundTrip(parseEntryLine(line).value());
    }

    // An entry built from the bytes: mode from the first byte, then trigger and
    // text split at the first NUL.
    if (size > 0) {
        std::string_view rest = line.substr(1);
        std::string trigger(cutFront(rest, rest.find('\0')));
        // Only triggers the editor can store: no separator (none forms without
        // its first byte), no edge blanks.
        std::erase(trigger, EntrySeparator[0]);
        checkRoundTrip({static_cast<LaunchMode>(data[0] % 5), (data[0] & 0x80) != 0,
                        std::string(trimBlanks(trigger)),
                        std::string(rest.substr(rest.empty() ? 0 : 1))});
    }
    return 0;
}

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

bool hasEdgeBlank(std::string_view text) {
    return !text.empty() && (text.front() == ' ' || text.back() == ' ');
}

// An empty field may be a view of nothing at all.
bool within(std::string_view part, std::string_view whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

// Formatting an entry whose trigger holds no separator and no edge blanks, and
// parsing it again, gives the entry back; its display forms agree unless the
// text holds a separator (formatDisplayLine leaves those in the text).
void checkRoundTrip(const ShortcutEntry& entry) {
    const std::string line = formatEntryLine(entry);
    const auto back = parseEntryLine(line);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(*back == entry);
    if (entry.text.find(EntrySeparator) == std::string::npos) {
        FUZZ_CHECK(displayFromEntryLine(line) == formatDisplayLine(entry));
    }

    // The list finds the row by its trigger: F1 launches whatever the mode. An
    // empty trigger is never found: nothing typed completes no trigger.
    ShortcutList list;
    FUZZ_CHECK(list.add(line, formatDisplayLine(entry)) == std::size_t{0});
    const auto match = list.findLaunch(lowerCase(entry.trigger), 112, false);
    FUZZ_CHECK(match.has_value() != entry.trigger.empty());
    if (!match) {
        return;
    }
    FUZZ_CHECK(match->row == 0);
    FUZZ_CHECK(match->trigger == entry.trigger);
    FUZZ_CHECK(match->text == entry.text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = fuzzText(data, size);

    std::size_t separators = 0;
    for (std::size_t at = line.find(EntrySeparator); at != std::string_view::npos;
         at = line.find(EntrySeparator, at + EntrySeparator.size())) {
        ++separators;
    }

    // The display line: every separator becomes '-', nothing else changes.
    const std::string display = displayFromEntryLine(line);
    FUZZ_CHECK(display.size() == line.size() - separators * (EntrySeparator.size() - 1));
    FUZZ_CHECK(display.find(EntrySeparator) == std::string::npos);
    FUZZ_CHECK(utf8::isValid(display) == utf8::isValid(line));

    const auto fields = splitEntryLine(line);
    const auto entry = parseEntryLine(line);
    FUZZ_CHECK(fields.has_value() == (separators >= 2));
    FUZZ_CHECK(entry.has_value() == fields.has_value());

    // A trigger key is trimmed, lower-cased and stable.
    const std::string key = triggerKey(line);
    FUZZ_CHECK(key.size() == trimBlanks(line).size());
    FUZZ_CHECK(!hasEdgeBlank(key));
    FUZZ_CHECK(triggerKey(key) == key);
    FUZZ_CHECK(lowerCase(key) == key);
    // Lower-casing never breaks a character.
    FUZZ_CHECK(utf8::isValid(key) == utf8::isValid(trimBlanks(line)));

    if (fields) {
        FUZZ_CHECK(within(fields->mode, line) && within(fields->trigger, line) &&
                   within(fields->text, line));
        FUZZ_CHECK(!hasEdgeBlank(fields->mode) && !hasEdgeBlank(fields->trigger));
        FUZZ_CHECK(fields->mode.find(EntrySeparator) == std::string_view::npos);
        FUZZ_CHECK(fields->trigger.find(EntrySeparator) == std::string_view::npos);
        FUZZ_CHECK(entry->trigger == fields->trigger && entry->text == fields->text);
        FUZZ_CHECK(entry->launchMode == launchModeOf(fields->mode));
        FUZZ_CHECK(entry->enterAfter == enterAfterOf(fields->mode));
        // The text is the tail of the line: only what lies before it can have been dropped.
        FUZZ_CHECK(fields->text.empty() ||
                   fields->text.data() + fields->text.size() == line.data() + line.size());
        // The text starts on a character of its own.
        FUZZ_CHECK(!utf8::isValid(line) || utf8::isValid(fields->text));
        checkRoundTrip(*entry);
    }

    // An entry built from the bytes: mode from the first byte, then trigger and
    // text split at the first NUL.
    if (size > 0) {
        ShortcutEntry built;
        built.launchMode = static_cast<LaunchMode>(data[0] % 5);
        built.enterAfter = (data[0] & 0x80) != 0;
        std::string_view rest = line.substr(1);
        const auto nul = rest.find('\0');
        std::string trigger(rest.substr(0, nul));
        built.text =
            nul == std::string_view::npos ? std::string() : std::string(rest.substr(nul + 1));
        // Only triggers the editor can store: no separator, no edge blanks.
        while (trigger.find(EntrySeparator) != std::string::npos) {
            trigger = replaceAll(trigger, EntrySeparator, "");
        }
        built.trigger = std::string(trimBlanks(trigger));
        checkRoundTrip(built);
    }
    return 0;
}

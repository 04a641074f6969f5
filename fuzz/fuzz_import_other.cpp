// Another program's file from arbitrary bytes, as each kind: every row the
// reader makes from AutoHotkey or Beeftext is notation the sender can type;
// the preview's import, exported as CSV, reads back to the same entries, and
// taking it back leaves the list as it was.

#include <algorithm>
#include <string>
#include <vector>

#include "app/import_preview.h"
#include "engine/send_keys_notation.h"
#include "fuzz_check.h"
#include "storage/csv_shortcuts.h"
#include "storage/import_file.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_keyboard_layout.h"

namespace {

using namespace quorvel;

constexpr const char* Paths[] = {"in.ahk", "in.json", "in.csv", "in.txt"};

std::vector<std::string> linesOf(const ShortcutList& list) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < list.count(); ++i) {
        const auto entry = parseEntryLine(list.entryLine(i));
        lines.push_back(entry ? formatEntryLine(*entry) : std::string(list.entryLine(i)));
    }
    std::ranges::sort(lines);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzzText(data, size);
    const std::string_view kind = cutFront(input, 1);
    const char* path = Paths[kind.empty() ? 0 : static_cast<unsigned char>(kind[0]) % 4];
    const ImportedFile file = readOtherProgramFile(path, input, FakeWindows1252{});
    for (const ImportRow& row : file.rows) {
        const bool converted = file.format != ImportFormat::Csv;
        if (!row.skipped() && converted && row.entry.text.find("%(") == std::string::npos) {
            FUZZ_CHECK(parseSendKeys(row.entry.text).has_value());
        }
    }

    ShortcutList list;
    list.add("{S} \xC2\xAF btw \xC2\xAF between the wars");
    const std::vector<std::string> before = linesOf(list);
    ImportPreview preview;
    preview.open(path, file, list, FakeGermanLayout{});
    FUZZ_CHECK(preview.rows().size() == file.rows.size());
    preview.chooseReplace();
    const ImportChange change = preview.apply(list);

    const std::string csv = formatCsvShortcuts(list).bytes;
    ShortcutList back;
    for (const ImportRow& row : readOtherProgramFile("back.csv", csv, FakeWindows1252{}).rows) {
        FUZZ_CHECK(!row.skipped());
        back.add(formatEntryLine(row.entry));
    }
    FUZZ_CHECK(linesOf(back) == linesOf(list));

    FUZZ_CHECK(undoImport(change, list) == 0);
    FUZZ_CHECK(linesOf(list) == before);
    return 0;
}

// The shortcut file from arbitrary bytes, with and without the UTF-8 or a UTF-16 mark:
// import, export, and import of the export give the same rows, the export is
// the file formatShortcutFile makes, ANSI exactly when every row fits
// Windows-1252, and it reads back whole; the file imported again adds nothing.

#include <algorithm>
#include <string>
#include <vector>

#include "engine/shortcut_entry.h"
#include "engine/shortcut_list.h"
#include "fuzz_check.h"
#include "storage/shortcut_file.h"
#include "storage/shortcut_file_encoding.h"
#include "support/readback.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_files.h"
#include "text/utf8_text.h"

namespace {

using namespace quorvel;

constexpr const char* InPath = "C:\\in.qvb";
constexpr const char* OutPath = "C:\\out.qvb";
const FakeWindows1252 codePage;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(fuzzText(data, size));
    FakeFiles files;
    files.files[InPath] = bytes;

    ShortcutList first;
    const std::size_t added = importShortcutFile(InPath, first, files, codePage).added;
    FUZZ_CHECK(added == first.count());

    // Every closed record that is a shortcut is kept once, and nothing else: the
    // list holds the same lines, in its order (only identical lines compare equal).
    std::vector<std::string> lines = testing::closedRecords(bytes);
    std::erase_if(lines, [](const std::string& record) { return !splitEntryLine(record); });
    std::ranges::sort(lines,
                      [](const auto& a, const auto& b) { return compareIgnoringCase(a, b) < 0; });
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    FUZZ_CHECK(testing::entryLines(first) == lines);

    FUZZ_CHECK(exportShortcutFile(first, OutPath, files, codePage));
    const std::string exported = files.files.at(OutPath);
    FUZZ_CHECK(files.files.at(InPath) == bytes);  // importing never writes
    // A row that does not fit Windows-1252 goes as UTF-8, and so does a first row
    // starting with what the marks read as there: "ï»¿", "ÿþ" or "þÿ".
    std::string ansi;
    const bool allFit = std::ranges::all_of(
        lines, [&](const std::string& line) { return codePage.appendAnsi(ansi, line); });
    const std::string_view head = lines.empty() ? "" : first.entryLine(0);
    const bool markLookalike =
        head.starts_with("ï»¿") || head.starts_with("ÿþ") || head.starts_with("þÿ");
    FUZZ_CHECK(exported.starts_with(Utf8Mark) == (!allFit || markLookalike));

    ShortcutList second;
    FUZZ_CHECK(importShortcutFile(OutPath, second, files, codePage).readWhole);
    FUZZ_CHECK(testing::entryLines(second) == testing::entryLines(first));
    // A file the program wrote comes back byte for byte, and is the file the
    // list formats (the rows being the same).
    FUZZ_CHECK(formatShortcutFile(second, codePage) == exported);
    // Imported again, the file adds nothing.
    FUZZ_CHECK(importShortcutFile(InPath, first, files, codePage).added == 0);
    FUZZ_CHECK(testing::entryLines(first) == lines);
    return 0;
}

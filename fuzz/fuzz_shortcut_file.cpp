// The shortcut file from arbitrary bytes: import, export, and import of the
// export give the same rows, and the export is the file formatShortcutFile makes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ansi_text.h"
#include "engine/shortcut_list.h"
#include "fuzz_check.h"
#include "platform/fake/fake_files.h"
#include "storage/shortcut_file.h"

namespace {

using namespace quorvel;

constexpr const char* InPath = "C:\\in.qvb";
constexpr const char* OutPath = "C:\\out.qvb";

std::vector<std::string> entryLines(const ShortcutList& list) {
    std::vector<std::string> lines;
    for (std::size_t row = 0; row < list.count(); ++row) {
        lines.emplace_back(list.entryLine(row));
    }
    return lines;
}

// The records the file closes with a separator that hold more than blanks.
std::vector<std::string> closedRecords(std::string_view bytes) {
    std::vector<std::string> records;
    std::size_t start = 0;
    for (std::size_t end = bytes.find(RecordSeparator); end != std::string_view::npos;
         start = end + 1, end = bytes.find(RecordSeparator, start)) {
        const std::string_view piece = bytes.substr(start, end - start);
        if (!trimBlanks(piece).empty()) {
            records.emplace_back(piece);
        }
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FakeFiles files;
    files.files[InPath] = bytes;

    ShortcutList first;
    const std::size_t added = GetImportFile(InPath, first, files).added;
    FUZZ_CHECK(added == first.count());

    // Every closed record is kept, and nothing else: the list holds the same
    // lines, sorted.
    std::vector<std::string> expected = closedRecords(bytes);
    FUZZ_CHECK(expected.size() == added);
    std::vector<std::string> lines = entryLines(first);
    for (std::size_t row = 1; row < lines.size(); ++row) {
        FUZZ_CHECK(compareIgnoringCase(lines[row - 1], lines[row]) <= 0);
    }
    std::sort(expected.begin(), expected.end());
    std::sort(lines.begin(), lines.end());
    FUZZ_CHECK(expected == lines);

    FUZZ_CHECK(ExportFile(first, OutPath, files));
    const std::string exported = files.files.at(OutPath);
    FUZZ_CHECK(exported == formatShortcutFile(first));
    FUZZ_CHECK(files.files.at(InPath) == bytes);  // importing never writes

    ShortcutList second;
    FUZZ_CHECK(GetImportFile(OutPath, second, files).added == first.count());
    FUZZ_CHECK(entryLines(second) == entryLines(first));
    for (std::size_t row = 0; row < first.count(); ++row) {
        FUZZ_CHECK(second.displayLine(row) == first.displayLine(row));
    }
    // A file the program wrote comes back byte for byte.
    FUZZ_CHECK(formatShortcutFile(second) == exported);
    return 0;
}

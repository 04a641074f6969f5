// Loading and saving a full shortcut file, against reading and splitting or
// joining the same bytes with nothing else done.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/shortcut_entry.h"
#include "heap_counter.h"
#include "storage/shortcut_file.h"
#include "storage/working_file.h"
#include "targets.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_files.h"

namespace quorvel::bench {
namespace {

constexpr const char* KeysPath = "C:\\Quorvel\\defaultkeys.qvb";
constexpr std::size_t Entries = 32767;
const FakeWindows1252 codePage;

// A file as the program saves it: random triggers of two to four letters in every
// mode, texts of 40 to 80 bytes made of the words given, in list order.
std::string fileOfWords(const std::vector<std::string>& words) {
    std::mt19937 random(7);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const LaunchMode modes[] = {LaunchMode::Space, LaunchMode::Tab, LaunchMode::Esc,
                                LaunchMode::FunctionKey};
    ShortcutList list;
    while (list.count() < Entries) {
        ShortcutEntry entry{modes[pick(0, 3)], pick(0, 1) == 0, "", ""};
        for (int i = pick(2, 4); i > 0; --i) {
            entry.trigger += static_cast<char>(pick('a', 'z'));
        }
        const auto length = static_cast<std::size_t>(pick(40, 80));
        while (entry.text.size() < length) {
            entry.text += words[static_cast<std::size_t>(pick(0, 7))];
        }
        entry.text.resize(length);
        // Not in the middle of a character.
        while ((entry.text.back() & 0xC0) == 0x80 || (entry.text.back() & 0xC0) == 0xC0) {
            entry.text.pop_back();
        }
        list.add(formatEntryLine(entry), formatDisplayLine(entry));
    }
    return formatShortcutFile(list, codePage);
}

const std::string& savedFile() {
    static const std::string bytes =
        fileOfWords({"Kind regards, ", "%(date)% ", "the meeting ", "{Enter}", "please find ",
                     "attached ", "Monday ", "invoice "});
    return bytes;
}

// The same with words in other scripts and emoji: a file in UTF-8.
const std::string& unicodeFile() {
    static const std::string bytes = fileOfWords(
        {"Grüße, ", "%(date)% ", "Zażółć gęślą ", "{Enter}", "Ελληνικά ", "日本語 ", "→ ✓ ", "😀 "});
    return bytes;
}

std::vector<std::string> splitRecords(const std::string& bytes) {
    std::vector<std::string> records;
    std::size_t start = 0;
    for (std::size_t end = bytes.find(RecordSeparator); end != std::string::npos;
         start = end + 1, end = bytes.find(RecordSeparator, start)) {
        records.emplace_back(bytes, start, end - start);
    }
    return records;
}

// Loading the bytes `file()` gives into an empty list.
template <const std::string& (*file)()>
void importOf(benchmark::State& state) {
    FakeFiles files;
    files.files[KeysPath] = file();
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<ShortcutList>();
        state.ResumeTiming();
        benchmark::DoNotOptimize(importShortcutFile(KeysPath, *list, files, codePage));
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}

template <const std::string& (*file)()>
void plainReadAndSplitOf(benchmark::State& state) {
    FakeFiles files;
    files.files[KeysPath] = file();
    for (auto _ : state) {
        auto records = splitRecords(*files.readAll(KeysPath));
        benchmark::DoNotOptimize(records.data());
        state.PauseTiming();
        records.clear();
        state.ResumeTiming();
    }
}

void BM_FileImport(benchmark::State& state) {
    importOf<savedFile>(state);
}
BENCHMARK(BM_FileImport)->Unit(benchmark::kMillisecond);

// The same file imported into the list it was loaded into: every entry is left
// out as a repeat.
void BM_FileImportAgain(benchmark::State& state) {
    FakeFiles files;
    files.files[KeysPath] = savedFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<ShortcutList>();
        importShortcutFile(KeysPath, *list, files, codePage);
        state.ResumeTiming();
        benchmark::DoNotOptimize(importShortcutFile(KeysPath, *list, files, codePage));
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FileImportAgain)->Unit(benchmark::kMillisecond);

void BM_FilePlainReadAndSplit(benchmark::State& state) {
    plainReadAndSplitOf<savedFile>(state);
}
BENCHMARK(BM_FilePlainReadAndSplit)->Unit(benchmark::kMillisecond);

// The list a file loads into, built once: a save and its baseline read the same
// rows in the same memory, so that the ratio does not measure where the
// allocator happened to put them.
template <const std::string& (*file)()>
const ShortcutList& loadedList() {
    static ShortcutList list;
    [[maybe_unused]] static const bool loaded = [] {
        FakeFiles files;
        files.files[KeysPath] = file();
        importShortcutFile(KeysPath, list, files, codePage);
        return true;
    }();
    return list;
}

template <const std::string& (*file)()>
void exportOf(benchmark::State& state) {
    const ShortcutList& list = loadedList<file>();
    FakeFiles files;
    for (auto _ : state) {
        benchmark::DoNotOptimize(exportShortcutFile(list, KeysPath, files, codePage));
    }
}

void BM_FileExport(benchmark::State& state) {
    exportOf<savedFile>(state);
}
BENCHMARK(BM_FileExport)->Unit(benchmark::kMillisecond);

// The working file loaded from a full file; each pass, another copy of the
// program first adds an entry to the file when asked, then `act` runs.
template <class Act>
void onWorkingFile(benchmark::State& state, bool anotherCopyAdds, Act act) {
    FakeFiles files;
    files.files[KeysPath] = savedFile();
    ShortcutList list;
    WorkingFile working(files, codePage);
    working.setPath(KeysPath);
    working.load(list);
    int added = 0;
    for (auto _ : state) {
        if (anotherCopyAdds) {
            state.PauseTiming();
            files.files[KeysPath].insert(
                0, "{S} \xAF other" + std::to_string(++added) + " \xAF another copy's\x01");
            state.ResumeTiming();
        }
        act(working, list);
    }
}

// The save after each change, which first reads the file back to find what
// another copy of the program added: here nothing, then one entry each time.
void workingFileSave(benchmark::State& state, bool anotherCopyAdds) {
    onWorkingFile(state, anotherCopyAdds, [](WorkingFile& working, ShortcutList& list) {
        benchmark::DoNotOptimize(working.save(list));
    });
}

void BM_WorkingFileSave(benchmark::State& state) {
    workingFileSave(state, false);
}
BENCHMARK(BM_WorkingFileSave)->Unit(benchmark::kMillisecond);

void BM_WorkingFileSaveAfterAnotherCopy(benchmark::State& state) {
    workingFileSave(state, true);
}
BENCHMARK(BM_WorkingFileSaveAfterAnotherCopy)->Unit(benchmark::kMillisecond);

// The reload after another copy (or a sync client) changed the file: one
// entry added there each time, merged three ways into the list.
void BM_WorkingFileReload(benchmark::State& state) {
    onWorkingFile(state, true, [](WorkingFile& working, ShortcutList& list) {
        benchmark::DoNotOptimize(working.reload(list));
    });
}
BENCHMARK(BM_WorkingFileReload)->Unit(benchmark::kMillisecond);

void BM_FileImportUnicode(benchmark::State& state) {
    importOf<unicodeFile>(state);
}
BENCHMARK(BM_FileImportUnicode)->Unit(benchmark::kMillisecond);

void BM_FileExportUnicode(benchmark::State& state) {
    exportOf<unicodeFile>(state);
}
BENCHMARK(BM_FileExportUnicode)->Unit(benchmark::kMillisecond);

// The same rows copied as they are into a buffer of the file's size, allocated
// as a save allocates it, and handed to the same atomic replace: the ratio is
// the cost of the file's encoding alone. (Joining with += instead grows the
// buffer by doubling; on a virtual machine where page faults are dear, that
// alone made the ratio swing between 5 and 10 from run to run.)
void BM_FilePlainWrite(benchmark::State& state) {
    const ShortcutList& list = loadedList<savedFile>();
    FakeFiles files;
    for (auto _ : state) {
        std::size_t size = 0;
        for (std::size_t row = 0; row < list.count(); ++row) {
            size += list.entryLine(row).size() + 1;
        }
        std::string text(size, '\0');
        char* out = text.data();
        for (std::size_t row = 0; row < list.count(); ++row) {
            const std::string_view line = list.entryLine(row);
            out = std::copy(line.begin(), line.end(), out);
            *out++ = RecordSeparator;
        }
        benchmark::DoNotOptimize(files.replaceAtomically(KeysPath, text));
    }
}
BENCHMARK(BM_FilePlainWrite)->Unit(benchmark::kMillisecond);

// What the working file's list holds from the heap once a 32,767-entry file is
// loaded, against the file's bytes: the list, its index and the working file's
// record of what it read.
void BM_HeapOfLoadedList(benchmark::State& state) {
    FakeFiles files;
    files.files[KeysPath] = savedFile();
    double bytesPerFileByte = 0;
    double peakPerFileByte = 0;
    double keptPerFileByte = 0;  // the working file's record of the version it read
    for (auto _ : state) {
        const std::size_t before = heapBytesInUse();
        startHeapPeak();
        auto list = std::make_unique<ShortcutList>();
        auto working = std::make_unique<WorkingFile>(files, codePage);
        working->setPath(KeysPath);
        working->load(*list);
        const auto fileBytes = static_cast<double>(savedFile().size());
        const std::size_t loaded = heapBytesInUse();
        bytesPerFileByte = static_cast<double>(loaded - before) / fileBytes;
        peakPerFileByte = static_cast<double>(heapPeakBytes() - before) / fileBytes;
        state.PauseTiming();
        working.reset();
        keptPerFileByte = static_cast<double>(loaded - heapBytesInUse()) / fileBytes;
        list.reset();
        state.ResumeTiming();
    }
    state.counters["heap_per_file_byte"] = bytesPerFileByte;
    state.counters["peak_per_file_byte"] = peakPerFileByte;
    state.counters["kept_per_file_byte"] = keptPerFileByte;
}
BENCHMARK(BM_HeapOfLoadedList)->Unit(benchmark::kMillisecond);

// 100 MB of random bytes: about 400,000 records of every length, in no order.
const std::string& garbageFile() {
    static const std::string bytes = [] {
        // Random bytes, one in sixteen of them the field separator: nearly every
        // record then holds two and reads as a shortcut, so the import keeps and
        // sorts about as many rows as the baseline sorts records.
        std::mt19937 random(3);
        std::string text(100u << 20, '\0');
        for (char& c : text) {
            const auto value = random();
            c = value % 16 == 0 ? '\xAF' : static_cast<char>((value >> 8) & 0xFF);
        }
        return text;
    }();
    return bytes;
}

void BM_FileImportGarbage100MB(benchmark::State& state) {
    importOf<garbageFile>(state);
}
BENCHMARK(BM_FileImportGarbage100MB)->Unit(benchmark::kMillisecond);

// What records in no order cannot cost less than: reading, splitting and
// sorting them. Its memory traffic is of the same kind as an import's, so a
// machine with slower memory or a busier cache slows both alike.
void BM_FilePlainReadSplitAndSortGarbage100MB(benchmark::State& state) {
    FakeFiles files;
    files.files[KeysPath] = garbageFile();
    for (auto _ : state) {
        auto records = splitRecords(*files.readAll(KeysPath));
        std::sort(records.begin(), records.end());
        benchmark::DoNotOptimize(records.data());
        state.PauseTiming();
        records.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FilePlainReadSplitAndSortGarbage100MB)->Unit(benchmark::kMillisecond);

const RegisterTarget importTime{{"importing a 32,767-entry file", "BM_FileImport", "", 50e6}};
const RegisterTarget saveTime{{"saving a 32,767-entry file", "BM_FileExport", "", 30e6}};
const RegisterTarget workingSaveTime{
    {"saving the 32,767-entry working file after a change", "BM_WorkingFileSave", "", 30e6}};
// The save reads the file back for what another copy added; with an addition to
// merge it must cost no more than reading the file once more.
const RegisterTarget mergedSaveRatio{{"the same after another copy added an entry / import",
                                      "BM_WorkingFileSaveAfterAnotherCopy", "BM_FileImport", 2}};
const RegisterTarget unicodeImportTime{
    {"importing a 32,767-entry file in UTF-8", "BM_FileImportUnicode", "", 50e6}};
const RegisterTarget unicodeSaveTime{
    {"saving a 32,767-entry file in UTF-8", "BM_FileExportUnicode", "", 30e6}};
// Leaving every entry out as a repeat must not cost a search of the list per entry.
const RegisterTarget importAgainRatio{
    {"importing the same file again / importing it", "BM_FileImportAgain", "BM_FileImport", 2}};
const RegisterTarget importRatio{
    {"import / plain read and split", "BM_FileImport", "BM_FilePlainReadAndSplit", 5}};
// Records in no order must not cost much more than sorting them: inserting each
// at its place moved every row behind it, and took minutes.
const RegisterTarget garbageRatio{{"import of 100 MB of random bytes / plain read, split and sort",
                                   "BM_FileImportGarbage100MB",
                                   "BM_FilePlainReadSplitAndSortGarbage100MB", 15}};
const RegisterTarget heapRatio{{"heap bytes of a loaded 32,767-entry list / the file's bytes",
                                "BM_HeapOfLoadedList", "", 2, Gate::AtTheAim,
                                "heap_per_file_byte"}};
// A reload merges three ways; it must cost little more than reading the file.
const RegisterTarget reloadRatio{{"reloading the file another copy changed / import",
                                  "BM_WorkingFileReload", "BM_FileImport", 3}};
const RegisterTarget keptRatio{{"heap bytes kept of the version last read / the file's bytes",
                                "BM_HeapOfLoadedList", "", 0.5, Gate::AtTheAim,
                                "kept_per_file_byte"}};
const RegisterTarget saveRatio{{"save / plain write", "BM_FileExport", "BM_FilePlainWrite", 5}};

}  // namespace
}  // namespace quorvel::bench

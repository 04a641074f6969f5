// The settings file from arbitrary bytes: after one more setting is saved and
// the file read again, every setting reads as before, except the one saved.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/utf8_text.h"
#include "fuzz_check.h"
#include "platform/fake/fake_files.h"
#include "storage/settings_file_store.h"

namespace {

using namespace quorvel;

constexpr const char* Path = "C:\\settings.txt";
constexpr std::string_view Missing = "\x02missing\x02";

struct Address {
    std::string application, section, key;
};

std::string unescapeOrRaw(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        switch (field[++i]) {
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case '0':
                out += '\0';
                break;
            default:
                out += field[i];
        }
    }
    return out;
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool sameAddress(const Address& a, const Address& b) {
    return lowerCase(a.application) == lowerCase(b.application) &&
           lowerCase(a.section) == lowerCase(b.section) && lowerCase(a.key) == lowerCase(b.key);
}

}  // namespace

// Input: the file, then after the last "\n\x03" the setting to save as four
// NUL-separated fields (application, section, key, value).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto mark = input.rfind("\n\x03");
    const std::string_view file = input.substr(0, mark);
    std::vector<std::string> saved =
        split(mark == std::string_view::npos ? std::string_view() : input.substr(mark + 2), '\0');
    saved.resize(4);
    const Address savedAt{saved[0], saved[1], saved[2]};
    const std::string& savedValue = saved[3];

    // Whatever the lines of the file name, read as they are and unescaped,
    // in their own case and upper-cased.
    std::vector<Address> addresses{savedAt};
    for (std::string line : split(file, '\n')) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        auto fields = split(line, '\t');
        if (fields.size() < 3) {
            continue;
        }
        addresses.push_back({fields[0], fields[1], fields[2]});
        Address unescaped{unescapeOrRaw(fields[0]), unescapeOrRaw(fields[1]),
                          unescapeOrRaw(fields[2])};
        addresses.push_back(unescaped);
        for (std::string* name : {&unescaped.application, &unescaped.section, &unescaped.key}) {
            for (char& c : *name) {
                c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
            }
        }
        addresses.push_back(std::move(unescaped));
    }

    FakeFiles files;
    files.files[Path] = std::string(file);
    SettingsFileStore store(files, Path);
    std::vector<std::string> before;
    for (const Address& a : addresses) {
        before.push_back(store.GetSetting(a.application, a.section, a.key, Missing));
    }
    FUZZ_CHECK(files.replaces == 0);  // reading never writes

    store.SaveSetting(savedAt.application, savedAt.section, savedAt.key, savedValue);
    FUZZ_CHECK(store.inSync());
    if (files.replaces == 0) {
        // The file held that value already; have the store write its own file.
        store.SaveSetting(savedAt.application, savedAt.section, savedAt.key, savedValue + "x");
        store.SaveSetting(savedAt.application, savedAt.section, savedAt.key, savedValue);
    }
    const int writes = files.replaces;
    const std::string written = files.files.at(Path);

    SettingsFileStore reloaded(files, Path);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const Address& a = addresses[i];
        const std::string want = sameAddress(a, savedAt) ? savedValue : before[i];
        FUZZ_CHECK(store.GetSetting(a.application, a.section, a.key, Missing) == want);
        FUZZ_CHECK(reloaded.GetSetting(a.application, a.section, a.key, Missing) == want);
    }

    // The file the store wrote is its own fixed point: saving what it holds
    // writes nothing, and changing a value and back gives the same bytes.
    reloaded.SaveSetting(savedAt.application, savedAt.section, savedAt.key, savedValue);
    FUZZ_CHECK(files.replaces == writes);
    reloaded.SaveSetting(savedAt.application, savedAt.section, savedAt.key, savedValue + "x");
    reloaded.SaveSetting(savedAt.application, savedAt.section, savedAt.key, savedValue);
    FUZZ_CHECK(files.replaces == writes + 2);
    FUZZ_CHECK(files.files.at(Path) == written);
    return 0;
}

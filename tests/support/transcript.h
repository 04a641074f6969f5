#pragma once
// Outputs compared whole with a reviewed file under tests/golden/, instead of
// piece by piece. QUORVEL_UPDATE_GOLDEN=1 (that value only) writes the files
// that differ from the run and fails the tests that wrote them, so that a run
// which rewrote its own expectations never passes; the diff is then reviewed
// like any change of code and the tests run again without the switch.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/doubles/fake_dialogs.h"

namespace quorvel::testing {

// Control characters as \r, \n, \t or \xNN, so that every line of a transcript
// is one line of its file; bytes from 0x80 up too when they are not UTF-8.
inline std::string printable(std::string_view text, bool escapeHigh = false) {
    std::string out;
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == '\t') {
            out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20 ||
                   (escapeHigh && static_cast<unsigned char>(c) >= 0x80)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

// Each message box shown since `from`, with its buttons and its text.
inline std::string toldSince(const FakeDialogs& dialogs, std::size_t from = 0) {
    static constexpr const char* Buttons[] = {"Ok", "YesNo", "YesNoDefaultNo"};
    std::string out;
    for (std::size_t i = from; i < dialogs.shown.size(); ++i) {
        const auto& shown = dialogs.shown[i];
        out += std::string("  told (") + Buttons[static_cast<int>(shown.buttons)] + ", " +
               shown.caption + "): " + printable(shown.text) + "\n";
    }
    return out;
}

// A window's state as facts in a fixed order, each a name and how it reads; a
// flag that is off, or a field that has no value, reads "".
using Facts = std::vector<std::pair<std::string, std::string>>;

// The facts that read otherwise than `before` did, ", "-separated; a fact that
// went reads "no <name>". Against no facts at all it is the whole state.
inline std::string changed(const Facts& before, const Facts& after) {
    std::string out;
    for (std::size_t i = 0; i < after.size(); ++i) {
        const std::string was = i < before.size() ? before[i].second : "";
        const auto& [name, reads] = after[i];
        if (reads != was) {
            out += (out.empty() ? "" : ", ") + (reads.empty() ? "no " + name : reads);
        }
    }
    return out;
}

// A step's line: the step, then what it changed after " -> ".
inline std::string stepLine(const std::string& step, const std::string& change) {
    return printable(step) + (change.empty() ? "" : " -> " + change) + "\n";
}

inline void expectGolden(const std::string& name, const std::string& actual) {
    const auto path = std::filesystem::path(QUORVEL_GOLDEN_DIR) / name;
    std::ifstream in(path, std::ios::binary);
    std::stringstream expected;
    expected << in.rdbuf();
    const char* update = std::getenv("QUORVEL_UPDATE_GOLDEN");
    if (update != nullptr && std::string_view(update) == "1" && (!in || expected.str() != actual)) {
        in.close();
        std::ofstream(path, std::ios::binary) << actual;
        ADD_FAILURE() << path << " was rewritten from this run: review its diff, then run the "
                      << "tests again without QUORVEL_UPDATE_GOLDEN";
        return;
    }
    ASSERT_TRUE(in) << path << " is missing";
    EXPECT_EQ(actual, expected.str()) << "differs from " << path;
}

}  // namespace quorvel::testing

#include "platform/win32/win32_ansi_code_page.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/win32/win32_text.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

// With "Use Unicode UTF-8 for worldwide language support" the ANSI code page
// is UTF-8 itself, where the conversion functions take no default character.
bool ansiIsUtf8() {
    return ::GetACP() == CP_UTF8;
}

bool fitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(INT_MAX);
}

}  // namespace

Win32AnsiCodePage::Win32AnsiCodePage() {
    CPINFO info{};
    if (ansiIsUtf8() || !::GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) {
        return;
    }
    std::array<ByteCharacter, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char ansi = static_cast<char>(byte);
        wchar_t wide = 0;
        ByteCharacter& character = table[static_cast<std::size_t>(byte)];
        // Strict first, as for a whole text: a byte without a character of its
        // own reads as the system's stand-in.
        character.exact =
            ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &ansi, 1, &wide, 1) == 1;
        if (!character.exact && ::MultiByteToWideChar(CP_ACP, 0, &ansi, 1, &wide, 1) != 1) {
            return;
        }
        std::string encoded;
        utf8::append(encoded, static_cast<char32_t>(wide));
        if (encoded.size() > character.utf8.size() || (wide >= 0xD800 && wide <= 0xDFFF)) {
            return;
        }
        std::copy(encoded.begin(), encoded.end(), character.utf8.begin());
        character.size = static_cast<unsigned char>(encoded.size());
    }
    bytes_ = table;
    asciiAsItself_ = std::all_of(table.begin(), table.begin() + 0x80, [&](const ByteCharacter& c) {
        return c.exact && c.size == 1 && static_cast<unsigned char>(c.utf8[0]) == &c - table.data();
    });
}

bool Win32AnsiCodePage::appendUtf8(std::string& utf8, std::string_view ansi) const {
    if (ansi.empty()) {
        return true;
    }
    if (bytes_) {
        bool exact = true;
        std::size_t next = 0;
        while (next < ansi.size()) {
            // Runs of ASCII, as every such code page has it, go in one piece.
            std::size_t end = next;
            while (asciiAsItself_ && end < ansi.size() &&
                   static_cast<unsigned char>(ansi[end]) < 0x80) {
                ++end;
            }
            utf8.append(ansi.data() + next, end - next);
            if (end == ansi.size()) {
                break;
            }
            const ByteCharacter& character = (*bytes_)[static_cast<unsigned char>(ansi[end])];
            utf8.append(character.utf8.data(), character.size);
            exact = exact && character.exact;
            next = end + 1;
        }
        return exact;
    }
    if (ansiIsUtf8() || !fitsInt(ansi.size())) {
        utf8 += utf8::repaired(ansi);
        return utf8::isValid(ansi);
    }
    const int size = static_cast<int>(ansi.size());
    // Strict first: a byte without a character of its own fails the call, and
    // then the lenient call reads it as the system's stand-in.
    bool exact = true;
    int length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), size, nullptr, 0);
    if (length == 0) {
        exact = false;
        length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length == 0 || ::MultiByteToWideChar(CP_ACP, exact ? MB_ERR_INVALID_CHARS : 0, ansi.data(),
                                             size, wide.data(), length) != length) {
        for (std::size_t i = 0; i < ansi.size(); ++i) {
            utf8::append(utf8, utf8::ReplacementCharacter);
        }
        return false;
    }
    utf8 += utf8Text(wide);
    return exact;
}

bool Win32AnsiCodePage::appendAnsi(std::string& ansi, std::string_view utf8) const {
    if (utf8.empty()) {
        return true;
    }
    if (!utf8::isValid(utf8)) {
        return false;
    }
    if (ansiIsUtf8()) {
        ansi += utf8;
        return true;
    }
    const std::wstring wide = wideText(utf8);
    if (!fitsInt(wide.size())) {
        return false;
    }
    const int size = static_cast<int>(wide.size());
    // No look-alikes ("a" for "ą"), and no default character: such a text
    // would not read back as itself.
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                             nullptr, 0, nullptr, &usedDefault);
    if (length == 0 || usedDefault) {
        return false;
    }
    const std::size_t start = ansi.size();
    ansi.resize(start + static_cast<std::size_t>(length));
    return ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                 ansi.data() + start, length, nullptr, &usedDefault) == length &&
           !usedDefault;
}

}  // namespace quorvel

#include "platform/win32/win32_ansi_code_page.h"

#include <windows.h>

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

bool Win32AnsiCodePage::appendUtf8(std::string& utf8, std::string_view ansi) const {
    if (ansi.empty()) {
        return true;
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

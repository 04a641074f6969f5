#include "platform/win32/win32_text.h"

#include <algorithm>
#include <cwchar>

#include "text/utf8.h"

namespace quorvel {

std::wstring wideText(std::string_view utf8) {
    const std::u16string units = utf8::toUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string utf8Text(std::wstring_view wide) {
    return utf8::fromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::string utf8Text(const wchar_t* wide, std::size_t capacity) {
    if (wide == nullptr) {
        return {};
    }
    const wchar_t* end = std::wmemchr(wide, L'\0', capacity);
    return utf8Text(
        std::wstring_view(wide, end != nullptr ? static_cast<std::size_t>(end - wide) : capacity));
}

std::size_t copyWideText(std::string_view utf8, wchar_t* buffer, std::size_t capacity) {
    const std::wstring wide = wideText(utf8);
    std::size_t length = std::min(wide.size(), capacity - 1);
    if (length > 0 && length < wide.size() && wide[length - 1] >= 0xD800 &&
        wide[length - 1] <= 0xDBFF) {
        --length;
    }
    std::copy_n(wide.begin(), length, buffer);
    buffer[length] = L'\0';
    return length;
}

}  // namespace quorvel

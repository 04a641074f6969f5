#include "platform/win32/win32_collation.h"

#include <windows.h>

#include <climits>
#include <string>

#include "platform/win32/win32_text.h"

namespace quorvel {

int Win32Collation::compare(std::string_view a, std::string_view b) {
    const std::wstring wideA = wideText(a);
    const std::wstring wideB = wideText(b);
    const int result =
        ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, LINGUISTIC_IGNORECASE, wideA.c_str(),
                          static_cast<int>(wideA.size()), wideB.c_str(),
                          static_cast<int>(wideB.size()), nullptr, nullptr, 0);
    if (result == 0) {
        // The system could not compare them: an order of some kind still beats
        // none, which would leave the sort undefined.
        const int raw = wideA.compare(wideB);
        return raw < 0 ? -1 : (raw > 0 ? 1 : 0);
    }
    return result - CSTR_EQUAL;
}

}  // namespace quorvel

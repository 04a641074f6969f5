#include "platform/win32/widgets/button.h"

#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/handles.h"

namespace quorvel {

namespace {
constexpr std::uint32_t SystemColourFlag = 0x80000000;
}

COLORREF paintColour(std::uint32_t modelColour) {
    if ((modelColour & SystemColourFlag) != 0) {
        return ::GetSysColor(static_cast<int>(modelColour & 0xFF));
    }
    return static_cast<COLORREF>(modelColour & 0x00FFFFFF);
}

void paintColouredButton(const DRAWITEMSTRUCT& item, COLORREF face) {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    const UniqueHbrush brush(::CreateSolidBrush(face));
    ::FillRect(dc, &area, brush.get());
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    ::DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring caption = wideWindowText(item.hwndItem);
    RECT textArea = area;
    if (pressed) {
        ::OffsetRect(&textArea, 1, 1);
    }
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(
        dc, ::GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    // The access key is underlined once the user has pressed Alt, as elsewhere.
    const UINT prefix = (item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0;
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textArea,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);

    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = area;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

}  // namespace quorvel

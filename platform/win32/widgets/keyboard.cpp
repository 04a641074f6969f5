#include "platform/win32/widgets/keyboard.h"

#include <iterator>

namespace quorvel {

namespace {

constexpr wchar_t BoxProcedureProperty[] = L"QuorvelBoxProcedure";

bool held(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

LRESULT CALLBACK multiLineBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(::GetPropW(box, BoxProcedureProperty));
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = ::CallWindowProcW(original, box, message, wParam, lParam);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key != nullptr && key->message == WM_KEYDOWN) {
                if (key->wParam == VK_TAB && !held(VK_CONTROL)) {
                    code &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
                } else if (key->wParam == VK_ESCAPE) {
                    code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
                }
            }
            return code;
        }
        case WM_KEYDOWN:
            // Reached only past IsDialogMessage (another window's modal loop) or
            // with Ctrl held; the box itself must never see these.
            if (wParam == VK_TAB) {
                if (held(VK_CONTROL)) {
                    ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
                } else if (const HWND next = ::GetNextDlgTabItem(::GetAncestor(box, GA_ROOT), box,
                                                                 held(VK_SHIFT) ? TRUE : FALSE)) {
                    ::SetFocus(next);
                }
                return 0;
            }
            if (wParam == VK_ESCAPE) {
                return 0;
            }
            break;
        case WM_CHAR:
            // The tab was typed on the key press, or the focus has left.
            if (wParam == '\t' || wParam == VK_ESCAPE) {
                return 0;
            }
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            ::RemovePropW(box, BoxProcedureProperty);
            break;
        default:
            break;
    }
    return ::CallWindowProcW(original, box, message, wParam, lParam);
}

bool isPushButton(HWND control) {
    wchar_t windowClass[16] = {};
    ::GetClassNameW(control, windowClass, static_cast<int>(std::size(windowClass)));
    if (::lstrcmpiW(windowClass, L"Button") != 0) {
        return false;
    }
    const auto type = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

}  // namespace

void letTabAndEscLeaveBox(HWND multiLineBox) {
    if (multiLineBox == nullptr || ::GetPropW(multiLineBox, BoxProcedureProperty) != nullptr) {
        return;
    }
    const LONG_PTR original = ::GetWindowLongPtrW(multiLineBox, GWLP_WNDPROC);
    ::SetPropW(multiLineBox, BoxProcedureProperty, reinterpret_cast<HANDLE>(original));
    ::SetWindowLongPtrW(multiLineBox, GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(&multiLineBoxProcedure));
}

void FocusMemory::onActivate(HWND window, WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window, focus)) {
            saved_ = focus;
        }
        return;
    }
    if (::IsIconic(window)) {
        return;
    }
    HWND target = saved_;
    if (target == nullptr || !::IsWindow(target) || !::IsChild(window, target) ||
        !::IsWindowVisible(target) || !::IsWindowEnabled(target)) {
        target = ::GetNextDlgTabItem(window, nullptr, FALSE);
    }
    if (target != nullptr) {
        ::SetFocus(target);
    }
}

bool clickFocusedButton(HWND window) {
    const HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(window, focus) || !isPushButton(focus)) {
        return false;
    }
    ::SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

std::string withAccessKey(std::string_view caption, std::string_view keyAt) {
    const std::size_t at = caption.find(keyAt);
    if (keyAt.empty() || at == std::string_view::npos ||
        caption.find('&') != std::string_view::npos) {
        return std::string(caption);
    }
    std::string marked(caption);
    marked.insert(at, 1, '&');
    return marked;
}

}  // namespace quorvel

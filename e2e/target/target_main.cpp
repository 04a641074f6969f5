// Quorvel Test Target: a Unicode window with one EDIT box whose text is mirrored
// to a report file in UTF-8, so the end-to-end scripts can see exactly what a
// program received, any character included, and the number of pastes it took to
// "<report>.pastes". Its menu bar writes into the box when it opens and when its
// one item runs, as a lone Alt tap would make it do. PasswordTargetMessage with
// wParam 1 makes the box a one-line password box, with 2 a box that is no password
// box but tells accessibility it is protected, as a browser's password field does
// (0 makes it the usual box again).
// LatePasteTargetMessage makes the box read the clipboard some milliseconds after
// a paste is asked of it, from the window's timer.
#include <windows.h>

#include <oleacc.h>

#include <cstdlib>
#include <string>

#include "../tools/tool_support.h"

namespace {

constexpr wchar_t kClassName[] = L"QuorvelTestTarget";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT_PTR kLatePasteTimerId = 2;
constexpr UINT kPollMs = 100;
constexpr int kEditId = 100;
constexpr int kMenuItemId = 200;

HWND g_edit = nullptr;
WNDPROC g_editProc = nullptr;
std::string g_reportPath;
std::string g_lastWritten;
bool g_writtenOnce = false;
// Pastes the EDIT box received, mirrored to "<report>.pastes" once there are any.
unsigned g_pastes = 0;
unsigned g_pastesWritten = 0;
UINT g_latePasteMs = 0;

// In UTF-8, as the scripts compare it; half a surrogate pair on its own, which
// a correct sender never leaves, comes out as U+FFFD.
std::string editText() {
    std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(g_edit)) + 1, L'\0');
    const int copied = GetWindowTextW(g_edit, wide.data(), static_cast<int>(wide.size()));
    return utf8Of({wide.data(), static_cast<size_t>(copied > 0 ? copied : 0)});
}

// Write a temp file and rename it over the report, so a reader never sees a
// half-written file.
bool writeFileAtomically(const std::string& path, const std::string& text) {
    const std::string tmp = path + ".tmp";
    return writeFile(tmp.c_str(), text) &&
           MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void pollText() {
    if (g_reportPath.empty())
        return;
    // The paste count first: once the text shows a pasted text, its paste is counted.
    if (g_pastes != g_pastesWritten &&
        writeFileAtomically(g_reportPath + ".pastes", std::to_string(g_pastes) + "\n")) {
        g_pastesWritten = g_pastes;
    }
    std::string text = editText();
    if (g_writtenOnce && text == g_lastWritten)
        return;
    // On failure (file busy) the next tick tries again.
    if (writeFileAtomically(g_reportPath, text)) {
        g_lastWritten = std::move(text);
        g_writtenOnce = true;
    }
}

// The box as accessibility shows it, as a browser shows its password field: a
// focused text that is protected. Each time it is asked for its state,
// "<report>.asked" is written, so that a script knows the focus was followed.
// (IID_IAccessible as mingw-w64 imports it is no IID: __uuidof gives the right one.)
class ProtectedField final : public IAccessible {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT* state) override {
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PROTECTED;
        writeFile((g_reportPath + ".asked").c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT* role) override {
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_TEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = 0;
        return S_OK;
    }

    // Nothing else is asked of it here.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long*, long*, long*, long*, VARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    LONG references_ = 1;
};

ProtectedField* g_protectedField = nullptr;  // while the box is the protected one

LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PASTE) {
        ++g_pastes;
        if (g_latePasteMs > 0) {
            SetTimer(GetParent(hwnd), kLatePasteTimerId, g_latePasteMs, nullptr);
            return 0;
        }
    }
    if (g_protectedField != nullptr && msg == WM_GETOBJECT &&
        static_cast<LONG>(lParam) == OBJID_CLIENT)
        return LresultFromObject(__uuidof(IAccessible), wParam, g_protectedField);
    const LRESULT result = CallWindowProcW(g_editProc, hwnd, msg, wParam, lParam);
    // A field of this kind tells of its focus itself.
    if (g_protectedField != nullptr && msg == WM_SETFOCUS)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, CHILDID_SELF);
    return result;
}

// The read a late paste makes, long after the key.
void pasteLate(HWND hwnd) {
    KillTimer(hwnd, kLatePasteTimerId);
    if (!openClipboard(hwnd))
        return;
    const std::wstring text = wideOf(clipboardText(CF_UNICODETEXT));
    CloseClipboard();
    SendMessageW(g_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void insertMarker(const wchar_t* marker) {
    SendMessageW(g_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(marker));
}

// The text box, empty, in place of the one before: multi-line, a one-line
// password box, or a one-line box that tells accessibility it is protected.
enum class Box { Usual, Password, Protected };

bool makeEdit(HWND parent, HINSTANCE instance, Box kind) {
    const bool password = kind == Box::Password;
    const DWORD style = kind != Box::Usual ? WS_CHILD | WS_VISIBLE | ES_LEFT | ES_AUTOHSCROLL |
                                                 (password ? ES_PASSWORD : 0)
                                           : WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_LEFT |
                                                 ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, 0, 0, parent,
                                      reinterpret_cast<HMENU>(kEditId), instance, nullptr);
    if (edit == nullptr)
        return false;
    if (g_edit != nullptr)
        DestroyWindow(g_edit);
    if (g_protectedField != nullptr)
        g_protectedField->Release();
    g_protectedField = nullptr;
    g_edit = edit;
    if (kind == Box::Protected)
        g_protectedField = new ProtectedField;
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
    // The default limit (30000 characters) is too small for long expansions.
    SendMessageW(g_edit, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(g_edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)),
                 FALSE);
    RECT client{};
    GetClientRect(parent, &client);
    MoveWindow(g_edit, 0, 0, client.right, client.bottom, TRUE);
    return true;
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITMENU:
            insertMarker(L"[menu opened]");
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kMenuItemId)
                insertMarker(L"[File > Item ran]");
            return 0;
        case WM_CREATE:
            if (!makeEdit(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, Box::Usual))
                return -1;
            SetTimer(hwnd, kTimerId, kPollMs, nullptr);
            return 0;
        case PasswordTargetMessage:
            makeEdit(hwnd, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE)),
                     wParam == 2   ? Box::Protected
                     : wParam == 1 ? Box::Password
                                   : Box::Usual);
            SetFocus(g_edit);
            pollText();
            return 0;
        case WM_SIZE:
            MoveWindow(g_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            SetFocus(g_edit);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE)
                SetFocus(g_edit);
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId)
                pollText();
            if (wParam == kLatePasteTimerId)
                pasteLate(hwnd);
            return 0;
        case LatePasteTargetMessage:
            g_latePasteMs = static_cast<UINT>(wParam);
            return 0;
        case ClearTargetMessage:
            SetWindowTextW(g_edit, L"");
            pollText();
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd, kTimerId);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd) {
    // The report path, and where the window's left edge goes (50 unless given).
    g_reportPath = __argc > 1 ? __argv[1] : "";
    const int left = __argc > 2 ? std::atoi(__argv[2]) : 50;
    // Accessibility hands the protected box's description to other programs through COM.
    OleInitialize(nullptr);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (RegisterClassExW(&wc) == 0)
        return 1;

    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kMenuItemId, L"&Item");
    HMENU menuBar = CreateMenu();
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    HWND hwnd = CreateWindowExW(0, kClassName, TestTargetTitle, WS_OVERLAPPEDWINDOW, left, 50, 640,
                                480, nullptr, menuBar, instance, nullptr);
    if (hwnd == nullptr)
        return 1;
    ShowWindow(hwnd, showCmd == SW_HIDE ? SW_SHOWNORMAL : showCmd);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    SetFocus(g_edit);
    // The empty report tells the scripts the window is up.
    pollText();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

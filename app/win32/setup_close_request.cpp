#include "app/win32/setup_close_request.h"

#include <sddl.h>

#include <string>
#include <vector>

namespace quorvel {

namespace {

// packaging/quorvel.nsi builds the same name.
constexpr const wchar_t* EventNamePrefix = L"Local\\Quorvel-close-for-setup-";

// The user's SID as text ("S-1-5-21-..."); empty when the token will not say.
std::wstring userSid() {
    UniqueKernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) {
        return {};
    }
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    UniqueHlocal text;
    wchar_t* sid = nullptr;
    if (!::ConvertSidToStringSidW(user->User.Sid, &sid)) {
        return {};
    }
    text.reset(sid);
    return sid;
}

}  // namespace

SetupCloseRequest::SetupCloseRequest(HWND window, UINT message)
    : window_(window), message_(message) {
    const std::wstring sid = userSid();
    // Without a SID no name could tell users apart: setup then finds no copy
    // to close, and waits for the program's file to be free as it did before.
    if (!sid.empty()) {
        event_.reset(::CreateEventW(nullptr, FALSE, FALSE, (EventNamePrefix + sid).c_str()));
    }
}

SetupCloseRequest::~SetupCloseRequest() {
    stopWaiting();
}

void SetupCloseRequest::listen() {
    stopWaiting();
    if (event_ && !::RegisterWaitForSingleObject(&wait_, event_.get(), &onSignal, this, INFINITE,
                                                 WT_EXECUTEONLYONCE)) {
        wait_ = nullptr;
    }
}

void CALLBACK SetupCloseRequest::onSignal(void* self, BOOLEAN) {
    const auto* request = static_cast<SetupCloseRequest*>(self);
    ::PostMessageW(request->window_, request->message_, 0, 0);
}

void SetupCloseRequest::stopWaiting() {
    if (wait_ != nullptr) {
        // Returns once a callback under way has finished.
        ::UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
        wait_ = nullptr;
    }
}

}  // namespace quorvel

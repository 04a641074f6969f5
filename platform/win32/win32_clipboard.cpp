#include "platform/win32/win32_clipboard.h"

#include <cstring>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

// Another program (a clipboard viewer, a remote-desktop client) may have the
// clipboard open for a moment when we want it.
constexpr int OpenAttempts = 5;
constexpr DWORD OpenPauseMs = 10;

// Formats whose data is a GDI object, an owner-drawn placeholder or memory
// that only its owning program understands: their bytes cannot be copied and
// put back. A picture still survives through CF_DIB.
bool copyableFormat(UINT format) {
    switch (format) {
        case CF_BITMAP:
        case CF_METAFILEPICT:
        case CF_PALETTE:
        case CF_ENHMETAFILE:
        case CF_OWNERDISPLAY:
        case CF_DSPBITMAP:
        case CF_DSPMETAFILEPICT:
        case CF_DSPENHMETAFILE:
            return false;
        default:
            break;
    }
    if (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) {
        return false;
    }
    if (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST) {
        return false;
    }
    return true;
}

// Moveable global memory holding `size` bytes copied from `bytes`.
UniqueHglobal globalCopy(const void* bytes, std::size_t size) {
    // A zero-byte moveable block is born discarded; keep at least one byte.
    UniqueHglobal memory(::GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size));
    if (!memory) {
        return memory;
    }
    GlobalMemoryLock lock(memory.get());
    if (!lock) {
        return UniqueHglobal();
    }
    if (size != 0) {
        std::memcpy(lock.data(), bytes, size);
    } else {
        static_cast<unsigned char*>(lock.data())[0] = 0;
    }
    return memory;
}

// Hands the memory to the clipboard, which owns it from then on.
bool putOnClipboard(UINT format, UniqueHglobal memory) {
    if (!memory) {
        return false;
    }
    if (::SetClipboardData(format, memory.get()) == nullptr) {
        return false;  // still ours: freed on the way out
    }
    memory.release();
    return true;
}

}  // namespace

std::optional<std::string> Win32Clipboard::getText() {
    ClipboardOpen open(owner_, OpenAttempts, OpenPauseMs);
    if (!open) {
        return std::nullopt;
    }
    // The system offers Unicode text for whatever text another program put
    // there, in any of the text formats.
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return std::string();  // no text on it
    }
    GlobalMemoryLock lock(data);
    if (!lock) {
        return std::nullopt;
    }
    // The text ends at its NUL, which a careless writer may have left out.
    return utf8Text(static_cast<const wchar_t*>(lock.data()), lock.size() / sizeof(wchar_t));
}

bool Win32Clipboard::clear() {
    ClipboardOpen open(owner_, OpenAttempts, OpenPauseMs);
    return open && ::EmptyClipboard();
}

bool Win32Clipboard::setText(std::string_view text) {
    // The terminating NUL is part of CF_UNICODETEXT data. Programs that ask
    // for ANSI text get it converted by the system.
    const std::wstring wide = wideText(text);
    UniqueHglobal memory = globalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    ClipboardOpen open(owner_, OpenAttempts, OpenPauseMs);
    if (!open) {
        return false;
    }
    return putOnClipboard(CF_UNICODETEXT, std::move(memory));
}

std::optional<ClipboardSnapshot> Win32Clipboard::snapshot() {
    ClipboardOpen open(owner_, OpenAttempts, OpenPauseMs);
    if (!open) {
        return std::nullopt;
    }
    ClipboardSnapshot saved;
    UINT format = 0;
    for (;;) {
        ::SetLastError(ERROR_SUCCESS);
        format = ::EnumClipboardFormats(format);
        if (format == 0) {
            break;
        }
        if (!copyableFormat(format)) {
            continue;
        }
        // Formats the system would synthesise, or whose owner fails to render
        // them, may give no data or no global memory; those are left out.
        HANDLE data = ::GetClipboardData(format);
        if (data == nullptr) {
            continue;
        }
        GlobalMemoryLock lock(data);
        if (!lock) {
            continue;
        }
        const auto* bytes = static_cast<const std::uint8_t*>(lock.data());
        saved.formats.push_back({format, std::vector<std::uint8_t>(bytes, bytes + lock.size())});
    }
    // Zero ends the list normally; with an error code the list was cut short.
    if (::GetLastError() != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return saved;
}

bool Win32Clipboard::restore(const ClipboardSnapshot& snapshot) {
    ClipboardOpen open(owner_, OpenAttempts, OpenPauseMs);
    if (!open || !::EmptyClipboard()) {
        return false;
    }
    bool allPut = true;
    for (const auto& format : snapshot.formats) {
        // Keep going past one refused format: the others are still worth having back.
        if (!putOnClipboard(format.id, globalCopy(format.bytes.data(), format.bytes.size()))) {
            allPut = false;
        }
    }
    return allPut;
}

}  // namespace quorvel

#pragma once
// Owning wrappers for Windows handles: each handle kind closes with its own function.

#include <windows.h>

#include <cstddef>

namespace quorvel {

// Owns one handle of type T. The deleter closes it and names the value that
// means "no handle" (null for most kinds, INVALID_HANDLE_VALUE for files).
template <typename T, typename Deleter>
class UniqueHandle {
  public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T value) noexcept : value_(value) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    T get() const noexcept { return value_; }

    // Gives up ownership without closing.
    T release() noexcept {
        T value = value_;
        value_ = Deleter::invalid();
        return value;
    }

    void reset(T value = Deleter::invalid()) noexcept {
        T old = value_;
        value_ = value;
        if (old != Deleter::invalid()) {
            Deleter{}(old);
        }
    }

    // For functions that hand back a new handle through a pointer.
    T* put() noexcept {
        reset();
        return &value_;
    }

    explicit operator bool() const noexcept { return value_ != Deleter::invalid(); }

  private:
    T value_ = Deleter::invalid();
};

// For handle kinds whose "no handle" is null, closed by `Close`.
template <typename T, auto Close>
struct NullIsNoHandle {
    static T invalid() noexcept { return nullptr; }
    void operator()(T value) const noexcept { Close(value); }
};

// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
struct CloseFileDeleter {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};

// FindFirstFile's search handle, closed by FindClose.
struct FindCloseDeleter {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const noexcept { ::FindClose(handle); }
};

using UniqueHkey = UniqueHandle<HKEY, NullIsNoHandle<HKEY, &::RegCloseKey>>;
// Kernel objects that report failure as null (mutexes, processes, threads).
using UniqueKernelHandle = UniqueHandle<HANDLE, NullIsNoHandle<HANDLE, &::CloseHandle>>;
using UniqueFileHandle = UniqueHandle<HANDLE, CloseFileDeleter>;
using UniqueHglobal = UniqueHandle<HGLOBAL, NullIsNoHandle<HGLOBAL, &::GlobalFree>>;
using UniqueHlocal = UniqueHandle<HLOCAL, NullIsNoHandle<HLOCAL, &::LocalFree>>;
using UniqueHicon = UniqueHandle<HICON, NullIsNoHandle<HICON, &::DestroyIcon>>;
using UniqueHbitmap = UniqueHandle<HBITMAP, NullIsNoHandle<HBITMAP, &::DeleteObject>>;
using UniqueHmenu = UniqueHandle<HMENU, NullIsNoHandle<HMENU, &::DestroyMenu>>;
using UniqueHpalette = UniqueHandle<HPALETTE, NullIsNoHandle<HPALETTE, &::DeleteObject>>;
using UniqueHmetafile = UniqueHandle<HMETAFILE, NullIsNoHandle<HMETAFILE, &::DeleteMetaFile>>;
using UniqueHenhmetafile =
    UniqueHandle<HENHMETAFILE, NullIsNoHandle<HENHMETAFILE, &::DeleteEnhMetaFile>>;

// The clipboard opened by this thread; closed again when this goes away.
class ClipboardOpen {
  public:
    // Another program may hold the clipboard for a moment, so opening is tried
    // `attempts` times, `pauseMs` apart.
    explicit ClipboardOpen(HWND owner, int attempts = 1, DWORD pauseMs = 0) noexcept {
        for (int attempt = 0; attempt < attempts; ++attempt) {
            if (attempt > 0) {
                ::Sleep(pauseMs);
            }
            if (::OpenClipboard(owner)) {
                open_ = true;
                return;
            }
        }
    }
    ~ClipboardOpen() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;

    explicit operator bool() const noexcept { return open_; }

  private:
    bool open_ = false;
};

// The bytes of a movable global memory block, locked while this lives. Handles
// that are not global memory (GDI objects) give no bytes.
class GlobalMemoryLock {
  public:
    explicit GlobalMemoryLock(HGLOBAL memory) noexcept : memory_(memory) {
        if (memory_ != nullptr) {
            size_ = ::GlobalSize(memory_);
            data_ = size_ != 0 ? ::GlobalLock(memory_) : nullptr;
        }
    }
    ~GlobalMemoryLock() {
        if (data_ != nullptr) {
            ::GlobalUnlock(memory_);
        }
    }
    GlobalMemoryLock(const GlobalMemoryLock&) = delete;
    GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;

    void* data() const noexcept { return data_; }
    std::size_t size() const noexcept { return data_ != nullptr ? size_ : 0; }
    explicit operator bool() const noexcept { return data_ != nullptr; }

  private:
    HGLOBAL memory_ = nullptr;
    void* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace quorvel

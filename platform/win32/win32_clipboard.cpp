#include "platform/win32/win32_clipboard.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

// Another program (a clipboard viewer, a remote-desktop client) may have the
// clipboard open for a moment when we want it.
constexpr int OpenAttempts = 5;
constexpr DWORD OpenPauseMs = 10;

// How a format's data is held, and so how it is copied and put back. Pictures
// and palettes are system objects, not memory: their contents are copied, and
// put back as new objects.
enum class FormatKind { Memory, Bitmap, Palette, EnhancedMetafile, MetafilePicture, Uncopyable };

FormatKind kindOf(UINT format) {
    switch (format) {
        case CF_BITMAP:
        case CF_DSPBITMAP:
            return FormatKind::Bitmap;
        case CF_PALETTE:
            return FormatKind::Palette;
        case CF_ENHMETAFILE:
        case CF_DSPENHMETAFILE:
            return FormatKind::EnhancedMetafile;
        case CF_METAFILEPICT:
        case CF_DSPMETAFILEPICT:
            return FormatKind::MetafilePicture;
        case CF_OWNERDISPLAY:
            return FormatKind::Uncopyable;  // drawn by its owner, on request
        default:
            break;
    }
    // Private formats are memory only their owning program understands (and frees);
    // the GDI object range is objects of kinds no one can know.
    if ((format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) ||
        (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST)) {
        return FormatKind::Uncopyable;
    }
    return FormatKind::Memory;
}

// The registered formats that ask clipboard monitors, the clipboard history and
// the cloud clipboard to leave the contents alone.
struct MonitorMarks {
    UINT excludeFromMonitors =
        ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    UINT includeInHistory = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    UINT uploadToCloud = ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard");

    bool isMark(UINT format) const {
        return format != 0 && (format == excludeFromMonitors || format == includeInHistory ||
                               format == uploadToCloud);
    }
};

const MonitorMarks& monitorMarks() {
    static const MonitorMarks marks;
    return marks;
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

// Hands the data to the clipboard, which owns it from then on.
template <typename Handle>
bool putOnClipboard(UINT format, Handle data) {
    if (!data) {
        return false;
    }
    if (::SetClipboardData(format, data.get()) == nullptr) {
        return false;  // still ours: freed on the way out
    }
    data.release();
    return true;
}

// Puts the marks on the open clipboard: each a DWORD 0, which says "no" to the
// history and the cloud; the exclusion needs only to be there.
bool putMonitorMarks() {
    const MonitorMarks& marks = monitorMarks();
    const DWORD no = 0;
    bool allPut = true;
    for (const UINT mark :
         {marks.excludeFromMonitors, marks.includeInHistory, marks.uploadToCloud}) {
        allPut = mark != 0 && putOnClipboard(mark, globalCopy(&no, sizeof no)) && allPut;
    }
    return allPut;
}

// The screen's device context, which bitmaps for the clipboard are made for.
class ScreenDc {
  public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr) {
            ::ReleaseDC(nullptr, dc_);
        }
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

using Bytes = std::vector<std::uint8_t>;

template <typename T>
void append(Bytes& bytes, const T& value) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(&value);
    bytes.insert(bytes.end(), first, first + sizeof value);
}

// A bitmap as a header of 32-bit pixels followed by its pixels.
std::optional<Bytes> copyBitmap(HBITMAP bitmap, std::size_t budget, bool& tooLarge) {
    BITMAP shape{};
    if (::GetObjectW(bitmap, sizeof shape, &shape) == 0 || shape.bmWidth <= 0 ||
        shape.bmHeight <= 0) {
        return std::nullopt;
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = shape.bmWidth;
    header.biHeight = shape.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const std::size_t pixels =
        static_cast<std::size_t>(shape.bmWidth) * static_cast<std::size_t>(shape.bmHeight);
    if (pixels > budget / 4) {
        tooLarge = true;
        return std::nullopt;
    }
    Bytes bytes;
    append(bytes, header);
    bytes.resize(sizeof header + pixels * 4);
    ScreenDc screen;
    BITMAPINFOHEADER format = header;  // GetDIBits may write into it
    if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(shape.bmHeight),
                    bytes.data() + sizeof header, reinterpret_cast<BITMAPINFO*>(&format),
                    DIB_RGB_COLORS) != shape.bmHeight) {
        return std::nullopt;
    }
    return bytes;
}

UniqueHbitmap makeBitmap(const Bytes& bytes) {
    BITMAPINFOHEADER header{};
    if (bytes.size() < sizeof header) {
        return UniqueHbitmap();
    }
    std::memcpy(&header, bytes.data(), sizeof header);
    if (header.biWidth <= 0 || header.biHeight <= 0 ||
        bytes.size() - sizeof header != static_cast<std::size_t>(header.biWidth) *
                                            static_cast<std::size_t>(header.biHeight) * 4) {
        return UniqueHbitmap();
    }
    ScreenDc screen;
    return UniqueHbitmap(
        ::CreateDIBitmap(screen.get(), &header, CBM_INIT, bytes.data() + sizeof header,
                         reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS));
}

// A palette as its entries.
std::optional<Bytes> copyPalette(HPALETTE palette) {
    const UINT count = ::GetPaletteEntries(palette, 0, 0, nullptr);
    if (count == 0) {
        return std::nullopt;
    }
    std::vector<PALETTEENTRY> entries(count);
    if (::GetPaletteEntries(palette, 0, count, entries.data()) != count) {
        return std::nullopt;
    }
    const auto* first = reinterpret_cast<const std::uint8_t*>(entries.data());
    return Bytes(first, first + count * sizeof(PALETTEENTRY));
}

UniqueHpalette makePalette(const Bytes& bytes) {
    const std::size_t count = bytes.size() / sizeof(PALETTEENTRY);
    if (count == 0 || count > 0xFFFF || bytes.size() % sizeof(PALETTEENTRY) != 0) {
        return UniqueHpalette();
    }
    // LOGPALETTE ends in a one-entry array that runs on for the other entries.
    Bytes logical(offsetof(LOGPALETTE, palPalEntry) + bytes.size());
    auto* palette = reinterpret_cast<LOGPALETTE*>(logical.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    std::memcpy(logical.data() + offsetof(LOGPALETTE, palPalEntry), bytes.data(), bytes.size());
    return UniqueHpalette(::CreatePalette(palette));
}

std::optional<Bytes> copyEnhancedMetafile(HENHMETAFILE metafile) {
    const UINT size = ::GetEnhMetaFileBits(metafile, 0, nullptr);
    if (size == 0) {
        return std::nullopt;
    }
    Bytes bytes(size);
    if (::GetEnhMetaFileBits(metafile, size, bytes.data()) != size) {
        return std::nullopt;
    }
    return bytes;
}

UniqueHenhmetafile makeEnhancedMetafile(const Bytes& bytes) {
    return UniqueHenhmetafile(::SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()));
}

// A metafile picture (memory holding a mapping mode, a size and a metafile
// handle) as the mode and size followed by the metafile's bits.
struct PictureFrame {
    LONG mappingMode = 0;
    LONG width = 0;
    LONG height = 0;
};

std::optional<Bytes> copyMetafilePicture(HANDLE data) {
    GlobalMemoryLock lock(data);
    if (!lock || lock.size() < sizeof(METAFILEPICT)) {
        return std::nullopt;
    }
    METAFILEPICT picture{};
    std::memcpy(&picture, lock.data(), sizeof picture);
    const UINT size = ::GetMetaFileBitsEx(picture.hMF, 0, nullptr);
    if (size == 0) {
        return std::nullopt;
    }
    Bytes bytes;
    append(bytes, PictureFrame{picture.mm, picture.xExt, picture.yExt});
    bytes.resize(sizeof(PictureFrame) + size);
    if (::GetMetaFileBitsEx(picture.hMF, size, bytes.data() + sizeof(PictureFrame)) != size) {
        return std::nullopt;
    }
    return bytes;
}

bool putMetafilePicture(UINT format, const Bytes& bytes) {
    PictureFrame frame;
    if (bytes.size() <= sizeof frame) {
        return false;
    }
    std::memcpy(&frame, bytes.data(), sizeof frame);
    UniqueHmetafile metafile(::SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - sizeof frame),
                                                 bytes.data() + sizeof frame));
    if (!metafile) {
        return false;
    }
    const METAFILEPICT picture{frame.mappingMode, frame.width, frame.height, metafile.get()};
    // The clipboard takes the metafile with the memory that names it.
    if (!putOnClipboard(format, globalCopy(&picture, sizeof picture))) {
        return false;
    }
    metafile.release();
    return true;
}

// The data of one format, by its kind's rules; nothing when it cannot be copied,
// or with `tooLarge` set when it would take more than `budget` bytes.
std::optional<Bytes> copyFormat(UINT format, HANDLE data, std::size_t budget, bool& tooLarge) {
    switch (kindOf(format)) {
        case FormatKind::Memory: {
            GlobalMemoryLock lock(data);
            if (!lock) {
                return std::nullopt;
            }
            if (lock.size() > budget) {
                tooLarge = true;
                return std::nullopt;
            }
            const auto* bytes = static_cast<const std::uint8_t*>(lock.data());
            return Bytes(bytes, bytes + lock.size());
        }
        case FormatKind::Bitmap:
            return copyBitmap(static_cast<HBITMAP>(data), budget, tooLarge);
        case FormatKind::Palette:
            return copyPalette(static_cast<HPALETTE>(data));
        case FormatKind::EnhancedMetafile:
            return copyEnhancedMetafile(static_cast<HENHMETAFILE>(data));
        case FormatKind::MetafilePicture:
            return copyMetafilePicture(data);
        case FormatKind::Uncopyable:
            break;
    }
    return std::nullopt;
}

// Formats the system makes from one another: of each family only the first on
// the list is the owner's (the ones the system makes come after it), and
// putting that one back is enough for the system to make the others again.
int familyOf(UINT format) {
    switch (format) {
        case CF_UNICODETEXT:
        case CF_TEXT:
        case CF_OEMTEXT:
            return 1;
        case CF_DIB:
        case CF_DIBV5:
        case CF_BITMAP:
            return 2;
        case CF_ENHMETAFILE:
        case CF_METAFILEPICT:
            return 3;
        default:
            return 0;
    }
}

bool putFormat(UINT format, const Bytes& bytes) {
    switch (kindOf(format)) {
        case FormatKind::Memory:
            return putOnClipboard(format, globalCopy(bytes.data(), bytes.size()));
        case FormatKind::Bitmap:
            return putOnClipboard(format, makeBitmap(bytes));
        case FormatKind::Palette:
            return putOnClipboard(format, makePalette(bytes));
        case FormatKind::EnhancedMetafile:
            return putOnClipboard(format, makeEnhancedMetafile(bytes));
        case FormatKind::MetafilePicture:
            return putMetafilePicture(format, bytes);
        case FormatKind::Uncopyable:
            break;
    }
    return false;
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
    offering_ = false;
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
    offering_ = false;
    return putOnClipboard(CF_UNICODETEXT, std::move(memory));
}

constexpr wchar_t WindowClass[] = L"QuorvelClipboardOwner";

Win32Clipboard::Win32Clipboard(HWND owner) : owner_(owner) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Clipboard::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WindowClass;
    ::RegisterClassExW(&windowClass);  // fails harmlessly when already there
    window_.reset(::CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    instance, nullptr));
    if (window_) {
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

Win32Clipboard::~Win32Clipboard() = default;

LRESULT CALLBACK Win32Clipboard::windowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Clipboard*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_RENDERFORMAT:
            // A program reads the paste's text, with the clipboard open.
            if (wParam == CF_UNICODETEXT && self->offering_ && self->armed_) {
                self->read_ = self->read_ || self->readByTarget();
                self->renderText();
            }
            return 0;
        case WM_RENDERALLFORMATS: {
            // This window goes while the text is unread: it is left on the clipboard.
            ClipboardOpen open(window, OpenAttempts, OpenPauseMs);
            if (open && ::GetClipboardOwner() == window && self->offering_) {
                self->renderText();
            }
            return 0;
        }
        case WM_DESTROYCLIPBOARD:
            // Emptied, by us or by another program: the text is no longer there.
            self->offering_ = false;
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32Clipboard::renderText() {
    putOnClipboard(CF_UNICODETEXT,
                   globalCopy(offered_.c_str(), (offered_.size() + 1) * sizeof(wchar_t)));
}

bool Win32Clipboard::readByTarget() const {
    // The reader is named by the window it opened the clipboard with; one opened
    // without a window is no one we can name.
    const HWND reader = ::GetOpenClipboardWindow();
    if (reader == nullptr || target_ == nullptr) {
        return false;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(reader, &process);
    // A program whose window is framed by another process's (a Store app) is
    // that frame's content.
    return (process != 0 && process == targetProcess_) || ::IsChild(target_, reader);
}

bool Win32Clipboard::offerPaste(std::string_view text) {
    if (!window_) {
        return false;
    }
    // Monitors hear of the change once, at the close, with the marks already there.
    ClipboardOpen open(window_.get(), OpenAttempts, OpenPauseMs);
    if (!open || !::EmptyClipboard()) {
        return false;
    }
    offered_ = wideText(text);
    armed_ = false;
    read_ = false;
    // Without data: the system asks this window for it when a program reads it.
    ::SetClipboardData(CF_UNICODETEXT, nullptr);
    offering_ = ::IsClipboardFormatAvailable(CF_UNICODETEXT) && putMonitorMarks();
    return offering_;
}

void Win32Clipboard::armPaste() {
    target_ = ::GetForegroundWindow();
    targetProcess_ = 0;
    if (target_ != nullptr) {
        ::GetWindowThreadProcessId(target_, &targetProcess_);
    }
    armed_ = true;
}

bool Win32Clipboard::holdsPaste() {
    return offering_ && window_ && ::GetClipboardOwner() == window_.get();
}

SnapshotResult Win32Clipboard::snapshot(const SnapshotLimits& limits) {
    const ULONGLONG start = ::GetTickCount64();
    ClipboardOpen open(owner_, OpenAttempts, OpenPauseMs);
    if (!open) {
        return {};
    }
    SnapshotResult result{SnapshotResult::Outcome::Taken, {}};
    auto& saved = result.contents.formats;
    const SnapshotResult tooLarge{SnapshotResult::Outcome::TooLarge, {}};
    std::size_t bytes = 0;
    bool familySeen[4] = {};
    UINT format = 0;
    for (;;) {
        ::SetLastError(ERROR_SUCCESS);
        format = ::EnumClipboardFormats(format);
        if (format == 0) {
            break;
        }
        const int family = familyOf(format);
        if (kindOf(format) == FormatKind::Uncopyable || familySeen[family]) {
            continue;
        }
        familySeen[family] = family != 0;
        // Reading a format its owner has not drawn yet makes it draw it now: a
        // spreadsheet's pictures of a large range take long.
        if (::GetTickCount64() - start > limits.maxMilliseconds) {
            return tooLarge;
        }
        // Formats whose owner fails to render them give no data; those are left out.
        HANDLE data = ::GetClipboardData(format);
        if (data == nullptr) {
            continue;
        }
        bool over = false;
        auto copied = copyFormat(format, data, limits.maxBytes - bytes, over);
        if (over || (copied && copied->size() > limits.maxBytes - bytes)) {
            return tooLarge;
        }
        if (copied) {
            bytes += copied->size();
            saved.push_back({format, std::move(*copied)});
        }
    }
    // Zero ends the list normally; with an error code the list was cut short.
    if (::GetLastError() != ERROR_SUCCESS) {
        return {};
    }
    if (::GetTickCount64() - start > limits.maxMilliseconds) {
        return tooLarge;
    }
    return result;
}

Clipboard::RestoreOutcome Win32Clipboard::restore(const ClipboardSnapshot& snapshot) {
    ClipboardOpen open(window_.get(), OpenAttempts, OpenPauseMs);
    if (!open) {
        return RestoreOutcome::Busy;
    }
    // Whoever emptied the clipboard since the paste became its owner: what they
    // put there stays.
    if (!holdsPaste()) {
        return RestoreOutcome::NotOurs;
    }
    if (!::EmptyClipboard()) {
        return RestoreOutcome::Busy;
    }
    for (const auto& format : snapshot.formats) {
        // The user's own marks, if they had any, give way to ours. A refused format
        // does not stop the others, which are still worth having back.
        if (!monitorMarks().isMark(format.id)) {
            putFormat(format.id, format.bytes);
        }
    }
    // An empty clipboard put back has nothing for a monitor to keep.
    if (!snapshot.formats.empty()) {
        putMonitorMarks();
    }
    return RestoreOutcome::Restored;
}

bool Win32Clipboard::available() {
    // Opened and closed again without a change: no monitor hears of it.
    ClipboardOpen open(owner_, OpenAttempts, OpenPauseMs);
    return static_cast<bool>(open);
}

}  // namespace quorvel

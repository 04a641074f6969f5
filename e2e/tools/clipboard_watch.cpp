// Another program on the clipboard, as the end-to-end scripts need one:
//
//   clipboard_watch monitor FILE   for every change it is told of (WM_CLIPBOARDUPDATE),
//       appends a line to FILE: for marked contents, which it leaves alone as the marks ask,
//       "update marked" and the marks present; for others, which it opens, "update" and the
//       formats as `formats` prints them. FILE exists, empty, once it listens; runs until killed.
//   clipboard_watch greedy FILE   as monitor, but it reads the text at every change,
//       marked or not, and appends "read at=MS text=..." (MS from GetTickCount64; the
//       text empty when it was not given)
//   clipboard_watch late-paste MS   makes the test target read the clipboard MS
//       milliseconds after each Ctrl+V (0: at once)
//   clipboard_watch formats   prints the clipboard's formats in order: the text as text="..."
//       (CR and LF as \r and \n), registered formats by name (a DWORD value as NAME=value),
//       others by number
//   clipboard_watch hold MS FILE   opens the clipboard with a window of its own, writes FILE,
//       keeps the clipboard open MS milliseconds, closes it and removes FILE
//   clipboard_watch put-pictures   empties the clipboard and puts a bitmap, an enhanced
//       metafile and a palette on it, as system objects
//   clipboard_watch pictures   prints those three in hexadecimal (the bitmap's size and
//       pixels, the metafile's bytes, the palette's entries), or "none" for each one missing
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tool_support.h"

namespace {

HWND messageWindow() {
    return ::CreateWindowExW(0, L"STATIC", L"clipboard_watch", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// With a window of this program's own: putting data on the clipboard needs an owner.
void openOwnClipboard() {
    if (!openClipboard(messageWindow())) {
        fail("cannot open the clipboard");
    }
}

std::string hex(const void* bytes, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", static_cast<const unsigned char*>(bytes)[i]);
        text += digits;
    }
    return text;
}

// The clipboard must be open.
std::string describeFormat(UINT format) {
    if (format == CF_UNICODETEXT) {
        return "text=\"" + escaped(clipboardText(format)) + "\"";
    }
    wchar_t name[256] = {};
    const int length = ::GetClipboardFormatNameW(format, name, 256);
    if (length <= 0) {
        return std::to_string(format);
    }
    std::string described = utf8Of({name, static_cast<std::size_t>(length)});
    HANDLE data = ::GetClipboardData(format);
    if (data != nullptr && ::GlobalSize(data) == sizeof(DWORD)) {
        if (const auto* value = static_cast<const DWORD*>(::GlobalLock(data))) {
            described += "=" + std::to_string(*value);
            ::GlobalUnlock(data);
        }
    }
    return described;
}

// The formats the clipboard holds, each as describeFormat has it.
std::string describeClipboard(HWND owner) {
    if (!openClipboard(owner)) {
        return " (could not open the clipboard)";
    }
    std::string formats;
    for (UINT format = ::EnumClipboardFormats(0); format != 0;
         format = ::EnumClipboardFormats(format)) {
        formats += " " + describeFormat(format);
    }
    ::CloseClipboard();
    return formats;
}

constexpr const wchar_t* Marks[] = {L"ExcludeClipboardContentFromMonitorProcessing",
                                    L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"};

std::string g_monitorFile;
bool g_greedy = false;

LRESULT CALLBACK monitorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLIPBOARDUPDATE) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    std::string line = "update";
    if (g_greedy) {
        line = "read at=" + std::to_string(::GetTickCount64());
        if (openClipboard(window)) {
            line += " text=\"" + escaped(clipboardText(CF_UNICODETEXT)) + "\"";
            ::CloseClipboard();
        }
    } else if (::IsClipboardFormatAvailable(::RegisterClipboardFormatW(Marks[0]))) {
        line += " marked";
        for (const wchar_t* mark : Marks) {
            if (::IsClipboardFormatAvailable(::RegisterClipboardFormatW(mark))) {
                line += " " + utf8Of(mark);
            }
        }
    } else {
        line += describeClipboard(window);
    }
    line += "\n";
    if (std::FILE* file = std::fopen(g_monitorFile.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
    }
    return 0;
}

int monitor(const char* path, bool greedy) {
    g_monitorFile = path;
    g_greedy = greedy;
    HWND window = messageWindow();
    if (window == nullptr ||
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&monitorProc)) == 0 ||
        !::AddClipboardFormatListener(window)) {
        fail("cannot listen to the clipboard");
    }
    writeFile(path);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}

int hold(int milliseconds, const char* path) {
    openOwnClipboard();
    writeFile(path);
    ::Sleep(static_cast<DWORD>(milliseconds));
    ::CloseClipboard();
    return ::DeleteFileA(path) ? 0 : 1;
}

constexpr int PictureWidth = 3;
constexpr int PictureHeight = 2;

BITMAPINFOHEADER pixelFormat(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

int putPictures() {
    HDC screen = ::GetDC(nullptr);
    const DWORD pixels[PictureWidth * PictureHeight] = {0x00ff0000, 0x0000ff00, 0x000000ff,
                                                        0x00123456, 0x00abcdef, 0x00808080};
    const BITMAPINFOHEADER header = pixelFormat(PictureWidth, PictureHeight);
    HBITMAP bitmap = ::CreateDIBitmap(screen, &header, CBM_INIT, pixels,
                                      reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);

    HDC recorder = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ::Rectangle(recorder, 1, 2, 30, 40);
    ::Ellipse(recorder, 5, 5, 25, 20);
    HENHMETAFILE metafile = ::CloseEnhMetaFile(recorder);

    struct {
        WORD version = 0x300;
        WORD count = 3;
        PALETTEENTRY entries[3] = {{10, 20, 30, 0}, {200, 100, 50, 0}, {1, 2, 3, 0}};
    } logical;
    HPALETTE palette = ::CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));

    if (bitmap == nullptr || metafile == nullptr || palette == nullptr) {
        fail("cannot make the pictures");
    }
    openOwnClipboard();
    if (!::EmptyClipboard()) {
        fail("cannot empty the clipboard");
    }
    const bool put = ::SetClipboardData(CF_BITMAP, bitmap) != nullptr &&
                     ::SetClipboardData(CF_ENHMETAFILE, metafile) != nullptr &&
                     ::SetClipboardData(CF_PALETTE, palette) != nullptr;
    ::CloseClipboard();
    return put ? 0 : 1;
}

int printPictures() {
    openOwnClipboard();
    std::string bitmapText = "none";
    if (auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        BITMAP shape{};
        ::GetObjectW(bitmap, sizeof shape, &shape);
        std::vector<DWORD> pixels(static_cast<std::size_t>(shape.bmWidth) *
                                  static_cast<std::size_t>(shape.bmHeight));
        BITMAPINFOHEADER header = pixelFormat(shape.bmWidth, shape.bmHeight);
        HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.data(),
                    reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        bitmapText = std::to_string(shape.bmWidth) + "x" + std::to_string(shape.bmHeight) + " " +
                     hex(pixels.data(), pixels.size() * sizeof(DWORD));
    }
    std::string metafileText = "none";
    if (auto metafile = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE))) {
        std::vector<unsigned char> bits(::GetEnhMetaFileBits(metafile, 0, nullptr));
        ::GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
        metafileText = hex(bits.data(), bits.size());
    }
    std::string paletteText = "none";
    if (auto palette = static_cast<HPALETTE>(::GetClipboardData(CF_PALETTE))) {
        std::vector<PALETTEENTRY> entries(::GetPaletteEntries(palette, 0, 0, nullptr));
        ::GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
        paletteText = hex(entries.data(), entries.size() * sizeof(PALETTEENTRY));
    }
    ::CloseClipboard();
    std::printf("bitmap %s\nenhanced-metafile %s\npalette %s\n", bitmapText.c_str(),
                metafileText.c_str(), paletteText.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if ((command == "monitor" || command == "greedy") && argc == 3) {
        return monitor(argv[2], command == "greedy");
    }
    if (command == "late-paste" && argc == 3) {
        const HWND target = ::FindWindowW(nullptr, TestTargetTitle);
        return target != nullptr && ::SendMessageW(target, LatePasteTargetMessage,
                                                   static_cast<WPARAM>(std::atoi(argv[2])), 0) == 0
                   ? 0
                   : 1;
    }
    if (command == "formats" && argc == 2) {
        const std::string formats = describeClipboard(messageWindow());
        std::printf("%s\n", formats.c_str() + (formats.empty() ? 0 : 1));
        return 0;
    }
    if (command == "hold" && argc == 4) {
        return hold(std::atoi(argv[2]), argv[3]);
    }
    if (command == "put-pictures" && argc == 2) {
        return putPictures();
    }
    if (command == "pictures" && argc == 2) {
        return printPictures();
    }
    fail(
        "usage: clipboard_watch monitor FILE | greedy FILE | late-paste MS | formats | hold MS "
        "FILE | put-pictures | pictures");
}

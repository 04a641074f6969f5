#pragma once
// Builds the program on Windows: the platform services, the main window's model
// on them, and the guard of the keyboard hook.

#include <windows.h>

#include <memory>

#include "app/app_services.h"
#include "app/main_window.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_focus_inspector.h"
#include "platform/win32/win32_folder_watch.h"
#include "platform/win32/win32_global_hot_key.h"
#include "platform/win32/win32_hook_guard.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/win32_keyboard_hook.h"
#include "platform/win32/win32_program_starter.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_shell_links.h"
#include "platform/win32/win32_tray.h"

namespace quorvel {

// Asks for the views to show the model after a change made outside any window
// message (the hot keys run inside the keyboard hook).
constexpr UINT WmRefreshViews = WM_APP + 2;
// Something changed in the working file's folder.
constexpr UINT WmFolderChanged = WM_APP + 4;

// Shows a window's model and has the views follow on the next message.
class PostingWindowShower final : public WindowShower {
  public:
    explicit PostingWindowShower(HWND window) : window_(window) {}
    void attach(MainWindow& mainWindow) { mainWindow_ = &mainWindow; }
    void showMainWindow() override;
    void showCommonTextWindow() override;

  private:
    HWND window_;
    MainWindow* mainWindow_ = nullptr;
};

// Everything the program runs on, made for the main window `window`, which
// outlives it. Members are built in the order declared.
class CompositionRoot {
  public:
    explicit CompositionRoot(HWND window);
    CompositionRoot(const CompositionRoot&) = delete;
    CompositionRoot& operator=(const CompositionRoot&) = delete;

    Win32KeyboardHook hook;
    Win32EventLoop loop;
    Win32Clipboard clipboard;
    Win32ProgramStarter programs;
    Win32Clock clock;
    Win32Locale locale;
    Win32SettingsStore settings;
    Win32Dialogs dialogs;
    Win32Files files;
    Win32Environment environment;
    Win32Tray tray;
    Win32ShellLinks links;
    Win32Collation collation;
    Win32AnsiCodePage codePage;
    Win32KeyInjector injector;
    PostingWindowShower shower;
    Win32FocusInspector focus;
    Win32GlobalHotKey popupKey;
    Win32FolderWatch folderWatch;
    AppServices app;
    Win32HookGuard hookGuard;
    // Made once the services are ready to serve it.
    std::unique_ptr<MainWindow> mainWindow;
};

}  // namespace quorvel

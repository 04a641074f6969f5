#include "app/win32/host_window.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "app/win32/common_text_view.h"
#include "app/win32/composition_root.h"
#include "app/win32/excluded_programs_view.h"
#include "app/win32/held_programs_view.h"
#include "app/win32/import_preview_view.h"
#include "app/win32/insert_popup_view.h"
#include "app/win32/main_window_view.h"
#include "app/win32/menu_commands.h"
#include "app/win32/message_loop.h"
#include "app/win32/setup_close_request.h"
#include "app/win32/start_up_question_view.h"
#include "app/win32/system_events.h"
#include "app/win32/timer_ids.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/win32_keyboard_layout.h"

namespace quorvel {

namespace {

// Messages after which the model may hold something the windows do not show yet.
// A control's own notifications are not among them: the view refreshes after
// those it hands to the model, and a refresh after any other (EN_UPDATE comes
// before EN_CHANGE) would put the model's old text back into the box.
bool mayChangeModel(UINT message, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return lParam == 0;
        case WM_CLOSE:
        case WM_MOUSEMOVE:
        case WM_HOTKEY:
        case WmRefreshViews:
        case WmFolderChanged:
        case WmCloseForSetup:
            return true;
        default:
            return false;
    }
}

// The layout of the window thread at each question: the user may switch
// layouts while Quorvel runs.
class TypingLayout final : public KeyboardLayout {
  public:
    std::optional<Key> keyFor(char32_t character) const override { return now().keyFor(character); }
    char32_t characterOf(std::uint8_t virtualKey, bool shift, bool capsLock) const override {
        return now().characterOf(virtualKey, shift, capsLock);
    }
    bool isDeadKey(std::uint8_t virtualKey, bool shift) const override {
        return now().isDeadKey(virtualKey, shift);
    }

  private:
    static Win32KeyboardLayout now() { return Win32KeyboardLayout(::GetKeyboardLayout(0)); }
};

}  // namespace

struct Host::Views {
    Views(Host& host, HINSTANCE instance, MainWindow& mainWindow)
        : commonText(instance, host.window_, mainWindow.commonText,
                     [&host] { host.refreshViews(); }),
          startUp(instance, host.window_, mainWindow.startUpQuestion,
                  [&host] { host.refreshViews(); }),
          excluded(instance, host.window_, mainWindow.excludedWindow,
                   [&host] { host.refreshViews(); }),
          held(instance, host.window_, mainWindow.heldWindow, [&host] { host.refreshViews(); }),
          popup(instance, mainWindow, host.program_->loop, [&host] { host.refreshViews(); }),
          importPreview(
              instance, host.window_, mainWindow.importPreview,
              [&mainWindow] { mainWindow.confirmImport(); }, [&host] { host.refreshViews(); }) {
        mainWindow.typingLayout = &typingLayout;
    }

    CommonTextView commonText;
    StartUpQuestionView startUp;
    ExcludedProgramsView excluded;
    HeldProgramsView held;
    InsertPopupView popup;
    ImportPreviewView importPreview;
    TypingLayout typingLayout;
};

Host::Host() = default;
Host::~Host() = default;

int Host::run(HINSTANCE instance) {
    // The manifest asks for common controls 6; their classes are registered here.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    main_ = std::make_unique<MainWindowView>(
        instance,
        [this](UINT message, WPARAM wParam, LPARAM lParam) {
            return onProgramMessage(message, wParam, lParam);
        },
        [this](UINT message, LPARAM lParam) { afterMessage(message, lParam); });
    window_ = main_->window();
    if (window_ == nullptr) {
        return 1;
    }
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    program_ = std::make_unique<CompositionRoot>(window_);
    systemEvents_ = std::make_unique<SystemEvents>(window_, *program_);
    MainWindow& mainWindow = *program_->mainWindow;
    ::SetMenu(window_, createMainMenu(mainWindow));
    main_->attach(mainWindow, [this] { refreshViews(); });
    views_ = std::make_unique<Views>(*this, instance, mainWindow);
    refreshViews();
    // Before the window shows: a setup that sees it running can reach it.
    setupClose_ = std::make_unique<SetupCloseRequest>(window_, WmCloseForSetup);
    setupClose_->listen();
    mainWindow.start();
    refreshViews();
    systemEvents_->listen();
    startTimers();
    // Posted work comes in bursts (a send is many steps): the windows show what
    // it changed once the burst is over, not after every step.
    return MessageLoop([this](MSG& message) { return isDialogKey(message); },
                       {.pending = [this] { return refreshWhenIdle_; },
                        .run =
                            [this] {
                                refreshWhenIdle_ = false;
                                refreshViews();
                            }})
        .run();
}

void Host::startTimers() {
    const MainWindow& mainWindow = *program_->mainWindow;
    ::SetTimer(window_, TimerMainId, ShortcutEngine::ModifierTickMilliseconds, nullptr);
    ::SetTimer(window_, TimerClearId, ShortcutEngine::PauseTickMilliseconds, nullptr);
    ::SetTimer(window_, HeartbeatId, HeartbeatIntervalMs, nullptr);
    ::SetTimer(window_, FileCheckId, FileCheckIntervalMs, nullptr);
    if (mainWindow.waitingToReadShortcuts()) {
        ::SetTimer(window_, ReadRetryId, ReadRetryIntervalMs, nullptr);
    }
    syncTimers();
}

bool Host::isDialogKey(MSG& message) {
    // Tab, the arrow keys among the options and the access keys, as in a dialog.
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !views_) {
        return false;
    }
    if (views_->popup.onKey(message) || main_->takeFindKey(message)) {
        return true;
    }
    for (HWND window :
         {window_, views_->commonText.window(), views_->startUp.window(), views_->excluded.window(),
          views_->held.window(), views_->popup.window(), views_->importPreview.window()}) {
        if (window != nullptr && ::IsDialogMessageW(window, &message)) {
            return true;
        }
    }
    return false;
}

void Host::refreshViews() {
    // Writing to a control raises notifications that come back here.
    if (refreshing_ || !views_) {
        return;
    }
    refreshing_ = true;
    const MainWindow& mainWindow = *program_->mainWindow;
    main_->refresh();
    views_->commonText.refresh();
    views_->startUp.refresh();
    views_->excluded.refresh();
    views_->held.refresh();
    views_->popup.refresh();
    views_->importPreview.refresh();
    syncMenuChecks(::GetMenu(window_), mainWindow);
    refreshing_ = false;
}

void Host::afterMessage(UINT message, LPARAM lParam) {
    syncTimers();
    refreshWhenIdle_ = refreshWhenIdle_ || message == WmRunPosted || message == WM_TIMER;
    if (mayChangeModel(message, lParam) || (message == taskbarCreated_ && message != 0)) {
        refreshViews();
    }
}

std::optional<LRESULT> Host::onProgramMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow& mainWindow = *program_->mainWindow;
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The shell restarted and forgot every icon.
        mainWindow.icon.addIcon();
        return 0;
    }
    if (const std::optional<LRESULT> handled = systemEvents_->onMessage(message, wParam, lParam)) {
        return handled;
    }
    switch (message) {
        case WmRunPosted:
            program_->loop.runPosted();
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_HOTKEY:
            if (wParam == Win32GlobalHotKey::Id) {
                views_->popup.noteTarget();
                mainWindow.popupKeyPressed();
            }
            return 0;
        case WmRefreshViews:
            return 0;
        case WmFolderChanged:
            mainWindow.workingFolderChanged();
            return 0;
        case WmCloseForSetup:
            // Back here only when the program stays (a save failed, or a send
            // is still under way and the close waits for it).
            mainWindow.closeForSetup();
            setupClose_->listen();
            return 0;
        case WM_COMMAND:
            // Enter and Esc where no control takes them (IDOK, IDCANCEL) and the
            // controls' own go to the window.
            if (lParam == 0 && LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL &&
                runMenuCommand(mainWindow, LOWORD(wParam))) {
                return 0;
            }
            return std::nullopt;
        case WM_DESTROY:
            systemEvents_->stopListening();
            // The program lives as long as its main window.
            ::PostQuitMessage(0);
            return 0;
        case WM_MOUSEMOVE:
            // The tray icon's callback arrives here with the mouse message in place of
            // the horizontal position.
            mainWindow.trayMessage(static_cast<int>(LOWORD(lParam)) * TwipsPerPixel);
            return 0;
        case WM_CLOSE:
            mainWindow.requestClose();
            return 0;
        default:
            return std::nullopt;
    }
}

void Host::onTimer(UINT_PTR id) {
    MainWindow& mainWindow = *program_->mainWindow;
    switch (id) {
        case TimerMainId:
            mainWindow.engine.modifierTimerTick();
            break;
        case TimerClearId:
            mainWindow.engine.pauseTimerTick();
            break;
        case TimerDataId:
            mainWindow.engine.clipboardTimerTick();
            break;
        case HeartbeatId:
            systemEvents_->checkHookAlive();
            break;
        case ReadRetryId:
            mainWindow.retryReadingShortcuts();
            if (!mainWindow.waitingToReadShortcuts()) {
                ::KillTimer(window_, ReadRetryId);
            }
            break;
        case SessionSaveRetryId:
            systemEvents_->retrySessionSave();
            break;
        case FileCheckId:
            mainWindow.checkWorkingFile();
            break;
        default:
            program_->loop.runDelayed(id);
            break;
    }
}

void Host::syncTimers() {
    const bool wanted = program_->mainWindow->engine.sender().wantsClipboardSteps();
    if (wanted && !dataTimerRunning_) {
        ::SetTimer(window_, TimerDataId, TextSender::ClipboardStepMilliseconds, nullptr);
        dataTimerRunning_ = true;
    } else if (!wanted && dataTimerRunning_) {
        ::KillTimer(window_, TimerDataId);
        dataTimerRunning_ = false;
    }
}

}  // namespace quorvel

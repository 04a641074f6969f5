#include "app/win32/composition_root.h"

#include "platform/win32/win32_program_icon.h"

namespace quorvel {

void PostingWindowShower::showMainWindow() {
    mainWindow_->showWindow();
    ::PostMessageW(window_, WmRefreshViews, 0, 0);
}

void PostingWindowShower::showCommonTextWindow() {
    mainWindow_->commonText.show();
    ::PostMessageW(window_, WmRefreshViews, 0, 0);
}

CompositionRoot::CompositionRoot(HWND window)
    : clipboard(window),
      dialogs(window),
      tray(window, programIcons().small, programIcons().paused),
      injector(hook, loop),
      shower(window),
      popupKey(window),
      folderWatch(window, WmFolderChanged),
      app{EngineServices{hook, hook, injector, loop, clipboard, programs, clock, locale, shower,
                         focus},
          settings,
          dialogs,
          files,
          environment,
          tray,
          links,
          collation,
          codePage,
          popupKey,
          folderWatch},
      // A normal program's hook is not called for the keys of a window running
      // with higher rights, and the system refuses the keys it injects there alike.
      hookGuard(
          hook, [this] { return injector.focusedWindowAcceptsInput(); },
          // Whatever the old hook missed, a release among it, is unknown.
          [this] { mainWindow->engine.keyboard().keysMayHaveBeenMissed(); }) {
    loop.attach(window);
    mainWindow = std::make_unique<MainWindow>(app);
    shower.attach(*mainWindow);
}

}  // namespace quorvel

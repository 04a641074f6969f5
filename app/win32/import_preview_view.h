#pragma once
// The preview of Import from Another Program as a view of the ImportPreview
// model: a window owned by the main window, listing every shortcut of the file
// with what the import does with it, until Import or Cancel.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/import_preview.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class ImportPreviewView final : public ViewWindow {
  public:
    // `confirmed` runs the model's Import through the main window, which saves
    // the list and keeps what Undo Import takes back.
    ImportPreviewView(HINSTANCE instance, HWND owner, ImportPreview& preview,
                      std::function<void()> confirmed, std::function<void()> modelChanged);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void refreshOthers() override;
    void placeFirst() override { placeCentredOver(owner_); }
    void onEscapeKey() override { close(); }
    void close();

    HWND owner_;
    ImportPreview& preview_;
    HWND list_ = nullptr;
    std::vector<std::string> shownRows_;
};

}  // namespace quorvel

#include "app/win32/menu_commands.h"

#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

struct Item {
    UINT command;
    const MenuItem Form1::*item;
    void (Form1::*handler)();
};

constexpr Item FileItems[] = {{CmdFileImport, &Form1::FileImport, &Form1::FileImport_Click},
                              {CmdFileSave, &Form1::FileSave, &Form1::FileSave_Click},
                              {CmdFileSaveAs, &Form1::FileSave2, &Form1::FileSave2_Click},
                              {CmdSuggestions, &Form1::MSuggestions, &Form1::MSuggestions_Click},
                              {CmdExit, &Form1::MenuExit, &Form1::MenuExit_Click}};

constexpr Item OptionItems[] = {
    {CmdRestoreDefaults, &Form1::RestoreDefaultsM, &Form1::RestoreDefaultsM_Click},
    {CmdRunMinimized, &Form1::RunMinimized, &Form1::RunMinimized_Click},
    {CmdBoost, &Form1::MenuBoost, &Form1::MenuBoost_Click},
    {CmdForce, &Form1::MenuForce, &Form1::MenuForce_Click},
    {CmdMenuShow, &Form1::MenuShow, &Form1::MenuShow_Click},
    {CmdMenuText, &Form1::MenuText, &Form1::MenuText_Click},
    {CmdCalibration, &Form1::MenuCalibration, &Form1::MenuCalibration_Click}};

constexpr Item HelpItems[] = {{CmdLoadSamples, &Form1::LoadSamples, &Form1::LoadSamples_Click},
                              {CmdAbout, &Form1::About, &Form1::About_Click},
                              {CmdHelp, &Form1::Help2, &Form1::Help2_Click}};

template <std::size_t N>
HMENU createPopup(const Form1& form, const Item (&items)[N]) {
    HMENU popup = ::CreatePopupMenu();
    for (const Item& item : items) {
        ::AppendMenuW(popup, MF_STRING, item.command, wideText((form.*item.item).caption).c_str());
    }
    return popup;
}

template <typename Visit>
void forEachItem(Visit visit) {
    for (const Item& item : FileItems)
        visit(item);
    for (const Item& item : OptionItems)
        visit(item);
    for (const Item& item : HelpItems)
        visit(item);
}

}  // namespace

HMENU createMainMenu(const Form1& form) {
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(createPopup(form, FileItems)),
                  L"&File");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(createPopup(form, OptionItems)),
                  L"&Options");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(createPopup(form, HelpItems)),
                  L"&Help");
    return bar;
}

void syncMenuChecks(HMENU menu, const Form1& form) {
    forEachItem([&](const Item& item) {
        ::CheckMenuItem(menu, item.command,
                        MF_BYCOMMAND | ((form.*item.item).checked ? MF_CHECKED : MF_UNCHECKED));
    });
}

bool runMenuCommand(Form1& form, UINT command) {
    bool found = false;
    forEachItem([&](const Item& item) {
        if (!found && item.command == command) {
            found = true;
            (form.*item.handler)();
        }
    });
    return found;
}

}  // namespace quorvel

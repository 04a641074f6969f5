#pragma once
// Every platform service the program's windows work through.

#include "engine/engine_services.h"
#include "platform/ansi_code_page.h"
#include "platform/collation.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/folder_watch.h"
#include "platform/global_hot_key.h"
#include "platform/settings_store.h"
#include "platform/shell_links.h"
#include "platform/tray_icon.h"

namespace quorvel {

struct AppServices {
    EngineServices engine;
    SettingsStore& settings;
    Dialogs& dialogs;
    Files& files;
    Environment& environment;
    TrayIconService& tray;
    ShellLinks& links;
    Collation& collation;
    AnsiCodePage& codePage;
    GlobalHotKey& popupKey;
    FolderWatch& folderWatch;
};

}  // namespace quorvel

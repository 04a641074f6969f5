#pragma once
// The platform services the shortcut engine works through.

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/focus_inspector.h"
#include "platform/key_injection.h"
#include "platform/keyboard_hook.h"
#include "platform/program_start.h"
#include "platform/window_shower.h"

namespace quorvel {

struct EngineServices {
    KeyboardHookService& hook;
    KeyStateQuery& keyState;
    KeyInjector& injector;
    EventLoop& events;
    Clipboard& clipboard;
    ProgramStarter& programs;
    Clock& clock;
    Locale& locale;
    WindowShower& windows;
    FocusInspector& focus;
};

}  // namespace quorvel

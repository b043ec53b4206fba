#pragma once
// The services the editor takes from its desktop, passed around as one bundle
// of references. The Qt front end supplies the real ones; tests supply fakes.
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/Launcher.h"
#include "platform/PrintDialogs.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"
#include "platform/TextDialogs.h"
#include "platform/UiQueue.h"

namespace tagloom {

struct Platform {
    Prompter& prompter;
    Desktop& desktop;
    Clipboard& clipboard;
    Launcher& launcher;
    FileDialogs& fileDialogs;
    PrintDialogs& printDialogs;
    Clock& clock;
    UiQueue& uiQueue;
    SettingsStore& settings;
    TextDialogs& textDialogs;
};

}  // namespace tagloom

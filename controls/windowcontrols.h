#pragma once

#include "controls/browserbox.h"
#include "controls/mainwindowcontrol.h"
#include "controls/resultlist.h"
#include "controls/searchbox.h"
#include "controls/skinbutton.h"
#include "controls/statusbar.h"

namespace zelkor {

// Every control the core reaches, bound together so that one argument hands them all over.
struct WindowControls {
    ResultList& resultList;
    StatusBar& statusBar;
    SearchBox& searchBox;
    SkinButton& skinButton;
    BrowserBox& browserBox;
    MainWindowControl& mainWindow;
};

}  // namespace zelkor

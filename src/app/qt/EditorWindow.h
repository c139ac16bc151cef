#pragma once
// The main window with what it is built on, in the order a start needs: the
// style catalogue before any window, then the settings, the prompts and the
// window. The editor and the screenshot program both run it.

#include "app/qt/CMainDlg.h"
#include "app/qt/QtPrompts.h"
#include "app/qt/QtSettingsStore.h"
#include "catalogue/StyleCatalogue.h"

namespace tessaro {

struct EditorWindow
{
    StyleCatalogue styles;
    QtSettingsStore settings;
    QtPrompts prompts{settings, styles};
    CMainDlg dialog{prompts, settings, styles};

    // The window's start sequence (it may ask for the language); the prompts'
    // questions go over the window from then on.
    void Initialise()
    {
        dialog.Initialise();
        prompts.SetMainWindow(&dialog);
    }
};

} // namespace tessaro

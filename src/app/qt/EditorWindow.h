#pragma once
// What a main window is built on, in the order a start needs: the style
// catalogue before any window, then the settings and the prompts. The editor
// puts either layout on it; the screenshot program both, one after the other.

#include "app/qt/CMainDlg.h"
#include "app/qt/QtPrompts.h"
#include "app/qt/QtSettingsStore.h"
#include "catalogue/StyleCatalogue.h"

namespace tessaro {

struct EditorBasis
{
    StyleCatalogue styles;
    QtSettingsStore settings;
    QtPrompts prompts{settings, styles};
};

struct EditorWindow
{
    EditorBasis basis;
    CMainDlg dialog{basis.prompts, basis.settings, basis.styles};

    // The window's start sequence (it may ask for the language); the prompts'
    // questions go over the window from then on.
    void Initialise()
    {
        dialog.Initialise();
        basis.prompts.SetMainWindow(&dialog);
    }
};

} // namespace tessaro

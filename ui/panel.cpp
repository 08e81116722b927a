#include "ui/panel.h"

#include "resources/resource_ids.h"
#include "ui/app_globals.h"

HWND CreatePanel(HWND mainWindow)
{
    return CreateDialogParamA(g_instance, MAKEINTRESOURCEA(PANEL_TEMPLATE), mainWindow,
                              PanelDialogProc, 0);
}

INT_PTR CALLBACK PanelDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    default:
        return FALSE;
    }
}

// The atelier's window built in this process as atelier.exe builds it, a new
// quiz of a layout shown in it, its dialogs answered by the test
// (atelier_dialog_answers.h); and the messages the window's threads send
// back, handled for a while.
#pragma once

#include "atelier/window/atelier_state.h"
#include "atelier/window/atelier_window.h"
#include "atelier/window/editor.h"
#include "tests/windows/atelier/atelier_dialog_answers.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

// Handles the window's messages for a while: the check and the preview
// come back from their thread.
inline void Pump(DWORD milliseconds)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

struct AtelierWindow {
    explicit AtelierWindow(int layout)
    {
        static const bool ready = [] {
            g_instance = GetModuleHandleW(nullptr);
            OleInitialize(nullptr);
            INITCOMMONCONTROLSEX controls = {sizeof controls,
                                             ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
            InitCommonControlsEx(&controls);
            NONCLIENTMETRICSW metrics = {};
            metrics.cbSize =
                offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof metrics.lfMessageFont;
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
            g_font = CreateFontIndirectW(&metrics.lfMessageFont);
            return RegisterAtelierWindowClass();
        }();
        EXPECT_TRUE(ready);
        Answers() = DialogAnswers();
        CreateAtelierWindow();
        NewDocument(layout, "C:/quiz", g_document);
        ShowDocument();
        // Shown, as the fields it shows are what is tested.
        ShowWindow(g_mainWindow, SW_SHOWNOACTIVATE);
    }
    ~AtelierWindow()
    {
        DestroyWindow(g_mainWindow);
        Pump(0);
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        g_mainWindow = nullptr;
    }
    AtelierWindow(const AtelierWindow&) = delete;
    AtelierWindow& operator=(const AtelierWindow&) = delete;

    // Files of the Explorer dropped at a point of a window's client area (the
    // atelier's by default).
    void Drop(POINT point, const std::vector<std::wstring>& files, HWND target = nullptr) const
    {
        size_t characters = 1;
        for (const std::wstring& file : files)
            characters += file.size() + 1;
        HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
        header->pFiles = sizeof(DROPFILES);
        header->pt = point;
        header->fWide = TRUE;
        auto* names = reinterpret_cast<wchar_t*>(header + 1);
        for (const std::wstring& file : files) {
            std::copy(file.begin(), file.end(), names);
            names += file.size() + 1;
        }
        GlobalUnlock(drop);
        SendMessageW(target ? target : g_mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(drop),
                     0);
    }

    // A point of a control, from its top left corner, in the window's client
    // area.
    static POINT On(int id, int x, int y)
    {
        RECT place;
        GetWindowRect(Control(id), &place);
        POINT point = {place.left + x, place.top + y};
        ScreenToClient(g_mainWindow, &point);
        return point;
    }

    static void Choose(int comboId, int index)
    {
        SendMessageW(Control(comboId), CB_SETCURSEL, index, 0);
        SendMessageW(g_mainWindow, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Control(comboId)));
    }
};

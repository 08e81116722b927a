// atelier.exe: the window, its keys, and the quiz named on the command line
// (a file dropped on the program's icon, or "Ouvrir avec").
#include "atelier/window/atelier_state.h"
#include "atelier/window/atelier_window.h"
#include "atelier/window/class_results_window.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/editor.h"
#include "atelier/window/file_commands.h"
#include "atelier/window/last_folder.h"
#include "atelier/window/recovery.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/message_box.h"
#include "quiz/quiz_record.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <cstddef>
#include <objbase.h>
#include <shellapi.h>

// The codec's one message (an allocation failure), as the player shows it.
void ShowMessageBox(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}

namespace {

std::string QuizOnCommandLine()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string path = arguments && count > 1 ? Narrow(arguments[1]) : "";
    LocalFree(arguments);
    return path;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show)
{
    g_instance = instance;
    // The folder dialog and drops need OLE on this thread.
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof metrics.lfMessageFont;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    g_font = CreateFontIndirectW(&metrics.lfMessageFont);

    int code = 1;
    if (RegisterAtelierWindowClass() && CreateAtelierWindow()) {
        NewDocument(LAYOUT_TEXT, DocumentsFolder(), g_document);
        ShowDocument();
        ShowWindow(g_mainWindow, show);
        FocusField(Control(IDC_TITLE));
        // What a crash left comes first: a quiz named on the command line
        // then asks before it goes.
        OfferRecoveryCopies();
        const std::string quiz = QuizOnCommandLine();
        if (!quiz.empty())
            OpenQuizFile(quiz);
        HACCEL keys = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(ATELIER_ACCELERATORS));
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (IsClassResultsMessage(message) ||
                TranslateAcceleratorW(g_mainWindow, keys, &message) ||
                IsDialogMessageW(g_mainWindow, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        code = static_cast<int>(message.wParam);
    }
    DeleteObject(g_font);
    OleUninitialize();
    return code;
}

#include "player/header_bar.h"

#include "player/app_globals.h"
#include "player/build_settings.h"
#include "quiz/web_site.h"
#include "resources/resource_ids.h"

namespace {

constexpr DWORD LABEL = WS_CHILD | WS_VISIBLE;

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                int width, int height, int id)
{
    return CreateWindowExA(0, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, nullptr);
}

HWND AddLabel(HWND parent, const char* text, DWORD style, int x, int y, int width, int height,
              int id)
{
    return AddControl(parent, "Static", text, style, x, y, width, height, id);
}

void UseGuiFont(HWND label)
{
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
}

// Underlined, three quarters of the label's height; lives as long as the
// window, like the label.
void UseLinkFont(HWND link)
{
    RECT client;
    GetClientRect(link, &client);
    LOGFONTA font = {};
    font.lfHeight = -(3 * (client.bottom - client.top) / 4);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = TRUE;
    SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&font)), FALSE);
}

// "Rendre mon travail" and "Nouvel élève", Alt+R and Alt+N from the keyboard
// (hand_in.h).
void AddHandInButtons(HWND mainWindow)
{
    constexpr DWORD BUTTON = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    UseGuiFont(AddControl(mainWindow, "Button", "&Rendre mon travail", BUTTON, 528, 3, 110, 16,
                          HAND_IN_BUTTON_ID));
    UseGuiFont(AddControl(mainWindow, "Button", "&Nouvel élève", BUTTON, 643, 3, 80, 16,
                          NEW_PUPIL_BUTTON_ID));
}

} // namespace

const char* LinkAddress()
{
    return g_quiz->webSite[0] ? g_quiz->webSite : MAKER_WEB_SITE;
}

void BuildHeaderBar(HWND mainWindow)
{
    // The frames come first so that they lie behind the labels they enclose.
    AddLabel(mainWindow, "", LABEL | WS_BORDER, 5, 2, 100, 24, SCORE_FRAME_ID);
    AddLabel(mainWindow, "", LABEL | WS_BORDER, 5, 25, 100, 22, CODE_FRAME_ID);
    AddLabel(mainWindow, "", LABEL | WS_BORDER, 104, 2, 623, 45, TITLE_FRAME_ID);
    AddLabel(mainWindow, "", LABEL | WS_BORDER, 726, 2, 130, 45, LINK_FRAME_ID);

    UseGuiFont(AddLabel(mainWindow, " Code :", LABEL, 10, 29, 36, 15, CODE_CAPTION_ID));
    UseGuiFont(AddLabel(mainWindow, " xxxxxx", LABEL, 47, 28, 55, 16, CODE_LABEL_ID));

    char score[TEXT_SIZE];
    wsprintfA(score, " 0 / %d", g_quiz->questionCount);
    AddLabel(mainWindow, score, LABEL | SS_CENTER, 10, 5, 90, 18, SCORE_LABEL_ID);

    // The host alone fits the frame where a whole address would not; one
    // longer than the label ends in "...", the rest of the header in place.
    char shown[TEXT_SIZE];
    WebSiteHost(LinkAddress(), shown);
    HWND link = AddLabel(mainWindow, shown, LABEL | SS_NOTIFY | SS_ENDELLIPSIS, 736, 5, 115, 18,
                         LINK_LABEL_ID);
    UseLinkFont(link);
    // The class cursor of every static control; the others pass the mouse
    // through to their parent, so only the link shows it.
    SetClassLongPtrA(
        link, GCLP_HCURSOR,
        reinterpret_cast<LONG_PTR>(LoadCursorA(g_instance, MAKEINTRESOURCEA(LINK_CURSOR))));

    UseGuiFont(AddLabel(mainWindow, "Par :", LABEL, 736, 25, 27, 18, HEADER_LABEL_ID));
    UseGuiFont(AddLabel(mainWindow, g_quiz->author, LABEL, 763, 25, 85, 18, HEADER_LABEL_ID));
    AddLabel(mainWindow, g_quiz->title, LABEL, 110, 3, 220, 18, HEADER_LABEL_ID);
    UseGuiFont(
        AddLabel(mainWindow, g_quiz->explanations, LABEL, 110, 19, 580, 27, HEADER_LABEL_ID));
    if (!g_workKey.empty())
        AddHandInButtons(mainWindow);
}

// Playing in the real main window and panel, built in this process and driven
// with real messages: the header, keys in the answer boxes, focus moves and
// scrolling.
#include "tests/support/shell_open_recorder.h"
#include "tests/windows/player_window.h"
#include "ui/app_globals.h"
#include "ui/build_settings.h"
#include "ui/header_bar.h"
#include "ui/main_window.h"
#include "ui/panel_scroll.h"

#include <gtest/gtest.h>

namespace {

// A key as the keyboard delivers it to a box: down, then up; with Alt the
// press is a system key.
void Press(HWND box, WPARAM key, bool alt = false)
{
    SendMessageA(box, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? 1 << 29 : 0);
    SendMessageA(box, alt ? WM_SYSKEYUP : WM_KEYUP, key, (alt ? 1 << 29 : 0) | 3u << 30);
}

int Position(int bar)
{
    return GetScrollPos(g_panel, bar);
}

// In full view; the content of a two-answer text list ends a pixel above the
// bottom of its last box, so one pixel may stay hidden there.
bool InView(HWND control)
{
    const RECT r = PlaceOf(control);
    RECT client;
    GetClientRect(g_panel, &client);
    return r.top >= 0 && r.bottom <= client.bottom + 1 && r.left >= 0 && r.right <= client.right;
}

} // namespace

TEST(Header, ShowsTheQuizAndOpensTheWebSiteFromTheLinkOnly)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_NONE));
    std::string texts;
    for (HWND child = GetWindow(window.main, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        texts += child == g_panel || WindowText(child).empty() ? "" : WindowText(child) + "|";
    EXPECT_EQ(texts, "R\xE9"
                     "alis\xE9 avec la version 2.1| Code :|      | 0 / 30|" +
                         std::string(MAKER_WEB_SITE) +
                         "|Par :|L\xE9"
                         "a|Les capitales|Trouvez la capitale de chaque pays.|");
    // Five labels share the score label's identifier: it must be the one found.
    EXPECT_EQ(window.Score(), " 0 / 30");

    OpenedAddresses().clear();
    for (int id : {SCORE_LABEL_ID, LINK_LABEL_ID}) {
        SendDlgItemMessageA(window.main, id, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendDlgItemMessageA(window.main, id, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    EXPECT_EQ(OpenedAddresses(), std::vector<std::string>{MAKER_WEB_SITE});
}

TEST(Interaction, EnterGradesWithoutChangingTheTextWithAndWithoutAlt)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    for (bool alt : {false, true}) {
        SetWindowTextA(Box(2), alt ? "Paris" : "Pari");
        SetFocus(Box(2));
        Press(Box(2), VK_RETURN, alt);
        EXPECT_EQ(Verdict(2), alt ? "BRAVO" : "Quasiment") << alt;
        EXPECT_EQ(WindowText(Box(2)), alt ? "Paris" : "Pari") << alt;
        EXPECT_EQ(GetFocus(), Box(2)) << alt;
    }
    // Typing itself never grades, and the two control characters never land.
    SetWindowTextA(Box(1), "");
    for (WPARAM c : {WPARAM('P'), WPARAM('\r'), WPARAM('\t'), WPARAM('a')})
        SendMessageA(Box(1), WM_CHAR, c, 1);
    EXPECT_EQ(WindowText(Box(1)), "Pa");
    EXPECT_EQ(Verdict(1), "?");

    // Coming back to a box selects its first 25 characters.
    SetWindowTextA(Box(1), "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN");
    SetFocus(Box(1));
    DWORD start = 1, end = 0;
    SendMessageA(Box(1), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 25u);
}

TEST(Interaction, TabAndShiftTabGoRoundTheBoxes)
{
    const struct {
        int answers, from;
        bool shift;
        int to;
    } moves[] = {
        {2, 60, false, 1}, {2, 2, true, 1}, {2, 1, true, 60}, {1, 30, false, 1}, {1, 5, false, 6},
    };
    for (int answers : {1, 2}) {
        // Shown: under Wine a hidden panel does not move its children.
        PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 30, answers, REVEAL_NONE), true);
        for (const auto& m : moves) {
            if (m.answers != answers)
                continue;
            SetWindowTextA(Box(m.from), "Paris");
            SetFocus(Box(m.from));
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_SHIFT] = m.shift ? 0x80 : 0;
            SetKeyboardState(keys);
            SendMessageA(Box(m.from), WM_KEYUP, VK_TAB, 3u << 30);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
            EXPECT_EQ(GetFocus(), Box(m.to)) << m.answers << ": " << m.from << " -> " << m.to;
            EXPECT_NE(Verdict(m.from), "?") << "the box left is graded";
            EXPECT_TRUE(InView(Box(m.to))) << m.from << " -> " << m.to;
        }
    }
}

TEST(Interaction, F1FillsEveryUnsolvedBoxAndKeepsItsBoxInView)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 40, 1, REVEAL_NONE), true);
    CopyText(QuestionAt(*window.quiz, 35)->answer, "Rome");
    Answer(1, "Paris");
    Answer(2, "Lyon");
    SetWindowTextA(Box(36), "Rome");
    SetFocus(Box(36));
    Press(Box(36), VK_F1);
    EXPECT_EQ(GetFocus(), Box(36));
    EXPECT_TRUE(InView(Box(36)));
    for (int n : {1, 2, 3, 36, 40})
        EXPECT_EQ(WindowText(Box(n)) + " " + Verdict(n), n == 1    ? "Paris BRAVO"
                                                         : n == 36 ? "Rome BRAVO"
                                                                   : "Rome FAUX")
            << n;
    EXPECT_EQ(window.Score(), " 2 / 40");
}

// The panel's bars, and the keys and wheel notches that the main window
// turns into scroll requests.
TEST(Interaction, ScrollsByBarsKeysAndWheelWithinItsExtents)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_NONE), true);
    ASSERT_EQ(ContentHeight, 3325);
    const int bottom = ContentHeight - PageHeight;
    const struct {
        HWND to;
        UINT message;
        WPARAM request;
        int vertical;
    } steps[] = {
        {g_panel, WM_VSCROLL, SB_LINEDOWN, 30},
        {window.main, WM_KEYDOWN, VK_DOWN, 60},
        {window.main, WM_KEYDOWN, VK_UP, 30},
        {window.main, WM_KEYDOWN, VK_NEXT, 30 + PageHeight - 1},
        {window.main, WM_KEYDOWN, VK_PRIOR, 30},
        {window.main, WM_KEYDOWN, VK_HOME, 0},
        {g_panel, WM_VSCROLL, SB_LINEUP, 0},
        {window.main, WM_KEYDOWN, VK_END, bottom},
        {g_panel, WM_VSCROLL, SB_LINEDOWN, bottom},
        {g_panel, WM_VSCROLL, SB_THUMBPOSITION, bottom},
        {window.main, WM_KEYDOWN, VK_LEFT, bottom}, // not a scrolling key
        {g_panel, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), bottom - 30},
        {window.main, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), bottom - 30}, // one notch only
        {window.main, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), bottom},
    };
    HWND firstBox = Box(1);
    for (const auto& s : steps) {
        const int before = PlaceOf(firstBox).top + Position(SB_VERT);
        SendMessageA(s.to, s.message, s.request, 0);
        PumpMessages();
        EXPECT_EQ(Position(SB_VERT), s.vertical) << s.message << " " << s.request;
        // The children move with the content.
        EXPECT_EQ(PlaceOf(firstBox).top + Position(SB_VERT), before) << s.request;
    }
    // Horizontally one pixel a line, and no jump to either end.
    const int right = ContentWidth - PageWidth;
    ASSERT_GT(right, 1);
    const std::pair<int, int> horizontal[] = {
        {SB_LINERIGHT, 1}, {SB_RIGHT, 1}, {SB_PAGERIGHT, right}};
    for (const auto& [request, position] : horizontal) {
        SendMessageA(g_panel, WM_HSCROLL, request, 0);
        EXPECT_EQ(Position(SB_HORZ), position) << request;
    }
}

// As in a table: the box above or below in the nearest column, a page of
// rows at once; the box left is graded, the box reached is in view, and a
// page away stands where the box left stood.
TEST(Interaction, ArrowAndPageKeysInABoxMoveToTheBoxAboveOrBelow)
{
    for (const int layout : {LAYOUT_PICTURE, LAYOUT_TEXT}) {
        const bool text = layout == LAYOUT_TEXT;
        PlayerWindow window(MakeQuiz(layout, text ? 90 : 12, text ? 1 : 2, REVEAL_NONE), true);
        RECT client;
        GetClientRect(g_panel, &client);
        const int page = client.bottom / 25; // the rows of questions the panel shows
        // From box 1: a key, and the box it leads to.
        const std::vector<std::pair<WPARAM, int>> moves =
            text ? std::vector<std::pair<WPARAM, int>>{{VK_NEXT, 1 + page},
                                                       {VK_NEXT, 1 + 2 * page},
                                                       {VK_PRIOR, 1 + page},
                                                       {VK_UP, page}}
                 : std::vector<std::pair<WPARAM, int>>{{VK_DOWN, 2}, {VK_DOWN, 7}, {VK_UP, 2},
                                                       {VK_UP, 1},   {VK_UP, 1},   {VK_NEXT, 7}};
        SetFocus(Box(1));
        int at = 1;
        for (const auto& [key, to] : moves) {
            const bool alt = key == VK_UP; // with Alt, on the press
            const LONG top = PlaceOf(Box(at)).top;
            SetWindowTextA(Box(at), "Pari");
            Press(Box(at), key, alt);
            EXPECT_EQ(GetFocus(), Box(to)) << layout << ": " << at << ", key " << key;
            EXPECT_TRUE(InView(Box(to))) << to;
            if (to != at) {
                EXPECT_NE(Verdict(at), "?") << at << ", graded when left";
            }
            if (key == VK_NEXT || key == VK_PRIOR) {
                EXPECT_EQ(PlaceOf(Box(to)).top, top) << "a page away, where the box stood";
            }
            at = to;
        }
        // Scrolled away by the bar or the wheel, the box comes back when typed in.
        SendMessageA(g_panel, WM_VSCROLL, SB_BOTTOM, 0);
        ASSERT_FALSE(InView(Box(at)));
        SendMessageA(Box(at), WM_CHAR, 'A', 0);
        EXPECT_TRUE(InView(Box(at)));
    }
}

TEST(Interaction, GrowingPastTheContentScrollsBackToTheStart)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 10, 1, REVEAL_NONE), true); // 275 pixels high
    SetWindowPos(window.main, nullptr, 0, 0, 600, 200, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(g_panel, WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_GT(Position(SB_VERT), 0);
    SetWindowPos(window.main, nullptr, 0, 0, 1000, 800, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Position(SB_VERT), 0);
    EXPECT_EQ(PlaceOf(Box(1)).top, 10);
    EXPECT_EQ(PageHeight, ContentHeight);
    // The panel fills the window, leaving the header and the version label.
    RECT client;
    GetClientRect(window.main, &client);
    const RECT panel = PlaceOf(g_panel);
    EXPECT_EQ(panel.left, PANEL_LEFT);
    EXPECT_EQ(panel.top, PANEL_TOP);
    EXPECT_EQ(panel.right - panel.left, client.right - 11);
    EXPECT_EQ(panel.bottom - panel.top, client.bottom - 68);
}

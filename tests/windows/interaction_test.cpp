// Playing in the panel: keys in the answer boxes, focus moves, scrolling.
#include "tests/windows/player_window.h"
#include "ui/app_globals.h"
#include "ui/panel_controls.h"
#include "ui/panel_scroll.h"

#include <gtest/gtest.h>

namespace {

// A key as the keyboard delivers it to a box: down, then up; with Alt the
// press is a system key.
void Press(HWND box, WPARAM key, bool alt = false)
{
    if (alt) {
        SendMessageA(box, WM_SYSKEYDOWN, key, 1 << 29);
        SendMessageA(box, WM_SYSKEYUP, key, 1 << 29 | 3u << 30);
    } else {
        SendMessageA(box, WM_KEYDOWN, key, 0);
        SendMessageA(box, WM_KEYUP, key, 3u << 30);
    }
}

void HoldShift(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
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

TEST(Interaction, EnterGradesWithoutChangingTheTextWithAndWithoutAlt)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    for (bool alt : {false, true}) {
        SetWindowTextA(Box(2), alt ? "Paris" : "Pari");
        SetFocus(Box(2));
        Press(Box(2), VK_RETURN, alt);
        EXPECT_EQ(Verdict(2), alt ? "BRAVO" : "Quasiment") << alt;
        EXPECT_EQ(TextOf(Box(2)), alt ? "Paris" : "Pari") << alt;
        EXPECT_EQ(GetFocus(), Box(2)) << alt;
    }
    // Typing itself never grades, and the two control characters never land.
    SetWindowTextA(Box(1), "");
    for (WPARAM c : {WPARAM('P'), WPARAM('\r'), WPARAM('\t'), WPARAM('a')})
        SendMessageA(Box(1), WM_CHAR, c, 1);
    EXPECT_EQ(TextOf(Box(1)), "Pa");
    EXPECT_EQ(Verdict(1), "?");
}

TEST(Interaction, SelectsTheFirst25CharactersOnFocus)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 2, 1, REVEAL_NONE));
    for (const char* text : {"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN", "abcdefghij"}) {
        SetWindowTextA(Box(1), text);
        SetFocus(Box(2));
        SetFocus(Box(1));
        DWORD start = 1, end = 0;
        SendMessageA(Box(1), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u) << text;
        EXPECT_EQ(end, std::min<DWORD>(25, strlen(text))) << text;
    }
}

TEST(Interaction, TabAndShiftTabGoRoundTheBoxes)
{
    const struct {
        int answers, from;
        bool shift;
        int to;
    } moves[] = {
        {2, 60, false, 1}, {2, 2, true, 1},  {2, 59, false, 60}, {2, 1, true, 60},
        {1, 30, false, 1}, {1, 1, true, 30}, {1, 5, false, 6},
    };
    for (int answers : {1, 2}) {
        // Shown: under Wine a hidden panel does not move its children.
        PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 30, answers, REVEAL_NONE), true);
        for (const auto& m : moves) {
            if (m.answers != answers)
                continue;
            SetWindowTextA(Box(m.from), "Paris");
            SetFocus(Box(m.from));
            HoldShift(m.shift);
            SendMessageA(Box(m.from), WM_KEYUP, VK_TAB, 3u << 30);
            HoldShift(false);
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
        EXPECT_EQ(TextOf(Box(n)) + " " + Verdict(n), n == 1    ? "Paris BRAVO"
                                                     : n == 36 ? "Rome BRAVO"
                                                               : "Rome FAUX")
            << n;
    EXPECT_EQ(window.Score(), " 2 / 40");
}

TEST(Interaction, ScrollsByBarsKeysAndWheelWithinItsExtents)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_NONE), true);
    ASSERT_EQ(ContentHeight, 3325);
    const int bottom = ContentHeight - PageHeight;
    const struct {
        UINT message;
        WPARAM request;
        int vertical;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 30},
        {WM_VSCROLL, SB_LINEDOWN, 60},
        {WM_VSCROLL, SB_LINEUP, 30},
        {WM_VSCROLL, SB_PAGEDOWN, 30 + PageHeight - 1},
        {WM_VSCROLL, SB_PAGEUP, 30},
        {WM_VSCROLL, SB_TOP, 0},
        {WM_VSCROLL, SB_LINEUP, 0},
        {WM_VSCROLL, SB_BOTTOM, bottom},
        {WM_VSCROLL, SB_LINEDOWN, bottom},
        {WM_VSCROLL, SB_THUMBPOSITION, bottom},
        {WM_VSCROLL, 65535, bottom},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), bottom - 30},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 240), bottom - 30},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -120), bottom},
    };
    HWND firstBox = Box(1);
    for (const auto& s : steps) {
        const int before = PlaceOf(firstBox).top + Position(SB_VERT);
        SendMessageA(g_panel, s.message, s.request, 0);
        PumpMessages();
        EXPECT_EQ(Position(SB_VERT), s.vertical) << s.message << " " << s.request;
        // The children move with the content.
        EXPECT_EQ(PlaceOf(firstBox).top + Position(SB_VERT), before) << s.request;
    }
    // Horizontally one pixel a line, and no jump to either end.
    const int right = ContentWidth - PageWidth;
    ASSERT_GT(right, 1);
    SendMessageA(g_panel, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Position(SB_HORZ), 1);
    SendMessageA(g_panel, WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(Position(SB_HORZ), 1);
    SendMessageA(g_panel, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(Position(SB_HORZ), right);
}

TEST(Interaction, PageKeysInABoxScrollThePanelAndTypingBringsTheBoxBack)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_NONE), true);
    SetFocus(Box(1));
    const struct {
        WPARAM key;
        bool alt;
        int vertical;
    } keys[] = {{VK_DOWN, false, 30},
                {VK_NEXT, false, 30 + PageHeight - 1},
                {VK_UP, true, PageHeight - 1},
                {VK_PRIOR, false, 0}};
    for (const auto& k : keys) {
        Press(Box(1), k.key, k.alt);
        EXPECT_EQ(Position(SB_VERT), k.vertical) << k.key;
    }
    Press(Box(1), VK_NEXT);
    Press(Box(1), VK_NEXT);
    ASSERT_FALSE(InView(Box(1)));
    SendMessageA(Box(1), WM_KEYDOWN, 'A', 0);
    SendMessageA(Box(1), WM_CHAR, 'A', 0);
    EXPECT_TRUE(InView(Box(1)));
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
}

// Playing in the real main window and panel, built in this process and driven
// with real messages: the header, keys in the answer boxes, focus moves and
// scrolling.
#include "player/answer_grading.h"
#include "player/app_globals.h"
#include "player/build_settings.h"
#include "player/header_bar.h"
#include "player/panel_controls.h"
#include "player/panel_scroll.h"
#include "resources/resource_ids.h"
#include "tests/support/drawn_icon.h"
#include "tests/support/shell_open_recorder.h"
#include "tests/windows/player/player_window.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A key as the keyboard delivers it to a box: down, then up; with Alt the
// press is a system key.
void Press(HWND box, WPARAM key, bool alt = false)
{
    SendMessageA(box, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? 1 << 29 : 0);
    SendMessageA(box, alt ? WM_SYSKEYUP : WM_KEYUP, key, (alt ? 1 << 29 : 0) | 3u << 30);
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

// What the player shows: every box and its verdict, the reveal labels, the
// score, the code and which box has the focus.
std::string Shown(const PlayerWindow& window, int boxes)
{
    std::string shown;
    for (int n = 1; n <= boxes; ++n)
        shown += WindowText(Box(n)) + " " + Verdict(n) + "|";
    for (int i = 1; i <= boxes; ++i)
        shown += WindowText(GetDlgItem(g_panel, REVEAL_LABEL_BASE + i)) + "|";
    return shown + window.Score() + WindowText(GetDlgItem(window.main, CODE_LABEL_ID)) + " focus " +
           std::to_string(GetDlgCtrlID(GetFocus()));
}

// F1 as the player first did it: the focus taken through every unsolved
// box, each graded as the focus left it, then given back.
void FillByWalkingTheFocus(HWND box, int boxes)
{
    const std::string text = WindowText(box);
    for (int n = 1; n <= boxes; ++n) {
        if (Verdict(n) != "BRAVO") {
            SetWindowTextA(Box(n), text.c_str());
            SetFocus(Box(n));
        }
    }
    SetFocus(box);
}

} // namespace

TEST(Header, ShowsTheQuizAndOpensTheWebSiteFromTheLinkOnly)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 1, 1, REVEAL_NONE));
    for (const char* field : {"Les capitales", "Léa", "Trouvez la capitale de chaque pays."})
        EXPECT_NE(FindWindowExA(window.main, nullptr, "Static", field), nullptr) << field;
    OpenedAddresses().clear();
    for (int id : {SCORE_LABEL_ID, LINK_LABEL_ID}) {
        SendDlgItemMessageA(window.main, id, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendDlgItemMessageA(window.main, id, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    EXPECT_EQ(OpenedAddresses(), std::vector<std::string>{MAKER_WEB_SITE});
}

// The title bar shows the small icon, the task bar the large: each the
// program's own image of that size, not another shrunk, nor the system's.
TEST(Header, TheWindowShowsTheProgramsOwnIcon)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 1, 1, REVEAL_NONE));
    const struct {
        int index;
        int metric;
    } icons[] = {{GCLP_HICONSM, SM_CXSMICON}, {GCLP_HICON, SM_CXICON}};
    for (const auto& icon : icons) {
        const int side = GetSystemMetrics(icon.metric);
        auto* shown = reinterpret_cast<HICON>(GetClassLongPtrA(window.main, icon.index));
        HICON own = GroupImage(GetModuleHandleA(nullptr), MAKEINTRESOURCEW(APPLICATION_ICON), side);
        ASSERT_NE(shown, nullptr) << side;
        ASSERT_NE(own, nullptr) << side;
        EXPECT_EQ(DrawnIcon(shown, side, 0xFF00FF), DrawnIcon(own, side, 0xFF00FF)) << side;
        DestroyIcon(own);
    }
    EXPECT_EQ(SendMessageA(window.main, WM_GETICON, ICON_BIG, 0), 0);
}

// Alt+Enter comes in as Alt+Up does, which the arrow keys' test presses.
TEST(Interaction, EnterGradesAndKeepsTheFocusButTypingNeverGrades)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    SetWindowTextA(Box(2), "Pari");
    SetFocus(Box(2));
    Press(Box(2), VK_RETURN);
    EXPECT_EQ(Verdict(2), "Quasiment");
    EXPECT_EQ(GetFocus(), Box(2));
    // Typing itself never grades, and the two control characters never land.
    SetWindowTextA(Box(1), "");
    for (WPARAM c : {WPARAM('P'), WPARAM('\r'), WPARAM('\t'), WPARAM('a')})
        SendMessageA(Box(1), WM_CHAR, c, 1);
    EXPECT_EQ(WindowText(Box(1)), "Pa");
    EXPECT_EQ(Verdict(1), "?");

    // Coming back to a box selects its first 25 characters.
    SetWindowTextA(Box(1), "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN");
    SetFocus(Box(1));
    EXPECT_EQ(SendMessageA(Box(1), EM_GETSEL, 0, 0), MAKELRESULT(0, 25));
}

// A box takes as much as is graded and saved, 259 characters, however it
// comes: typed, pasted, or put in place of the selection.
TEST(Interaction, ABoxTakesNoMoreThanIsKept)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 1, 1, REVEAL_NONE));
    const auto paste = [](const std::string& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
        SendMessageA(Box(1), WM_PASTE, 0, 0);
    };
    const struct {
        const char* how;
        std::function<void(const std::string&)> put;
    } ways[] = {
        {"typed",
         [](const std::string& text) {
             for (char c : text)
                 SendMessageA(Box(1), WM_CHAR, static_cast<unsigned char>(c), 1);
         }},
        {"pasted", paste},
        {"replacing the selection",
         [](const std::string& text) {
             SendMessageA(Box(1), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
         }},
    };
    for (const auto& way : ways) {
        for (size_t length : {258u, 259u, 260u, 400u}) {
            std::string text;
            for (size_t i = 0; i < length; ++i)
                text += static_cast<char>('a' + i % 26);
            SetWindowTextA(Box(1), "");
            way.put(text);
            EXPECT_EQ(WindowText(Box(1)), text.substr(0, 259)) << way.how << ", " << length;
        }
    }
}

// Two boxes a question: the ring counts boxes, not questions.
TEST(Interaction, TabAndShiftTabGoRoundTheBoxes)
{
    // Shown: under Wine a hidden panel does not move its children.
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 30, 2, REVEAL_NONE), true);
    const struct {
        int from;
        bool shift;
        int to;
    } moves[] = {{5, false, 6}, {60, false, 1}, {2, true, 1}, {1, true, 60}};
    BYTE keys[256];
    GetKeyboardState(keys);
    for (const auto& m : moves) {
        SetWindowTextA(Box(m.from), "Paris");
        SetFocus(Box(m.from));
        keys[VK_SHIFT] = m.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(Box(m.from), WM_KEYUP, VK_TAB, 3u << 30);
        EXPECT_EQ(GetFocus(), Box(m.to)) << m.from << " -> " << m.to;
        EXPECT_NE(Verdict(m.from), "?") << "the box left is graded";
        EXPECT_TRUE(InView(Box(m.to))) << m.from << " -> " << m.to;
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST(Interaction, F1FillsEveryUnsolvedBoxAndKeepsItsBoxInView)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 40, 1, REVEAL_NONE), true);
    CopyText(QuestionAt(*window.quiz, 35)->answer, "Rome");
    Answer(1, "Paris");
    SetWindowTextA(Box(36), "Rome");
    SetFocus(Box(36));
    Press(Box(36), VK_F1);
    EXPECT_EQ(GetFocus(), Box(36));
    EXPECT_TRUE(InView(Box(36)));
    for (int n : {1, 2, 36, 40})
        EXPECT_EQ(WindowText(Box(n)) + " " + Verdict(n), n == 1    ? "Paris BRAVO"
                                                         : n == 36 ? "Rome BRAVO"
                                                                   : "Rome FAUX")
            << n;
}

// F1 grades the filled boxes without walking the focus, in the order and
// with the texts the walk graded them with: the same verdicts, reveals,
// score, code and focus, wherever it is pressed, with one answer or two
// (where a question's boxes are graded together for its reveal).
TEST(Interaction, F1EndsAsWalkingTheFocusThroughTheBoxesDid)
{
    const struct {
        int answers, pressedIn;
        const char* typed[6]; // box n's text before F1
    } cases[] = {
        {1, 4, {"", "Paris", "Rome", "Rome", "", "Pari"}},
        {1, 2, {"", "Rome", "", "Lyon", "Paris", ""}},                 // in a solved box
        {1, 6, {"Paris", "Rome", "Paris", "Paris", "Paris", "Pari"}},  // only itself
        {1, 1, {"Paris", "Rome", "Paris", "Paris", "Paris", "Paris"}}, // all solved
        {2, 3, {"", "France", "Rome", "", "Paris", "Fr"}},
        {2, 6, {"Paris", "", "Rome", "", "", "Rome"}},
    };
    for (int answers = 1; answers <= 2; ++answers) {
        const int questions = 6 / answers;
        PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, questions, answers, REVEAL_TEXT), true);
        for (int i = 1; i <= questions; ++i)
            CopyText(QuestionAt(*window.quiz, i - 1)->revealText,
                     ("vu " + std::to_string(i)).c_str());
        // Question 2 takes "Rome" in every box: one text solves it whole.
        CopyText(QuestionAt(*window.quiz, 1)->answer, "Rome");
        CopyText(QuestionAt(*window.quiz, 1)->secondAnswer, "Rome");
        for (const auto& c : cases) {
            if (c.answers != answers)
                continue;
            std::string ends[2];
            for (int way = 0; way < 2; ++way) {
                for (int n = 1; n <= 6; ++n) {
                    SetWindowTextA(Box(n), c.typed[n - 1]);
                    CheckAnswer(*window.quiz, g_panel, ANSWER_BOX_BASE + n);
                }
                SetFocus(Box(c.pressedIn));
                if (way == 0)
                    FillByWalkingTheFocus(Box(c.pressedIn), 6);
                else
                    FillUnsolvedAnswers(Box(c.pressedIn));
                ends[way] = Shown(window, 6);
            }
            EXPECT_EQ(ends[1], ends[0]) << answers << " answers, F1 in box " << c.pressedIn;
        }
    }
}

// The panel's bars, and the keys and wheel notches that the main window
// turns into scroll requests.
TEST(Interaction, ScrollsByBarsKeysAndWheelWithinItsExtents)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_NONE), true);
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
        {window.main, WM_KEYDOWN, VK_END, bottom},
        {g_panel, WM_VSCROLL, SB_LINEDOWN, bottom},
        {window.main, WM_KEYDOWN, VK_LEFT, bottom}, // not a scrolling key
        {g_panel, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), bottom - 30},
        {window.main, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), bottom - 30}, // one notch only
        {window.main, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), bottom},
    };
    const LONG top = PlaceOf(Box(1)).top;
    for (const auto& s : steps) {
        SendMessageA(s.to, s.message, s.request, 0);
        PumpMessages();
        EXPECT_EQ(GetScrollPos(g_panel, SB_VERT), s.vertical) << s.message << " " << s.request;
    }
    // The children moved with the content, by what the bar kept of each step.
    EXPECT_EQ(PlaceOf(Box(1)).top + bottom, top);
    // Horizontally one pixel a line, and no jump to either end.
    for (const WORD request : {SB_LINERIGHT, SB_RIGHT}) {
        SendMessageA(g_panel, WM_HSCROLL, request, 0);
        EXPECT_EQ(GetScrollPos(g_panel, SB_HORZ), 1) << request;
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
        using Moves = std::vector<std::pair<WPARAM, int>>;
        const Moves pictureMoves = {{VK_DOWN, 2}, {VK_DOWN, 7}, {VK_UP, 2},
                                    {VK_UP, 1},   {VK_UP, 1},   {VK_NEXT, 7}};
        const Moves textMoves = {
            {VK_NEXT, 1 + page}, {VK_NEXT, 1 + 2 * page}, {VK_PRIOR, 1 + page}, {VK_UP, page}};
        SetFocus(Box(1));
        int at = 1;
        for (const auto& [key, to] : text ? textMoves : pictureMoves) {
            const LONG top = PlaceOf(Box(at)).top;
            SetWindowTextA(Box(at), "Pari");
            Press(Box(at), key, key == VK_UP); // Up with Alt: on the press
            EXPECT_EQ(GetFocus(), Box(to)) << layout << ": " << at << ", key " << key;
            EXPECT_TRUE(InView(Box(to))) << to;
            EXPECT_TRUE(to == at || Verdict(at) != "?") << at << ", graded when left";
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
    const LONG top = PlaceOf(Box(1)).top;
    SetWindowPos(window.main, nullptr, 0, 0, 600, 200, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(g_panel, WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_GT(GetScrollPos(g_panel, SB_VERT), 0);
    SetWindowPos(window.main, nullptr, 0, 0, 1000, 800, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(GetScrollPos(g_panel, SB_VERT), 0);
    EXPECT_EQ(PlaceOf(Box(1)).top, top);
    EXPECT_EQ(PageHeight, ContentHeight);
}

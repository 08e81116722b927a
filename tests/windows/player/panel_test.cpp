// The question panel built from quiz records in this process, and graded
// through its real controls. This program carries question pictures 401-405
// (640x480, 480x640, 1024x768, 100x50, 260x260), no 406, a 407 that is not a
// picture, 408-430 (1024x768), and reveal pictures 10401, 10428 and 10430
// (300x150) and 10404 (640x480).
#include "player/answer_grading.h"
#include "player/answers_file.h"
#include "player/app_globals.h"
#include "player/header_bar.h"
#include "player/main_window.h"
#include "player/panel.h"
#include "player/panel_controls.h"
#include "player/picture_loading.h"
#include "player/question_picture.h"
#include "tests/windows/player/player_window.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <array>
#include <fstream>
#include <set>

namespace {

// x, y, width and height in the panel.
using Rect = std::array<LONG, 4>;

Rect PlaceOfControl(HWND control)
{
    const RECT r = PlaceOf(control);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

HBITMAP ShownBitmap(int question)
{
    return reinterpret_cast<HBITMAP>(
        SendDlgItemMessageA(g_panel, PICTURE_BASE + question, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

HBRUSH VerdictBrush(int n)
{
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(g_panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(g_panel, VERDICT_LABEL_BASE + n))));
    DeleteDC(dc);
    return brush;
}

DWORD ThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

} // namespace

TEST(Panel, FitsAndCentresEveryPicture)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 7, 1, REVEAL_NONE));
    const struct {
        int question;
        Rect place;
        bool shown;
    } pictures[] = {
        {1, {30, 52, 260, 195}, true},    // 640 x 480
        {2, {352, 20, 195, 260}, true},   // 480 x 640
        {4, {30, 415, 260, 130}, true},   // 100 x 50, enlarged
        {6, {610, 350, 260, 260}, false}, // missing: an empty square
        {7, {30, 680, 260, 260}, false},  // not a picture
    };
    for (const auto& p : pictures) {
        EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + p.question)), p.place)
            << p.question;
        EXPECT_EQ(ShownBitmap(p.question) != nullptr, p.shown) << p.question;
    }
}

// The pictures come in the background: those of the first screen are in
// place when the panel is made, before any message is handled, and the
// others when they come, each in a bitmap of its own. Questions solved by
// the restored answers, or answered before their picture came, show their
// reveal picture where a reveal goes, or their own picture when they have
// no reveal picture.
TEST(Panel, ShowsTheFirstScreenAtOnceAndEveryOtherPictureWhenItComes)
{
    InNewDirectory directory;
    wchar_t answers[MAX_PATH];
    AnswersFileName(answers);
    {
        std::ofstream file(answers, std::ios::binary);
        for (int i = 1; i <= 30; ++i)
            file << (i == 1 || i == 2 || i == 28 ? "Paris" : "") << "\r\n";
    }
    auto quiz = MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_PICTURE);
    g_quiz = quiz.get();
    HWND main = CreateMainWindow();
    g_panel = CreatePanel(main);
    for (int question = 1; question <= 5; ++question)
        EXPECT_NE(ShownBitmap(question), nullptr) << question << ", on the first screen";
    SetWindowTextA(Box(30), "Paris");
    CheckAnswer(*quiz, g_panel, ANSWER_BOX_BASE + 30);
    WaitForPictures();

    const struct {
        int question;
        Rect place;
    } pictures[] = {
        {1, {20, 85, 260, 130}},     // solved: its reveal picture, ten pixels left
        {2, {352, 20, 195, 260}},    // solved, no reveal picture: its own
        {9, {610, 712, 260, 195}},   // 1024 x 768, row 3
        {28, {20, 3055, 260, 130}},  // solved before its picture came
        {29, {320, 3022, 260, 195}}, // 1024 x 768, last row
        {30, {600, 3055, 260, 130}}, // answered while the pictures came
    };
    for (const auto& p : pictures)
        EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + p.question)), p.place)
            << p.question;
    std::set<HBITMAP> bitmaps;
    for (int question = 1; question <= 30; ++question)
        if (question != 6 && question != 7)
            bitmaps.insert(ShownBitmap(question));
    EXPECT_EQ(bitmaps.size(), 28u) << "one bitmap each";
    EXPECT_EQ(bitmaps.count(nullptr), 0u);
    DestroyWindow(main);
    DeleteFileW(answers);
}

// Closing while pictures are still being decoded waits for the ones under
// way, deletes what never reached the screen, and leaves no thread behind.
TEST(Panel, ClosingWhilePicturesLoadLeavesNothingRunning)
{
    const DWORD threads = ThreadsOfThisProcess();
    for (int run = 0; run < 3; ++run) {
        auto quiz = MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_NONE);
        g_quiz = quiz.get();
        HWND main = CreateMainWindow();
        g_panel = CreatePanel(main);
        DestroyWindow(main);
        EXPECT_FALSE(PicturesLoading());
        EXPECT_EQ(ThreadsOfThisProcess(), threads);
        PumpMessages();
    }
}

TEST(Panel, GradesBoxesAndColoursTheirVerdicts)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 5, 1, REVEAL_NONE));
    const COLORREF system = GetSysColor(COLOR_BTNFACE); // "?" keeps the system colours
    const struct {
        int n;
        const char *typed, *verdict;
        COLORREF colour;
        const char *score, *code;
    } steps[] = {
        {1, "Paris", "BRAVO", RGB(0, 255, 0), " 1 / 5", "CODE1"},
        {3, "  paris ", "BRAVO", RGB(0, 255, 0), " 2 / 5", "CODE2"},
        {2, "Lyon", "FAUX", RGB(255, 0, 0), " 2 / 5", "CODE2"},
        {4, "Psari", "Anagramme", RGB(255, 100, 0), " 2 / 5", "CODE2"},
        {1, "Pari", "Quasiment", RGB(255, 203, 38), " 1 / 5", "CODE1"}, // every other verdict
        {3, "", "?", system, " 0 / 5", "      "},
    };
    for (const auto& s : steps) {
        Answer(s.n, s.typed);
        EXPECT_EQ(Verdict(s.n), s.verdict) << s.typed;
        LOGBRUSH brush = {};
        GetObjectA(VerdictBrush(s.n), sizeof brush, &brush);
        EXPECT_EQ(brush.lbColor, s.colour) << s.typed;
        EXPECT_EQ(VerdictBrush(s.n), VerdictBrush(s.n)) << "one brush per colour";
        EXPECT_EQ(window.Score(), s.score) << s.typed;
        EXPECT_EQ(WindowText(GetDlgItem(window.main, CODE_LABEL_ID)), s.code) << s.typed;
    }
}

TEST(Panel, CountsAQuestionOfTwoAnswersOnlyWhenBothAreRight)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 3, 2, REVEAL_TEXT));
    CopyText(QuestionAt(*window.quiz, 2)->revealText, "Capitale de la France");
    HWND reveal = GetDlgItem(g_panel, REVEAL_LABEL_BASE + 3);
    const struct {
        int n;
        const char *typed, *verdict, *score, *reveal;
    } steps[] = {
        {5, "Paris", "BRAVO", " 0 / 3", ""},
        {6, "FRANCE", "BRAVO", " 1 / 3", ""}, // right, but not as stored: reveals nothing
        {6, "France", "BRAVO", " 1 / 3", "Capitale de la France"},
        {5, "Pari", "Quasiment", " 0 / 3", ""}, // any other verdict hides it again
        {4, "France", "BRAVO", " 0 / 3", ""},   // box 4004 is question 2's second answer
    };
    for (const auto& s : steps) {
        Answer(s.n, s.typed);
        EXPECT_EQ(Verdict(s.n), s.verdict) << s.n << " " << s.typed;
        EXPECT_EQ(window.Score(), s.score) << s.n << " " << s.typed;
        EXPECT_EQ(WindowText(reveal), s.reveal) << s.n << " " << s.typed;
    }
}

TEST(Panel, RevealsThePictureWhereTheCellIsNow)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 4, 1, REVEAL_PICTURE), true);
    HBITMAP question1 = ShownBitmap(1);
    Answer(1, "Paris");
    EXPECT_NE(ShownBitmap(1), question1);
    EXPECT_EQ(GetObjectType(question1), 0u) << "the replaced bitmap is deleted";
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 1)), (Rect{20, 85, 260, 130}));

    HBITMAP question2 = ShownBitmap(2);
    Answer(2, "Paris"); // no reveal picture: the question picture stays
    EXPECT_EQ(ShownBitmap(2), question2);

    // Scrolled by 100 pixels, the reveal picture still lands in its cell.
    ScrollWindow(g_panel, 0, -100, nullptr, nullptr);
    Answer(4, "Paris");
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 4)),
              (Rect{20, 350 + 32 - 100, 260, 195}));
}

// For a new pupil every reveal picture shown gives way to its question's
// picture, in the place it had at start; the others stay as they are.
TEST(Panel, PutsTheQuestionPicturesBackForANewStart)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 4, 1, REVEAL_PICTURE), true);
    const Rect first = PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 1));
    const Rect fourth = PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 4));
    Answer(1, "Paris");
    Answer(2, "Paris"); // no reveal picture
    HBITMAP question2 = ShownBitmap(2), question3 = ShownBitmap(3);
    ASSERT_NE(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 1)), first);
    HideRevealPictures(g_panel);
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 1)), first);
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 4)), fourth);
    EXPECT_EQ(ShownBitmap(2), question2);
    EXPECT_EQ(ShownBitmap(3), question3);
    // Revealed again, and put back again.
    Answer(1, "Lyon");
    Answer(1, "Paris");
    EXPECT_NE(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 1)), first);
    HideRevealPictures(g_panel);
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 1)), first);
}

// Questions solved by the restored answers before their pictures came show
// their own pictures when the reveals are put back meanwhile, whether their
// reveal picture was still to be decoded, under way, or ready.
TEST(Panel, PutsTheQuestionPicturesBackBeforeTheyCome)
{
    InNewDirectory directory;
    wchar_t answers[MAX_PATH];
    AnswersFileName(answers);
    {
        std::ofstream file(answers, std::ios::binary);
        for (int i = 1; i <= 30; ++i)
            file << (i == 28 || i == 30 ? "Paris" : "") << "\r\n";
    }
    auto quiz = MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_PICTURE);
    g_quiz = quiz.get();
    HWND main = CreateMainWindow();
    g_panel = CreatePanel(main);
    HideRevealPictures(g_panel);
    WaitForPictures();
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 28)), (Rect{30, 3022, 260, 195}));
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 30)), (Rect{610, 3022, 260, 195}));
    DestroyWindow(main);
    DeleteFileW(answers);
}

// Long play must not pile up GDI objects or handles: every grading rewrites
// labels and asks for a verdict brush, every reveal decodes a picture and
// swaps bitmaps. Under Wine GetGuiResources and GetProcessHandleCount always
// answer 0: there handles are counted by asking each possible value, and
// the reveal test checks that the replaced bitmap is deleted.
TEST(Panel, ManyGradingsAndRevealsLeaveObjectsFlat)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 4, 1, REVEAL_PICTURE));
    const auto objects = [] {
        DWORD handles = 0, flags = 0;
        for (ULONG_PTR value = 4; value < 0x10000; value += 4)
            handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
        return std::make_pair(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), handles);
    };
    // Box 1 is solved each time, which reveals its picture again.
    const auto play = [&](int gradings) {
        const char* typed[] = {"Paris", "Pari", "Lyon", "Psari", ""};
        for (int i = 0; i < gradings; ++i) {
            const int n = 1 + i % 4;
            SetWindowTextA(Box(n), n == 1 ? "Paris" : typed[i % 5]);
            CheckAnswer(*window.quiz, g_panel, ANSWER_BOX_BASE + n);
            VerdictBrush(n);
        }
    };
    play(20); // what is made once and kept
    const auto before = objects();
    play(4000);
    EXPECT_EQ(objects(), before);
}

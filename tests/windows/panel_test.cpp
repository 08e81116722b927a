// The question panel built from quiz records in this process, and graded
// through its real controls. This program carries question pictures 401-405
// (640x480, 480x640, 1024x768, 100x50, 260x260), no 406, a 407 that is not a
// picture, and reveal pictures 10401 (300x150) and 10404 (640x480).
#include "checking/answer_grading.h"
#include "tests/windows/player_window.h"
#include "ui/app_globals.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

namespace {

struct Rect {
    int x, y, width, height;
    bool operator==(const Rect& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.x << ", " << r.y << ") " << r.width << " x " << r.height;
}

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

} // namespace

TEST(Panel, PlacesEveryControlOfEachLayout)
{
    const struct {
        int layout, questions, answers, reveal;
    } quizzes[] = {
        {LAYOUT_PICTURE, 5, 1, REVEAL_PICTURE}, {LAYOUT_PICTURE, 4, 1, REVEAL_TEXT},
        {LAYOUT_PICTURE, 3, 2, REVEAL_NONE},    {LAYOUT_TEXT, 2, 1, REVEAL_NONE},
        {LAYOUT_TEXT, 2, 2, REVEAL_NONE},       {LAYOUT_AUDIO, 4, 1, REVEAL_NONE},
        {LAYOUT_VIDEO, 2, 1, REVEAL_NONE},
    };
    const struct {
        size_t quiz;
        int id;
        Rect place;
    } controls[] = {
        {0, ANSWER_BOX_BASE + 1, {30, 290, 260, 20}},
        {0, VERDICT_LABEL_BASE + 1, {30, 309, 260, 21}},
        {0, REVEAL_LABEL_BASE + 1, {30, 336, 260, 35}},
        {0, ANSWER_BOX_BASE + 5, {320, 620, 260, 20}},
        // Taller rows with reveal texts.
        {1, ANSWER_BOX_BASE + 4, {30, 650, 260, 20}},
        {2, ANSWER_BOX_BASE + 1, {120, 290, 190, 21}},
        {2, ANSWER_BOX_BASE + 2, {120, 310, 190, 21}},
        {2, VERDICT_LABEL_BASE + 1, {315, 291, 60, 17}},
        {2, ANSWER_BOX_BASE + 5, {700, 290, 190, 21}},
        {2, VERDICT_LABEL_BASE + 6, {895, 311, 60, 17}},
        {3, QUESTION_LABEL_ID, {50, 10, 550, 20}},
        {3, ANSWER_BOX_BASE + 1, {615, 10, 100, 20}},
        {3, VERDICT_LABEL_BASE + 1, {720, 9, 90, 21}},
        {3, ANSWER_BOX_BASE + 2, {615, 35, 100, 20}},
        {4, ANSWER_BOX_BASE + 2, {615, 30, 50, 21}},
        {4, VERDICT_LABEL_BASE + 2, {670, 31, 60, 17}},
        {4, ANSWER_BOX_BASE + 3, {615, 35, 50, 21}},
        {5, PLAY_BUTTON_BASE + 1, {30, 110, 20, 21}},
        {5, STOP_BUTTON_BASE + 1, {30, 131, 20, 20}},
        {5, ANSWER_BOX_BASE + 1, {50, 110, 220, 20}},
        {5, VERDICT_LABEL_BASE + 1, {50, 129, 220, 21}},
        {5, PLAY_BUTTON_BASE + 4, {30, 230, 20, 21}},
        {6, FILM_HOST_BASE + 1, {15, 30, 200, 150}},
        {6, PLAY_BUTTON_BASE + 1, {15, 240, 20, 20}},
        {6, STOP_BUTTON_BASE + 1, {15, 260, 20, 20}},
        {6, ANSWER_BOX_BASE + 1, {35, 240, 230, 20}},
        {6, VERDICT_LABEL_BASE + 1, {35, 259, 230, 21}},
        {6, FILM_HOST_BASE + 2, {305, 30, 200, 150}},
    };
    std::unique_ptr<PlayerWindow> window;
    size_t built = SIZE_MAX;
    for (const auto& c : controls) {
        if (c.quiz != built) {
            const auto& q = quizzes[built = c.quiz];
            window.reset();
            window = std::make_unique<PlayerWindow>(
                MakeQuiz(q.layout, q.questions, q.answers, q.reveal));
        }
        EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, c.id)), c.place) << c.quiz << ": " << c.id;
        if (c.id == QUESTION_LABEL_ID) {
            EXPECT_EQ(TextOf(GetDlgItem(g_panel, c.id)), "Quelle ville ?");
        }
    }
    window.reset();

    // Two captions per row, level with the boxes; one "%d." per question.
    PlayerWindow captioned(MakeQuiz(LAYOUT_PICTURE, 4, 2, REVEAL_NONE));
    std::vector<Rect> captions;
    int numbers = 0;
    for (HWND child = GetWindow(g_panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == ANSWER_CAPTION_ID)
            captions.push_back(PlaceOfControl(child));
        numbers += GetDlgCtrlID(child) == NUMBER_LABEL_ID;
    }
    EXPECT_EQ(captions,
              (std::vector<Rect>{
                  {3, 292, 95, 20}, {3, 312, 95, 20}, {3, 622, 95, 20}, {3, 642, 95, 20}}));
    EXPECT_EQ(numbers, 4);
}

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
        {3, {610, 52, 260, 195}, true},   // 1024 x 768
        {4, {30, 415, 260, 130}, true},   // 100 x 50, enlarged
        {5, {320, 350, 260, 260}, true},  // 260 x 260
        {6, {610, 350, 260, 260}, false}, // missing: an empty square
        {7, {30, 680, 260, 260}, false},  // not a picture
    };
    for (const auto& p : pictures) {
        EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + p.question)), p.place)
            << p.question;
        BITMAP info = {};
        EXPECT_EQ(GetObjectA(ShownBitmap(p.question), sizeof info, &info) != 0, p.shown)
            << p.question;
        EXPECT_EQ(info.bmWidth, p.shown ? p.place.width : 0) << p.question;
        EXPECT_EQ(info.bmHeight, p.shown ? p.place.height : 0) << p.question;
    }
}

TEST(Panel, GradesBoxesAndColoursTheirVerdicts)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 5, 1, REVEAL_NONE));
    for (int i = 0; i < 5; ++i)
        CopyText(window.quiz->codes[i], ("CODE" + std::to_string(i + 1)).c_str());
    EXPECT_EQ(window.Score(), " 0 / 5");
    EXPECT_EQ(window.Code(), "      ");
    const COLORREF system = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(BrushColour(VerdictBrush(1)), system) << "\"?\" keeps the system colours";
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
        {5, "Pari", "Quasiment", RGB(255, 203, 38), " 2 / 5", "CODE2"},
        {1, "Pas Paris", "Trop long", RGB(255, 203, 38), " 1 / 5", "CODE1"},
        {3, "", "?", system, " 0 / 5", "      "},
    };
    for (const auto& s : steps) {
        Answer(s.n, s.typed);
        EXPECT_EQ(Verdict(s.n), s.verdict) << s.typed;
        EXPECT_EQ(BrushColour(VerdictBrush(s.n)), s.colour) << s.typed;
        EXPECT_EQ(VerdictBrush(s.n), VerdictBrush(s.n)) << "one brush per colour";
        EXPECT_EQ(window.Score(), s.score) << s.typed;
        EXPECT_EQ(window.Code(), s.code) << s.typed;
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
        {3, "France", "FAUX", " 0 / 3", ""},
    };
    for (const auto& s : steps) {
        Answer(s.n, s.typed);
        EXPECT_EQ(Verdict(s.n), s.verdict) << s.n << " " << s.typed;
        EXPECT_EQ(window.Score(), s.score) << s.n << " " << s.typed;
        EXPECT_EQ(TextOf(reveal), s.reveal) << s.n << " " << s.typed;
    }
}

TEST(Panel, RevealsThePictureWhereTheCellIsNow)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 4, 1, REVEAL_PICTURE), true);
    HBITMAP question1 = ShownBitmap(1);
    Answer(1, "Paris");
    HBITMAP reveal1 = ShownBitmap(1);
    EXPECT_NE(reveal1, question1);
    EXPECT_EQ(GetObjectType(question1), 0u) << "the replaced bitmap is deleted";
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 1)), (Rect{20, 85, 260, 130}));
    Answer(1, "Paris"); // again: a new bitmap, the old one deleted
    EXPECT_EQ(GetObjectType(reveal1), 0u);

    HBITMAP question2 = ShownBitmap(2);
    Answer(2, "Paris"); // no reveal picture: the question picture stays
    EXPECT_EQ(ShownBitmap(2), question2);
    EXPECT_EQ(Verdict(2), "BRAVO");

    // Scrolled by 100 pixels, the reveal picture still lands in its cell.
    ScrollWindow(g_panel, 0, -100, nullptr, nullptr);
    Answer(4, "Paris");
    EXPECT_EQ(PlaceOfControl(GetDlgItem(g_panel, PICTURE_BASE + 4)),
              (Rect{20, 350 + 32 - 100, 260, 195}));
}

// Long play must not pile up GDI objects or handles: every grading rewrites
// labels and asks for verdict brushes, every reveal decodes a picture and
// swaps bitmaps. (Under Wine GetGuiResources always answers 0, so there the
// deleted bitmaps are what is checked; on Windows it counts for real.)
TEST(Panel, ManyGradingsAndRevealsLeaveObjectsFlat)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 4, 1, REVEAL_PICTURE));
    HANDLE process = GetCurrentProcess();
    const auto gdiObjects = [&] { return GetGuiResources(process, GR_GDIOBJECTS); };
    // GetProcessHandleCount is another of Wine's zeros; asking each possible
    // handle value works everywhere.
    const auto handles = [] {
        DWORD count = 0;
        DWORD flags = 0;
        for (ULONG_PTR value = 4; value < 0x10000; value += 4)
            count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
        return count;
    };
    const char* typed[] = {"Paris", "Pari", "Lyon", "Psari", ""};
    const auto grade = [&](int n, const char* text) {
        SetWindowTextA(Box(n), text);
        CheckAnswer(*window.quiz, g_panel, ANSWER_BOX_BASE + n);
        VerdictBrush(n);
    };
    // One round first, so that what is made once and kept already exists.
    grade(1, "Paris");
    for (int n = 1; n <= 4; ++n)
        for (const char* text : typed)
            grade(n, text);
    const DWORD gdiBefore = gdiObjects();
    const DWORD handlesBefore = handles();

    for (int i = 0; i < 10000; ++i)
        grade(2 + i % 3, typed[i % 5]);
    for (int i = 0; i < 1000; ++i) {
        HBITMAP shown = ShownBitmap(1);
        grade(1, "Paris");
        ASSERT_EQ(GetObjectType(shown), 0u) << "reveal " << i << " kept the bitmap it replaced";
    }
    EXPECT_EQ(gdiObjects(), gdiBefore);
    EXPECT_EQ(handles(), handlesBefore);
    printf("10000 gradings, 1000 reveals: GDI objects %lu -> %lu, handles %lu -> %lu\n",
           static_cast<unsigned long>(gdiBefore), static_cast<unsigned long>(gdiObjects()),
           static_cast<unsigned long>(handlesBefore), static_cast<unsigned long>(handles()));
}

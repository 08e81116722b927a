// The question panel built from quiz records in this process, and graded
// through its real controls. This program carries question pictures 401-405
// (640x480, 480x640, 1024x768, 100x50, 260x260), no 406, a 407 that is not a
// picture, and reveal pictures 10401 (300x150) and 10404 (640x480).
#include "checking/answer_grading.h"
#include "tests/windows/player_window.h"
#include "ui/app_globals.h"
#include "ui/header_bar.h"
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

Rect PlaceOfControl(int id)
{
    const RECT r = PlaceOf(GetDlgItem(g_panel, id));
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Types text into box n and leaves it, as a user does.
void Answer(int n, const char* text)
{
    HWND box = GetDlgItem(g_panel, ANSWER_BOX_BASE + n);
    SetWindowTextA(box, text);
    SetFocus(box);
    SetFocus(g_panel);
}

std::string Verdict(int n)
{
    return TextOf(GetDlgItem(g_panel, VERDICT_LABEL_BASE + n));
}
std::string Score(const PlayerWindow& w)
{
    return TextOf(GetDlgItem(w.main, SCORE_LABEL_ID));
}
std::string Code(const PlayerWindow& w)
{
    return TextOf(GetDlgItem(w.main, CODE_LABEL_ID));
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
        const char* name;
        int layout, questions, answers, reveal;
        std::vector<std::pair<int, Rect>> controls;
    } cases[] = {
        {"picture",
         LAYOUT_PICTURE,
         5,
         1,
         REVEAL_PICTURE,
         {{PICTURE_BASE + 1, {30, 52, 260, 195}},
          {ANSWER_BOX_BASE + 1, {30, 290, 260, 20}},
          {VERDICT_LABEL_BASE + 1, {30, 309, 260, 21}},
          {REVEAL_LABEL_BASE + 1, {30, 336, 260, 35}},
          {PICTURE_BASE + 5, {320, 350, 260, 260}},
          {ANSWER_BOX_BASE + 5, {320, 620, 260, 20}}}},
        {"picture, taller rows with reveal texts",
         LAYOUT_PICTURE,
         4,
         1,
         REVEAL_TEXT,
         {{ANSWER_BOX_BASE + 1, {30, 290, 260, 20}}, {ANSWER_BOX_BASE + 4, {30, 650, 260, 20}}}},
        {"picture, two answers",
         LAYOUT_PICTURE,
         3,
         2,
         REVEAL_NONE,
         {{ANSWER_BOX_BASE + 1, {120, 290, 190, 21}},
          {ANSWER_BOX_BASE + 2, {120, 310, 190, 21}},
          {VERDICT_LABEL_BASE + 1, {315, 291, 60, 17}},
          {VERDICT_LABEL_BASE + 2, {315, 311, 60, 17}},
          {ANSWER_BOX_BASE + 5, {700, 290, 190, 21}},
          {VERDICT_LABEL_BASE + 6, {895, 311, 60, 17}}}},
        {"text",
         LAYOUT_TEXT,
         2,
         1,
         REVEAL_NONE,
         {{ANSWER_BOX_BASE + 1, {615, 10, 100, 20}},
          {VERDICT_LABEL_BASE + 1, {720, 9, 90, 21}},
          {ANSWER_BOX_BASE + 2, {615, 35, 100, 20}}}},
        {"text, two answers",
         LAYOUT_TEXT,
         2,
         2,
         REVEAL_NONE,
         {{ANSWER_BOX_BASE + 1, {615, 10, 50, 21}},
          {ANSWER_BOX_BASE + 2, {615, 30, 50, 21}},
          {VERDICT_LABEL_BASE + 2, {670, 31, 60, 17}},
          {ANSWER_BOX_BASE + 3, {615, 35, 50, 21}}}},
        {"audio",
         LAYOUT_AUDIO,
         4,
         1,
         REVEAL_NONE,
         {{PLAY_BUTTON_BASE + 1, {30, 110, 20, 21}},
          {STOP_BUTTON_BASE + 1, {30, 131, 20, 20}},
          {ANSWER_BOX_BASE + 1, {50, 110, 220, 20}},
          {VERDICT_LABEL_BASE + 1, {50, 129, 220, 21}},
          {PLAY_BUTTON_BASE + 4, {30, 230, 20, 21}}}},
        {"video",
         LAYOUT_VIDEO,
         2,
         1,
         REVEAL_NONE,
         {{FILM_HOST_BASE + 1, {15, 30, 200, 150}},
          {PLAY_BUTTON_BASE + 1, {15, 240, 20, 20}},
          {STOP_BUTTON_BASE + 1, {15, 260, 20, 20}},
          {ANSWER_BOX_BASE + 1, {35, 240, 230, 20}},
          {VERDICT_LABEL_BASE + 1, {35, 259, 230, 21}},
          {FILM_HOST_BASE + 2, {305, 30, 200, 150}}}},
    };
    for (const auto& c : cases) {
        PlayerWindow window(MakeQuiz(c.layout, c.questions, c.answers, c.reveal));
        for (const auto& [id, place] : c.controls)
            EXPECT_EQ(PlaceOfControl(id), place) << c.name << ", control " << id;
    }
}

TEST(Panel, LabelsNumbersCaptionsAndQuestionTexts)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 4, 2, REVEAL_NONE));
    CopyText(window.quiz->firstAnswerCaption, "Ville");
    std::vector<Rect> captions, numbers;
    for (HWND child = GetWindow(g_panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = PlaceOf(child);
        const Rect place = {r.left, r.top, r.right - r.left, r.bottom - r.top};
        if (GetDlgCtrlID(child) == ANSWER_CAPTION_ID)
            captions.push_back(place);
        if (GetDlgCtrlID(child) == NUMBER_LABEL_ID)
            numbers.push_back(place);
    }
    // Two captions per row, level with the boxes; one "%d." per question.
    const std::vector<Rect> rows = {
        {3, 292, 95, 20}, {3, 312, 95, 20}, {3, 622, 95, 20}, {3, 642, 95, 20}};
    for (const Rect& row : rows)
        EXPECT_NE(std::find(captions.begin(), captions.end(), row), captions.end()) << row;
    EXPECT_EQ(captions.size(), 4u);
    EXPECT_EQ(numbers.size(), 4u);

    PlayerWindow text(MakeQuiz(LAYOUT_TEXT, 2, 1, REVEAL_NONE));
    HWND question = GetDlgItem(g_panel, QUESTION_LABEL_ID);
    EXPECT_EQ(TextOf(question), "Quelle ville ?");
    EXPECT_EQ(PlaceOfControl(QUESTION_LABEL_ID), (Rect{50, 10, 550, 20}));
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
        EXPECT_EQ(PlaceOfControl(PICTURE_BASE + p.question), p.place) << p.question;
        HBITMAP bitmap = ShownBitmap(p.question);
        EXPECT_EQ(bitmap != nullptr, p.shown) << p.question;
        if (bitmap) {
            BITMAP info = {};
            GetObjectA(bitmap, sizeof info, &info);
            EXPECT_EQ(info.bmWidth, p.place.width) << p.question;
            EXPECT_EQ(info.bmHeight, p.place.height) << p.question;
        }
    }
}

TEST(Panel, GradesBoxesAndColoursTheirVerdicts)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 5, 1, REVEAL_NONE));
    for (int i = 0; i < 5; ++i)
        CopyText(window.quiz->codes[i], ("CODE" + std::to_string(i + 1)).c_str());
    EXPECT_EQ(Score(window), " 0 / 5");
    EXPECT_EQ(Code(window), "      ");
    const COLORREF system = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(BrushColour(VerdictBrush(1)), system) << "\"?\" keeps the system colours";

    const struct {
        int n;
        const char* typed;
        const char* verdict;
        COLORREF colour;
        const char* score;
        const char* code;
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
        EXPECT_EQ(Score(window), s.score) << s.typed;
        EXPECT_EQ(Code(window), s.code) << s.typed;
    }
}

TEST(Panel, CountsAQuestionOfTwoAnswersOnlyWhenBothAreRight)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 3, 2, REVEAL_TEXT));
    CopyText(QuestionAt(*window.quiz, 2)->revealText, "Capitale de la France");
    HWND reveal = GetDlgItem(g_panel, REVEAL_LABEL_BASE + 3);

    Answer(5, "Paris");
    EXPECT_EQ(Score(window), " 0 / 3");
    EXPECT_EQ(TextOf(reveal), "");
    Answer(6, "FRANCE"); // right, but not as stored: counts, reveals nothing
    EXPECT_EQ(Verdict(6), "BRAVO");
    EXPECT_EQ(Score(window), " 1 / 3");
    EXPECT_EQ(TextOf(reveal), "");
    Answer(6, "France");
    EXPECT_EQ(TextOf(reveal), "Capitale de la France");
    Answer(5, "Pari");
    EXPECT_EQ(TextOf(reveal), "") << "any other verdict hides it again";
    EXPECT_EQ(Score(window), " 0 / 3");
    // Box 4004 is question 2's second answer.
    Answer(4, "France");
    EXPECT_EQ(Verdict(4), "BRAVO");
    Answer(3, "France");
    EXPECT_EQ(Verdict(3), "FAUX");
}

TEST(Panel, RevealsThePictureWhereTheCellIsNow)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 4, 1, REVEAL_PICTURE), true);
    HBITMAP question1 = ShownBitmap(1);
    Answer(1, "Paris");
    HBITMAP reveal1 = ShownBitmap(1);
    EXPECT_NE(reveal1, question1);
    EXPECT_EQ(GetObjectType(question1), 0u) << "the replaced bitmap is deleted";
    EXPECT_EQ(PlaceOfControl(PICTURE_BASE + 1), (Rect{20, 85, 260, 130})); // 300 x 150

    Answer(1, "Paris"); // again: a new bitmap, the old one deleted
    EXPECT_EQ(GetObjectType(reveal1), 0u);

    HBITMAP question2 = ShownBitmap(2);
    Answer(2, "Paris"); // no reveal picture: the question picture stays
    EXPECT_EQ(ShownBitmap(2), question2);
    EXPECT_EQ(Verdict(2), "BRAVO");

    // Scrolled by 100 pixels, the reveal picture still lands in its cell.
    ScrollWindow(g_panel, 0, -100, nullptr, nullptr);
    Answer(4, "Paris");
    EXPECT_EQ(PlaceOfControl(PICTURE_BASE + 4), (Rect{20, 350 + 32 - 100, 260, 195}));
}

TEST(Panel, FillsEveryUnsolvedBoxWithTheTextOfOne)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 4, 1, REVEAL_NONE));
    CopyText(QuestionAt(*window.quiz, 3)->answer, "Rome");
    Answer(1, "Paris");
    Answer(3, "Lyon");
    HWND box = GetDlgItem(g_panel, ANSWER_BOX_BASE + 3);
    SetWindowTextA(box, "Rome");
    SetFocus(box);
    FillUnsolvedAnswers(box);

    EXPECT_EQ(GetFocus(), box);
    const char* texts[] = {"Paris", "Rome", "Rome", "Rome"};
    const char* verdicts[] = {"BRAVO", "FAUX", "FAUX", "BRAVO"};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(TextOf(GetDlgItem(g_panel, ANSWER_BOX_BASE + n)), texts[n - 1]) << n;
        EXPECT_EQ(Verdict(n), verdicts[n - 1]) << n;
    }
    EXPECT_EQ(Score(window), " 2 / 4");
}

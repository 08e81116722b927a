// The packed player started under Wine as a user starts it; a robot types
// answers into boxes found by identifier, confirms them, reads the verdicts,
// closes the window and starts the player again.
#include "player/header_bar.h"
#include "player/panel_controls.h"
#include "quiz/pupil_results.h"
#include "resources/resource_ids.h"
#include "tests/e2e/carried_photo.h"
#include "tests/robot/player_process.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(Play, AnswersAreGradedSavedAndRestored)
{
    const auto quiz = QuizResources(*MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    const char* const typed[] = {"paris", "Pari", "Paris"};
    const std::string program = TemporaryPath("capitales.exe");
    const std::string answers = AnswersPath(program);
    DeleteFileA(answers.c_str());
    // The caption and score, then each box's text and verdict and the score
    // after it: the first run types the answers, the second finds them.
    const std::string runs[] = {
        "Les capitales 0 / 3|paris BRAVO 1 / 3|Pari Quasiment 1 / 3|Paris BRAVO 2 / 3",
        "Les capitales 2 / 3|paris BRAVO 2 / 3|Pari Quasiment 2 / 3|Paris BRAVO 2 / 3"};
    for (int run = 0; run < 2; ++run) {
        PlayerProcess player(program, quiz);
        HWND main = player.WaitForMainWindow(30000);
        ASSERT_NE(main, nullptr);
        HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
        const auto score = [main] { return WindowText(GetDlgItem(main, SCORE_LABEL_ID)); };
        std::string seen = WindowText(main) + score();
        for (int n = 1; n <= 3; ++n) {
            HWND box = GetDlgItem(panel, ANSWER_BOX_BASE + n);
            if (run == 0) {
                SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed[n - 1]));
                SendMessageA(box, WM_KEYUP, VK_RETURN, 3u << 30);
            }
            seen += "|" + WindowText(box) + " " +
                    WindowText(GetDlgItem(panel, VERDICT_LABEL_BASE + n)) + score();
        }
        EXPECT_EQ(seen, runs[run]);
        RECT desktop, own; // centred
        GetWindowRect(GetDesktopWindow(), &desktop);
        GetWindowRect(main, &own);
        EXPECT_NEAR(own.left + own.right, desktop.right, 1);
        EXPECT_NEAR(own.top + own.bottom, desktop.bottom, 1);
        PostMessageA(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(player.WaitForExit(30000), 0u);
        EXPECT_EQ(FileText(answers), "paris\r\nPari\r\nParis\r\n");
    }
    DeleteFileA(answers.c_str());
}

// A quiz that asks for work asks the pupil's name before its window shows:
// another pupil than the last starts from empty boxes, the name is remembered beside the
// answers, and the window offers the two commands.
TEST(Play, AQuizAskingForWorkAsksTheNameFirst)
{
    auto quiz = QuizResources(*MakeQuiz(LAYOUT_TEXT, 2, 1, REVEAL_NONE));
    quiz.push_back({"PATCH", WORK_KEY_RESOURCE, WorkKey("Les capitales")});
    const std::string program = TemporaryPath("travail.exe");
    const std::string answers = AnswersPath(program);
    const std::string name = answers.substr(0, answers.size() - 4) + "-eleve.txt";
    std::ofstream(answers, std::ios::binary) << "Paris\r\nRome\r\n"; // the last pupil's
    DeleteFileA(name.c_str());
    PlayerProcess player(program, quiz);
    HWND dialog = player.WaitForWindow("#32770", 30000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Quizz");
    EXPECT_EQ(player.WaitForMainWindow(0), nullptr) << "the name comes first";
    SendDlgItemMessageW(dialog, NAME_FIELD, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Zoé Nguyễn"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    // The last pupil's answers are there: asked whether this is another
    // pupil, who starts afresh.
    HWND another = nullptr;
    for (int look = 0; look < 600 && !another; ++look, Sleep(50)) {
        HWND box = player.WaitForWindow("#32770", 0);
        if (box && WindowText(box) == "Nouvel élève ?")
            another = box;
    }
    ASSERT_NE(another, nullptr);
    PostMessageA(another, WM_COMMAND, IDYES, 0);
    HWND main = player.WaitForMainWindow(30000);
    ASSERT_NE(main, nullptr);
    EXPECT_NE(GetDlgItem(main, HAND_IN_BUTTON_ID), nullptr);
    EXPECT_NE(GetDlgItem(main, NEW_PUPIL_BUTTON_ID), nullptr);
    HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(panel, ANSWER_BOX_BASE + 1)), "");
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(player.WaitForExit(30000), 0u);
    EXPECT_EQ(FileText(name), "Zo\xC3\xA9 Nguy\xE1\xBB\x85n\r\n"); // UTF-8
    EXPECT_EQ(FileText(answers), "*\r\n*\r\n");
    DeleteFileA(name.c_str());
    DeleteFileA(answers.c_str());
}

// A pupil logs off or shuts the computer down with the quiz open: Windows
// ends the session (here Wine's "wineboot --end-session", which asks every
// program, tells it the session ends, then ends its process) and never
// closes the window, yet the answers typed are there at the next start.
TEST(EndOfSession, AnswersTypedAreKept)
{
    const auto quiz = QuizResources(*MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    const std::string program = TemporaryPath("fin-de-session.exe");
    const std::string answers = AnswersPath(program);
    DeleteFileA(answers.c_str());
    {
        PlayerProcess player(program, quiz);
        HWND main = player.WaitForMainWindow(30000);
        ASSERT_NE(main, nullptr);
        HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
        SendMessageA(GetDlgItem(panel, ANSWER_BOX_BASE + 1), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("Paris"));
        SendMessageA(GetDlgItem(panel, ANSWER_BOX_BASE + 3), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("Lyon"));
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        PlayerProcess endSession(system + std::string("\\wineboot.exe"), {}, "--end-session");
        EXPECT_EQ(endSession.WaitForExit(30000), 0u);
        EXPECT_NE(player.WaitForExit(30000), STILL_ACTIVE) << "the session's end ended it";
        EXPECT_EQ(FileText(answers), "Paris\r\n*\r\nLyon\r\n");
    }
    PlayerProcess player(program, quiz);
    HWND main = player.WaitForMainWindow(30000);
    ASSERT_NE(main, nullptr);
    HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(panel, VERDICT_LABEL_BASE + 1)), "BRAVO");
    EXPECT_EQ(WindowText(GetDlgItem(panel, ANSWER_BOX_BASE + 3)), "Lyon");
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.WaitForExit(30000), 0u);
    DeleteFileA(answers.c_str());
}

// 60 photos of 1600 x 1200, packed as they come from a phone: the window
// comes with the pictures of its first screen in place, typing works while
// the others come, each comes to its place, and a close while they are
// still coming ends the player at once, the answers saved.
TEST(Play, APhotoQuizOpensWithItsFirstScreenAndClosesWhilePicturesCome)
{
    auto resources = QuizResources(*MakeQuiz(LAYOUT_PICTURE, 60, 1, REVEAL_NONE));
    const std::vector<unsigned char> photo = CarriedPhoto();
    for (int i = 1; i <= 60; ++i)
        resources.push_back({"IMG", 400 + i, photo});
    const std::string program = TemporaryPath("photos.exe");
    const std::string answers = AnswersPath(program);
    DeleteFileA(answers.c_str());
    for (int run = 0; run < 2; ++run) {
        PlayerProcess player(program, resources);
        HWND main = player.WaitForMainWindow(30000);
        ASSERT_NE(main, nullptr);
        HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
        const auto shown = [panel](int i) {
            return SendMessageA(GetDlgItem(panel, PICTURE_BASE + i), STM_GETIMAGE, IMAGE_BITMAP,
                                0) != 0;
        };
        if (run == 0) {
            for (int i = 1; i <= 6; ++i)
                EXPECT_TRUE(shown(i)) << i << ", on the first screen";
            HWND box = GetDlgItem(panel, ANSWER_BOX_BASE + 60);
            SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Paris"));
            SendMessageA(box, WM_KEYUP, VK_RETURN, 3u << 30);
            EXPECT_EQ(WindowText(GetDlgItem(panel, VERDICT_LABEL_BASE + 60)), "BRAVO");
            int count = 0;
            for (int wait = 0; wait < 300 && count < 60; ++wait, Sleep(100)) {
                count = 0;
                for (int i = 1; i <= 60; ++i)
                    count += shown(i);
            }
            EXPECT_EQ(count, 60);
            RECT last;
            GetWindowRect(GetDlgItem(panel, PICTURE_BASE + 60), &last);
            MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&last), 2);
            EXPECT_EQ(last.left, 610);
            EXPECT_EQ(last.top, 20 + 330 * 19 + 32);
            EXPECT_EQ(last.right - last.left, 260);
            EXPECT_EQ(last.bottom - last.top, 195);
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(player.WaitForExit(10000), 0u);
        std::string saved; // an empty box is saved as "*"
        for (int i = 1; i < 60; ++i)
            saved += "*\r\n";
        EXPECT_EQ(FileText(answers), saved + "Paris\r\n");
    }
    DeleteFileA(answers.c_str());
}

// Run with the media player control disabled, as on Windows editions sold
// without media features (ctest sets WINEDLLOVERRIDES).
TEST(StartUpWithoutMediaPlayer, AFilmQuizSaysOnceWhyItShowsNoFilm)
{
    const std::string program = TemporaryPath("films-without-player.exe");
    PlayerProcess player(program, QuizResources(*MakeQuiz(LAYOUT_VIDEO, 6, 1, REVEAL_NONE)));
    std::vector<RecordedMessage> shown;
    HWND main = player.WaitForMainWindow(30000, &shown);
    EXPECT_NE(main, nullptr);
    EXPECT_EQ(shown, (std::vector<RecordedMessage>{
                         {"Impossible d'afficher les films : le Lecteur Windows Media manque sur "
                          "cet ordinateur. Ajoutez-le dans les fonctionnalités facultatives de "
                          "Windows, puis relancez le quiz.",
                          "Information"}}));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.WaitForExit(30000), 0u);
    DeleteFileA(AnswersPath(program).c_str());
}

// Run with "atl.dll" disabled, then with native libraries preferred for it
// (ctest sets WINEDLLOVERRIDES for each), as one lacking the export films
// need lies beside the player: in a folder of its own, so that the other
// players never load it.
TEST(StartUpWithoutAtl, AVideoQuizEndsWithOneAndNoWindow)
{
    const std::string folder = TemporaryPath("atl-lacking-export");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(g_atlWithoutExportPath.c_str(), (folder + "\\atl.dll").c_str(), FALSE));
    {
        PlayerProcess player(folder + "\\films.exe",
                             QuizResources(*MakeQuiz(LAYOUT_VIDEO, 2, 1, REVEAL_NONE)));
        EXPECT_EQ(player.WaitForMainWindow(30000), nullptr);
        EXPECT_EQ(player.WaitForExit(30000), 1u);
    }
    DeleteFileA((folder + "\\atl.dll").c_str());
    RemoveDirectoryA(folder.c_str());
}

// The packed player started under Wine as a user starts it; a robot types
// answers into boxes found by identifier, confirms them, reads the verdicts,
// closes the window and starts the player again.
#include "tests/e2e/player_process.h"
#include "ui/header_bar.h"
#include "ui/main_window.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

namespace {

struct Screen {
    HWND main;
    HWND panel;
    HWND Box(int n) const { return GetDlgItem(panel, ANSWER_BOX_BASE + n); }
    std::string Verdict(int n) const
    {
        return WindowText(GetDlgItem(panel, VERDICT_LABEL_BASE + n));
    }
    std::string Score() const { return WindowText(GetDlgItem(main, SCORE_LABEL_ID)); }
    std::string Code() const { return WindowText(GetDlgItem(main, CODE_LABEL_ID)); }
};

Screen Find(const PlayerProcess& player)
{
    HWND main = player.WaitForMainWindow(30000);
    return {main, main ? FindWindowExA(main, nullptr, "#32770", nullptr) : nullptr};
}

// Run with "atl.dll" disabled, then with native libraries preferred for it
// and one without the export beside the player (ctest sets WINEDLLOVERRIDES
// for each).
void ExpectAVideoQuizEndsWithOneAndNoWindow(const std::string& program)
{
    PlayerProcess player(QuizResources(*MakeQuiz(LAYOUT_VIDEO, 2, 1, REVEAL_NONE)), program);
    EXPECT_EQ(player.WaitForMainWindow(30000), nullptr);
    EXPECT_EQ(player.WaitForExit(30000), 1u);
}

} // namespace

TEST(Play, AnswersAreGradedSavedAndRestored)
{
    const auto quiz = QuizResources(*MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    const struct {
        int n;
        const char *typed, *verdict, *score, *code;
    } steps[] = {{1, "paris", "BRAVO", " 1 / 3", "CODE1"},
                 {2, "Pari", "Quasiment", " 1 / 3", "CODE1"},
                 {3, "Paris", "BRAVO", " 2 / 3", "CODE2"}};
    const std::string program = TemporaryPath("capitales.exe");
    std::string answersPath;
    {
        PlayerProcess player(quiz, program);
        answersPath = player.AnswersPath();
        DeleteFileA(answersPath.c_str());
        const Screen screen = Find(player);
        ASSERT_NE(screen.panel, nullptr);
        EXPECT_EQ(WindowText(screen.main), "Les capitales");
        RECT desktop, own;
        GetWindowRect(GetDesktopWindow(), &desktop);
        GetWindowRect(screen.main, &own);
        EXPECT_EQ(own.right - own.left, MAIN_WINDOW_WIDTH);
        EXPECT_EQ(own.bottom - own.top, MAIN_WINDOW_HEIGHT);
        EXPECT_EQ(own.left, (desktop.right - desktop.left - MAIN_WINDOW_WIDTH) / 2);
        EXPECT_EQ(own.top, (desktop.bottom - desktop.top - MAIN_WINDOW_HEIGHT) / 2);
        EXPECT_EQ(screen.Score(), " 0 / 3");
        for (const auto& s : steps) {
            SendMessageA(screen.Box(s.n), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.typed));
            SendMessageA(screen.Box(s.n), WM_KEYUP, VK_RETURN, 3u << 30);
            EXPECT_EQ(screen.Verdict(s.n), s.verdict) << s.typed;
            EXPECT_EQ(screen.Score(), s.score) << s.typed;
            EXPECT_EQ(screen.Code(), s.code) << s.typed;
        }
        PostMessageA(screen.main, WM_CLOSE, 0, 0);
        ASSERT_EQ(player.WaitForExit(30000), 0u);
    }
    EXPECT_EQ(FileText(answersPath), "paris\r\nPari\r\nParis\r\n");

    PlayerProcess again(quiz, program);
    const Screen screen = Find(again);
    ASSERT_NE(screen.panel, nullptr);
    for (const auto& s : steps) {
        EXPECT_EQ(WindowText(screen.Box(s.n)), s.typed);
        EXPECT_EQ(screen.Verdict(s.n), s.verdict) << s.typed;
    }
    EXPECT_EQ(screen.Score(), " 2 / 3");
    EXPECT_EQ(screen.Code(), "CODE2");
    PostMessageA(screen.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(30000), 0u);
    DeleteFileA(answersPath.c_str());
}

TEST(StartUpWithoutAtl, AVideoQuizEndsWithOneAndNoWindow)
{
    ExpectAVideoQuizEndsWithOneAndNoWindow(TemporaryPath("films-without-atl.exe"));
}

// Run with the media player control disabled, as on Windows editions sold
// without media features (ctest sets WINEDLLOVERRIDES).
TEST(StartUpWithoutMediaPlayer, AFilmQuizSaysOnceWhyItShowsNoFilm)
{
    PlayerProcess player(QuizResources(*MakeQuiz(LAYOUT_VIDEO, 6, 1, REVEAL_NONE)),
                         TemporaryPath("films-without-player.exe"));
    std::vector<ShownMessage> shown;
    HWND main = player.WaitForMainWindow(30000, &shown);
    EXPECT_NE(main, nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Information");
    EXPECT_EQ(shown[0].text, "Impossible d'afficher les films : le Lecteur Windows Media manque "
                             "sur cet ordinateur. Ajoutez-le dans les fonctionnalités "
                             "facultatives de Windows, puis relancez le quiz.");
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.WaitForExit(30000), 0u);
    DeleteFileA(player.AnswersPath().c_str());
}

// In a folder of its own, so that the other players never load that library.
TEST(StartUpWithAtlLackingItsExport, AVideoQuizEndsWithOneAndNoWindow)
{
    const std::string folder = TemporaryPath("atl-lacking-export");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(g_atlWithoutExportPath.c_str(), (folder + "\\atl.dll").c_str(), FALSE));
    ExpectAVideoQuizEndsWithOneAndNoWindow(folder + "\\films.exe");
    DeleteFileA((folder + "\\atl.dll").c_str());
    RemoveDirectoryA(folder.c_str());
}

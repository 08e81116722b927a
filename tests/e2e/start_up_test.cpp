// The packed player started under Wine as a user starts it.
#include "tests/e2e/player_process.h"
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<QuizRecord> MakeQuiz(int layout, const char* title)
{
    auto quiz = std::make_unique<QuizRecord>();
    CopyText(quiz->title, title);
    quiz->layoutKind = layout;
    quiz->questionCount = 2;
    quiz->answersPerQuestion = 1;
    quiz->revealMode = REVEAL_NONE;
    AppendQuestion(*quiz, "Paris", "", "France");
    AppendQuestion(*quiz, "Rome", "", "Italie");
    return quiz;
}

} // namespace

TEST(StartUp, OpensTheCentredMainWindowAndExitsCleanlyOnClose)
{
    auto quiz = MakeQuiz(LAYOUT_TEXT, "Capitales d'Europe");
    PlayerProcess player(*quiz, "capitales.exe");
    HWND window = player.WaitForMainWindow(30000);
    ASSERT_NE(window, nullptr);

    char caption[TEXT_SIZE] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Capitales d'Europe");
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    EXPECT_EQ(own.right - own.left, MAIN_WINDOW_WIDTH);
    EXPECT_EQ(own.bottom - own.top, MAIN_WINDOW_HEIGHT);
    EXPECT_EQ(own.left, (desktop.right - desktop.left - MAIN_WINDOW_WIDTH) / 2);
    EXPECT_EQ(own.top, (desktop.bottom - desktop.top - MAIN_WINDOW_HEIGHT) / 2);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.WaitForExit(30000), 0u);
    DeleteFileA(player.AnswersPath().c_str());
}

// Run with "atl.dll" disabled (ctest sets WINEDLLOVERRIDES for this one).
TEST(StartUpWithoutAtl, AVideoQuizEndsWithOneAndNoWindow)
{
    auto quiz = MakeQuiz(LAYOUT_VIDEO, "Films");
    PlayerProcess player(*quiz, "films.exe");
    EXPECT_EQ(player.WaitForMainWindow(30000), nullptr);
    EXPECT_EQ(player.WaitForExit(30000), 1u);
}

// Run with native libraries preferred for "atl" (ctest sets WINEDLLOVERRIDES
// for this one), and a library without the export beside the player.
TEST(StartUpWithAtlLackingItsExport, AVideoQuizEndsWithOneAndNoWindow)
{
    ASSERT_FALSE(g_atlWithoutExportPath.empty());
    auto quiz = MakeQuiz(LAYOUT_VIDEO, "Films");
    const std::string atl = TemporaryDirectory() + "atl.dll";
    ASSERT_TRUE(CopyFileA(g_atlWithoutExportPath.c_str(), atl.c_str(), FALSE));
    {
        PlayerProcess player(*quiz, "films.exe");
        EXPECT_EQ(player.WaitForMainWindow(30000), nullptr);
        EXPECT_EQ(player.WaitForExit(30000), 1u);
    }
    DeleteFileA(atl.c_str());
}

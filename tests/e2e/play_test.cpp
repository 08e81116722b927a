// A robot plays the packed player under Wine: it types answers into boxes
// found by identifier, confirms them, reads the verdicts, closes the window
// and starts the player again.
#include "tests/e2e/player_process.h"
#include "ui/header_bar.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::unique_ptr<QuizRecord> Capitals()
{
    auto quiz = std::make_unique<QuizRecord>();
    CopyText(quiz->title, "Capitales");
    quiz->layoutKind = LAYOUT_TEXT;
    quiz->questionCount = 3;
    quiz->answersPerQuestion = 1;
    quiz->revealMode = REVEAL_NONE;
    AppendQuestion(*quiz, "Paris", "", "France");
    AppendQuestion(*quiz, "Rome", "", "Italie");
    AppendQuestion(*quiz, "Berlin", "", "Allemagne");
    CopyText(quiz->codes[0], "UN");
    CopyText(quiz->codes[1], "DEUX");
    CopyText(quiz->codes[2], "TROIS");
    return quiz;
}

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

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

TEST(Play, AnswersAreGradedSavedAndRestored)
{
    auto quiz = Capitals();
    std::string answersPath;
    {
        PlayerProcess player(*quiz, "capitales.exe");
        answersPath = player.AnswersPath();
        DeleteFileA(answersPath.c_str());
        const Screen screen = Find(player);
        ASSERT_NE(screen.panel, nullptr);
        EXPECT_EQ(screen.Score(), " 0 / 3");

        const struct {
            int n;
            const char* typed;
            const char* verdict;
            const char* score;
            const char* code;
        } steps[] = {{1, "paris", "BRAVO", " 1 / 3", "UN"},
                     {2, "Rom", "Quasiment", " 1 / 3", "UN"},
                     {3, "Berlin", "BRAVO", " 2 / 3", "DEUX"}};
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
    EXPECT_EQ(Read(answersPath), "paris\r\nRom\r\nBerlin\r\n");

    PlayerProcess again(*quiz, "capitales.exe");
    const Screen screen = Find(again);
    ASSERT_NE(screen.panel, nullptr);
    const char* texts[] = {"paris", "Rom", "Berlin"};
    const char* verdicts[] = {"BRAVO", "Quasiment", "BRAVO"};
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(WindowText(screen.Box(n)), texts[n - 1]);
        EXPECT_EQ(screen.Verdict(n), verdicts[n - 1]);
    }
    EXPECT_EQ(screen.Score(), " 2 / 3");
    EXPECT_EQ(screen.Code(), "DEUX");
    PostMessageA(screen.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(30000), 0u);
    DeleteFileA(answersPath.c_str());
}

// The answers file, written from and read into a real panel, in a directory
// of its own that the test makes current.
#include "tests/support/message_box_recorder.h"
#include "tests/windows/player_window.h"
#include "ui/answers_file.h"
#include "ui/app_globals.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

std::string FileName()
{
    char name[TEXT_SIZE];
    AnswersFileName(name);
    return name;
}

struct AnswersFile : testing::Test {
    InNewDirectory directory;
    ~AnswersFile() override { DeleteFileA(FileName().c_str()); }
};

} // namespace

TEST_F(AnswersFile, WritesOneLinePerBoxInOrderAndReadsThemBack)
{
    EXPECT_EQ(FileName(), "answers_file_tests.txt");
    const char* texts[] = {"Paris", "", " France ", "*", "Rome", "Italie"};
    {
        PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 2, REVEAL_NONE));
        for (int n = 1; n <= 6; ++n)
            SetWindowTextA(Box(n), texts[n - 1]);
        ASSERT_TRUE(SaveAnswers(g_panel));
    }
    EXPECT_EQ(FileText(FileName()), "Paris\r\n*\r\n France \r\n*\r\nRome\r\nItalie\r\n");

    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 2, REVEAL_NONE));
    for (int n = 1; n <= 6; ++n) // a "*" typed comes back empty
        EXPECT_EQ(WindowText(Box(n)), n == 4 ? "" : texts[n - 1]) << n;
    EXPECT_EQ(Verdict(1), "BRAVO") << "graded at once";
}

// Lines of any bytes but the line feed, NUL and Ctrl+Z included, ended by
// LF, CR LF or the end of the file, three longer than a box: each lands in
// its own box, as far as the box holds it.
TEST_F(AnswersFile, ReadsWhatItCanOfAnyFile)
{
    std::mt19937 random(3);
    std::string content;
    std::vector<std::string> expected;
    for (int n = 1; n <= 60; ++n) {
        std::string line(random() % 300, '\0');
        for (char& c : line) {
            c = static_cast<char>(random());
            c = c == '\n' || c == '\r' ? '\x1A' : c;
        }
        content += line + (n == 60 ? "" : n % 2 ? "\r\n" : "\n");
        std::string box = line.substr(0, line.find('\0')).substr(0, 259);
        expected.push_back(box == "*" ? "" : box);
    }
    std::ofstream(FileName(), std::ios::binary) << content;
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 30, 2, REVEAL_NONE));
    for (int n = 1; n <= 60; ++n)
        EXPECT_EQ(WindowText(Box(n)), expected[n - 1]) << "box " << n;
}

TEST_F(AnswersFile, AFailedSaveKeepsTheOldAnswersAndSaysSoOnce)
{
    std::ofstream(FileName(), std::ios::binary) << "Paris\r\nRome\r\n";
    // The new file cannot be written where it would go.
    const std::string blocked = FileName() + ".new";
    CreateDirectoryA(blocked.c_str(), nullptr);
    RecordedMessages().clear();
    {
        PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 2, 1, REVEAL_NONE));
        SetWindowTextA(Box(1), "Lyon");
        // The user closes the window again while the box is up.
        WhileMessageShown() = [&] { SendMessageA(window.main, WM_CLOSE, 0, 0); };
        SendMessageA(window.main, WM_CLOSE, 0, 0);
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
    RemoveDirectoryA(blocked.c_str());
    EXPECT_EQ(FileText(FileName()), "Paris\r\nRome\r\n");
    ASSERT_EQ(RecordedMessages().size(), 1u) << "one close, one box";
    EXPECT_NE(RecordedMessages()[0].text.find(FileName()), std::string::npos);
}

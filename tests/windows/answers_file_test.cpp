// The answers file, written from and read into a real panel, in a directory
// of its own that the test makes current.
#include "tests/support/message_box_recorder.h"
#include "tests/windows/player_window.h"
#include "tests/windows/resource_module.h"
#include "ui/answers_file.h"
#include "ui/app_globals.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace {

HWND Box(int n)
{
    return GetDlgItem(g_panel, ANSWER_BOX_BASE + n);
}

std::string FileName()
{
    char name[TEXT_SIZE];
    AnswersFileName(name);
    return name;
}

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void Write(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

class AnswersFile : public testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        directory_ = TemporaryPath("answers");
        CreateDirectoryA(directory_.c_str(), nullptr);
        SetCurrentDirectoryA(directory_.c_str());
        DeleteFileA(FileName().c_str());
    }
    void TearDown() override
    {
        DeleteFileA(FileName().c_str());
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(directory_.c_str());
    }

private:
    char previous_[MAX_PATH] = {};
    std::string directory_;
};

} // namespace

TEST_F(AnswersFile, IsNamedAfterTheProgram)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string base = strrchr(path, '\\') + 1;
    EXPECT_EQ(FileName(), base.substr(0, base.size() - 3) + "txt");
}

TEST_F(AnswersFile, WritesOneLinePerBoxInOrderAndReadsThemBack)
{
    {
        PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 2, REVEAL_NONE));
        const char* texts[] = {"Paris", "", " France ", "*", "Rome", "Italie"};
        for (int n = 1; n <= 6; ++n)
            SetWindowTextA(Box(n), texts[n - 1]);
        ASSERT_TRUE(SaveAnswers(g_panel));
    }
    EXPECT_EQ(Read(FileName()), "Paris\r\n*\r\n France \r\n*\r\nRome\r\nItalie\r\n");

    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 2, REVEAL_NONE));
    const char* restored[] = {"Paris", "", " France ", "", "Rome", "Italie"};
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(TextOf(Box(n)), restored[n - 1]) << n;
    EXPECT_EQ(TextOf(GetDlgItem(g_panel, VERDICT_LABEL_BASE + 1)), "BRAVO") << "graded at once";
}

TEST_F(AnswersFile, ReadsWhatItCanOfAnyFile)
{
    const std::string line300(300, 'x');
    const struct {
        const char* name;
        std::string content;
        std::vector<std::string> boxes;
    } cases[] = {
        {"a short file", "Paris\nRome\n", {"Paris", "Rome", "", ""}},
        {"no line end at the end", "Paris\nRome", {"Paris", "Rome", "", ""}},
        {"an over-long line fills one box",
         line300 + "\nRome\n",
         {std::string(259, 'x'), "Rome", "", ""}},
        {"a line of 259 comes back whole",
         std::string(259, 'y') + "\r\nRome\r\n",
         {std::string(259, 'y'), "Rome", "", ""}},
        {"lines beyond the boxes", "a\nb\nc\nd\ne\nf\n", {"a", "b", "c", "d"}},
    };
    for (const auto& c : cases) {
        Write(FileName(), c.content);
        PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 4, 1, REVEAL_NONE));
        for (size_t n = 1; n <= c.boxes.size(); ++n)
            EXPECT_EQ(TextOf(Box(static_cast<int>(n))), c.boxes[n - 1]) << c.name << ", box " << n;
    }

    // Random bytes: whatever the boxes get, each is one box's worth.
    std::mt19937 random(3);
    std::string noise(5000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    Write(FileName(), noise);
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 30, 2, REVEAL_NONE));
    for (int n = 1; n <= 60; ++n)
        EXPECT_LE(GetWindowTextLengthA(Box(n)), 259) << n;
}

TEST_F(AnswersFile, WithoutAFileEveryBoxStartsEmpty)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 3, 1, REVEAL_NONE));
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(TextOf(Box(n)), "");
        EXPECT_EQ(TextOf(GetDlgItem(g_panel, VERDICT_LABEL_BASE + n)), "?");
    }
}

TEST_F(AnswersFile, AFailedSaveKeepsTheOldAnswersAndSaysSo)
{
    Write(FileName(), "Paris\r\nRome\r\n");
    // The new file cannot be written where it would go.
    const std::string blocked = FileName() + ".new";
    CreateDirectoryA(blocked.c_str(), nullptr);
    RecordedMessages().clear();
    {
        PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 2, 1, REVEAL_NONE));
        SetWindowTextA(Box(1), "Lyon");
        EXPECT_FALSE(SaveAnswers(g_panel));
    }
    RemoveDirectoryA(blocked.c_str());
    EXPECT_EQ(Read(FileName()), "Paris\r\nRome\r\n");
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_EQ(RecordedMessages()[0].caption, "Quizz");
    EXPECT_NE(RecordedMessages()[0].text.find(FileName()), std::string::npos);
}

// Sounds of the audio layout, played for real by the MCI window (on a null
// sound device). This program carries sounds 401 and 402; question 3 has
// none. It runs in a directory of its own, where the sound file is written.
#include "player/app_globals.h"
#include "player/media_files.h"
#include "player/media_playback.h"
#include "player/panel_controls.h"
#include "tests/support/message_box_recorder.h"
#include "tests/windows/player/player_window.h"

#include <gtest/gtest.h>

#include <vfw.h>

#include <fstream>

namespace {

bool Playing(HWND window)
{
    for (int wait = 0; wait < 50; ++wait, Sleep(20))
        if (MCIWndGetMode(window, nullptr, 0) == MCI_MODE_PLAY)
            return true;
    return false;
}

// Members go in reverse order: the window, then the files, then the directory.
struct Sound : testing::Test {
    InNewDirectory directory;
    struct Files {
        Files() { RecordedMessages().clear(); }
        ~Files()
        {
            DeleteFileA(SOUND_FILE);
            RemoveDirectoryA(SOUND_FILE);
            DeleteFileA("sound_tests.txt"); // the answers, saved at close
        }
    } files;
    PlayerWindow window{MakeQuiz(LAYOUT_AUDIO, 3, 1, REVEAL_NONE)};
};

} // namespace

TEST_F(Sound, PlayingASoundStopsTheOneBeforeAndStopOrCloseRemovesItsFile)
{
    std::ofstream(SOUND_FILE) << "left by another program";
    StopQuestionMedia(g_panel, 1);
    EXPECT_TRUE(Exists(SOUND_FILE)) << "Stop with nothing playing does nothing";
    PlayQuestionMedia(g_panel, 1);
    HWND first = AudioWindow;
    ASSERT_NE(first, nullptr);
    PlayQuestionMedia(g_panel, 2);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(Playing(AudioWindow));
    EXPECT_FALSE(IsWindowVisible(AudioWindow));
    HRSRC sound = FindResourceA(nullptr, MAKEINTRESOURCEA(402), MEDIA_RESOURCE_TYPE);
    EXPECT_EQ(FileText(SOUND_FILE),
              std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, sound))),
                          SizeofResource(nullptr, sound)));

    HWND second = AudioWindow;
    StopQuestionMedia(g_panel, 3); // any stop button stops the one sound
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(Exists(SOUND_FILE));

    PlayQuestionMedia(g_panel, 2);
    HWND third = AudioWindow;
    SendMessageA(window.main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(third));
    EXPECT_FALSE(Exists(SOUND_FILE));
    EXPECT_TRUE(RecordedMessages().empty());
}

// At log-off or shutdown no close comes: the end of the session stops the
// sound and removes its file, as the process ends right after.
TEST_F(Sound, TheEndOfTheSessionRemovesThePlayingSound)
{
    PlayQuestionMedia(g_panel, 2);
    HWND playing = AudioWindow;
    ASSERT_TRUE(Playing(playing));
    SendMessageA(window.main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(IsWindow(playing));
    EXPECT_FALSE(Exists(SOUND_FILE));
    EXPECT_TRUE(RecordedMessages().empty());
}

TEST_F(Sound, AMissingOrUnwritableSoundIsToldAndNothingPlays)
{
    PlayQuestionMedia(g_panel, 3);
    EXPECT_EQ(AudioWindow, nullptr);
    EXPECT_EQ(RecordedMessages(),
              (std::vector<RecordedMessage>{
                  {"Impossible de localiser le fichier audio.", "Information"}}));

    CreateDirectoryA(SOUND_FILE, nullptr); // where the file would go
    PlayQuestionMedia(g_panel, 1);
    EXPECT_EQ(AudioWindow, nullptr);
    ASSERT_EQ(RecordedMessages().size(), 2u);
    EXPECT_NE(RecordedMessages()[1].text.find(directory.path), std::string::npos)
        << "names the folder where the file was to go";
}

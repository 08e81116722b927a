// Films of the video layout in the system's media player control. This
// program carries a film for each of questions 1 to 5.
#include "player/app_globals.h"
#include "player/media_files.h"
#include "player/media_playback.h"
#include "player/panel_controls.h"
#include "tests/support/message_box_recorder.h"
#include "tests/windows/player/player_window.h"

#include <gtest/gtest.h>

namespace {

struct Film : testing::Test {
    InNewDirectory directory;
    HMODULE atl = nullptr;
    Film()
    {
        CoInitialize(nullptr);
        atl = LoadLibraryA("atl.dll");
        g_atlAxAttachControl = reinterpret_cast<AtlAxAttachControlFunction>(
            reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxAttachControl")));
    }
    ~Film() override
    {
        ReleaseFilmPlayers();
        DeleteFilmFiles();
        CoUninitialize();
        FreeLibrary(atl);
        g_atlAxAttachControl = nullptr;
    }
};

} // namespace

TEST_F(Film, APlayedFilmKeepsItsFileThroughStopUntilShutdown)
{
    ASSERT_NE(g_atlAxAttachControl, nullptr);
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 5, 1, REVEAL_NONE));
    for (int i = 1; i <= 5; ++i) { // embedded: the control's window lives inside its host
        EXPECT_NE(VideoControls[i - 1], nullptr) << i;
        EXPECT_NE(GetWindow(GetDlgItem(g_panel, FILM_HOST_BASE + i), GW_CHILD), nullptr) << i;
    }
    EXPECT_FALSE(Exists("quizz3.avi")) << "start-up keeps no film file";

    PlayQuestionMedia(g_panel, 3);
    PlayQuestionMedia(g_panel, 5);
    StopQuestionMedia(g_panel, 1);
    EXPECT_TRUE(Exists("quizz3.avi") && Exists("quizz5.avi")) << "stopping deletes nothing";

    // Shutdown: the players let go of their files before they are deleted.
    ReleaseFilmPlayers();
    DeleteFilmFiles();
    EXPECT_FALSE(Exists("quizz3.avi") || Exists("quizz5.avi"));
}

// At log-off or shutdown no close comes, and the process ends right after:
// the end of the session lets go of the films and removes their files.
TEST_F(Film, TheEndOfTheSessionRemovesThePlayedFilms)
{
    ASSERT_NE(g_atlAxAttachControl, nullptr);
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 5, 1, REVEAL_NONE));
    PlayQuestionMedia(g_panel, 3);
    ASSERT_TRUE(Exists("quizz3.avi"));
    SendMessageA(window.main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(Exists("quizz3.avi"));
    EXPECT_TRUE(Exists("film_tests.txt")) << "the answers saved";
    DeleteFileA("film_tests.txt");
}

TEST_F(Film, AFolderWhereNoFilmCanBeWrittenIsToldByPlayOnly)
{
    const char* const films[] = {"quizz1.avi", "quizz2.avi", "quizz3.avi"};
    for (const char* film : films)
        CreateDirectoryA(film, nullptr); // where the film would go
    RecordedMessages().clear();
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 3, 1, REVEAL_NONE));
    EXPECT_TRUE(RecordedMessages().empty()) << "start-up stays silent";

    PlayQuestionMedia(g_panel, 3);
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_NE(RecordedMessages()[0].text.find("vidéo dans le dossier « " + directory.path),
              std::string::npos);

    // Once the folder takes it, the film gets its name and plays.
    RemoveDirectoryA("quizz3.avi");
    PlayQuestionMedia(g_panel, 3);
    EXPECT_EQ(RecordedMessages().size(), 1u);
    EXPECT_TRUE(Exists("quizz3.avi"));
    BSTR url = nullptr;
    VideoPlayers[2]->get_URL(&url);
    EXPECT_STREQ(url, L"quizz3.avi");
    SysFreeString(url);
    for (const char* film : films)
        RemoveDirectoryA(film);
}

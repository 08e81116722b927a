// Films of the video layout in the system's media player control. This
// program carries a film for each of questions 1 to 12.
#include "tests/support/message_box_recorder.h"
#include "tests/windows/player_window.h"
#include "ui/app_globals.h"
#include "ui/media_files.h"
#include "ui/media_playback.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

namespace {

int FilmFiles()
{
    int count = 0;
    char name[MAX_PATH];
    for (int i = 1; i <= MAX_QUESTIONS; ++i) {
        wsprintfA(name, FILM_FILE_FORMAT, i);
        count += Exists(name);
    }
    return count;
}

WMPPlayState State(int question)
{
    WMPPlayState state = wmppsUndefined;
    if (IWMPPlayer* player = VideoPlayers[question - 1])
        player->get_playState(&state);
    return state;
}

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

TEST_F(Film, APlayedFilmKeepsItsFileUntilShutdownAndStopStopsEveryFilm)
{
    ASSERT_NE(g_atlAxAttachControl, nullptr);
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 12, 1, REVEAL_NONE));
    for (int i = 1; i <= 12; ++i) { // embedded: the control's window lives inside its host
        EXPECT_NE(VideoControls[i - 1], nullptr) << i;
        EXPECT_NE(GetWindow(GetDlgItem(g_panel, FILM_HOST_BASE + i), GW_CHILD), nullptr) << i;
    }
    EXPECT_EQ(FilmFiles(), 0);

    PlayQuestionMedia(g_panel, 3);
    PlayQuestionMedia(g_panel, 5);
    EXPECT_TRUE(Exists("quizz3.avi"));
    EXPECT_TRUE(Exists("quizz5.avi"));
    EXPECT_EQ(FilmFiles(), 2);
    const bool reported = State(3) == wmppsPlaying; // not by the media player of Wine 8
    StopQuestionMedia(g_panel, 1);
    EXPECT_EQ(FilmFiles(), 2) << "stopping deletes nothing";
    if (reported) {
        EXPECT_EQ(State(3), wmppsStopped);
        EXPECT_EQ(State(5), wmppsStopped);
    }

    // Shutdown: the players let go of their files before they are deleted.
    ReleaseFilmPlayers();
    DeleteFilmFiles();
    EXPECT_EQ(FilmFiles(), 0);
}

TEST_F(Film, AFolderWhereNoFilmCanBeWrittenIsToldByPlayOnly)
{
    char name[MAX_PATH];
    for (int i = 1; i <= 12; ++i) {
        wsprintfA(name, FILM_FILE_FORMAT, i);
        CreateDirectoryA(name, nullptr); // where the film would go
    }
    RecordedMessages().clear();
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 12, 1, REVEAL_NONE));
    EXPECT_TRUE(RecordedMessages().empty()) << "start-up stays silent";

    PlayQuestionMedia(g_panel, 3);
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    EXPECT_EQ(RecordedMessages(),
              (std::vector<RecordedMessage>{
                  {std::string("Impossible d'écrire le fichier vidéo dans le dossier « ") + folder +
                       " ». Copiez le quiz dans un dossier où vous pouvez écrire, comme "
                       "Documents, et lancez-le depuis ce dossier.",
                   "Information"}}));

    // Once the folder takes it, the film gets its name and plays.
    RemoveDirectoryA("quizz3.avi");
    PlayQuestionMedia(g_panel, 3);
    EXPECT_EQ(RecordedMessages().size(), 1u);
    EXPECT_TRUE(Exists("quizz3.avi"));
    BSTR url = nullptr;
    VideoPlayers[2]->get_URL(&url);
    EXPECT_STREQ(url, L"quizz3.avi");
    SysFreeString(url);
    for (int i = 1; i <= 12; ++i) {
        wsprintfA(name, FILM_FILE_FORMAT, i);
        RemoveDirectoryA(name);
    }
}

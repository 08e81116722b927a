// Films of the video layout in the system's media player control. This
// program carries a film for each of questions 1 to 12.
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

// Fails the creation of one player, counted from 1, and makes the others
// with the system's own class.
struct FailingPlayerFactory : IClassFactory {
    IClassFactory* real = nullptr;
    int failing = 0;
    int made = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (++made == failing) {
            *out = nullptr;
            return E_FAIL;
        }
        return real->CreateInstance(outer, iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

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
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(VideoHosts[i - 1], GetDlgItem(g_panel, FILM_HOST_BASE + i)) << i;
        EXPECT_NE(VideoPlayers[i - 1], nullptr) << i;
        EXPECT_NE(VideoControls[i - 1], nullptr) << i;
        // Embedded: the control's window lives inside the 200 x 150 host.
        EXPECT_NE(GetWindow(VideoHosts[i - 1], GW_CHILD), nullptr) << i;
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
    EXPECT_EQ(VideoPlayers[2], nullptr);
}

TEST_F(Film, APlayerThatCannotBeMadeEndsThePanelThere)
{
    FailingPlayerFactory factory;
    factory.failing = 3;
    ASSERT_EQ(CoGetClassObject(CLSID_WindowsMediaPlayer, CLSCTX_INPROC_SERVER, nullptr,
                               IID_IClassFactory, reinterpret_cast<void**>(&factory.real)),
              S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_WindowsMediaPlayer, &factory, CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    {
        PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 6, 1, REVEAL_NONE));
        // Questions 1 and 2 are whole; 3 has its buttons and host but no
        // boxes; nothing after it exists.
        EXPECT_NE(GetDlgItem(g_panel, ANSWER_BOX_BASE + 2), nullptr);
        EXPECT_NE(GetDlgItem(g_panel, FILM_HOST_BASE + 3), nullptr);
        EXPECT_EQ(GetDlgItem(g_panel, ANSWER_BOX_BASE + 3), nullptr);
        EXPECT_EQ(GetDlgItem(g_panel, PLAY_BUTTON_BASE + 4), nullptr);
        EXPECT_EQ(VideoPlayers[2], nullptr);
        // The cells built are usable, and question 3's buttons do no harm.
        Answer(2, "Paris");
        EXPECT_EQ(Verdict(2), "BRAVO");
        PlayQuestionMedia(g_panel, 3);
        StopQuestionMedia(g_panel, 3);
    }
    CoRevokeClassObject(cookie);
    factory.real->Release();
}

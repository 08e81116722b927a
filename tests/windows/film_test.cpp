// Films of the video layout in the system's media player control. This
// program carries a film for each of questions 1 to 12.
#include "tests/windows/player_window.h"
#include "tests/windows/resource_module.h"
#include "ui/app_globals.h"
#include "ui/media_files.h"
#include "ui/media_playback.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

namespace {

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

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
    VideoPlayers[question - 1]->get_playState(&state);
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

class Film : public testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        directory_ = TemporaryPath("films");
        CreateDirectoryA(directory_.c_str(), nullptr);
        SetCurrentDirectoryA(directory_.c_str());
        CoInitialize(nullptr);
        atl_ = LoadLibraryA("atl.dll");
        g_atlAxAttachControl = reinterpret_cast<AtlAxAttachControlFunction>(
            reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxAttachControl")));
    }
    void TearDown() override
    {
        ReleaseFilmPlayers();
        DeleteFilmFiles();
        CoUninitialize();
        FreeLibrary(atl_);
        g_atlAxAttachControl = nullptr;
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(directory_.c_str());
    }

private:
    char previous_[MAX_PATH] = {};
    std::string directory_;
    HMODULE atl_ = nullptr;
};

} // namespace

TEST_F(Film, EachQuestionGetsAPlayerAndNoFileIsLeftWithoutPlay)
{
    ASSERT_NE(g_atlAxAttachControl, nullptr);
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 12, 1, REVEAL_NONE));
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(VideoHosts[i - 1], GetDlgItem(g_panel, FILM_HOST_BASE + i)) << i;
        EXPECT_NE(VideoPlayers[i - 1], nullptr) << i;
        EXPECT_NE(VideoControls[i - 1], nullptr) << i;
        // Embedded: the control's window lives inside the 200 x 150 host.
        HWND inside = GetWindow(VideoHosts[i - 1], GW_CHILD);
        EXPECT_NE(inside, nullptr) << i;
    }
    EXPECT_EQ(FilmFiles(), 0);
}

TEST_F(Film, APlayedFilmKeepsItsFileUntilShutdown)
{
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 12, 1, REVEAL_NONE));
    PlayQuestionMedia(g_panel, 3);
    PlayQuestionMedia(g_panel, 5);
    EXPECT_TRUE(Exists("quizz3.avi"));
    EXPECT_TRUE(Exists("quizz5.avi"));
    EXPECT_EQ(FilmFiles(), 2);
    StopQuestionMedia(g_panel, 1);
    EXPECT_EQ(FilmFiles(), 2) << "stopping deletes nothing";

    // Shutdown: the players let go of their files before they are deleted.
    ReleaseFilmPlayers();
    DeleteFilmFiles();
    EXPECT_EQ(FilmFiles(), 0);
    EXPECT_EQ(VideoPlayers[2], nullptr);
}

TEST_F(Film, StopStopsEveryFilm)
{
    PlayerWindow window(MakeQuiz(LAYOUT_VIDEO, 6, 1, REVEAL_NONE));
    PlayQuestionMedia(g_panel, 2);
    PlayQuestionMedia(g_panel, 4);
    if (State(2) != wmppsPlaying)
        GTEST_SKIP() << "this media player does not report its state (Wine 8)";
    StopQuestionMedia(g_panel, 6);
    EXPECT_EQ(State(2), wmppsStopped);
    EXPECT_EQ(State(4), wmppsStopped);
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
        SetDlgItemTextA(g_panel, ANSWER_BOX_BASE + 2, "Paris");
        SetFocus(GetDlgItem(g_panel, ANSWER_BOX_BASE + 2));
        SetFocus(g_panel);
        EXPECT_EQ(TextOf(GetDlgItem(g_panel, VERDICT_LABEL_BASE + 2)), "BRAVO");
        PlayQuestionMedia(g_panel, 3);
        StopQuestionMedia(g_panel, 3);
    }
    CoRevokeClassObject(cookie);
    factory.real->Release();
}

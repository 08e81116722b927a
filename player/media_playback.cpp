// The player control's identifiers are defined here, once.
#include <initguid.h>

#include "player/media_playback.h"

#include "player/app_globals.h"
#include "player/loader.h"
#include "player/media_files.h"
#include "player/panel_controls.h"
#include "quiz/media_format.h"
#include "quiz/message_box.h"

#include <vfw.h>
#include <wmp.h>

HWND AudioWindow;
HWND VideoHosts[MAX_QUESTIONS];
IWMPPlayer* VideoPlayers[MAX_QUESTIONS];
IWMPControls* VideoControls[MAX_QUESTIONS];

namespace {

constexpr const char* MEDIA_CAPTION = "Information";
constexpr DWORD PLAYER_CONTEXT = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

void Tell(const char* text)
{
    ShowMessageBox(text, MEDIA_CAPTION);
}

void FilmFileName(int question, char (&name)[MAX_PATH])
{
    wsprintfA(name, FILM_FILE_FORMAT, question);
}

// A BSTR of an ANSI text, as the player's properties take them.
BSTR WideText(const char* text)
{
    WCHAR wide[MAX_PATH + 1] = {};
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH + 1);
    return SysAllocString(wide);
}

bool WriteWholeFile(const char* name, const void* bytes, DWORD size)
{
    HANDLE file =
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    return CloseHandle(file) && complete;
}

void CloseSound()
{
    if (!AudioWindow)
        return;
    SendMessageA(AudioWindow, MCI_STOP, 0, 0);
    SendMessageA(AudioWindow, WM_CLOSE, 0, 0);
    AudioWindow = nullptr;
    DeleteFileA(SOUND_FILE);
}

// The player opens the film by its file's name, relative to the current
// folder, when asked to play.
void NameFilm(IWMPPlayer* player, int question)
{
    char name[MAX_PATH];
    FilmFileName(question, name);
    BSTR url = WideText(name);
    player->put_URL(url);
    SysFreeString(url);
}

bool HasUrl(IWMPPlayer* player)
{
    BSTR url = nullptr;
    const bool has = SUCCEEDED(player->get_URL(&url)) && url && url[0];
    SysFreeString(url);
    return has;
}

// The files go to the current folder, which is the quiz's own only when it
// was started from there: the message names it.
void TellUnwritable(bool sound)
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    char text[MAX_PATH + 256];
    wsprintfA(text,
              "Impossible d'écrire le fichier %s dans le dossier « %s ». Copiez le quiz dans "
              "un dossier où vous pouvez écrire, comme Documents, et lancez-le depuis ce dossier.",
              sound ? "audio" : "vidéo", folder);
    Tell(text);
}

} // namespace

int ExtractMedia(HWND, int resourceId, int mediaType, bool tellWriteFailure)
{
    const bool sound = mediaType == MEDIA_SOUND;
    HMODULE module = GetModuleHandleA(nullptr);
    const Resource medium = ReadResource(module, resourceId, MEDIA_RESOURCE_TYPE);
    if (!medium.found) {
        Tell(sound ? "Impossible de localiser le fichier audio."
                   : "Impossible de localiser le fichier vidéo.");
        return 0;
    }
    if (!medium.data || IsPicture(DetectMediaFormat(medium.data, medium.size))) {
        Tell(sound ? "Impossible de charger le fichier audio."
                   : "Impossible de charger le fichier vidéo.");
        return 0;
    }
    char name[MAX_PATH];
    if (sound)
        lstrcpyA(name, SOUND_FILE);
    else
        FilmFileName(resourceId - MEDIA_RESOURCE_BASE, name);
    const bool written = WriteWholeFile(name, medium.data, medium.size);
    if (!written) {
        // A player given a file that is not there, or an older one, would
        // play nothing or the wrong thing without a word.
        DeleteFileA(name);
        if (tellWriteFailure)
            TellUnwritable(sound);
        return 0;
    }
    return 1;
}

bool PrepareFilmPlayer(HWND panel, int question, HWND host)
{
    const int slot = question - 1;
    VideoHosts[slot] = host;
    if (FAILED(CoCreateInstance(CLSID_WindowsMediaPlayer, nullptr, PLAYER_CONTEXT, IID_IWMPPlayer,
                                reinterpret_cast<void**>(&VideoPlayers[slot]))) ||
        !VideoPlayers[slot]) {
        VideoPlayers[slot] = nullptr;
        // Windows editions sold without media features lack the control;
        // the panel ends here, and the pupil must know why.
        Tell("Impossible d'afficher les films : le Lecteur Windows Media manque sur cet "
             "ordinateur. Ajoutez-le dans les fonctionnalités facultatives de Windows, puis "
             "relancez le quiz.");
        return false;
    }
    IWMPPlayer* player = VideoPlayers[slot];
    // The host window keeps the container; asking for it anyway matters, as
    // some hosts (Wine's) attach nothing when it is not asked for.
    IUnknown* container = nullptr;
    if (g_atlAxAttachControl && SUCCEEDED(g_atlAxAttachControl(player, host, &container)) &&
        container)
        container->Release();
    player->get_controls(&VideoControls[slot]);
    BSTR none = WideText("none");
    player->put_uiMode(none);
    SysFreeString(none);

    // Up to 90 films: a folder where none can be written is told once, by
    // Play, not once a film before the window shows.
    if (ExtractMedia(panel, MEDIA_RESOURCE_BASE + question, MEDIA_FILM, false)) {
        NameFilm(player, question);
        if (VideoControls[slot])
            VideoControls[slot]->stop();
        char name[MAX_PATH];
        FilmFileName(question, name);
        DeleteFileA(name);
    }
    return true;
}

void PlayQuestionMedia(HWND panel, int question)
{
    if (g_quiz->layoutKind == LAYOUT_AUDIO) {
        CloseSound();
        if (ExtractMedia(panel, MEDIA_RESOURCE_BASE + question, MEDIA_SOUND, true)) {
            AudioWindow = MCIWndCreateA(panel, g_instance, WS_CHILD | MCIWNDF_NOMENU, SOUND_FILE);
            SendMessageA(AudioWindow, MCI_PLAY, 0, 0);
        }
    } else if (g_quiz->layoutKind == LAYOUT_VIDEO) {
        IWMPPlayer* player = VideoPlayers[question - 1];
        IWMPControls* controls = VideoControls[question - 1];
        if (ExtractMedia(panel, MEDIA_RESOURCE_BASE + question, MEDIA_FILM, true) && controls) {
            // Its file could not be written at start-up: it has no name yet.
            if (!HasUrl(player))
                NameFilm(player, question);
            controls->play();
        }
    }
}

void StopQuestionMedia(HWND, int)
{
    if (g_quiz->layoutKind == LAYOUT_AUDIO) {
        CloseSound();
    } else if (g_quiz->layoutKind == LAYOUT_VIDEO) {
        for (IWMPControls* controls : VideoControls)
            if (controls)
                controls->stop();
    }
}

void CloseSoundPlayer()
{
    CloseSound();
}

void ReleaseFilmPlayers()
{
    for (int slot = 0; slot < MAX_QUESTIONS; ++slot) {
        if (VideoControls[slot]) {
            VideoControls[slot]->stop();
            VideoControls[slot]->Release();
            VideoControls[slot] = nullptr;
        }
        if (VideoPlayers[slot]) {
            VideoPlayers[slot]->close();
            VideoPlayers[slot]->Release();
            VideoPlayers[slot] = nullptr;
        }
        VideoHosts[slot] = nullptr;
    }
}

#include "atelier/window/media_player.h"

#include "atelier/document/question_editing.h"
#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

constexpr const wchar_t* ALIAS = L"atelier";
bool g_open = false;

std::wstring ErrorText(MCIERROR code)
{
    wchar_t text[256] = {};
    mciGetErrorStringW(code, text, 256);
    return text;
}

} // namespace

bool PlayMediaFile(const std::string& path, std::wstring& error)
{
    StopMediaFile();
    const wchar_t* type = KindOfFile(path) == FileKind::Film ? L"avivideo" : L"mpegvideo";
    const std::wstring open = L"open \"" + Widen(path) + L"\" type " + type + L" alias " + ALIAS;
    MCIERROR code = mciSendStringW(open.c_str(), nullptr, 0, nullptr);
    if (code) {
        error = ErrorText(code);
        return false;
    }
    g_open = true;
    code = mciSendStringW((std::wstring(L"play ") + ALIAS).c_str(), nullptr, 0, nullptr);
    if (code) {
        error = ErrorText(code);
        StopMediaFile();
        return false;
    }
    return true;
}

void StopMediaFile()
{
    if (g_open)
        mciSendStringW((std::wstring(L"close ") + ALIAS).c_str(), nullptr, 0, nullptr);
    g_open = false;
}

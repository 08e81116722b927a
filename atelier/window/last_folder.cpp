#include "atelier/window/last_folder.h"

#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <shlobj.h>

#include <filesystem>

namespace {

constexpr const wchar_t* KEY = L"Software\\Quizz\\Atelier";
constexpr const wchar_t* VALUE = L"DernierDossier";

} // namespace

std::string DocumentsFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, path)))
        return Narrow(path);
    return "";
}

std::string LastFolder()
{
    wchar_t folder[MAX_PATH] = {};
    DWORD size = sizeof folder - sizeof folder[0]; // keeps a final \0
    std::error_code error;
    if (RegGetValueW(HKEY_CURRENT_USER, KEY, VALUE, RRF_RT_REG_SZ, nullptr, folder, &size) ==
            ERROR_SUCCESS &&
        std::filesystem::is_directory(std::filesystem::path(folder), error))
        return Narrow(folder);
    return DocumentsFolder();
}

void RememberFolderOf(const std::string& file)
{
    const std::wstring folder = std::filesystem::u8path(file).parent_path().wstring();
    HKEY key = nullptr;
    if (folder.empty() || RegCreateKeyExW(HKEY_CURRENT_USER, KEY, 0, nullptr, 0, KEY_SET_VALUE,
                                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, VALUE, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

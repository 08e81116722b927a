#include "player/whole_file.h"

#include <windows.h>

namespace {

bool WriteTemporary(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool whole = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                             &written, nullptr) &&
                                   written == bytes.size());
    whole = whole && FlushFileBuffers(file);
    // The reason of the first failure, not of the close after it.
    const DWORD error = GetLastError();
    const bool closed = CloseHandle(file);
    SetLastError(error);
    return closed && whole;
}

} // namespace

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".new";
    if (WriteTemporary(temporary, bytes) &&
        MoveFileExW(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    return false;
}

std::string AnsiShown(const std::wstring& path)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string shown(size > 0 ? size : 1, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, &shown[0], size, nullptr, nullptr);
    shown.resize(shown.find('\0'));
    return shown;
}

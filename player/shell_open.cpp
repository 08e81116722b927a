#include "player/shell_open.h"

#include <windows.h>

#include <shellapi.h>

void OpenWithShell(const char* address)
{
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

#include "tests/support/shell_open_recorder.h"

#include "player/shell_open.h"

std::vector<std::string>& OpenedAddresses()
{
    static std::vector<std::string> addresses;
    return addresses;
}

void OpenWithShell(const char* address)
{
    OpenedAddresses().push_back(address);
}

// Records the addresses the code under test asked the shell to open.
#pragma once

#include <string>
#include <vector>

std::vector<std::string>& OpenedAddresses();

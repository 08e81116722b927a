// UTF-8 to and from the UTF-16 of the W calls, for every Windows front and
// the authoring core's Windows half: names and paths keep letters from any
// alphabet.
#pragma once

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// UTF-8 to and from the UTF-16 of the W calls: the pupil's name and the
// paths of the files handed in keep letters from any alphabet.
#pragma once

#include <string>

std::wstring WideOfUtf8(const std::string& utf8);
std::string Utf8OfWide(const std::wstring& wide);

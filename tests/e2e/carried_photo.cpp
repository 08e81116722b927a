#include "tests/e2e/carried_photo.h"

#include <windows.h>

std::vector<unsigned char> CarriedPhoto()
{
    HRSRC info = FindResourceA(nullptr, "PHOTO", MAKEINTRESOURCEA(10)); // RT_RCDATA
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, info)));
    return {bytes, bytes + SizeofResource(nullptr, info)};
}

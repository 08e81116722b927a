// What the system draws of icons, for the tests that check which icon a
// program shows: an icon's pixels over a background, and an icon group's
// image of a size, made an icon as Windows makes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The icon drawn at side × side over background (0xRRGGBB): its pixels as
// 0xRRGGBB, rows top down.
std::vector<uint32_t> DrawnIcon(HICON icon, int side, uint32_t background);

// The image of group (an RT_GROUP_ICON name) in module that Windows picks
// for side × side, made an icon of that size; nullptr when there is none.
// The caller destroys it.
HICON GroupImage(HMODULE module, LPCWSTR group, int side);

// The icon that Explorer shows for a program at side × side: its first icon
// group's image of that size; nullptr when it has none. The caller destroys
// it.
HICON ProgramIcon(const std::wstring& program, int side);

// The colour at (x, y) of what DrawnIcon gives.
inline uint32_t PixelAt(const std::vector<uint32_t>& pixels, int side, int x, int y)
{
    return pixels[static_cast<size_t>(y) * side + x];
}

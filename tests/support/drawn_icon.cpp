#include "tests/support/drawn_icon.h"

std::vector<uint32_t> DrawnIcon(HICON icon, int side, uint32_t background)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
    if (!bitmap) {
        DeleteDC(dc);
        return pixels;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    auto* bgrx = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        bgrx[i] = background; // 0x00RRGGBB is how a 32-bit DIB holds B, G, R
    DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = bgrx[i] & 0xFFFFFF;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

HICON GroupImage(HMODULE module, LPCWSTR group, int side)
{
    HRSRC found = FindResourceW(module, group, MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    if (!found)
        return nullptr;
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, found)));
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, side, side, LR_DEFAULTCOLOR);
    HRSRC image = id ? FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)) : nullptr;
    if (!image)
        return nullptr;
    auto* bytes = static_cast<BYTE*>(LockResource(LoadResource(module, image)));
    return CreateIconFromResourceEx(bytes, SizeofResource(module, image), TRUE, 0x00030000, side,
                                    side, LR_DEFAULTCOLOR);
}

HICON ProgramIcon(const std::wstring& program, int side)
{
    HICON icon = nullptr;
    UINT id = 0;
    if (PrivateExtractIconsW(program.c_str(), 0, side, side, &icon, &id, 1, 0) != 1)
        return nullptr;
    return icon;
}

// Little-endian integers appended to the bytes of a file being made, as
// Windows' own formats (BMP, AVI, ICO) store them.
#pragma once

#include <cstdint>
#include <vector>

inline void Put16(std::vector<unsigned char>& bytes, uint32_t value)
{
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

inline void Put32(std::vector<unsigned char>& bytes, uint32_t value)
{
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

// Little-endian integers appended to the bytes of a file being made, as
// Windows' own formats (BMP, AVI, ICO) store them, and read from a file (a
// zip's records).
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

inline uint32_t LittleEndian16(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0] | bytes[1] << 8);
}

inline uint32_t LittleEndian32(const unsigned char* bytes)
{
    return LittleEndian16(bytes) | LittleEndian16(bytes + 2) << 16;
}

// LZW codec of the quiz payloads.
//
// Stream format: no header; codes follow each other without gaps, most
// significant bit first, starting at the top bit of byte 0. Codes are 9 bits
// wide at the start; LZW_WIDEN makes every later code one bit wider and
// LZW_RESET starts a new dictionary (next free code 259) with 9-bit codes
// again. Control codes are written in the width in force. Codes 0-255 are the
// single bytes, 259-4095 dictionary strings added in stream order. The first
// code is always read as a literal: its low 8 bits are the first byte, even
// for 256-258. A stream ends with the last string's code and LZW_END in the
// same width; the rest of the last byte is zero.
//
// LzwDecode and LzwEncode take a read-only input and, once their output
// buffer exists, always store it in *out (a malloc'd block the caller frees)
// with the exact count of bytes produced in *outLength, failures included.
// Results:
//   LZW_OK              0
//   LZW_NO_MEMORY      -4  an allocation failed ("Impossible d'allouer la
//                          memoire" is shown when it is the output buffer)
//   LZW_NO_INPUT       -5  empty input, input of 65536 bytes or more, or a
//                          stream that ends inside its first code
//   LZW_ENCODE_REFUSED -6  the coded stream would pass LZW_MAX_INPUT bytes,
//                          which the decoder refuses
//   LZW_BAD_STREAM     -7  a code above the next free code, the input ending
//                          before LZW_END, a width above 32, an entry past
//                          4095 without a reset, a string past 4096 bytes, or
//                          output past LZW_DECODE_CAPACITY
// After a failure the output holds what was produced before it (for the
// decoder every string but the last).
//
// Not reentrant: the statistics are module-level, and calls never overlap.
#pragma once

#include <cstdint>

constexpr int LZW_END = 256;
constexpr int LZW_WIDEN = 257;
constexpr int LZW_RESET = 258;
constexpr int LZW_FIRST_FREE = 259;
constexpr int LZW_DICTIONARY_SIZE = 4096;
constexpr int LZW_MAX_STRING = 4096;
constexpr uint32_t LZW_MAX_INPUT = 65535;
constexpr uint32_t LZW_DECODE_CAPACITY = 120000;
constexpr uint32_t LZW_ENCODE_CAPACITY = 80000;

constexpr int32_t LZW_OK = 0;
constexpr int32_t LZW_NO_MEMORY = -4;
constexpr int32_t LZW_NO_INPUT = -5;
constexpr int32_t LZW_ENCODE_REFUSED = -6;
constexpr int32_t LZW_BAD_STREAM = -7;

int32_t LzwDecode(const unsigned char* data, uint32_t size, unsigned char** out,
                  uint32_t* outLength);
int32_t LzwEncode(const unsigned char* data, uint32_t size, unsigned char** out,
                  uint32_t* outLength);

// Statistics of the last calls, zero at program start.
uint32_t LzwInputSize();       // input size of the last LzwDecode or LzwEncode
uint32_t LzwBytesConsumed();   // input bytes the last call read
uint32_t LzwEncodeInputSize(); // input size of the last LzwEncode
uint32_t LzwEncodedSize();     // bytes produced by the last successful LzwEncode

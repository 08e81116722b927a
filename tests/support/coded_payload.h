// A payload LZW-coded as a build codes it, for tests that make quiz
// resources by hand.
#pragma once

#include "quiz/lzw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

inline std::vector<unsigned char> CodedPayload(const std::vector<unsigned char>& plain)
{
    unsigned char* coded = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(LzwEncode(plain.data(), static_cast<uint32_t>(plain.size()), &coded, &length),
              LZW_OK);
    std::vector<unsigned char> bytes(coded, coded + length);
    free(coded);
    return bytes;
}

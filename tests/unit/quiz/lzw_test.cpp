#include "quiz/lzw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct Coded {
    int32_t result;
    Bytes bytes;
};

Coded Code(bool encode, const Bytes& input)
{
    unsigned char* out = nullptr;
    uint32_t length = 0;
    const int32_t result = (encode ? LzwEncode : LzwDecode)(
        input.data(), static_cast<uint32_t>(input.size()), &out, &length);
    Coded coded{result, out ? Bytes(out, out + length) : Bytes()};
    free(out);
    return coded;
}

// Writes codes most significant bit first, as a stream is laid out, widening
// first for a code that does not fit; the unused bits of the last byte stay
// zero.
struct StreamWriter {
    Bytes bytes;
    uint32_t bits = 0;
    uint32_t width = 9;
    bool first = true; // the first code is a literal whatever its value

    StreamWriter& Put(uint32_t code)
    {
        while (uint64_t{code} >> width)
            Put(LZW_WIDEN);
        for (uint32_t bit = width; bit-- > 0; ++bits) {
            if (bits % 8 == 0)
                bytes.push_back(0);
            bytes.back() |=
                static_cast<unsigned char>((uint64_t{code} >> bit & 1) << (7 - bits % 8));
        }
        if (!first)
            width = code == LZW_RESET ? 9 : width + (code == LZW_WIDEN);
        first = false;
        return *this;
    }
};

// The encoder exactly as the format defines it: whole strings looked up by
// their bytes, one dictionary generation at a time.
Bytes ReferenceEncode(const Bytes& input)
{
    StreamWriter out;
    std::map<Bytes, uint32_t> dictionary;
    auto code = [&](const Bytes& s) { return s.size() == 1 ? s[0] : dictionary.at(s); };
    Bytes w{input[0]};
    for (size_t i = 1; i < input.size(); ++i) {
        Bytes t = w;
        t.push_back(input[i]);
        if (dictionary.count(t)) {
            w = t;
            continue;
        }
        out.Put(code(w));
        dictionary.emplace(t, static_cast<uint32_t>(LZW_FIRST_FREE + dictionary.size()));
        w = {input[i]};
        if (dictionary.size() == LZW_DICTIONARY_SIZE - LZW_FIRST_FREE) {
            out.Put(LZW_RESET);
            dictionary = {{t, LZW_FIRST_FREE}};
        }
    }
    return out.Put(code(w)).Put(LZW_END).bytes;
}

Bytes Random(size_t size, unsigned alphabet, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes input(size);
    for (auto& byte : input)
        byte = static_cast<unsigned char>('a' + random() % alphabet);
    return input;
}

} // namespace

// The encoder's lookup is not the format's, but its streams must be the
// format's to the bit, across widenings and many dictionary resets; the short
// vectors pin the reference itself.
TEST(Lzw, MatchesTheReferenceEncoderAndRoundTrips)
{
    const struct {
        const char* name;
        Bytes input;
        Bytes coded;
    } cases[] = {
        {"abc", {'a', 'b', 'c'}, {0x30, 0x98, 0x8C, 0x70, 0x00}},
        {"a", {'a'}, {0x30, 0xC0, 0x00}},
        {"aaa, a code being defined", {'a', 'a', 'a'}, {0x30, 0xC0, 0xE0, 0x00}},
        {"four letters, the largest input", Random(LZW_MAX_INPUT, 4, 2), {}},
        {"random bytes, coded to the decoder's limit exactly", Random(49165, 256, 9), {}},
        {"long repeats", Bytes(60000, 'x'), {}},
        {"an entry waiting since one reset, dropped at the next", Random(27000, 46, 8), {}},
    };
    for (const auto& c : cases) {
        const Coded encoded = Code(true, c.input), decoded = Code(false, encoded.bytes);
        EXPECT_TRUE(encoded.result == LZW_OK && decoded.result == LZW_OK) << c.name;
        EXPECT_EQ(encoded.bytes, ReferenceEncode(c.input)) << c.name;
        EXPECT_TRUE(c.coded.empty() || encoded.bytes == c.coded) << c.name;
        EXPECT_TRUE(decoded.bytes == c.input) << c.name;
    }
}

TEST(Lzw, RefusesInputsItCannotTake)
{
    for (bool encode : {true, false}) {
        EXPECT_EQ(Code(encode, {}).result, LZW_NO_INPUT);
        EXPECT_EQ(Code(encode, Bytes(LZW_MAX_INPUT + 1, 'a')).result, LZW_NO_INPUT);
    }
    // Random bytes code to a third more: past 65535 coded bytes the decoder
    // refuses the stream, so the encoder must refuse it too (49,165 of them
    // round-trip above).
    const Coded refused = Code(true, Random(49166, 256, 9));
    EXPECT_EQ(refused.result, LZW_ENCODE_REFUSED);
    EXPECT_EQ(refused.bytes.size(), LZW_MAX_INPUT);
}

TEST(Lzw, DecodesMalformedStreamsSafely)
{
    StreamWriter literals, growing, widened;
    for (int i = 0; i < 3839; ++i)
        literals.Put('a' + i % 26);
    // Every code is the entry being defined: a, aa, aaa, ... until the
    // output would pass its capacity.
    growing.Put('a');
    for (uint32_t code = LZW_FIRST_FREE; code < 1000; ++code)
        growing.Put(code);
    widened.Put('a');
    for (int i = 0; i < 24; ++i)
        widened.Put(LZW_WIDEN);
    const struct {
        const char* name;
        Bytes stream;
        int32_t result;
        std::string output;
    } cases[] = {
        {"first code 256 is a byte", StreamWriter().Put(256).Put(LZW_END).bytes, LZW_OK,
         std::string(1, '\0')},
        {"a code after the end code", StreamWriter().Put('a').Put('b').Put(LZW_END).Put(511).bytes,
         LZW_OK, "ab"},
        {"no end code", StreamWriter().Put('a').Put('b').Put('c').bytes, LZW_BAD_STREAM, "ab"},
        {"code above the next free one", StreamWriter().Put('a').Put(260).bytes, LZW_BAD_STREAM,
         ""},
        {"first code cut short", {0x30}, LZW_NO_INPUT, ""},
        {"entry past 4095 without reset", literals.Put(LZW_END).bytes, LZW_BAD_STREAM, ""},
        {"output past its capacity", growing.bytes, LZW_BAD_STREAM, ""},
        {"width past 32", widened.Put('b').Put(LZW_END).bytes, LZW_BAD_STREAM, ""},
    };
    for (const auto& c : cases) {
        Coded decoded = Code(false, c.stream);
        EXPECT_EQ(decoded.result, c.result) << c.name;
        EXPECT_LE(decoded.bytes.size(), LZW_DECODE_CAPACITY) << c.name;
        if (!c.output.empty() || c.result == LZW_OK) {
            EXPECT_EQ(decoded.bytes, Bytes(c.output.begin(), c.output.end())) << c.name;
        }
    }
}

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

// Writes codes most significant bit first, as a stream is laid out.
struct StreamWriter {
    Bytes bytes;
    uint64_t pending = 0;
    uint32_t bits = 0;
    uint32_t width = 9;
    bool first = true; // the first code is a literal whatever its value

    StreamWriter& Put(uint32_t code)
    {
        pending = (pending << width) | code;
        bits += width;
        while (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<unsigned char>(pending >> bits));
        }
        pending &= (1u << bits) - 1;
        if (code == LZW_WIDEN && !first)
            ++width;
        first = false;
        return *this;
    }
    Bytes Finish()
    {
        if (bits)
            bytes.push_back(static_cast<unsigned char>(pending << (8 - bits)));
        return bytes;
    }
};

// The encoder exactly as the format defines it: whole strings looked up by
// their bytes, one dictionary generation at a time.
Bytes ReferenceEncode(const Bytes& input)
{
    StreamWriter out;
    std::map<std::string, uint32_t> dictionary;
    uint32_t nextFree = LZW_FIRST_FREE;
    auto put = [&](const std::string& s) {
        const uint32_t code = s.size() == 1 ? static_cast<unsigned char>(s[0]) : dictionary.at(s);
        while (code >= (1u << out.width))
            out.Put(LZW_WIDEN);
        out.Put(code);
    };
    std::string w(1, static_cast<char>(input[0]));
    for (size_t i = 1; i < input.size(); ++i) {
        std::string t = w + static_cast<char>(input[i]);
        if (dictionary.count(t)) {
            w = t;
            continue;
        }
        dictionary[t] = nextFree++;
        put(w);
        w = t.substr(t.size() - 1);
        if (nextFree == LZW_DICTIONARY_SIZE) {
            out.Put(LZW_RESET);
            out.width = 9;
            dictionary = {{t, LZW_FIRST_FREE}};
            nextFree = LZW_FIRST_FREE + 1;
        }
    }
    put(w);
    out.Put(LZW_END);
    return out.Finish();
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

TEST(Lzw, CodesTheKnownVectorsBothWays)
{
    const struct {
        std::string input;
        Bytes coded;
    } cases[] = {
        {"abc", {0x30, 0x98, 0x8C, 0x70, 0x00}},
        {"a", {0x30, 0xC0, 0x00}},
        {"aaa", {0x30, 0xC0, 0xE0, 0x00}},
    };
    for (const auto& c : cases) {
        const Bytes plain(c.input.begin(), c.input.end());
        Coded encoded = Code(true, plain), decoded = Code(false, c.coded);
        EXPECT_EQ(encoded.result, LZW_OK) << c.input;
        EXPECT_EQ(encoded.bytes, c.coded) << c.input;
        EXPECT_EQ(decoded.result, LZW_OK) << c.input;
        EXPECT_EQ(decoded.bytes, plain) << c.input;
    }
}

// The encoder's lookup is not the format's, but its streams must be the
// format's to the bit, across many dictionary resets.
TEST(Lzw, MatchesTheReferenceEncoderAndRoundTrips)
{
    const struct {
        const char* name;
        Bytes input;
    } cases[] = {
        {"two letters", Random(60000, 2, 1)},
        {"four letters, the largest input", Random(LZW_MAX_INPUT, 4, 2)},
        {"random bytes", Random(40000, 256, 4)},
        {"long repeats", Bytes(60000, 'x')},
    };
    for (const auto& c : cases) {
        Coded encoded = Code(true, c.input);
        ASSERT_EQ(encoded.result, LZW_OK) << c.name;
        EXPECT_EQ(encoded.bytes, ReferenceEncode(c.input)) << c.name;
        Coded decoded = Code(false, encoded.bytes);
        EXPECT_EQ(decoded.result, LZW_OK) << c.name;
        EXPECT_TRUE(decoded.bytes == c.input) << c.name;
    }
}

TEST(Lzw, RefusesInputsItCannotTake)
{
    for (bool encode : {true, false}) {
        EXPECT_EQ(Code(encode, {}).result, LZW_NO_INPUT);
        EXPECT_EQ(Code(encode, Bytes(LZW_MAX_INPUT + 1, 'a')).result, LZW_NO_INPUT);
    }
    Coded encoded = Code(true, Random(LZW_MAX_INPUT, 256, 9));
    EXPECT_EQ(encoded.result, LZW_ENCODE_REFUSED);
    EXPECT_EQ(encoded.bytes.size(), LZW_ENCODE_CAPACITY);
}

TEST(Lzw, DecodesMalformedStreamsSafely)
{
    StreamWriter literals, growing;
    for (int i = 0; i < 3839; ++i)
        literals.Put('a' + i % 26);
    // Every code is the entry being defined: a, aa, aaa, ... until the
    // output would pass its capacity.
    growing.Put('a');
    for (uint32_t code = LZW_FIRST_FREE; code < 1000; ++code) {
        if (code == 512)
            growing.Put(LZW_WIDEN);
        growing.Put(code);
    }
    const struct {
        const char* name;
        Bytes stream;
        int32_t result;
        std::string output;
    } cases[] = {
        {"first code 256 is a byte", StreamWriter().Put(256).Put(LZW_END).Finish(), LZW_OK,
         std::string(1, '\0')},
        {"first code 258 is a byte", StreamWriter().Put(258).Put(LZW_END).Finish(), LZW_OK, "\x02"},
        {"no end code", StreamWriter().Put('a').Put('b').Put('c').Finish(), LZW_BAD_STREAM, "ab"},
        {"code above the next free one", StreamWriter().Put('a').Put(260).Finish(), LZW_BAD_STREAM,
         ""},
        {"code being defined", StreamWriter().Put('a').Put(259).Put(LZW_END).Finish(), LZW_OK,
         "aaa"},
        {"reset keeps W",
         StreamWriter().Put('a').Put('b').Put(LZW_RESET).Put(259).Put(LZW_END).Finish(), LZW_OK,
         "abbb"},
        {"first code cut short", {0x30}, LZW_NO_INPUT, ""},
        {"entry past 4095 without reset", literals.Put(LZW_END).Finish(), LZW_BAD_STREAM, ""},
        {"output past its capacity", growing.Finish(), LZW_BAD_STREAM, ""},
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

TEST(Lzw, KeepsStatisticsOfTheLastCalls)
{
    Coded encoded = Code(true, {'a', 'b', 'c'});
    EXPECT_EQ(LzwInputSize(), 3u);
    EXPECT_EQ(LzwBytesConsumed(), 3u);
    EXPECT_EQ(LzwEncodeInputSize(), 3u);
    EXPECT_EQ(LzwEncodedSize(), 5u);

    encoded.bytes.insert(encoded.bytes.end(), {1, 2, 3});
    Code(false, encoded.bytes);
    EXPECT_EQ(LzwInputSize(), 8u);
    EXPECT_EQ(LzwBytesConsumed(), 5u); // nothing after the end code is read
    EXPECT_EQ(LzwEncodeInputSize(), 3u);

    Code(true, {});
    EXPECT_EQ(LzwEncodeInputSize(), 0u);
    EXPECT_EQ(LzwEncodedSize(), 5u); // only a successful encode counts

    // A width past 32 ends the stream before another code is read.
    StreamWriter widens;
    widens.Put('a');
    for (int i = 0; i < 24; ++i)
        widens.Put(LZW_WIDEN);
    Bytes stream = widens.Finish();
    const auto used = static_cast<uint32_t>(stream.size());
    stream.insert(stream.end(), 16, 0xFF);
    EXPECT_EQ(Code(false, stream).result, LZW_BAD_STREAM);
    EXPECT_EQ(LzwBytesConsumed(), used);
}

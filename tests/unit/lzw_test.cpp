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

Coded Run(int32_t (*codec)(const unsigned char*, uint32_t, unsigned char**, uint32_t*),
          const Bytes& input)
{
    unsigned char* out = nullptr;
    uint32_t length = 0;
    int32_t result = codec(input.data(), static_cast<uint32_t>(input.size()), &out, &length);
    Coded coded{result, out ? Bytes(out, out + length) : Bytes()};
    free(out);
    return coded;
}

Coded Encode(const Bytes& input)
{
    return Run(LzwEncode, input);
}
Coded Decode(const Bytes& input)
{
    return Run(LzwDecode, input);
}
Bytes B(const std::string& s)
{
    return Bytes(s.begin(), s.end());
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
        bits = 0;
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
    auto codeOf = [&](const std::string& s) {
        return s.size() == 1 ? static_cast<unsigned char>(s[0]) : dictionary.at(s);
    };
    auto putWidened = [&](uint32_t code) {
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
        putWidened(codeOf(w));
        w = t.substr(t.size() - 1);
        if (nextFree == LZW_DICTIONARY_SIZE) {
            out.Put(LZW_RESET);
            out.width = 9;
            dictionary.clear();
            dictionary[t] = LZW_FIRST_FREE;
            nextFree = LZW_FIRST_FREE + 1;
        }
    }
    putWidened(codeOf(w));
    out.Put(LZW_END);
    return out.Finish();
}

// Inputs of the kinds the codec meets, and some that fill the dictionary
// many times over.
Bytes MakeInput(size_t size, unsigned alphabet, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes input(size);
    for (auto& byte : input)
        byte = static_cast<unsigned char>('a' + random() % alphabet);
    return input;
}

Bytes MakeProse(size_t size)
{
    const char* words[] = {"le ",    "quizz ", "réponse ", "question ", "de ",   "la ", "Paris ",
                           "image ", "son ",   "film ",    "trouvé ",   "code ", "et ", "un "};
    std::mt19937 random(7);
    Bytes input;
    while (input.size() < size) {
        const char* word = words[random() % 14];
        input.insert(input.end(), word, word + strlen(word));
    }
    input.resize(size);
    return input;
}

struct CodeRead {
    uint32_t value;
    uint32_t width;
};

// Reads back the codes of a stream, following its widenings and resets.
std::vector<CodeRead> ReadCodes(const Bytes& stream)
{
    std::vector<CodeRead> codes;
    uint64_t value = 0;
    uint32_t bits = 0, width = 9;
    for (unsigned char byte : stream) {
        value = (value << 8) | byte;
        bits += 8;
        while (bits >= width) {
            bits -= width;
            uint32_t code = static_cast<uint32_t>(value >> bits) & ((1u << width) - 1);
            codes.push_back({code, width});
            if (codes.size() > 1 && code == LZW_END)
                return codes;
            if (codes.size() > 1 && code == LZW_WIDEN)
                ++width;
            if (codes.size() > 1 && code == LZW_RESET)
                width = 9;
        }
    }
    return codes;
}

} // namespace

TEST(Lzw, EncodesTheKnownVectors)
{
    const struct {
        const char* input;
        Bytes coded;
    } cases[] = {
        {"abc", {0x30, 0x98, 0x8C, 0x70, 0x00}},
        {"a", {0x30, 0xC0, 0x00}},
        {"aaa", {0x30, 0xC0, 0xE0, 0x00}},
    };
    for (const auto& c : cases) {
        Coded encoded = Encode(B(c.input));
        EXPECT_EQ(encoded.result, LZW_OK) << c.input;
        EXPECT_EQ(encoded.bytes, c.coded) << c.input;
        Coded decoded = Decode(c.coded);
        EXPECT_EQ(decoded.result, LZW_OK) << c.input;
        EXPECT_EQ(decoded.bytes, B(c.input));
    }
}

TEST(Lzw, EmptyInputIsRefusedBothWays)
{
    EXPECT_EQ(Encode({}).result, LZW_NO_INPUT);
    EXPECT_EQ(Decode({}).result, LZW_NO_INPUT);
}

TEST(Lzw, InputsPastTheStreamLimitAreRefused)
{
    Bytes big(LZW_MAX_INPUT + 1, 'a');
    EXPECT_EQ(Encode(big).result, LZW_NO_INPUT);
    EXPECT_EQ(Decode(big).result, LZW_NO_INPUT);
    Coded largest = Encode(Bytes(LZW_MAX_INPUT, 'a'));
    ASSERT_EQ(largest.result, LZW_OK);
    EXPECT_EQ(Decode(largest.bytes).bytes, Bytes(LZW_MAX_INPUT, 'a'));
}

// The encoder's lookup is not the format's, but its streams must be the
// format's to the bit, across many dictionary resets.
TEST(Lzw, MatchesTheFormatAndRoundTrips)
{
    const struct {
        const char* name;
        Bytes input;
    } cases[] = {
        {"prose", MakeProse(60000)},
        {"two letters", MakeInput(60000, 2, 1)},
        {"four letters", MakeInput(65535, 4, 2)},
        {"sixteen letters", MakeInput(50000, 16, 3)},
        {"random bytes", MakeInput(40000, 256, 4)},
        {"long repeats", Bytes(60000, 'x')},
        {"every byte",
         [] {
             Bytes all;
             for (int i = 0; i < 256 * 40; ++i)
                 all.push_back(static_cast<unsigned char>(i * 7 % 256));
             return all;
         }()},
    };
    for (const auto& c : cases) {
        Coded encoded = Encode(c.input);
        ASSERT_EQ(encoded.result, LZW_OK) << c.name;
        EXPECT_EQ(encoded.bytes, ReferenceEncode(c.input)) << c.name;
        Coded decoded = Decode(encoded.bytes);
        EXPECT_EQ(decoded.result, LZW_OK) << c.name;
        EXPECT_TRUE(decoded.bytes == c.input) << c.name;
    }
}

// Widenings come only just before the code that needs them, resets after
// every full dictionary, and both are written in the width in force.
TEST(Lzw, WidensAndResetsExactlyWhenNeeded)
{
    Coded encoded = Encode(MakeInput(65535, 3, 5));
    ASSERT_EQ(encoded.result, LZW_OK);
    std::vector<CodeRead> codes = ReadCodes(encoded.bytes);
    ASSERT_EQ(codes.back().value, static_cast<uint32_t>(LZW_END));

    int resets = 0, codesInGeneration = 1;
    for (size_t i = 1; i + 1 < codes.size(); ++i) {
        const CodeRead& code = codes[i];
        if (code.value == LZW_WIDEN) {
            // The code after a run of widenings needs the last one.
            size_t next = i;
            while (codes[next].value == LZW_WIDEN)
                ++next;
            EXPECT_GE(codes[next].value, 1u << (codes[next].width - 1)) << i;
            i = next - 1;
        } else if (code.value == LZW_RESET) {
            EXPECT_EQ(codes[i + 1].width, 9u);
            EXPECT_EQ(code.width, codes[i - 1].width);
            EXPECT_EQ(codesInGeneration, resets == 0 ? 3837 : 3836) << resets;
            ++resets;
            codesInGeneration = 0;
        } else {
            ++codesInGeneration;
        }
    }
    EXPECT_GE(resets, 2);
}

TEST(Lzw, DecodesMalformedStreamsSafely)
{
    auto literals = [](int count) {
        StreamWriter s;
        for (int i = 0; i < count; ++i)
            s.Put('a' + i % 26);
        return s;
    };
    auto growing = [] {
        // Every code is the entry being defined: a, aa, aaa, ... until the
        // output would pass its capacity.
        StreamWriter s;
        s.Put('a');
        for (uint32_t code = LZW_FIRST_FREE; code < 1000; ++code) {
            if (code == 512)
                s.Put(LZW_WIDEN);
            s.Put(code);
        }
        return s;
    };
    auto widens = [] {
        StreamWriter s;
        s.Put('a');
        for (int i = 0; i < 24; ++i)
            s.Put(LZW_WIDEN);
        return s;
    };
    const struct {
        const char* name;
        Bytes stream;
        int32_t result;
        std::string output;
    } cases[] = {
        {"first code 256 is a byte", StreamWriter().Put(256).Put(LZW_END).Finish(), LZW_OK,
         std::string(1, '\0')},
        {"first code 257 is a byte", StreamWriter().Put(257).Put(LZW_END).Finish(), LZW_OK, "\x01"},
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
        {"width past 32", widens().Finish(), LZW_BAD_STREAM, ""},
        {"entry past 4095 without reset", literals(3839).Put(LZW_END).Finish(), LZW_BAD_STREAM, ""},
        {"output past its capacity", growing().Finish(), LZW_BAD_STREAM, ""},
    };
    for (const auto& c : cases) {
        Coded decoded = Decode(c.stream);
        EXPECT_EQ(decoded.result, c.result) << c.name;
        EXPECT_LE(decoded.bytes.size(), LZW_DECODE_CAPACITY) << c.name;
        if (!c.output.empty() || c.result == LZW_OK) {
            EXPECT_EQ(decoded.bytes, B(c.output)) << c.name;
        }
    }
}

TEST(Lzw, StopsAtWidth33BeforeReadingAnotherCode)
{
    StreamWriter s;
    s.Put('a');
    for (int i = 0; i < 24; ++i)
        s.Put(LZW_WIDEN);
    Bytes stream = s.Finish();
    const uint32_t used = static_cast<uint32_t>(stream.size());
    stream.insert(stream.end(), 16, 0xFF);
    EXPECT_EQ(Decode(stream).result, LZW_BAD_STREAM);
    EXPECT_EQ(LzwBytesConsumed(), used);
}

TEST(Lzw, RefusesCodedOutputPastItsCapacity)
{
    Coded encoded = Encode(MakeInput(LZW_MAX_INPUT, 256, 9));
    EXPECT_EQ(encoded.result, LZW_ENCODE_REFUSED);
    EXPECT_EQ(encoded.bytes.size(), LZW_ENCODE_CAPACITY);
}

TEST(Lzw, KeepsStatisticsOfTheLastCalls)
{
    Coded encoded = Encode(B("abc"));
    EXPECT_EQ(LzwInputSize(), 3u);
    EXPECT_EQ(LzwBytesConsumed(), 3u);
    EXPECT_EQ(LzwEncodeInputSize(), 3u);
    EXPECT_EQ(LzwEncodedSize(), 5u);

    Bytes padded = encoded.bytes;
    padded.insert(padded.end(), {1, 2, 3});
    Decode(padded);
    EXPECT_EQ(LzwInputSize(), 8u);
    EXPECT_EQ(LzwBytesConsumed(), 5u); // nothing after the end code is read
    EXPECT_EQ(LzwEncodeInputSize(), 3u);

    Encode({});
    EXPECT_EQ(LzwEncodeInputSize(), 0u);
    EXPECT_EQ(LzwEncodedSize(), 5u); // only a successful encode counts
}

#include "quiz/lzw.h"

#include "quiz/message_box.h"

#include <cstdlib>
#include <cstring>

namespace {

struct LzwStatistics {
    uint32_t inputSize;
    uint32_t bytesConsumed;
    uint32_t encodeInputSize;
    uint32_t encodedSize;
};

LzwStatistics g_lzwStatistics;

void ReportNoMemory()
{
    ShowMessageBox("Impossible d'allouer la memoire", "information");
}

// ---- Decoding -------------------------------------------------------------

// Every dictionary string is W followed by the first byte of the string
// decoded next, and that string is written right after W: so each entry is a
// run of the output itself, and needs no copy of its own.
struct DecoderState {
    uint32_t offset[LZW_DICTIONARY_SIZE];
    uint16_t length[LZW_DICTIONARY_SIZE];
};

struct BitReader {
    const unsigned char* data;
    uint32_t size;
    uint32_t position;
    uint32_t pending;  // unused bits of the last byte read, right-aligned
    uint32_t bitCount; // how many of them

    // Reads a code of width bits (up to 32); false when the input ends first.
    bool Read(uint32_t width, uint32_t* code)
    {
        uint64_t value = pending;
        uint32_t have = bitCount;
        while (have < width) {
            if (position == size)
                return false;
            value = (value << 8) | data[position++];
            have += 8;
        }
        uint32_t spare = have - width;
        *code = static_cast<uint32_t>(value >> spare);
        pending = static_cast<uint32_t>(value & ((1u << spare) - 1));
        bitCount = spare;
        return true;
    }
};

int32_t DecodeStream(BitReader& reader, DecoderState& state, unsigned char* output,
                     uint32_t* committed)
{
    uint32_t code;
    if (!reader.Read(9, &code))
        return LZW_NO_INPUT;

    // W is kept written at the end of the output; it counts as decoded only
    // once the next string (or LZW_END) arrives.
    output[0] = static_cast<unsigned char>(code);
    uint32_t wOffset = 0;
    uint32_t wLength = 1;
    uint32_t produced = 1;
    uint32_t nextFree = LZW_FIRST_FREE;
    uint32_t width = 9;

    for (;;) {
        if (width > 32 || !reader.Read(width, &code))
            return LZW_BAD_STREAM;
        if (code == LZW_END) {
            *committed = produced;
            return LZW_OK;
        }
        if (code == LZW_RESET) {
            nextFree = LZW_FIRST_FREE;
            width = 9;
            continue;
        }
        if (code == LZW_WIDEN) {
            ++width;
            continue;
        }
        if (code > nextFree || nextFree >= LZW_DICTIONARY_SIZE || wLength + 1 > LZW_MAX_STRING)
            return LZW_BAD_STREAM;
        state.offset[nextFree] = wOffset;
        state.length[nextFree] = static_cast<uint16_t>(wLength + 1);
        ++nextFree;
        *committed = produced;

        uint32_t length = code < 256 ? 1 : state.length[code];
        if (length > LZW_DECODE_CAPACITY - produced)
            return LZW_BAD_STREAM;
        if (code < 256) {
            output[produced] = static_cast<unsigned char>(code);
        } else if (code == nextFree - 1) {
            // The entry defined by this very code: W and its own first byte.
            memcpy(output + produced, output + wOffset, wLength);
            output[produced + wLength] = output[wOffset];
        } else {
            memcpy(output + produced, output + state.offset[code], length);
        }
        wOffset = produced;
        wLength = length;
        produced += length;
    }
}

// ---- Encoding -------------------------------------------------------------

// Strings are unique within a dictionary generation, and every entry but the
// one re-added at a reset is a known string followed by one byte, so entries
// are found by (code of that string, byte). The entry re-added at a reset is
// an old W followed by a byte; the old W has no code in the new generation
// until it is added again, and only then is the entry keyed under that code.
constexpr uint32_t HASH_SLOTS = 8192;
constexpr int32_t HASH_EMPTY = -1;

struct EncoderState {
    int32_t key[HASH_SLOTS];
    uint16_t code[HASH_SLOTS];
    uint32_t orphanOffset; // where the old W of the last reset stands in the input
    uint32_t orphanLength; // its length, 0 when no entry waits for its code
    unsigned char orphanByte;
};

uint32_t HashSlot(int32_t key)
{
    return (static_cast<uint32_t>(key) * 2654435761u) >> 19;
}

int32_t MakeKey(uint32_t prefixCode, unsigned char byte)
{
    return static_cast<int32_t>((prefixCode << 8) | byte);
}

void ClearIndex(EncoderState& state)
{
    memset(state.key, 0xFF, sizeof state.key);
    state.orphanLength = 0;
}

int32_t FindEntry(const EncoderState& state, int32_t key)
{
    for (uint32_t slot = HashSlot(key);; slot = (slot + 1) % HASH_SLOTS) {
        if (state.key[slot] == HASH_EMPTY)
            return -1;
        if (state.key[slot] == key)
            return state.code[slot];
    }
}

void InsertEntry(EncoderState& state, int32_t key, uint32_t code)
{
    uint32_t slot = HashSlot(key);
    while (state.key[slot] != HASH_EMPTY)
        slot = (slot + 1) % HASH_SLOTS;
    state.key[slot] = key;
    state.code[slot] = static_cast<uint16_t>(code);
}

struct BitWriter {
    unsigned char* output;
    uint32_t produced;
    uint64_t pending;  // bits not yet stored, right-aligned
    uint32_t bitCount; // how many of them
    bool full;

    void Put(uint32_t code, uint32_t width)
    {
        pending = (pending << width) | code;
        bitCount += width;
        while (bitCount >= 8) {
            bitCount -= 8;
            Store(static_cast<unsigned char>(pending >> bitCount));
        }
        pending &= (1u << bitCount) - 1;
    }

    void Flush()
    {
        if (bitCount > 0)
            Store(static_cast<unsigned char>(pending << (8 - bitCount)));
        bitCount = 0;
    }

    // The decoder takes streams of LZW_MAX_INPUT bytes at most: a longer
    // one would be written only to be refused when the quiz starts.
    void Store(unsigned char byte)
    {
        if (produced == LZW_MAX_INPUT) {
            full = true;
            return;
        }
        output[produced++] = byte;
    }
};

void PutWidened(BitWriter& writer, uint32_t code, uint32_t* width)
{
    while (code >= (1u << *width)) {
        writer.Put(LZW_WIDEN, *width);
        ++*width;
    }
    writer.Put(code, *width);
}

int32_t EncodeBytes(const unsigned char* data, uint32_t size, EncoderState& state,
                    BitWriter& writer)
{
    ClearIndex(state);
    uint32_t nextFree = LZW_FIRST_FREE;
    uint32_t width = 9;
    uint32_t wCode = data[0];
    uint32_t wLength = 1;
    g_lzwStatistics.bytesConsumed = 1;

    for (uint32_t i = 1; i < size; ++i) {
        unsigned char c = data[i];
        ++g_lzwStatistics.bytesConsumed;
        int32_t found = FindEntry(state, MakeKey(wCode, c));
        if (found >= 0) {
            wCode = static_cast<uint32_t>(found);
            ++wLength;
            continue;
        }

        // T = W c, the bytes data[i - wLength .. i], becomes a new entry.
        if (wLength + 1 > LZW_MAX_STRING)
            return LZW_ENCODE_REFUSED;
        uint32_t tOffset = i - wLength;
        InsertEntry(state, MakeKey(wCode, c), nextFree);
        if (state.orphanLength == wLength + 1 &&
            memcmp(data + state.orphanOffset, data + tOffset, wLength + 1) == 0) {
            InsertEntry(state, MakeKey(nextFree, state.orphanByte), LZW_FIRST_FREE);
            state.orphanLength = 0;
        }
        ++nextFree;

        PutWidened(writer, wCode, &width);
        uint32_t oldWCode = wCode;
        uint32_t oldWLength = wLength;
        wCode = c;
        wLength = 1;

        if (nextFree == LZW_DICTIONARY_SIZE) {
            writer.Put(LZW_RESET, width);
            width = 9;
            ClearIndex(state);
            nextFree = LZW_FIRST_FREE + 1;
            if (oldWLength == 1) {
                InsertEntry(state, MakeKey(oldWCode, c), LZW_FIRST_FREE);
            } else {
                state.orphanOffset = tOffset;
                state.orphanLength = oldWLength;
                state.orphanByte = c;
            }
        }
        if (writer.full)
            return LZW_ENCODE_REFUSED;
    }

    PutWidened(writer, wCode, &width);
    writer.Put(LZW_END, width);
    writer.Flush();
    return writer.full ? LZW_ENCODE_REFUSED : LZW_OK;
}

} // namespace

int32_t LzwDecode(const unsigned char* data, uint32_t size, unsigned char** out,
                  uint32_t* outLength)
{
    g_lzwStatistics.inputSize = size;
    g_lzwStatistics.bytesConsumed = 0;
    if (size > LZW_MAX_INPUT)
        return LZW_NO_INPUT;

    auto* state = static_cast<DecoderState*>(malloc(sizeof(DecoderState)));
    if (!state)
        return LZW_NO_MEMORY;
    auto* output = static_cast<unsigned char*>(malloc(LZW_DECODE_CAPACITY));
    if (!output) {
        ReportNoMemory();
        free(state);
        return LZW_NO_MEMORY;
    }

    BitReader reader = {data, size, 0, 0, 0};
    uint32_t committed = 0;
    int32_t result = DecodeStream(reader, *state, output, &committed);
    g_lzwStatistics.bytesConsumed = reader.position;
    free(state);
    *out = output;
    *outLength = committed;
    return result;
}

int32_t LzwEncode(const unsigned char* data, uint32_t size, unsigned char** out,
                  uint32_t* outLength)
{
    g_lzwStatistics.inputSize = size;
    g_lzwStatistics.encodeInputSize = size;
    g_lzwStatistics.bytesConsumed = 0;
    if (size > LZW_MAX_INPUT)
        return LZW_NO_INPUT;

    auto* output = static_cast<unsigned char*>(malloc(LZW_ENCODE_CAPACITY));
    if (!output) {
        ReportNoMemory();
        return LZW_NO_MEMORY;
    }
    auto* state = static_cast<EncoderState*>(malloc(sizeof(EncoderState)));
    if (!state) {
        free(output);
        return LZW_NO_MEMORY;
    }

    BitWriter writer = {output, 0, 0, 0, false};
    int32_t result = size == 0 ? LZW_NO_INPUT : EncodeBytes(data, size, *state, writer);
    free(state);
    if (result == LZW_OK)
        g_lzwStatistics.encodedSize = writer.produced;
    *out = output;
    *outLength = writer.produced;
    return result;
}

uint32_t LzwInputSize()
{
    return g_lzwStatistics.inputSize;
}
uint32_t LzwBytesConsumed()
{
    return g_lzwStatistics.bytesConsumed;
}
uint32_t LzwEncodeInputSize()
{
    return g_lzwStatistics.encodeInputSize;
}
uint32_t LzwEncodedSize()
{
    return g_lzwStatistics.encodedSize;
}

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
//
// One search per input byte: a search that misses ends on the empty slot
// where the new entry goes. Each key carries its dictionary generation, so a
// reset clears nothing: slots of older generations count as empty. An input
// of LZW_MAX_INPUT bytes has at most 18 generations (each takes over 3800
// bytes), far below the 4096 that the 12 bits above code and byte count.
constexpr uint32_t HASH_BITS = 14;
constexpr uint32_t HASH_SLOTS = 1u << HASH_BITS; // a quarter full at most: short probes
constexpr uint32_t GENERATION_STEP = 1u << 20;
constexpr uint32_t NO_ORPHAN = 256; // no byte is 256

// No string reaches LZW_MAX_STRING bytes, which the decoder would refuse: a
// string of n bytes is added only once strings of 1, 2, ... n - 1 bytes were
// each coded, which takes n(n - 1)/2 input bytes.
static_assert(uint64_t{LZW_MAX_STRING} * (LZW_MAX_STRING - 1) / 2 > LZW_MAX_INPUT,
              "no input is long enough to build a string the decoder refuses");

struct EncoderState {
    uint32_t key[HASH_SLOTS]; // generation, prefix code, byte; 0 is never used
    uint16_t code[HASH_SLOTS];
    // While the entry re-added at the last reset waits for its old W: where
    // that W stands in the input, its length, and its last byte, compared
    // first as most strings differ there (NO_ORPHAN when no entry waits).
    // The entry is the old W and the input byte after it.
    uint32_t orphanOffset;
    uint32_t orphanLength;
    uint32_t orphanLast;
};

size_t HashSlot(uint32_t key)
{
    return (key * 2654435761u) >> (32 - HASH_BITS);
}

uint32_t MakeKey(uint32_t generation, uint32_t prefixCode, unsigned char byte)
{
    return generation | prefixCode << 8 | byte;
}

// True when key is an entry, in *slot; otherwise *slot is the empty slot
// where it belongs.
bool FindEntry(const EncoderState& state, uint32_t key, uint32_t generation, size_t* slot)
{
    size_t probe = HashSlot(key);
    while (state.key[probe] != key) {
        if (state.key[probe] < generation) {
            *slot = probe;
            return false;
        }
        probe = (probe + 1) % HASH_SLOTS;
    }
    *slot = probe;
    return true;
}

void InsertEntry(EncoderState& state, uint32_t key, uint32_t generation, uint32_t code)
{
    size_t slot = 0;
    FindEntry(state, key, generation, &slot);
    state.key[slot] = key;
    state.code[slot] = static_cast<uint16_t>(code);
}

// True when the bytes from w to p, whose last byte matched already, are the
// old W that the entry re-added at the last reset waits for.
bool IsOrphanW(const EncoderState& state, const unsigned char* data, const unsigned char* w,
               const unsigned char* p)
{
    const auto length = static_cast<uint32_t>(p - w) + 1;
    return state.orphanLength == length && memcmp(data + state.orphanOffset, w, length - 1) == 0;
}

// Codes gather in a 32-bit word and leave it a byte at a time, most
// significant first: fewer than 8 bits wait between codes and a code is 12
// bits at most, so the word never overflows, and the web page's JavaScript
// needs no emulated 64-bit arithmetic. The decoder takes streams of
// LZW_MAX_INPUT bytes at most: a longer one would be written only to be
// refused when the quiz starts. The encoder checks the length once per
// entry, so the buffer needs room past LZW_MAX_INPUT for the codes of one
// entry (a few widenings, the code, a reset) and the last byte.
static_assert(LZW_ENCODE_CAPACITY >= LZW_MAX_INPUT + 16, "room for one entry past the limit");
static_assert(LZW_DICTIONARY_SIZE <= 1 << 12, "codes fit the word beside a byte's bits");

struct CodeWriter {
    unsigned char* output;
    uint32_t produced = 0;
    uint32_t pending = 0;   // bits not yet stored, right-aligned above older ones
    uint32_t bitCount = 0;  // how many of them, below 8 between codes
    uint32_t width = 9;     // of the codes, as the decoder reads them
    uint32_t tooWide = 512; // the first code that needs a wider width

    void Put(uint32_t code)
    {
        pending = (pending << width) | code;
        for (bitCount += width; bitCount >= 8; bitCount -= 8)
            output[produced++] = static_cast<unsigned char>(pending >> (bitCount - 8));
    }

    void PutWidened(uint32_t code)
    {
        while (code >= tooWide) {
            Put(LZW_WIDEN);
            ++width;
            tooWide *= 2;
        }
        Put(code);
    }

    void PutReset()
    {
        Put(LZW_RESET);
        width = 9;
        tooWide = 512;
    }

    void Flush()
    {
        if (bitCount > 0)
            output[produced++] = static_cast<unsigned char>(pending << (8 - bitCount));
        bitCount = 0;
    }

    // Past LZW_MAX_INPUT whole bytes: fewer than 8 bits wait between codes,
    // so the stream passes the limit exactly when the stored bytes do.
    bool Full() const { return produced > LZW_MAX_INPUT; }
};

int32_t EncodeBytes(const unsigned char* data, uint32_t size, EncoderState& state,
                    CodeWriter& writer)
{
    memset(state.key, 0, sizeof state.key);
    state.orphanLast = NO_ORPHAN;
    uint32_t generation = GENERATION_STEP;
    uint32_t nextFree = LZW_FIRST_FREE;
    const unsigned char* const end = data + size;
    const unsigned char* w = data; // W is the bytes from w up to, not including, p
    uint32_t wCode = *w;

    for (const unsigned char* p = data + 1; p < end; ++p) {
        const uint32_t key = MakeKey(generation, wCode, *p);
        size_t slot = 0;
        if (FindEntry(state, key, generation, &slot)) {
            wCode = state.code[slot];
            continue;
        }

        // T = W c, the bytes from w to p, becomes a new entry.
        state.key[slot] = key;
        state.code[slot] = static_cast<uint16_t>(nextFree);
        if (*p == state.orphanLast && IsOrphanW(state, data, w, p)) {
            const unsigned char byte = data[state.orphanOffset + state.orphanLength];
            InsertEntry(state, MakeKey(generation, nextFree, byte), generation, LZW_FIRST_FREE);
            state.orphanLast = NO_ORPHAN;
        }
        ++nextFree;

        writer.PutWidened(wCode);
        if (nextFree == LZW_DICTIONARY_SIZE) {
            writer.PutReset();
            generation += GENERATION_STEP;
            nextFree = LZW_FIRST_FREE + 1;
            if (p - w == 1) {
                InsertEntry(state, MakeKey(generation, w[0], w[1]), generation, LZW_FIRST_FREE);
                state.orphanLast = NO_ORPHAN;
            } else {
                state.orphanOffset = static_cast<uint32_t>(w - data);
                state.orphanLength = static_cast<uint32_t>(p - w);
                state.orphanLast = p[-1];
            }
        }
        wCode = *p;
        w = p;
        if (writer.Full()) {
            g_lzwStatistics.bytesConsumed = static_cast<uint32_t>(p - data) + 1;
            return LZW_ENCODE_REFUSED;
        }
    }

    g_lzwStatistics.bytesConsumed = size;
    writer.PutWidened(wCode);
    writer.Put(LZW_END);
    writer.Flush();
    return writer.Full() ? LZW_ENCODE_REFUSED : LZW_OK;
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

    CodeWriter writer = {output};
    int32_t result = size == 0 ? LZW_NO_INPUT : EncodeBytes(data, size, *state, writer);
    free(state);
    if (result == LZW_OK)
        g_lzwStatistics.encodedSize = writer.produced;
    *out = output;
    *outLength = writer.Full() ? LZW_MAX_INPUT : writer.produced; // refused: up to the limit
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

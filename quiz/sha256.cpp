#include "quiz/sha256.h"

#include <cstring>

namespace {

constexpr uint32_t ROUND_CONSTANTS[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

uint32_t Rotate(uint32_t value, int bits)
{
    return value >> bits | value << (32 - bits);
}

// Big-endian, as the digest and the message length are written.
void Store32(uint8_t* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

struct Sha256State {
    uint32_t hash[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    uint8_t block[64] = {};
    size_t used = 0; // bytes in block
    // Bytes taken in all: size_t, not a 64-bit count, which the web page's
    // plain JavaScript would emulate at length; no input passes size_t.
    size_t total = 0;

    void Compress()
    {
        uint32_t w[64];
        for (int i = 0; i < 16; ++i)
            w[i] = uint32_t{block[4 * i]} << 24 | uint32_t{block[4 * i + 1]} << 16 |
                   uint32_t{block[4 * i + 2]} << 8 | block[4 * i + 3];
        for (int i = 16; i < 64; ++i) {
            const uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        // The working variables as locals: an array shifted each round
        // becomes eight loads and stores in the web page's JavaScript.
        uint32_t a = hash[0], b = hash[1], c = hash[2], d = hash[3];
        uint32_t e = hash[4], f = hash[5], g = hash[6], h = hash[7];
        for (int i = 0; i < 64; ++i) {
            const uint32_t s1 = Rotate(e, 6) ^ Rotate(e, 11) ^ Rotate(e, 25);
            const uint32_t choice = (e & f) ^ (~e & g);
            const uint32_t t1 = h + s1 + choice + ROUND_CONSTANTS[i] + w[i];
            const uint32_t s0 = Rotate(a, 2) ^ Rotate(a, 13) ^ Rotate(a, 22);
            const uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
            h = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = b;
            b = a;
            a = t1 + s0 + majority;
        }
        hash[0] += a;
        hash[1] += b;
        hash[2] += c;
        hash[3] += d;
        hash[4] += e;
        hash[5] += f;
        hash[6] += g;
        hash[7] += h;
    }

    void Take(const uint8_t* data, size_t size)
    {
        total += size;
        for (size_t i = 0; i < size; ++i) {
            block[used++] = data[i];
            if (used == 64) {
                Compress();
                used = 0;
            }
        }
    }

    Sha256Digest Finish()
    {
        // The length in bits, 64-bit: its high word holds the top bits of
        // the byte count (none on a 32-bit size_t).
        const uint32_t high = static_cast<uint32_t>(total >> 29);
        const uint32_t low = static_cast<uint32_t>(total << 3);
        block[used++] = 0x80;
        if (used > 56) {
            memset(block + used, 0, 64 - used);
            Compress();
            used = 0;
        }
        memset(block + used, 0, 56 - used);
        Store32(block + 56, high);
        Store32(block + 60, low);
        Compress();
        Sha256Digest digest;
        for (int i = 0; i < 8; ++i)
            Store32(digest.data() + 4 * i, hash[i]);
        return digest;
    }
};

} // namespace

Sha256Digest Sha256(const uint8_t* data, size_t size)
{
    Sha256State state;
    state.Take(data, size);
    return state.Finish();
}

Sha256Digest HmacSha256(const uint8_t* key, size_t keySize, const uint8_t* data, size_t size)
{
    // A key longer than a block is its digest; one copy either way.
    Sha256Digest hashed;
    if (keySize > 64) {
        hashed = Sha256(key, keySize);
        key = hashed.data();
        keySize = hashed.size();
    }
    uint8_t padded[64] = {};
    if (keySize > 0)
        memcpy(padded, key, keySize);
    uint8_t pad[64];
    for (int i = 0; i < 64; ++i)
        pad[i] = padded[i] ^ 0x36;
    Sha256State inner;
    inner.Take(pad, 64);
    inner.Take(data, size);
    const Sha256Digest innerDigest = inner.Finish();
    for (int i = 0; i < 64; ++i)
        pad[i] = padded[i] ^ 0x5c;
    Sha256State outer;
    outer.Take(pad, 64);
    outer.Take(innerDigest.data(), innerDigest.size());
    return outer.Finish();
}

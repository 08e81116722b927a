// SHA-256 and HMAC-SHA-256 (FIPS 180-4, RFC 2104), for the check a pupil's
// results carry: the quiz's key makes it, so that a result altered by hand
// is told from one the player or the page wrote. Portable (the web page
// compiles it too); no allocation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest Sha256(const uint8_t* data, size_t size);

Sha256Digest HmacSha256(const uint8_t* key, size_t keySize, const uint8_t* data, size_t size);

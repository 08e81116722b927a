// The stored forms of a quiz's pictures (StorePicture) and of its icon
// (MakeQuizIcon), remembered by the bytes they were made from, so that
// checking a quiz again after each change, as the editor does, decodes only
// the pictures that changed. A picture is found again by its bytes and the
// background it was flattened onto, an icon by its bytes alone: a 64-bit hash
// of them leads to the entry, whose bytes are then compared, as two pictures
// may share a hash. Failures are remembered with their reasons. What costs nothing
// to make again is not kept: pictures stored byte for byte, icons kept as
// they came, and anything asked for without a decoder.
//
// One cache serves one decoder; any number of threads may use it at once. It
// holds at most limit bytes of stored forms and of the bytes they were made
// from: past that it drops everything and fills again.
#pragma once

#include "authoring/media/picture_decoder.h"
#include "authoring/media/quiz_icon.h"
#include "authoring/media/stored_picture.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// Room for a large quiz of phone photos: each photo's bytes, kept to be
// compared (two or three megabytes), and its stored form (tens of kilobytes).
constexpr size_t PICTURE_CACHE_LIMIT = 256 << 20;

struct PictureKey {
    uint64_t hash = 0;
    size_t size = 0;
    uint32_t background = 0; // 0 for icons
    bool operator<(const PictureKey& other) const;
};

// What making a stored form gave: done is the making's result, reason its
// failure's, source the bytes it was made from.
template <typename Form> struct CachedForm {
    std::vector<unsigned char> source;
    bool done = false;
    Form form;
    std::string reason;
};

struct StoredPictureCache {
    size_t limit = PICTURE_CACHE_LIMIT;
    std::mutex lock; // over everything below
    std::map<PictureKey, CachedForm<StoredPicture>> pictures;
    std::map<PictureKey, CachedForm<QuizIcon>> icons;
    size_t heldBytes = 0; // the stored forms' and reasons' bytes, as counted against limit
};

// StorePicture through the cache.
bool StorePictureCached(StoredPictureCache& cache, const std::vector<unsigned char>& bytes,
                        const PictureDecoder& decode, uint32_t background, StoredPicture& stored,
                        std::string& reason);

// MakeQuizIcon through the cache.
bool MakeQuizIconCached(StoredPictureCache& cache, const std::vector<unsigned char>& bytes,
                        const PictureDecoder& decode, QuizIcon& icon, std::string& reason);

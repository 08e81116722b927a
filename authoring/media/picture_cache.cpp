#include "authoring/media/picture_cache.h"

#include <cstring>
#include <tuple>

namespace {

constexpr uint64_t GOLDEN = 0x9E3779B97F4A7C15ull;

// MurmurHash3's finaliser: every bit of the input moves every bit out.
uint64_t Mixed(uint64_t value)
{
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    return value ^ value >> 33;
}

// Eight bytes a step, one multiplication each, so that hashing a photo costs
// next to nothing beside reading it. Each step is a bijection of the state
// for a given word: two inputs that differ in one word never meet.
uint64_t HashOf(const std::vector<unsigned char>& bytes)
{
    uint64_t hash = GOLDEN;
    size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        uint64_t word;
        memcpy(&word, bytes.data() + at, 8);
        hash = ((hash << 27 | hash >> 37) ^ word) * GOLDEN;
    }
    uint64_t tail = 0;
    if (at < bytes.size())
        memcpy(&tail, bytes.data() + at, bytes.size() - at);
    return Mixed(((hash << 27 | hash >> 37) ^ tail) * GOLDEN);
}

size_t FormBytes(const StoredPicture& picture)
{
    return picture.bytes.size();
}

size_t FormBytes(const QuizIcon& icon)
{
    return icon.file.size();
}

template <typename Form, typename Make>
bool ThroughCache(StoredPictureCache& cache, std::map<PictureKey, CachedForm<Form>>& forms,
                  const std::vector<unsigned char>& bytes, const PictureKey& key, Form& form,
                  std::string& reason, const Make& make)
{
    {
        std::lock_guard<std::mutex> hold(cache.lock);
        const auto entry = forms.find(key);
        // Another picture of the same hash is made, and leaves that one in place.
        if (entry != forms.end() && entry->second.source == bytes) {
            form = entry->second.form;
            if (!entry->second.done)
                reason = entry->second.reason;
            return entry->second.done;
        }
    }
    // Made outside the lock: the other thread stores its own pictures
    // meanwhile.
    CachedForm<Form> made;
    made.source = bytes;
    made.done = make(made.form, made.reason);
    form = made.form;
    if (!made.done)
        reason = made.reason;

    const size_t cost =
        sizeof made + made.source.size() + FormBytes(made.form) + made.reason.size();
    const bool done = made.done;
    std::lock_guard<std::mutex> hold(cache.lock);
    // The other thread may have made the same form meanwhile.
    if (cost > cache.limit || forms.count(key) > 0)
        return done;
    if (cache.heldBytes + cost > cache.limit) {
        cache.pictures.clear();
        cache.icons.clear();
        cache.heldBytes = 0;
    }
    forms.emplace(key, std::move(made));
    cache.heldBytes += cost;
    return done;
}

} // namespace

bool PictureKey::operator<(const PictureKey& other) const
{
    return std::tie(hash, size, background) < std::tie(other.hash, other.size, other.background);
}

bool StorePictureCached(StoredPictureCache& cache, const std::vector<unsigned char>& bytes,
                        const PictureDecoder& decode, uint32_t background, StoredPicture& stored,
                        std::string& reason)
{
    auto store = [&](StoredPicture& picture, std::string& why) {
        return StorePicture(bytes, decode, background, picture, why);
    };
    if (!decode || StoredAsTheyAre(bytes))
        return store(stored, reason);
    return ThroughCache(cache, cache.pictures, bytes, {HashOf(bytes), bytes.size(), background},
                        stored, reason, store);
}

bool MakeQuizIconCached(StoredPictureCache& cache, const std::vector<unsigned char>& bytes,
                        const PictureDecoder& decode, QuizIcon& icon, std::string& reason)
{
    auto make = [&](QuizIcon& made, std::string& why) {
        return MakeQuizIcon(bytes, decode, made, why);
    };
    if (!decode || IsQuizIcon(bytes))
        return make(icon, reason);
    return ThroughCache(cache, cache.icons, bytes, {HashOf(bytes), bytes.size(), 0}, icon, reason,
                        make);
}

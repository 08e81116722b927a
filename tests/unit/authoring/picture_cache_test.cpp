#include "tests/unit/authoring/source_fixture.h"

#include "authoring/media/picture_cache.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// The test decoder, counted: what the cache saves is decodings.
// BuildQuizResources decodes on two threads.
struct CountingDecoder {
    std::atomic<int> count{0};
    PictureDecoder decode = [this](const Bytes& bytes, DecodedPicture& picture,
                                   std::string& reason) {
        ++count;
        return DecodeTestPicture(bytes, picture, reason);
    };
    int Taken() { return count.exchange(0); }
};

} // namespace

// The editor's case: a quiz of 90 pictures that are no JPEGs the player shows
// as they are, and an icon, checked after every change. Only what changed is
// decoded again, and the resources are the ones made without the cache.
TEST(PictureCache, DecodesOnlyWhatChangedSinceTheLastBuild)
{
    std::string text = "titre = \"Photos\"\ndisposition = \"image\"\nicone = \"logo.png\"\n";
    MediaFiles media = {{"logo.png", PngOf(Quarters(64, 64))}};
    for (int i = 1; i <= 90; ++i) {
        const std::string name = "p" + std::to_string(i) + ".bmp";
        text +=
            "[[question]]\nreponse = \"r" + std::to_string(i) + "\"\nimage = \"" + name + "\"\n";
        media[name] = DiscBitmap(40, 0x010203 * i);
    }
    QuizSource source;
    std::vector<Problem> problems;
    ASSERT_TRUE(ReadQuizSource(text, source, problems));
    CountingDecoder decoder;
    std::vector<QuizResource> uncached;
    ASSERT_TRUE(BuildQuizResources(source, ReaderOf(media), decoder.decode, uncached, problems));
    decoder.Taken();

    StoredPictureCache cache;
    const struct {
        const char* what;
        const char* changed; // the medium given new bytes first, or ""
        int decoded;
    } builds[] = {
        {"the first build", "", 91},
        {"the same quiz again", "", 0},
        {"a picture changed", "p7.bmp", 1},
        {"the icon changed", "logo.png", 1},
    };
    for (const auto& build : builds) {
        if (*build.changed)
            media[build.changed] = PngOf(Quarters(30, 30));
        std::vector<QuizResource> resources;
        ASSERT_TRUE(BuildQuizResources(source, ReaderOf(media), decoder.decode, resources, problems,
                                       &cache))
            << build.what;
        EXPECT_EQ(decoder.Taken(), build.decoded) << build.what;
        if (!*build.changed) {
            EXPECT_EQ(resources, uncached) << build.what;
        }
    }
}

// A picture is found again by its bytes and the background it lies on;
// failures too, with their reasons; what needs no decoding is not held.
TEST(PictureCache, FindsAPictureAgainByItsBytesAndBackground)
{
    const Bytes red = DiscBitmap(16, 0xFF0000), blue = DiscBitmap(16, 0x0000FF);
    const Bytes broken = {0x89, 'P', 'N', 'G', 0x0D, 0x0A};
    const struct {
        const char* what;
        Bytes first, second;
        uint32_t secondBackground; // the first lies on white
        int decoded;               // by both
        bool stored;
        bool held;
    } rows[] = {
        {"the same picture", red, red, 0xFFFFFF, 1, true, true},
        {"on another background", red, red, 0x000000, 2, true, true},
        {"another picture of the same size", red, blue, 0xFFFFFF, 2, true, true},
        {"a picture that cannot be decoded", broken, broken, 0xFFFFFF, 1, false, true},
        {"a JPEG stored as it is", Jpeg(), Jpeg(), 0xFFFFFF, 0, true, false},
    };
    for (const auto& row : rows) {
        StoredPictureCache cache;
        CountingDecoder decoder;
        StoredPicture once, again, uncached;
        std::string reason, reasonAgain, reasonUncached;
        EXPECT_EQ(StorePictureCached(cache, row.first, decoder.decode, 0xFFFFFF, once, reason),
                  row.stored)
            << row.what;
        EXPECT_EQ(StorePictureCached(cache, row.second, decoder.decode, row.secondBackground, again,
                                     reasonAgain),
                  row.stored)
            << row.what;
        EXPECT_EQ(decoder.Taken(), row.decoded) << row.what;
        EXPECT_EQ(cache.heldBytes > 0, row.held) << row.what;
        StorePicture(row.second, decoder.decode, row.secondBackground, uncached, reasonUncached);
        EXPECT_EQ(again.bytes, uncached.bytes) << row.what;
        EXPECT_EQ(again.converted, uncached.converted) << row.what;
        EXPECT_EQ(reasonAgain, reasonUncached) << row.what;
    }
}

// Past its limit the cache drops what it holds and fills again.
TEST(PictureCache, HoldsNoMoreThanItsLimit)
{
    StoredPictureCache cache;
    CountingDecoder decoder;
    StoredPicture stored;
    std::string reason;
    const Bytes pictures[] = {DiscBitmap(64, 0xFF0000), DiscBitmap(64, 0x00FF00),
                              DiscBitmap(64, 0xFF0000)};
    ASSERT_TRUE(StorePictureCached(cache, pictures[0], decoder.decode, 0, stored, reason));
    cache.limit = cache.heldBytes * 3 / 2;
    for (const Bytes& picture : pictures) {
        ASSERT_TRUE(StorePictureCached(cache, picture, decoder.decode, 0, stored, reason));
        EXPECT_LE(cache.heldBytes, cache.limit);
    }
    // The first made, then found again; the second made in its room; the
    // first made again in the second's.
    EXPECT_EQ(decoder.Taken(), 3);
    EXPECT_EQ(cache.pictures.size(), 1u);
}

// Two pictures whose hashes meet (planted: the first's entry moved under the
// second's key) each get their own stored form, pictures and icons alike.
TEST(PictureCache, GivesEachPictureItsOwnFormWhenTheirHashesMeet)
{
    const Bytes first = DiscBitmap(16, 0xFF0000), second = DiscBitmap(16, 0x0000FF);
    auto collide = [](auto& forms, auto& secondForms) {
        ASSERT_EQ(forms.size(), 1u);
        ASSERT_EQ(secondForms.size(), 1u);
        auto entry = forms.extract(forms.begin());
        entry.key() = secondForms.begin()->first;
        forms.insert(std::move(entry));
    };
    CountingDecoder decoder;
    StoredPictureCache cache, secondCache;
    StoredPicture stored, uncached;
    std::string reason;
    ASSERT_TRUE(StorePictureCached(cache, first, decoder.decode, 0, stored, reason));
    ASSERT_TRUE(StorePictureCached(secondCache, second, decoder.decode, 0, stored, reason));
    collide(cache.pictures, secondCache.pictures);
    ASSERT_TRUE(StorePictureCached(cache, second, decoder.decode, 0, stored, reason));
    ASSERT_TRUE(StorePicture(second, decoder.decode, 0, uncached, reason));
    EXPECT_EQ(stored.bytes, uncached.bytes);

    QuizIcon icon, iconUncached;
    ASSERT_TRUE(MakeQuizIconCached(cache, first, decoder.decode, icon, reason));
    ASSERT_TRUE(MakeQuizIconCached(secondCache, second, decoder.decode, icon, reason));
    collide(cache.icons, secondCache.icons);
    ASSERT_TRUE(MakeQuizIconCached(cache, second, decoder.decode, icon, reason));
    ASSERT_TRUE(MakeQuizIcon(second, decoder.decode, iconUncached, reason));
    EXPECT_EQ(icon.file, iconUncached.file);
}

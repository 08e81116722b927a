// The player's picture decoding, straight from a picture's bytes.
#include "player/picture_decoding.h"
#include "quiz/picture_size.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

// A picture whose header claims more pixels than a 32-bit process can hold
// is refused, whichever decoder its kind goes to: the question keeps an empty
// square.
TEST(PictureDecoding, RefusesEveryKindClaimingMorePixelsThanTheLimit)
{
    for (const ClaimedPicture& picture : PicturesClaiming(8200, 8000)) {
        HBITMAP fitted = DecodeQuestionPicture(picture.bytes.data(), picture.bytes.size(),
                                               PICTURE_SQUARE, PICTURE_SQUARE);
        EXPECT_EQ(fitted, nullptr) << picture.kind;
        DeleteObject(fitted);
    }
}

// A picture's first frame decoded by the Windows imaging component (WIC), for
// the player and the authoring core's Windows half alike, and the count of
// frames it holds.
//
// COM must be initialised on the calling thread; any thread will do. The
// bytes are read in place. A frame whose header gives more than
// MAX_DECODED_PIXELS (quiz/picture_size.h) is refused before its pixels are
// allocated, which is also when an oversized picture's width and height are
// known. Rows come top first, blue first, each padded to four bytes as a
// bitmap's rows are.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

enum class WicResult { Decoded, NoImaging, Unreadable, TooLarge, NoMemory };

enum class WicLayout {
    // 24-bit BGR when the frame is decoded so (colour JPEGs), copied as it
    // is; 32-bit BGR otherwise.
    DecodedBgr,
    // 32-bit BGRA, straight alpha, whatever the frame.
    Bgra
};

struct WicPixels {
    UINT width = 0; // set from TooLarge on, for the caller's message
    UINT height = 0;
    WORD bitsPerPixel = 0;
    UINT stride = 0; // bytes per row
    UINT frames = 0; // in the file: an animated GIF's images, a TIFF's pages
    std::vector<BYTE> rows;
};

WicResult DecodeWithWic(const unsigned char* bytes, std::size_t size, WicLayout layout,
                        WicPixels& pixels);

// The first frame's size as its header gives it, no pixel copied: Decoded
// when it is within the limit, TooLarge (with the size) past it.
WicResult ReadWicSize(const unsigned char* bytes, std::size_t size, UINT& width, UINT& height);

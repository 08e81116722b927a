// Small media files that the starting quiz of `quizzpack new` carries so that
// it packs and plays as it is, made here so that the tool needs no other
// program: pictures of a disc, a silent MP3, an uncompressed AVI film of
// one colour. Colours are 0xRRGGBB.
#pragma once

#include <cstdint>
#include <vector>

// A size × size 24-bit BMP: a disc of the colour on white.
std::vector<unsigned char> DiscBitmap(int size, uint32_t colour);
// The same as the player stores pictures: a baseline JPEG.
std::vector<unsigned char> DiscPicture(int size, uint32_t colour);

// MPEG-1 layer III frames of silence (32 kHz mono, 36 ms each).
std::vector<unsigned char> SilentMp3(int frames);

// A width × height AVI of uncompressed frames of the colour, at 5 frames a
// second.
std::vector<unsigned char> ColourAvi(int width, int height, int frames, uint32_t colour);

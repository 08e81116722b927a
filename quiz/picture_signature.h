// Whether bytes open like a picture file. The media layer refuses such bytes
// as a sound or a film: Wine's media framework, handed a JPEG or PNG as an
// MP3 or AVI, never returns, so the player would hang instead of telling.
#pragma once

#include <cstddef>

bool StartsLikePicture(const void* bytes, std::size_t size);

// The photo that the end-to-end test program carries, 1600 x 1200, as a
// phone takes them.
#pragma once

#include <vector>

std::vector<unsigned char> CarriedPhoto();

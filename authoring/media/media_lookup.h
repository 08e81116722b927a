// Reading the media a quiz source names, from the source file's folder. A
// missing file is told with the name that was probably meant, found folder
// by folder among what exists: "franse.jpg" finds "france.jpg", "Images/"
// finds "images/".
#pragma once

#include "authoring/packing/quiz_resources.h"

#include <string>

// A medium over MAX_MEDIUM_BYTES is refused by its size, never read.
MediaReader MediaBesideSource(const std::string& sourcePath);

// The existing path nearest to a missing relative one ("/" between folders),
// from folder; "" when a part of it has no near name.
std::string NearestExistingPath(const std::string& folder, const std::string& path);

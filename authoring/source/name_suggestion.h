// The name that was probably meant: for an unknown key the nearest known
// key, for a missing media file the nearest file of its folder. Names are
// compared folded (lower case, accents dropped, spaces and hyphens as
// underscores), so that "Révélation" finds "revelation" and "France.JPG"
// finds "france.jpg".
#pragma once

#include <string>
#include <vector>

std::string FoldedName(const std::string& name);

// Insertions, deletions, substitutions and swaps of two neighbouring bytes
// each count one ("imgae" is one from "image").
size_t EditDistance(const std::string& a, const std::string& b);

// The candidate nearest to name once both are folded, or "" when none is
// within a third of name's length (plus one).
std::string NearestName(const std::string& name, const std::vector<std::string>& candidates);

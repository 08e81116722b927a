// Backslashes in a quiz source, looked at before toml++ reads it.
//
// In a path (image, son, video, image_revelee) a backslash is the Windows
// folder separator its maker meant, not an escape: toml++ would read
// "images\france.jpg" as "images", a form feed and "rance.jpg", and report
// a missing file. Such a path is taken from its raw text between the quotes,
// each backslash (or pair of them) a "/", and a notice says so: a path is
// never changed silently.
//
// In the other texts, an escape that TOML does not know ("\i") or that makes
// a control character ("\f") is an error that says how to write a backslash.
#pragma once

#include "authoring/source/problem.h"

#include <string>
#include <vector>

// What was found in one string value.
struct EscapeFinding {
    SourcePlace value; // the opening quote, where toml++ places the value
    Problem problem;   // without subject: the reader gives the value's
    bool meantPath = false;
    std::string path; // with meantPath: the value to use, with "/"
    bool told = false;
};

bool IsPathKey(const std::string& key);

// The text for toml++: text with every backslash found here replaced by a
// "/", so that every place in it stays where it was. findings come in the
// order of the text.
std::string MendBackslashes(const std::string& text, std::vector<EscapeFinding>& findings);

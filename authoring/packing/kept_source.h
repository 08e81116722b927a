// What a build keeps of a quiz's source for extraction (stored_source.h):
// the text as written, and the name each medium comes back under.
//
// A medium's name is its path in the source, made relative to the source's
// folder ("./" dropped; a path out of it, "../photos/chat.jpg" or
// "C:/photos/chat.jpg", keeps its file name alone), with the extension of
// the format actually stored when the bytes are of another (a picture
// converted at build, say), and "-2", "-3"... when two different media would
// share a name. Where a name is not the path as read, the kept text has that
// value replaced at its place, so that the extracted source builds the same
// quiz again, byte for byte.
#pragma once

#include "authoring/packing/quiz_resources.h"
#include "authoring/packing/stored_source.h"
#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"
#include "quiz/media_format.h"

#include <string>
#include <vector>

// Whether a name's extension is one of the format's (".jpg", ".jpeg"...,
// in either case).
bool ExtensionFits(const std::string& name, MediaFormat format);

// Windows compares names without case: two names with the same folded form
// are one file there.
std::string CaseFolded(const std::string& name);

// The name of a medium that has no better one: "image01.jpg",
// "revelation03.jpg", by resource id.
std::string GeneratedMediaName(int id, int layoutKind, MediaFormat format);

// text is the source that source was read from and resources were built
// from (BuildQuizResources).
StoredSource KeepSource(const std::string& text, const QuizSource& source,
                        const std::vector<QuizResource>& resources);

// Adds "PATCH" 107 to resources; a notice instead when the source is too
// long to keep.
void AddKeptSource(const std::string& text, const QuizSource& source,
                   std::vector<QuizResource>& resources, std::vector<Problem>& problems);

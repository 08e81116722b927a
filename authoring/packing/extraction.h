// Gives back the source of a packed quiz. A quiz that keeps its source
// (stored_source.h) gives it as written, with its comments, and its media
// under the names it had; any other becomes a QuizSource from its resources
// (quiz_resources.h) and media files named after their question, which
// WriteQuizSource turns into a file that builds the same resources again.
#pragma once

#include "authoring/packing/quiz_resources.h"
#include "authoring/source/quiz_source.h"

#include <string>
#include <vector>

struct MediaFile {
    std::string name; // as the source names it: "images/chat.jpg", "son03.mp3"
    std::vector<unsigned char> data;
};

// The file that a quiz's own icon is written to.
constexpr const char* ICON_FILE_NAME = "icone.ico";

// False, with the reason in French, when the resources hold no readable quiz
// or one that a source cannot express (a layout outside the four, say). An
// icon among the resources is taken for the quiz's own: leave out the
// player's.
bool ExtractQuizSource(const std::vector<QuizResource>& resources, QuizSource& source,
                       std::vector<MediaFile>& media, std::string& error);

// The source text as its maker wrote it and the media under its names,
// when the resources keep them and they build the same resources again;
// false otherwise (a quiz built before sources were kept, or a damaged one).
// A page's (target Page) may hold media the program's build refuses.
bool ExtractWrittenSource(const std::vector<QuizResource>& resources, std::string& text,
                          std::vector<MediaFile>& media, QuizTarget target = QuizTarget::Program);

// The resources of a module that the player reads for its quiz, in the
// order BuildQuizResources makes them, then the kept source when there is
// one: what a rebuild must give again.
std::vector<QuizResource> ResourcesInUse(const std::vector<QuizResource>& resources,
                                         const QuizSource& source);

// The resources with the answers in the quiz payload fixed as a build fixes
// them now (source/answer_typing.h): what a rebuild gives of a quiz packed
// before that, whose answers may hold typographic apostrophes or special
// spaces.
std::vector<QuizResource> WithAnswersRetyped(const std::vector<QuizResource>& resources);

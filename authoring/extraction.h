// Gives back the source of a packed quiz: its resources (quiz_resources.h)
// become a QuizSource and media files named after their question, which
// WriteQuizSource turns into a file that builds the same resources again.
#pragma once

#include "authoring/quiz_resources.h"
#include "authoring/quiz_source.h"

#include <string>
#include <vector>

struct MediaFile {
    std::string name; // as the source names it: "image01.jpg", "son03.mp3"
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

// The resources of a module that the player reads for its quiz, in the
// order BuildQuizResources makes them: what a rebuild must give again.
std::vector<QuizResource> ResourcesInUse(const std::vector<QuizResource>& resources,
                                         const QuizSource& source);

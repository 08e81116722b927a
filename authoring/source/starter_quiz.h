// The quiz that `quizzpack new` writes: three questions in the chosen layout,
// with placeholder media in the folder "medias" beside the source, so that it
// builds as it is and shows the maker every key.
#pragma once

#include "authoring/packing/extraction.h"
#include "authoring/source/quiz_source.h"

#include <vector>

constexpr const char* STARTER_MEDIA_FOLDER = "medias";

void StarterQuiz(int layoutKind, QuizSource& source, std::vector<MediaFile>& media);

// A quiz source turned into the resources of its program, as every authoring
// front builds and checks it: the source read and checked, its media read
// and checked, its pictures stored as the player shows them best, and the
// source kept for extraction ("PATCH" 107, kept_source.h). Also the player a
// build copies by default, and the outputs a build must refuse.
#pragma once

#include "authoring/media/picture_cache.h"
#include "authoring/media/picture_decoder.h"
#include "authoring/packing/quiz_resources.h"
#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"

#include <functional>
#include <string>
#include <vector>

// The empty player, which stands beside the authoring tools.
constexpr const char* PLAYER_FILE_NAME = "quizz.exe";

// Reads text (a whole quiz source), checks it and its media (readMedia),
// stores its pictures and adds the source kept for extraction ("PATCH" 107):
// the resources `quizzpack build` packs, complete only when this returns
// true. false when it finds errors (those already in problems do not
// count); its problems are appended, sorted as in the file. cache may be
// null (media/picture_cache.h). Memory running out is an error told
// (OUT_OF_MEMORY), never an exception.
bool BuildQuizFromText(const std::string& text, const MediaReader& readMedia,
                       const PictureDecoder& decode, QuizSource& source,
                       std::vector<QuizResource>& resources, std::vector<Problem>& problems,
                       StoredPictureCache* cache = nullptr,
                       QuizTarget target = QuizTarget::Program);

// The player that builds copy by default: quizz.exe in the tool's folder.
std::string DefaultPlayer(const std::string& toolDirectory);

// Why a quiz program cannot be written at output ("" when it can): output is
// the player itself, which must not change, or the source file. sameFile
// tells whether two existing paths are one file. The message names output
// and leaves the remedy to the front ("choisissez un autre nom").
std::string
OutputConflict(const std::string& output, const std::string& player, const std::string& sourcePath,
               const std::function<bool(const std::string&, const std::string&)>& sameFile);

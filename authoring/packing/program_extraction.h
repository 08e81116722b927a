// A quiz program given back as a source and its media, as every authoring
// front extracts it: the program's resources read (the icon of the player
// beside the tool left out, being no quiz's own), the source as its maker
// wrote it when the program keeps one that builds it (extraction.h), else one
// written again, both written into a folder without overwriting anything,
// then built again in memory to tell whether they give the same quiz.
#pragma once

#include "authoring/packing/extraction.h"
#include "authoring/packing/packer_platform.h"

#include <cstddef>
#include <string>
#include <vector>

// The resources of a quiz program (the icon of DefaultPlayer left out, being
// no quiz's own) or of a quiz page (quiz_page.h), by the file's name; false
// with a French error naming the file.
bool ReadQuizFile(const std::string& file, const PackerPlatform& platform,
                  std::vector<QuizResource>& resources, std::string& error);

// A quiz's source in memory, as extraction writes it.
struct RecoveredSource {
    std::string text;                   // the source file's text
    std::vector<MediaFile> media;       // its media, under the names it gives them
    std::vector<QuizResource> expected; // what building it again must give
    std::vector<std::string> notes;     // French, for the teacher
};

// The source as its maker wrote it when resources keep one that builds
// them, else one written again (named name, "quiz.toml"); false with a French
// error when resources hold no readable quiz.
bool RecoverSource(const std::vector<QuizResource>& resources, const std::string& name,
                   RecoveredSource& recovered, std::string& error);

// A media reader over media in memory, for building a recovered source.
MediaReader MediaAmong(const std::vector<MediaFile>& media);

// base, or base-2, base-3... when base exists: extracting beside a quiz's own
// source folder works the first time.
std::string FreeFolder(const std::string& base);

struct ExtractionResult {
    // The source written, "<folder>/<program stem>.toml"; set as soon as the
    // program is read, so that after a failure it tells that writing failed.
    std::string sourcePath;
    size_t mediaCount = 0; // media files written beside it
    // French lines to tell, in order: notes (comments lost, answers
    // corrected, pictures converted), the rebuild's problems (formatted with
    // FormatProblem, so starting with sourcePath) and, when it does not
    // rebuild, why.
    std::vector<std::string> messages;
    bool rebuilds = true; // false: the source written does not build the same quiz again
};

// Reads program's resources (ReadQuizFile: a program or a page), writes the source
// and its media into folder (new files only: nothing is overwritten) and
// checks in memory that they build the same resources again. false with
// error (French) when nothing was written.
bool ExtractProgram(const std::string& program, const std::string& folder,
                    const PackerPlatform& platform, ExtractionResult& result, std::string& error);

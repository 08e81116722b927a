// The resources that carry a quiz in the player, built from its source:
//   "PATCH" 104   the quiz payload, LZW-coded
//   "PATCH" 105   the codes payload, LZW-coded
//   "PATCH" 106   the quiz's web site, as it stands (only with site = "...")
//   "PATCH" 108   the rules of its accepted answers (only when it has some)
//   "PATCH" 109   the key of the work its pupils hand in (only with
//                 rendre_travail = true)
//   "IMG" 400 + i question i's picture, sound or film (not in the text layout)
//   "IMG" 10400 + i question i's reveal picture (reveal mode "image")
//   "ICON" 1      the program's icon, an .ico file (media/quiz_icon.h)
// in this order. The same list is what extraction reads back.
#pragma once

#include "authoring/media/picture_cache.h"
#include "authoring/media/picture_decoder.h"
#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"
#include "quiz/quiz_record.h"
#include "quiz/resource_names.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct QuizResource {
    std::string type;
    int id = 0;
    std::vector<unsigned char> data;
    bool operator==(const QuizResource& other) const
    {
        return type == other.type && id == other.id && data == other.data;
    }
};

// The resource of that type and id among them, or nullptr.
const QuizResource* FindResource(const std::vector<QuizResource>& resources, const char* type,
                                 int id);

// The largest medium a quiz carries. The player is a 32-bit program: Windows
// maps the whole quiz program, every medium in it, into its 2 GB of
// addresses in one piece when it starts; the player then copies a picture
// into a block of its own for the decoder and writes a sound or a film out
// to a file to play it; quizzpack and the atelier, 32-bit too, hold every
// medium of the quiz at once while they build it, and the resource update
// copies them all again. 64 MB is a few minutes of film at a school's
// quality, and a quiz of several such films still builds and starts; much
// more makes a program that fails to start on the pupils' machines, or a
// build that runs out of memory. (A PE resource section could hold 4 GB.)
constexpr uintmax_t MAX_MEDIUM_BYTES = uintmax_t{64} << 20;

// What a medium over MAX_MEDIUM_BYTES is told, after its size.
std::string MediumTooLarge();

// Memory ran out: what a check or a command then says.
constexpr const char* OUT_OF_MEMORY =
    u8"mémoire insuffisante pour aller au bout : fermez d'autres programmes, ou allégez le quiz "
    u8"(des médias plus petits), puis réessayez ; rien n'est perdu";

// What a build makes: the Windows program, whose player plays MP3 sounds and
// AVI films, or the web page, which plays the sounds and films browsers play.
enum class QuizTarget { Program, Page };

// Reads a media file named as in the source; on failure gives the reason in
// French ("fichier introuvable").
using MediaReader = std::function<bool(const std::string& path, std::vector<unsigned char>& bytes,
                                       std::string& reason)>;

// Checks the source (source/source_check.h), reads and checks every media
// file, stores each picture as the player shows it best
// (media/stored_picture.h, with a notice of what was converted), and builds
// and codes the payloads; appends every problem, including payloads past the
// codec's limits. With a cache, pictures and the icon made before are not
// decoded again (media/picture_cache.h).
// resources is complete only when this returns true.
bool BuildQuizResources(const QuizSource& source, const MediaReader& readMedia,
                        const PictureDecoder& decodePicture, std::vector<QuizResource>& resources,
                        std::vector<Problem>& problems, StoredPictureCache* cache = nullptr,
                        QuizTarget target = QuizTarget::Program);

// Codes a payload; false with a French reason when the codec refuses it or
// the player could not decode it.
bool CodePayload(const std::vector<unsigned char>& plain, std::vector<unsigned char>& coded,
                 std::string& reason);

// "12 questions, disposition « image », ..." for check and build.
std::string DescribeQuiz(const QuizSource& source, const std::vector<QuizResource>& resources);

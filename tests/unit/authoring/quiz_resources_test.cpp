#include "tests/unit/authoring/source_fixture.h"

#include "authoring/media/quiz_icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// The magic bytes (zeros included), then zeros.
template <size_t N> Bytes Starting(const char (&magic)[N], size_t size = 32)
{
    Bytes bytes(magic, magic + N - 1);
    bytes.resize(size, 0);
    return bytes;
}

} // namespace

// One row per kind of media mistake.
TEST(QuizResources, ChecksEveryMediaFile)
{
    const MediaFiles files = {
        {"dessin.png", PngOf(PlainPicture(300, 200, 0xFF8000))},
        {"photo.png", Starting("\x89PNG\r\n\x1A\n")},
        {"vide.jpg", {}},
        {"page.txt", Starting("Bonjour")},
        {"note.wav", Starting("RIFF\x24\0\0\0WAVE", 40)},
        {"clip.mp4", Starting("\0\0\0\x18"
                              "ftypmp42")},
    };
    const struct {
        const char* layout;
        std::string question;
        std::string problems;
    } cases[] = {
        {"image", "image = \"absente.jpg\"\nimage_revelee = \"photo.png\"",
         u8"q.toml:6:9: question 1, image : « absente.jpg » : fichier introuvable\n"
         u8"q.toml:7:17: question 1, image_revelee : « photo.png » : illisible\n"},
        {"image", "image = \"vide.jpg\"\nimage_revelee = \"page.txt\"",
         u8"q.toml:6:9: question 1, image : « vide.jpg » est vide\n"
         u8"q.toml:7:17: question 1, image_revelee : « page.txt » n'est pas une image : donnez "
         u8"une image JPEG, PNG, GIF, BMP ou TIFF\n"},
        {"image", "image = \"dessin.png\"\nimage_revelee = \"\"",
         u8"q.toml:7:17: question 1, image_revelee : chemin vide : écrivez le nom du fichier\n"
         u8"q.toml: note : 1 image réduite : 3 Ko → 2 Ko\n"},
        {"son", "son = \"note.wav\"",
         u8"q.toml:6:7: question 1, son : « note.wav » n'est pas un son MP3 (WAV) : le lecteur ne "
         u8"joue que le MP3, la page web joue ce son (quizzpack page, ou « Créer la page web… » "
         u8"dans l'atelier) ; pour le lecteur, convertissez-le en MP3 avec Audacity (Fichier > "
         u8"Exporter l'audio, format MP3) ou VLC (Média > Convertir / Enregistrer, profil « Audio "
         u8"- MP3 »)\n"},
        {"video", "video = \"clip.mp4\"",
         u8"q.toml:6:9: question 1, video : « clip.mp4 » n'est pas une vidéo AVI (MP4) : le "
         u8"lecteur ne joue que l'AVI, la page web joue cette vidéo (quizzpack page, ou « Créer la "
         u8"page web… » dans l'atelier) ; pour le lecteur, convertissez-la en AVI avec VLC (Média "
         u8"> "
         u8"Convertir / Enregistrer, un profil dont l'encapsulation est AVI)\n"},
        {"son", "son = \"dessin.png\"",
         u8"q.toml:6:7: question 1, son : « dessin.png » n'est pas un son MP3 (PNG) : donnez un "
         u8"son "
         u8"MP3\n"},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("titre = \"T\"\ndisposition = \"") + c.layout +
                                 "\"\nrevelation = \"" + (c.layout[0] == 'i' ? "image" : "aucune") +
                                 "\"\n[[question]]\nreponse = \"a\"\n" + c.question + "\n";
        EXPECT_EQ(ProblemsOf(text, files), c.problems) << c.question;
    }
}

// Whether each kind of sound and film is taken for the program and for the
// web page, and what a refusal says: the question, what the target plays,
// the page when it plays what the program does not, the free tools that
// convert it.
TEST(QuizResources, TakesTheSoundsAndFilmsEachTargetPlays)
{
    const MediaFiles files = {
        {"son.mp3", SilentMp3(1)},
        {"note.wav", Starting("RIFF\x24\0\0\0WAVE", 40)},
        {"memo.m4a", Starting("\0\0\0\x18"
                              "ftypM4A ")},
        {"voix.aac", Starting("\xFF\xF1\x50\x80")},
        {"voix.ogg", Starting("OggS")},
        {"voix.flac", Starting("fLaC")},
        {"voix.wma", Starting("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\0\xAA\0\x62\xCE\x6C")},
        {"film.avi", Starting("RIFF\x24\0\0\0AVI ")},
        {"clip.mp4", Starting("\0\0\0\x18"
                              "ftypmp42")},
        {"clip.webm", Starting("\x1A\x45\xDF\xA3\x87\x42\x82\x84webm")},
        {"clip.mkv", Starting("\x1A\x45\xDF\xA3\x88\x42\x82\x88matroska")},
        {"clip.wmv", Starting("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\0\xAA\0\x62\xCE\x6C")},
        {"clip.mpg", Starting("\0\0\1\xBA")},
        {"photo.jpg", Jpeg()},
    };
    const QuizTarget PROGRAM = QuizTarget::Program, PAGE = QuizTarget::Page;
    const struct {
        const char* key; // son, video
        const char* file;
        QuizTarget target;
        std::vector<std::string> said; // empty when taken
        std::vector<std::string> unsaid;
    } cases[] = {
        // clang-format off
        {"son", "son.mp3", PROGRAM, {}, {}},
        {"son", "note.wav", PROGRAM, {u8"n'est pas un son MP3 (WAV) : ", u8"la page web joue ce son", u8"quizzpack page", u8"Créer la page web", u8"Audacity"}, {}},
        {"son", "memo.m4a", PROGRAM, {u8"(M4A)", u8"la page web joue ce son", u8"convertissez-le en MP3 avec Audacity"}, {}},
        {"son", "voix.aac", PROGRAM, {u8"(AAC)", u8"la page web joue ce son"}, {}},
        {"son", "voix.ogg", PROGRAM, {u8"(Ogg)", u8"la page web joue ce son"}, {}},
        {"son", "voix.flac", PROGRAM, {u8"(FLAC)", u8"la page web joue ce son"}, {}},
        {"son", "voix.wma", PROGRAM, {u8"(Windows Media) : le lecteur ne joue que le MP3 ; convertissez-le en MP3 avec Audacity", u8"VLC"}, {u8"page web"}},
        {"son", "clip.mp4", PROGRAM, {u8"n'est pas un son MP3 (MP4)", u8"Audacity"}, {u8"page web"}},
        {"video", "film.avi", PROGRAM, {}, {}},
        {"video", "clip.mp4", PROGRAM, {u8"n'est pas une vidéo AVI (MP4) : ", u8"la page web joue cette vidéo", u8"quizzpack page", u8"convertissez-la en AVI avec VLC"}, {}},
        {"video", "clip.webm", PROGRAM, {u8"(WebM)", u8"la page web joue cette vidéo"}, {}},
        {"video", "clip.mkv", PROGRAM, {u8"(MKV) : le lecteur ne joue que l'AVI ; convertissez-la en AVI avec VLC"}, {u8"page web"}},
        {"video", "clip.wmv", PROGRAM, {u8"(Windows Media)", u8"VLC"}, {u8"page web"}},
        {"video", "clip.mpg", PROGRAM, {u8"(MPEG)", u8"VLC"}, {u8"page web"}},
        {"video", "note.wav", PROGRAM, {u8"(WAV) : donnez une vidéo AVI"}, {u8"VLC", u8"page web"}},
        {"video", "photo.jpg", PROGRAM, {u8"n'est pas une vidéo AVI (JPEG) : donnez une vidéo AVI"}, {u8"VLC"}},
        {"son", "son.mp3", PAGE, {}, {}},
        {"son", "note.wav", PAGE, {}, {}},
        {"son", "memo.m4a", PAGE, {}, {}},
        {"son", "voix.aac", PAGE, {}, {}},
        {"son", "voix.ogg", PAGE, {}, {}},
        {"son", "voix.flac", PAGE, {}, {}},
        {"son", "voix.wma", PAGE, {u8"n'est pas un son MP3, WAV, M4A, AAC, Ogg ou FLAC (Windows Media) : les navigateurs ne le jouent pas ; convertissez-le en MP3 avec Audacity", u8"VLC"}, {u8"lecteur"}},
        {"son", "film.avi", PAGE, {u8"(AVI) : les navigateurs ne le jouent pas ; convertissez-le en MP3 avec Audacity"}, {}},
        {"son", "clip.mp4", PAGE, {u8"(MP4) : convertissez-le en MP3 avec Audacity"}, {u8"navigateurs"}},
        {"video", "clip.mp4", PAGE, {}, {}},
        {"video", "clip.webm", PAGE, {}, {}},
        {"video", "film.avi", PAGE, {u8"n'est pas une vidéo MP4 ou WebM (AVI) : les navigateurs ne la jouent pas ; convertissez-la en MP4 (H.264) avec HandBrake", u8"VLC"}, {u8"lecteur"}},
        {"video", "clip.mkv", PAGE, {u8"(MKV)", u8"HandBrake"}, {}},
        {"video", "clip.wmv", PAGE, {u8"(Windows Media)", u8"HandBrake"}, {}},
        {"video", "clip.mpg", PAGE, {u8"(MPEG)", u8"HandBrake"}, {}},
        {"video", "memo.m4a", PAGE, {u8"n'est pas une vidéo MP4 ou WebM (M4A) : donnez une vidéo MP4 ou WebM"}, {u8"HandBrake"}},
        {"video", "photo.jpg", PAGE, {u8"(JPEG) : donnez une vidéo MP4 ou WebM"}, {u8"HandBrake"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::string text = std::string("titre = \"T\"\ndisposition = \"") + c.key +
                                 "\"\n[[question]]\nreponse = \"a\"\n" + c.key + " = \"" + c.file +
                                 "\"\n";
        const std::string problems = ProblemsOf(text, files, nullptr, c.target);
        const std::string where =
            std::string(c.file) + (c.target == PAGE ? ", page" : ", programme");
        if (c.said.empty()) {
            EXPECT_EQ(problems, "") << where;
            continue;
        }
        EXPECT_NE(problems.find(std::string("question 1, ") + c.key + u8" : « " + c.file +
                                u8" » n'est pas"),
                  std::string::npos)
            << problems;
        for (const std::string& said : c.said)
            EXPECT_NE(problems.find(said), std::string::npos) << where << ": " << said << "\n"
                                                              << problems;
        for (const std::string& unsaid : c.unsaid)
            EXPECT_EQ(problems.find(unsaid), std::string::npos) << where << ": " << unsaid << "\n"
                                                                << problems;
        EXPECT_EQ(std::count(problems.begin(), problems.end(), '\n'), 1) << problems;
    }
}

// The icon's path is checked as every medium's, in any layout, and the
// picture is made the program's icon.
TEST(QuizResources, ChecksTheIconAndMakesItTheProgramsIcon)
{
    IconImage image;
    image.width = image.height = 16;
    image.data = Bytes(40, 0);
    const Bytes icon = WriteIconFile({image});
    const MediaFiles files = {
        {"logo.png", PngOf(Quarters(300, 200))},
        {"petit.png", PngOf(Quarters(64, 48))},
        {"photo.png", Starting("\x89PNG\r\n\x1A\n")},
        {"page.txt", Starting("Bonjour")},
        {"note.mp3", SilentMp3(1)},
        {"abime.ico", Bytes(icon.begin(), icon.end() - 1)},
    };
    const struct {
        std::string value;
        std::string problems;
    } cases[] = {
        {"\"logo.png\"", ""},
        {"\"absente.png\"", u8"q.toml:3:9: icone : « absente.png » : fichier introuvable\n"},
        {"\"\"", u8"q.toml:3:9: icone : chemin vide : écrivez le nom du fichier\n"},
        {"\"page.txt\"", u8"q.toml:3:9: icone : « page.txt » n'est pas une image : donnez une "
                         u8"image JPEG, PNG, GIF, BMP ou TIFF, ou une icône ICO\n"},
        {"\"note.mp3\"", u8"q.toml:3:9: icone : « note.mp3 » n'est pas une image (MP3) : donnez "
                         u8"une image JPEG, PNG, GIF, BMP ou TIFF, ou une icône ICO\n"},
        {"\"photo.png\"", u8"q.toml:3:9: icone : « photo.png » : illisible\n"},
        {"\"abime.ico\"", u8"q.toml:3:9: icone : « abime.ico » : icône ICO abîmée (ses images "
                          u8"sortent du fichier ou se chevauchent) : enregistrez-la de nouveau "
                          u8"depuis un éditeur d'icônes, ou donnez à la place une image PNG ou "
                          u8"JPEG\n"},
        {"\"petit.png\"",
         u8"q.toml:3:9: attention : icone : « petit.png » ne fait que 64 × 48 pixels : agrandie "
         u8"à 256 pixels pour les grandes icônes de l'Explorateur, elle y sera floue ; donnez "
         u8"une image d'au moins 256 pixels de côté\n"},
        {"2", u8"q.toml:3:9: icone : doit être un texte entre guillemets, pas un nombre entier : "
              u8"écrivez icone = \"2\"\n"},
    };
    for (const auto& c : cases) {
        const std::string text = "titre = \"T\"\ndisposition = \"texte\"\nicone = " + c.value +
                                 "\n[[question]]\nreponse = \"a\"\ntexte = \"q\"\n";
        std::vector<QuizResource> resources;
        EXPECT_EQ(ProblemsOf(text, files, &resources), c.problems) << c.value;
        if (c.value == "\"logo.png\"") {
            ASSERT_EQ(resources.size(), 3u);
            EXPECT_EQ(resources[2].type, ICON_RESOURCE_TYPE);
            EXPECT_EQ(resources[2].id, APPLICATION_ICON);
            EXPECT_TRUE(IsQuizIcon(resources[2].data));
        }
    }
    EXPECT_EQ(ProblemsOf("titre = \"T\"\ndisposition = \"texte\"\nicon = \"logo.png\"\n"
                         "[[question]]\nreponse = \"a\"\ntexte = \"q\"\n",
                         files),
              u8"q.toml:3:1: icon : clé inconnue : vouliez-vous dire « icone » ?\n");
}

TEST(QuizResources, RefusesPayloadsPastTheCodecsLimits)
{
    // 90 questions with a 259-byte answer, second answer and reveal text
    // each make 4 + 6 + 90 × 781 + 1 + 3 = 70 304 bytes, past the 65 535 that
    // the codec takes.
    const std::string x(259, 'x');
    const std::string question = "[[question]]\nreponse = \"" + x + "\"\nseconde_reponse = \"" + x +
                                 "\"\ntexte_revele = \"" + x + "\"\nimage = \"a.jpg\"\n";
    EXPECT_EQ(ProblemsOf("titre = \"T\"\ndisposition = \"image\"\nrevelation = \"texte\"\n" +
                             Repeat(question, 90),
                         {{"a.jpg", Jpeg()}}),
              u8"q.toml: les textes du quiz : 70304 octets, le codage en accepte 65535 au plus : "
              u8"raccourcissez des textes\n");

    // Under the input limit, but noise codes longer than it is.
    std::mt19937 random(1);
    Bytes plain(65000), coded;
    for (auto& byte : plain)
        byte = static_cast<unsigned char>(random());
    std::string reason;
    EXPECT_FALSE(CodePayload(plain, coded, reason));
    EXPECT_EQ(reason.rfind(u8"une fois codés, ils", 0), 0u) << reason;
    EXPECT_TRUE(coded.empty());
}

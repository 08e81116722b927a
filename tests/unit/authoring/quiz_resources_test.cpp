#include "tests/unit/authoring/source_fixture.h"

#include "authoring/media/quiz_icon.h"

#include <gtest/gtest.h>

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
         u8"joue que le MP3 ; convertissez-le\n"},
        {"video", "video = \"clip.mp4\"",
         u8"q.toml:6:9: question 1, video : « clip.mp4 » n'est pas une vidéo AVI (MP4) : le "
         u8"lecteur ne joue que l'AVI ; convertissez-la\n"},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("titre = \"T\"\ndisposition = \"") + c.layout +
                                 "\"\nrevelation = \"" + (c.layout[0] == 'i' ? "image" : "aucune") +
                                 "\"\n[[question]]\nreponse = \"a\"\n" + c.question + "\n";
        EXPECT_EQ(ProblemsOf(text, files), c.problems) << c.question;
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

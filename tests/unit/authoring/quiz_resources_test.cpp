#include "tests/unit/authoring/source_fixture.h"

#include "authoring/media_format.h"

#include <gtest/gtest.h>

namespace {

// The magic bytes (zeros included), then zeros.
template <size_t N> Bytes Starting(const char (&magic)[N], size_t size = 32)
{
    Bytes bytes(magic, magic + N - 1);
    bytes.resize(size, 0);
    return bytes;
}

std::string PictureQuiz(const std::string& picture, const std::string& reveal)
{
    return "titre = \"T\"\ndisposition = \"image\"\nrevelation = \"image\"\n[[question]]\n"
           "reponse = \"a\"\nimage = \"" +
           picture + "\"\nimage_revelee = \"" + reveal + "\"\n";
}

// Letters that LZW cannot shorten much, so that sizes stay near the plain ones.
std::string Noise(unsigned& seed, int length)
{
    std::string text;
    for (int i = 0; i < length; ++i) {
        seed = seed * 1103515245 + 12345;
        text += static_cast<char>('!' + (seed >> 16) % 90);
        if (text.back() == '|' || text.back() == '"' || text.back() == '\\')
            text.back() = 'x';
    }
    return text;
}

} // namespace

TEST(QuizResources, ChecksEveryMediaFile)
{
    const MediaFiles files = {
        {"photo.jpg", Jpeg()},
        {"dessin.gif", Starting("GIF89a")},
        {"carte.bmp", DiscBitmap(8, 0xFF0000)},
        {"photo.png", Starting("\x89PNG\r\n\x1A\n")},
        {"vide.jpg", {}},
        {"page.txt", Starting("Bonjour")},
        {"note.wav", Starting("RIFF\x24\0\0\0WAVE", 40)},
        {"clip.mp4", Starting("\0\0\0\x18"
                              "ftypmp42")},
    };
    const struct {
        const char* picture;
        const char* reveal;
        std::string problems;
    } cases[] = {
        {"photo.jpg", "dessin.gif", ""},
        {"carte.bmp", "photo.jpg", ""},
        {"absente.jpg", "photo.png",
         u8"q.toml:6:9: question 1, image : « absente.jpg » : fichier introuvable\n"
         u8"q.toml:7:17: question 1, image_revelee : « photo.png » est une image PNG : le lecteur "
         u8"ne montre que les images JPEG, GIF et BMP ; convertissez-la, en JPEG par exemple\n"},
        {"vide.jpg", "page.txt",
         u8"q.toml:6:9: question 1, image : « vide.jpg » est vide\n"
         u8"q.toml:7:17: question 1, image_revelee : « page.txt » n'est pas une image JPEG, GIF "
         u8"ou BMP : le lecteur ne montrerait rien\n"},
        {"", "note.wav",
         u8"q.toml:6:9: question 1, image : chemin vide : écrivez le nom du fichier\n"
         u8"q.toml:7:17: question 1, image_revelee : « note.wav » n'est pas une image JPEG, GIF "
         u8"ou BMP (WAV) : le lecteur ne montrerait rien\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProblemsOf(PictureQuiz(c.picture, c.reveal), files), c.problems) << c.picture;

    const std::string sounds = "titre = \"T\"\ndisposition = \"son\"\n[[question]]\nreponse = "
                               "\"a\"\nson = \"note.wav\"\n[[question]]\nreponse = \"b\"\nson = "
                               "\"clip.mp3\"\n";
    EXPECT_EQ(ProblemsOf(sounds, files),
              u8"q.toml:5:7: question 1, son : « note.wav » n'est pas un son MP3 (WAV) : le "
              u8"lecteur ne joue que le MP3 ; convertissez-le\n"
              u8"q.toml:8:7: question 2, son : « clip.mp3 » : fichier introuvable\n");
    const std::string films = "titre = \"T\"\ndisposition = \"video\"\n[[question]]\nreponse = "
                              "\"a\"\nvideo = \"clip.mp4\"\n";
    EXPECT_EQ(ProblemsOf(films, files),
              u8"q.toml:5:9: question 1, video : « clip.mp4 » n'est pas une vidéo AVI (MP4) : le "
              u8"lecteur ne joue que l'AVI ; convertissez-la\n");
}

TEST(QuizResources, RecognisesMediaByTheirFirstBytes)
{
    const struct {
        Bytes bytes;
        MediaFormat format;
    } cases[] = {
        {Starting("GIF87a"), MediaFormat::Gif},
        {Starting("BM"), MediaFormat::Unknown}, // no bitmap header after it
        {Starting("ID3\x03"), MediaFormat::Mp3},
        {Starting("\xFF\xFD"), MediaFormat::Unknown}, // layer II
        {Starting("RIFF\0\0\0\0WEBP"), MediaFormat::Webp},
        {Starting("OggS"), MediaFormat::Ogg},
        {{}, MediaFormat::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectMediaFormat(c.bytes), c.format) << MediaFormatName(c.format);
}

TEST(QuizResources, ListsPayloadsThenMediaThenRevealPictures)
{
    const MediaFiles files = {{"a.jpg", Jpeg()}, {"b.gif", Starting("GIF89a")}};
    std::vector<QuizResource> resources;
    ASSERT_EQ(ProblemsOf(
                  u8"titre = \"Été\"\ndisposition = \"image\"\nrevelation = \"image\"\n"
                  u8"couleur = \"#FF8000\"\ncodes = [\"UN\"]\n"
                  u8"[[question]]\nreponse = \"a\"\nimage = \"a.jpg\"\nimage_revelee = \"b.gif\"\n"
                  u8"[[question]]\nreponse = \"b\"\nimage = \"b.gif\"\nimage_revelee = \"a.jpg\"\n",
                  files, &resources),
              "");
    std::vector<std::pair<std::string, int>> ids;
    ids.reserve(resources.size());
    for (const QuizResource& resource : resources)
        ids.push_back({resource.type, resource.id});
    EXPECT_EQ(ids, (std::vector<std::pair<std::string, int>>{{"PATCH", 104},
                                                             {"PATCH", 105},
                                                             {"IMG", 401},
                                                             {"IMG", 402},
                                                             {"IMG", 10401},
                                                             {"IMG", 10402}}));
    ASSERT_EQ(resources.size(), 6u);
    EXPECT_EQ(resources[3].data, files.at("b.gif"));
    EXPECT_EQ(resources[4].data, files.at("b.gif"));
}

TEST(QuizResources, RefusesPayloadsPastTheCodecsLimits)
{
    // 90 questions with a 259-byte answer, text and reveal text each make
    // 4 + 6 + 90 × 780 + 1 + 3 = 70 214 bytes, past the 65 535 that the codec takes.
    unsigned seed = 1;
    std::string text = "titre = \"T\"\ndisposition = \"image\"\nrevelation = \"texte\"\n";
    for (int i = 0; i < 90; ++i)
        text += "[[question]]\nreponse = \"" + Noise(seed, 259) + "\"\ntexte = \"" +
                Noise(seed, 259) + "\"\ntexte_revele = \"" + Noise(seed, 259) +
                "\"\nimage = \"a.jpg\"\n";
    const MediaFiles files = {{"a.jpg", Jpeg()}};
    EXPECT_EQ(ProblemsOf(text, files),
              u8"q.toml: les textes du quiz : 70214 octets, le codage en accepte 65535 au plus : "
              u8"raccourcissez des textes\n");

    // Under the input limit, but noise codes longer than it is.
    Bytes plain;
    for (int i = 0; i < 65000; ++i) {
        seed = seed * 1103515245 + 12345;
        plain.push_back(static_cast<unsigned char>(seed >> 16));
    }
    Bytes coded;
    std::string reason;
    EXPECT_FALSE(CodePayload(plain, coded, reason));
    EXPECT_EQ(reason.rfind(u8"une fois codés, ils", 0), 0u) << reason;
    EXPECT_TRUE(coded.empty());
}

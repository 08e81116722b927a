// Writes the fuzz targets' first inputs into their corpus folders, made by the
// tree's own writers, so that every run starts past the header checks and
// mutates inputs that reach each branch: EXIF in both byte orders with every
// orientation, icons of every form and size (a 256-pixel DIB among them),
// icon groups, payloads and coded streams of real quizzes, rules, a source of every
// key, tables in every text encoding, a kept source and media.
//   fuzz_seeds FOLDER SAMPLE.toml...   (FOLDER holds the TARGET_corpus folders)
#include "authoring/media/placeholder_media.h"
#include "authoring/media/quiz_icon.h"
#include "authoring/media/stored_picture.h"
#include "authoring/packing/stored_source.h"
#include "authoring/source/source_check.h"
#include "authoring/source/source_reader.h"
#include "quiz/lzw.h"
#include "quiz/payload.h"
#include "quiz/picture_size.h"
#include "quiz/pupil_results.h"
#include "quiz/rules_payload.h"
#include "tests/support/test_pictures.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::string g_folder;
bool g_written = true;

void Write(const std::string& target, const std::string& name, const Bytes& bytes)
{
    const std::string path = g_folder + "/" + target + "_corpus/" + name;
    FILE* file = fopen(path.c_str(), "wb");
    const bool written =
        file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && fclose(file) == 0;
    if (!written)
        fprintf(stderr, "fuzz_seeds: cannot write %s\n", path.c_str());
    g_written = g_written && written;
}

void Write(const std::string& target, const std::string& name, const std::string& text)
{
    Write(target, name, Bytes(text.begin(), text.end()));
}

// An APP1 segment of EXIF data holding an orientation, after another entry
// so that the directory is walked.
Bytes Exif(bool bigEndian, int orientation)
{
    Bytes tiff = {static_cast<unsigned char>(bigEndian ? 'M' : 'I'),
                  static_cast<unsigned char>(bigEndian ? 'M' : 'I')};
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            tiff.push_back(
                static_cast<unsigned char>(value >> 8 * (bigEndian ? bytes - 1 - i : i)));
    };
    put(42, 2), put(8, 4), put(2, 2);
    put(0x010F, 2), put(2, 2), put(1, 4), put(0, 4); // the maker
    put(0x0112, 2), put(3, 2), put(1, 4), put(orientation, 2), put(0, 2);
    put(0, 4); // no next directory
    Bytes segment = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    segment[2] = static_cast<unsigned char>((segment.size() - 2) >> 8);
    segment[3] = static_cast<unsigned char>(segment.size() - 2);
    return segment;
}

Bytes WithExif(const Bytes& jpeg, const Bytes& exif)
{
    Bytes bytes(jpeg.begin(), jpeg.begin() + 2);
    bytes.insert(bytes.end(), exif.begin(), exif.end());
    bytes.insert(bytes.end(), jpeg.begin() + 2, jpeg.end());
    return bytes;
}

void PictureSeeds()
{
    const Bytes jpeg = FitPicture(Quarters(12, 8), 1, 0);
    Write("picture_size_fuzz", "stored.jpg", jpeg);
    for (bool bigEndian : {false, true})
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const Bytes turned = WithExif(jpeg, Exif(bigEndian, orientation));
            // A seed that no longer reaches its branch is a failure.
            JpegHeader header = {};
            if (!ReadJpegHeader(turned.data(), turned.size(), &header) ||
                header.orientation != orientation)
                g_written = false;
            Write("picture_size_fuzz",
                  std::string("exif-") + (bigEndian ? "mm-" : "ii-") + std::to_string(orientation) +
                      ".jpg",
                  turned);
        }
    // An EXIF block too short for a directory entry.
    Write("picture_size_fuzz", "short-exif.jpg",
          Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x13, 'E',  'x',  'i',  'f',  0,   0,
                'I',  'I',  0x2A, 0x00, 0x09, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00});
}

void IconSeeds()
{
    const Bytes fitted = FitIcon(Quarters(60, 40), 1);
    Write("icon_file_fuzz", "fitted.ico", fitted);
    std::vector<IconImage> images;
    ReadIconFile(fitted, images);
    // The three DIBs alone, largest first: an icon not in the quiz's form.
    Write("icon_file_fuzz", "three.ico", WriteIconFile({images[2], images[1], images[0]}));
    // A 256-pixel image as a DIB, as older editors save it: a large input.
    IconImage large = images[0];
    large.width = large.height = 0;
    large.data.assign(40, 0); // its header: 256 wide, 512 high (colours and mask), 32 bits
    large.data[0] = 40, large.data[5] = 1, large.data[9] = 2, large.data[12] = 1;
    large.data[14] = 32;
    large.data.resize(40 + 256 * 256 * 4 + 32 * 256, 0x80);
    const Bytes largeFile = WriteIconFile({images[0], large});
    std::vector<IconImage> again;
    if (!IsQuizIcon(fitted) || !ReadIconFile(largeFile, again))
        g_written = false;
    Write("icon_file_fuzz", "large-dib.ico", largeFile);
    // Icon groups: the target gives odd identifiers their images.
    Write("icon_file_fuzz", "group.bin", WriteIconGroup(images, {1, 3, 5, 7}));
    Write("icon_file_fuzz", "group-missing.bin", WriteIconGroup(images, {1, 2, 3, 5}));
    // Pictures to make an icon of.
    Write("icon_file_fuzz", "picture.png", PngOf(Quarters(30, 20)));
    Write("icon_file_fuzz", "turned.jpg",
          WithExif(FitPicture(Quarters(12, 8), 1, 0), Exif(false, 6)));
}

// The payloads and coded streams of each sample quiz.
void PayloadSeeds(int count, char** samples)
{
    for (int i = 0; i < count; ++i) {
        std::ifstream in(samples[i], std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        std::string name = samples[i];
        name = name.substr(name.find_last_of('/') + 1);
        name = name.substr(0, name.find('.'));
        QuizSource source;
        std::vector<Problem> problems;
        QuizRecord record;
        QuizRules rules;
        Bytes quiz, codes;
        if (!ReadQuizSource(text, source, problems) ||
            !CheckQuizSource(source, record, rules, problems) || !BuildQuizPayload(record, quiz) ||
            !BuildCodesPayload(record, codes)) {
            fprintf(stderr, "fuzz_seeds: %s does not build\n", samples[i]);
            g_written = false;
            continue;
        }
        Write("payload_fuzz", name + ".quiz", quiz);
        Write("payload_fuzz", name + ".codes", codes);
        for (const auto& [suffix, plain] : {std::pair{".quiz", quiz}, std::pair{".codes", codes}}) {
            unsigned char* coded = nullptr;
            uint32_t length = 0;
            if (LzwEncode(plain.data(), static_cast<uint32_t>(plain.size()), &coded, &length) ==
                LZW_OK)
                Write("lzw_fuzz", name + suffix + ".lzw", Bytes(coded, coded + length));
            free(coded);
        }
    }
    Write("payload_fuzz", "site.txt", std::string("https://www.ac-lyon.fr/quiz?a=1#haut"));
    // Text long enough for the codes to widen to 12 bits and the dictionary
    // to start again, coded and plain.
    std::string words;
    unsigned seed = 1;
    while (words.size() < 40000) {
        seed = seed * 1103515245 + 12345;
        static const char* const WORDS[] = {"le ",    "quiz ",    "Noël ", "capitale ", "été ",
                                            "forme ", "\x01\x02", "son ",  "image "};
        words += WORDS[seed >> 16 & 7];
        words += static_cast<char>('a' + (seed >> 8) % 26);
    }
    Write("lzw_fuzz", "words.txt", words);
    unsigned char* coded = nullptr;
    uint32_t length = 0;
    if (LzwEncode(reinterpret_cast<const unsigned char*>(words.data()),
                  static_cast<uint32_t>(words.size()), &coded, &length) == LZW_OK)
        Write("lzw_fuzz", "words.lzw", Bytes(coded, coded + length));
    free(coded);
}

// Rules with every flag and alternatives in both boxes, one of the longest
// text, and none at all.
void RulesSeeds()
{
    QuizRules rules;
    rules.rules = {true, true, true, true};
    rules.alternatives.resize(3);
    rules.alternatives[0][0] = {"Tamise", "la Tamise"};
    rules.alternatives[2][1] = {"c\x9C"
                                "ur",
                                std::string(MAX_TEXT_LENGTH, '\xE9')};
    Bytes payload;
    if (BuildRulesPayload(rules, payload))
        Write("rules_payload_fuzz", "rules", payload);
    if (BuildRulesPayload(QuizRules(), payload))
        Write("rules_payload_fuzz", "none", payload);
}

// A pupil's results as a file and as a pasted block.
void ResultsSeeds()
{
    const PupilResults results = {std::string(32, 'a'),
                                  u8"Léa",
                                  "2026-12-08 10:32",
                                  {"Paris", "",
                                   "c\x9C"
                                   "ur"}};
    const std::string file = WriteResults(results, {7, 7, 7});
    Write("pupil_results_fuzz", "file", file);
    const std::string block = ResultsBlock(file);
    Write("pupil_results_fuzz", "block", block);
}

// A source of every key, the texts in every TOML form.
void SourceSeeds()
{
    Write("quiz_source_fuzz", "every_key.toml",
          std::string("# Toutes les clés\ntitre = \"Tout \\\"en\\\" un\"\nauteur = 'Léa'\n"
                      "explications = \"\"\"Deux\nlignes\"\"\"\ndisposition = \"texte\"\n"
                      "revelation = \"texte\"\ncouleur = \"#10A0B0\"\n"
                      "legende_reponse = \"Pays\"\nlegende_seconde_reponse = \"Capitale\"\n"
                      "codes = [\"UN\", \"DEUX\"]\nsite = \"https://www.ac-lyon.fr/quiz\"\n"
                      "icone = \"icone.png\"\n\n[[question]]\nreponse = \"Noe\\u0308l\"\n"
                      "seconde_reponse = \"l’été\"\ntexte = \"Quand ?\"\n"
                      "texte_revele = \"« oui »\"\n\n[[question]]\nreponse = \"  Å\u00A0\"\n"
                      "seconde_reponse = 'b'\ntexte = \"x\"\n"));
}

// Tables in every encoding the importer tells apart.
void ImportSeeds()
{
    const std::string table = "reponse;texte\nParis;Capitale de la France\nNoël;Fête\n";
    Write("import_fuzz", "utf8-bom.csv", "\xEF\xBB\xBF" + table);
    Write("import_fuzz", "latin.csv", std::string("reponse;texte\nNo\xEBl;F\xEAte\n"));
    for (bool bigEndian : {false, true}) {
        std::string utf16 = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : std::string("reponse\ttexte\nParis\tCapitale\n")) {
            utf16 += bigEndian ? '\0' : c;
            utf16 += bigEndian ? c : '\0';
        }
        Write("import_fuzz", bigEndian ? "utf16be.tsv" : "utf16le.tsv", utf16);
    }
}

void StoredSourceSeeds()
{
    const StoredSource stored = {"# Un quiz\ntitre = \"T\"\ndisposition = \"image\"\n"
                                 "[[question]]\nreponse = \"a\"\nimage = \"images/a.jpg\"\n"
                                 "[[question]]\nreponse = \"b\"\nimage = \"b.jpg\"\n",
                                 {{401, "images/a.jpg"}, {402, "b.jpg"}}};
    Bytes bytes;
    if (!EncodeStoredSource(stored, bytes))
        g_written = false;
    Write("stored_source_fuzz", "kept.bin", bytes);
}

} // namespace

// The sounds and films the tree writes, and a phone's recording in MP4's
// container with its movie after the data, down to the track's handler.
void MediaSeeds()
{
    Write("media_format_fuzz", "silent.mp3", SilentMp3(2));
    Write("media_format_fuzz", "colour.avi", ColourAvi(8, 6, 2, 0x00FF00));
    auto box = [](const char* type, const std::string& content) {
        const std::size_t size = 8 + content.size();
        return std::string{static_cast<char>(size >> 24), static_cast<char>(size >> 16),
                           static_cast<char>(size >> 8), static_cast<char>(size)} +
               type + content;
    };
    const std::string handler = box("hdlr", std::string(8, '\0') + "soun" + std::string(13, '\0'));
    Write("media_format_fuzz", "memo.m4a",
          box("ftyp", std::string("isom\0\0\0\0mp42", 12)) + box("mdat", std::string(16, 'x')) +
              box("moov", box("trak", box("mdia", handler))));
    Write("media_format_fuzz", "header.webm",
          std::string("\x1A\x45\xDF\xA3\x8F\x42\x86\x81\x01\x42\x82\x84webm\x42\x87\x81\x04"));
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    g_folder = argv[1];
    PictureSeeds();
    IconSeeds();
    PayloadSeeds(argc - 2, argv + 2);
    RulesSeeds();
    ResultsSeeds();
    SourceSeeds();
    ImportSeeds();
    StoredSourceSeeds();
    MediaSeeds();
    return g_written ? 0 : 1;
}

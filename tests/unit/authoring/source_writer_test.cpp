#include "authoring/source/source_writer.h"
#include "authoring/source/starter_quiz.h"
#include "quiz/media_format.h"
#include "quiz/quiz_record.h"

#include <gtest/gtest.h>

#include <sstream>

// The comments a written source carries stay as every atelier wrote them
// (the atelier knows its own files by their exact text: another wording
// would make each one it saved look hand-written), name every format the
// tools always take, and stay within 80 columns.
TEST(SourceWriter, CommentsNameTheFormatsTheToolsTake)
{
    QuizSource source;
    std::vector<MediaFile> media;
    StarterQuiz(LAYOUT_PICTURE, source, media);
    const std::string text = WriteQuizSource(source, "quiz.toml");
    const char* const comments[] = {
        u8"# son image (JPEG, PNG, GIF, BMP ou TIFF : quizzpack la réduit au carré de\n"
        u8"# 260 points du lecteur), son son (MP3) ou sa vidéo (AVI).\n",
        u8"# barre des tâches, à la place de celle du lecteur. Une image PNG, JPEG,\n"
        u8"# GIF, BMP ou TIFF, ou une icône .ico, carrée de préférence et d'au moins\n"
        u8"# 256 points de côté.\n",
    };
    for (const char* comment : comments) {
        EXPECT_NE(text.find(comment), std::string::npos) << comment << "\n---\n" << text;
        for (const MediaFormatInfo& row : MediaFormats()) {
            if (row.kind == MediaKind::Picture && row.taken == MediaTaken::Always) {
                EXPECT_NE(std::string(comment).find(row.name), std::string::npos) << row.name;
            }
        }
    }
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind('#', 0) != 0)
            continue;
        std::size_t characters = 0; // UTF-8: count all but continuation bytes
        for (unsigned char c : line)
            characters += (c & 0xC0) != 0x80;
        EXPECT_LT(characters, 80u) << line;
    }
}

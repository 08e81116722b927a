// What the web page calls in the cores, compiled with them by Emscripten
// (page_core.cpp says what each does); the native tests call the same.
#pragma once

// What quizz_number tells; page.js names them the same.
enum PageNumber {
    NUMBER_LAYOUT,
    NUMBER_QUESTIONS,
    NUMBER_BOXES_PER_QUESTION,
    NUMBER_REVEAL_MODE,
    NUMBER_COLOUR,            // the panel's, 0xRRGGBB, or -1 when the quiz has none
    NUMBER_VERDICTS,          // how many verdicts quizz_verdict_text tells
    NUMBER_ANSWERS_FILE_SIZE, // of the last quizz_answers_file
    NUMBER_WORK_ASKED         // 1 when the quiz's pupils hand in their work, else 0
};

extern "C" {
unsigned char* quizz_block(int size);
int quizz_load(unsigned char* quiz, int quizSize, unsigned char* codes, int codesSize,
               unsigned char* site, int siteSize, unsigned char* rules, int rulesSize,
               unsigned char* workKey, int workKeySize);
const char* quizz_message(int index);
int quizz_number(int which);
const char* quizz_text(int which, int question);
void quizz_set_box(int box, char* utf8);
const char* quizz_box(int box);
int quizz_grade(int question);
const char* quizz_verdict_text(int index);
int quizz_verdict_colour(int index);
const char* quizz_code(int solved);
const char* quizz_answers_file();
void quizz_read_answers_file(char* bytes, int size);
const char* quizz_media_type(unsigned char* bytes, int size);
const char* quizz_results(char* name, char* date, int block);
const char* quizz_results_file_name(char* name);
}

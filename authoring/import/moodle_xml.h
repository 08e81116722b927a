// Moodle's own export of a question bank, "Moodle XML":
//
//   <quiz>
//     <question type="category"><category><text>$course$/Géo</text></category></question>
//     <question type="shortanswer">
//       <name><text>Capitale</text></name>
//       <questiontext format="html">
//         <text><![CDATA[<p>Capitale ?</p><img src="@@PLUGINFILE@@/carte.png">]]></text>
//         <file name="carte.png" path="/" encoding="base64">iVBORw0...</file>
//       </questiontext>
//       <generalfeedback format="html"><text>...</text></generalfeedback>
//       <usecase>0</usecase>
//       <answer fraction="100"><text>Paris</text><feedback><text>Bravo</text></feedback></answer>
//     </question>
//   </quiz>
//
// Read as it is, texts still in their format (HTML most often), files still
// in base64: the import decides what becomes of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MoodleAnswer {
    std::string text;
    std::string fraction; // as written, "100", "50", "-33.33333"
    std::string feedback;
};

struct MoodleFile {
    std::string name;   // as written: the import makes it safe
    std::string base64; // as written
};

struct MoodleQuestion {
    int number = 0; // 1 for the file's first question, categories not counted
    std::string type;
    std::string name;
    std::string text;
    std::string textFormat; // "html", "moodle_auto_format", "plain_text", "markdown"
    std::vector<MoodleFile> files;
    std::string generalFeedback;
    bool usecase = false; // the case of the letters counts
    std::vector<MoodleAnswer> answers;
};

struct MoodleBank {
    std::vector<MoodleQuestion> questions;
    std::vector<std::string> categories;
    int questionsLeftOut = 0; // past maxQuestions, counted, not kept
};

// True when the text's root element is <quiz>: a Moodle bank.
bool LooksLikeMoodleXml(const std::string& utf8);

// False with a French error on XML that is not well-formed, or whose root is
// no <quiz>.
bool ReadMoodleXml(const std::string& utf8, MoodleBank& bank, std::string& error,
                   size_t maxQuestions = SIZE_MAX);

#include "authoring/import/moodle_xml.h"

#include "authoring/import/xml_reader.h"

namespace {

// Where the reader stands, by the names of the open elements under <quiz>.
struct BankHandler : XmlHandler {
    MoodleBank& bank;
    size_t maxQuestions;
    std::vector<std::string> path;
    bool inQuestion = false, keep = false, root = false;
    MoodleQuestion question;
    std::string category;

    BankHandler(MoodleBank& bank, size_t maxQuestions) : bank(bank), maxQuestions(maxQuestions) {}

    // The path below <question>, joined by "/".
    std::string Inside() const
    {
        std::string inside;
        for (size_t i = 2; i < path.size(); ++i)
            inside += (i > 2 ? "/" : "") + path[i];
        return inside;
    }

    void Open(const XmlElement& element) override
    {
        path.push_back(element.name);
        if (path.size() == 1)
            root = element.name == "quiz";
        if (!root)
            return;
        const std::string inside = Inside();
        if (path.size() == 2 && element.name == "question") {
            inQuestion = true;
            question = MoodleQuestion();
            category.clear();
            const std::string* type = element.Attribute("type");
            question.type = type ? *type : "";
            keep = question.type == "category" || bank.questions.size() < maxQuestions;
        } else if (inQuestion && keep && inside == "questiontext") {
            const std::string* format = element.Attribute("format");
            question.textFormat = format ? *format : "";
        } else if (inQuestion && keep && inside == "questiontext/file") {
            const std::string* name = element.Attribute("name");
            question.files.push_back({name ? *name : "", ""});
        } else if (inQuestion && keep && inside == "answer") {
            const std::string* fraction = element.Attribute("fraction");
            question.answers.push_back({"", fraction ? *fraction : "0", ""});
        }
    }

    void Text(const std::string& text) override
    {
        if (!inQuestion || !keep)
            return;
        const std::string inside = Inside();
        if (inside == "name/text")
            question.name += text;
        else if (inside == "questiontext/text")
            question.text += text;
        else if (inside == "questiontext/file" && !question.files.empty())
            question.files.back().base64 += text;
        else if (inside == "generalfeedback/text")
            question.generalFeedback += text;
        else if (inside == "usecase")
            question.usecase = text.find('1') != std::string::npos;
        else if (inside == "answer/text" && !question.answers.empty())
            question.answers.back().text += text;
        else if (inside == "answer/feedback/text" && !question.answers.empty())
            question.answers.back().feedback += text;
        else if (inside == "category/text")
            category += text;
    }

    void Close(const std::string&) override
    {
        if (root && inQuestion && path.size() == 2) {
            inQuestion = false;
            if (question.type == "category") {
                bank.categories.push_back(category);
            } else if (!keep) {
                ++bank.questionsLeftOut;
            } else {
                question.number = static_cast<int>(bank.questions.size()) + 1;
                bank.questions.push_back(std::move(question));
            }
        }
        path.pop_back();
    }
};

// Stops at the first element.
struct RootHandler : XmlHandler {
    std::string name;
    void Open(const XmlElement& element) override { name = element.name; }
    void Text(const std::string&) override {}
    void Close(const std::string&) override {}
    bool More() const override { return name.empty(); }
};

} // namespace

bool LooksLikeMoodleXml(const std::string& utf8)
{
    RootHandler root;
    std::string error;
    ReadXml(utf8, root, error);
    return root.name == "quiz";
}

bool ReadMoodleXml(const std::string& utf8, MoodleBank& bank, std::string& error,
                   size_t maxQuestions)
{
    bank = MoodleBank();
    BankHandler handler(bank, maxQuestions);
    if (!ReadXml(utf8, handler, error))
        return false;
    if (!handler.root) {
        error = u8"ce fichier XML n'est pas une banque de questions Moodle (elle commence par "
                u8"<quiz>) : dans Moodle, exportez les questions au « format Moodle XML »";
        return false;
    }
    return true;
}

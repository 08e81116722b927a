#include "authoring/import/gift_reader.h"

namespace {

constexpr const char* BLANKS = " \t\r\n";

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(BLANKS);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

// The first what at or after from that no backslash escapes, or npos.
size_t FindUnescaped(const std::string& text, const std::string& what, size_t from = 0)
{
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
            continue;
        }
        if (text.compare(i, what.size(), what) == 0)
            return i;
    }
    return std::string::npos;
}

std::string Unescaped(const std::string& text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] != '\\' || !next) {
            plain += text[i];
        } else if (next == 'n') {
            plain += '\n', ++i;
        } else if (std::string("~=#{}:\\").find(next) != std::string::npos) {
            plain += next, ++i;
        } else {
            plain += '\\'; // not an escape: the backslash is text
        }
    }
    return plain;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

GiftKind KindOf(const std::string& block)
{
    const std::string answers = Trimmed(block);
    if (answers.empty())
        return GiftKind::Essay;
    if (answers[0] == '#')
        return GiftKind::Numeric;
    if (FindUnescaped(answers, "~") != std::string::npos)
        return GiftKind::MultipleChoice;
    if (FindUnescaped(answers, "->") != std::string::npos &&
        FindUnescaped(answers, "=") != std::string::npos)
        return GiftKind::Matching;
    const std::string head = Upper(Trimmed(answers.substr(0, FindUnescaped(answers, "#"))));
    if (head == "T" || head == "F" || head == "TRUE" || head == "FALSE")
        return GiftKind::TrueFalse;
    return GiftKind::ShortAnswer;
}

// "50" or "-33.3" as a number; false for anything else.
bool ParseWeight(const std::string& text, double& weight)
{
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    double value = 0;
    double scale = 0;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && scale == 0) {
            scale = 1;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (scale > 0)
                value += (c - '0') * (scale /= 10);
            else
                value = value * 10 + (c - '0');
        } else {
            return false;
        }
    }
    weight = negative ? -value : value;
    return digits;
}

void ShortAnswers(std::string block, GiftQuestion& question)
{
    const size_t general = FindUnescaped(block, "####");
    if (general != std::string::npos) {
        question.feedback = !Trimmed(block.substr(general + 4)).empty();
        block.resize(general);
    }
    std::vector<std::string> pieces(1);
    for (size_t i = 0; i < block.size(); ++i) {
        if (block[i] == '\\' && i + 1 < block.size()) {
            pieces.back() += block.substr(i++, 2);
        } else if (block[i] == '=') {
            pieces.emplace_back();
        } else {
            pieces.back() += block[i];
        }
    }
    // Text before the first "=" is an answer too: "{Paris}" needs no sign.
    if (Trimmed(pieces[0]).empty())
        pieces.erase(pieces.begin());
    for (const std::string& piece : pieces) {
        std::string text = Trimmed(piece);
        GiftAnswer answer;
        const size_t weightEnd =
            text.compare(0, 1, "%") == 0 ? text.find('%', 1) : std::string::npos;
        if (weightEnd != std::string::npos &&
            ParseWeight(text.substr(1, weightEnd - 1), answer.weight)) {
            answer.weightText = text.substr(1, weightEnd - 1);
            text.erase(0, weightEnd + 1);
        }
        const size_t feedback = FindUnescaped(text, "#");
        if (feedback != std::string::npos) {
            question.feedback = question.feedback || !Trimmed(text.substr(feedback + 1)).empty();
            text.resize(feedback);
        }
        answer.text = Trimmed(Unescaped(text));
        question.answers.push_back(answer);
    }
}

GiftQuestion ReadQuestion(const std::string& block, int line, int number)
{
    GiftQuestion question;
    question.line = line;
    question.number = number;
    size_t start = block.find_first_not_of(BLANKS);
    if (start != std::string::npos && block.compare(start, 2, "::") == 0) {
        const size_t end = FindUnescaped(block, "::", start + 2);
        if (end != std::string::npos) {
            question.title = Trimmed(Unescaped(block.substr(start + 2, end - start - 2)));
            start = block.find_first_not_of(BLANKS, end + 2);
        }
    }
    if (start != std::string::npos && block[start] == '[') {
        const size_t end = block.find(']', start);
        const std::string format =
            end == std::string::npos ? "" : block.substr(start + 1, end - start - 1);
        if (format == "html" || format == "moodle" || format == "plain" || format == "markdown") {
            question.format = format;
            start = end + 1;
        }
    }
    const std::string rest = start == std::string::npos ? "" : block.substr(start);
    const size_t open = FindUnescaped(rest, "{");
    const size_t close = open == std::string::npos ? open : FindUnescaped(rest, "}", open + 1);
    if (open == std::string::npos) {
        question.text = Unescaped(rest);
        return question;
    }
    question.text = Unescaped(rest.substr(0, open));
    if (close == std::string::npos) {
        question.kind = GiftKind::Unclosed;
        return question;
    }
    const std::string after = rest.substr(close + 1);
    if (!Trimmed(after).empty())
        question.text += "_____" + Unescaped(after);
    const std::string answers = rest.substr(open + 1, close - open - 1);
    question.kind = KindOf(answers);
    if (question.kind == GiftKind::ShortAnswer)
        ShortAnswers(answers, question);
    return question;
}

} // namespace

void ReadGift(const std::string& utf8, GiftFile& file, size_t maxQuestions)
{
    file = GiftFile();
    std::string block;
    int blockLine = 0;
    int line = 0;
    auto endBlock = [&] {
        if (!Trimmed(block).empty()) {
            const int number = static_cast<int>(file.questions.size()) + 1;
            if (file.questions.size() < maxQuestions)
                file.questions.push_back(ReadQuestion(block, blockLine, number));
            else if (file.questionsLeftOut++ == 0)
                file.firstLeftOutLine = blockLine;
        }
        block.clear();
    };
    for (size_t position = 0; position <= utf8.size();) {
        size_t end = utf8.find_first_of("\r\n", position);
        if (end == std::string::npos)
            end = utf8.size();
        const std::string text = utf8.substr(position, end - position);
        ++line;
        position = end + (utf8.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const std::string content = Trimmed(text);
        if (content.compare(0, 2, "//") == 0)
            continue;
        if (content.compare(0, 10, "$CATEGORY:") == 0) {
            endBlock();
            file.categories.push_back(Trimmed(content.substr(10)));
            continue;
        }
        if (content.empty()) {
            endBlock();
            continue;
        }
        if (block.empty())
            blockLine = line;
        else
            block += '\n';
        block += text;
    }
    endBlock();
}

const char* GiftKindName(GiftKind kind)
{
    switch (kind) {
    case GiftKind::ShortAnswer:
        return u8"réponse courte";
    case GiftKind::MultipleChoice:
        return "choix multiple";
    case GiftKind::TrueFalse:
        return "vrai ou faux";
    case GiftKind::Numeric:
        return u8"numérique";
    case GiftKind::Matching:
        return "appariement";
    case GiftKind::Essay:
        return "composition";
    case GiftKind::Description:
        return u8"description (sans réponse)";
    case GiftKind::Unclosed:
        return u8"accolade { jamais refermée";
    }
    return "";
}

#include "authoring/packing/quiz_page.h"

#include "authoring/import/html_text.h"
#include "authoring/packing/file_set.h"
#include "quiz/base64.h"
#include "quiz/lzw.h"
#include "quiz/payload.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* ELEMENT_START = "<script type=\"application/x-quizz\" data-type=\"";
constexpr const char* ELEMENT_END = "</script>";

// More than a quiz has (two media per question, its payloads, its icon):
// a page claiming more is no page of ours.
constexpr size_t MAX_PAGE_RESOURCES = 4 * MAX_QUESTIONS;

bool IsResourceType(const std::string& type)
{
    return !type.empty() && type.size() <= 8 &&
           std::all_of(type.begin(), type.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The quiz's title as the page's, UTF-8; "" when the quiz payload is missing
// or does not decode (the empty page's own title stays).
std::string QuizTitle(const std::vector<QuizResource>& resources)
{
    const auto payload =
        std::find_if(resources.begin(), resources.end(), [](const QuizResource& resource) {
            return resource.type == PAYLOAD_RESOURCE_TYPE && resource.id == QUIZ_RESOURCE;
        });
    if (payload == resources.end() || payload->data.empty())
        return "";
    unsigned char* decoded = nullptr;
    uint32_t length = 0;
    std::string title;
    if (LzwDecode(payload->data.data(), static_cast<uint32_t>(payload->data.size()), &decoded,
                  &length) == LZW_OK) {
        QuizRecord quiz;
        ParseQuizPayload(decoded, length, quiz);
        title = Windows1252ToUtf8(quiz.title);
    }
    free(decoded);
    return title;
}

} // namespace

std::string DefaultPage(const std::string& toolDirectory)
{
    return toolDirectory.empty() ? PAGE_FILE_NAME : toolDirectory + "/" + PAGE_FILE_NAME;
}

bool IsPageName(const std::string& path)
{
    const std::string extension = LowerExtension(path);
    return extension == ".html" || extension == ".htm";
}

bool MakeQuizPage(const std::string& emptyPage, const std::vector<QuizResource>& resources,
                  std::string& page, std::string& error)
{
    const size_t mark = emptyPage.find(PAGE_RESOURCES_MARK);
    if (mark == std::string::npos || emptyPage.find(ELEMENT_START) != std::string::npos) {
        error = u8"ce n'est pas la page vide de Quizz (quizz.html) : réinstallez Quizz";
        return false;
    }
    // Before the code: the payloads at the start and the media of the first
    // screen; the order stays the one given.
    size_t split = 0;
    for (size_t i = 0; i < resources.size(); ++i) {
        const bool media = resources[i].type == MEDIA_RESOURCE_TYPE;
        if (media ? resources[i].id <= MEDIA_RESOURCE_BASE + FIRST_SCREEN_QUESTIONS : split == i)
            split = i + 1;
    }
    std::string elements[2];
    for (size_t i = 0; i < resources.size(); ++i) {
        const QuizResource& resource = resources[i];
        if (!IsResourceType(resource.type)) {
            error = u8"ressource de type inattendu : " + Quoted(resource.type);
            return false;
        }
        elements[i < split ? 0 : 1] +=
            ELEMENT_START + resource.type + "\" data-id=\"" + std::to_string(resource.id) + "\">" +
            EncodeBase64(resource.data.data(), resource.data.size()) + ELEMENT_END + "\n";
    }
    const std::string resourcesMark = PAGE_RESOURCES_MARK, mediaMark = PAGE_MEDIA_MARK;
    const size_t code = mark + resourcesMark.size();
    const size_t media = emptyPage.find(mediaMark, code);
    if (media == std::string::npos)
        page = emptyPage.substr(0, mark) + elements[0] + elements[1] + emptyPage.substr(code);
    else
        page = emptyPage.substr(0, mark) + elements[0] + emptyPage.substr(code, media - code) +
               elements[1] + emptyPage.substr(media + mediaMark.size());
    const std::string title = QuizTitle(resources);
    const size_t open = page.find("<title>");
    const size_t close = page.find("</title>");
    if (!title.empty() && open != std::string::npos && close != std::string::npos && open < close)
        page.replace(open + 7, close - open - 7, HtmlText(title));
    return true;
}

bool ReadPageResources(const std::string& page, std::vector<QuizResource>& resources,
                       std::string& error)
{
    resources.clear();
    const std::string start = ELEMENT_START;
    for (size_t at = page.find(start); at != std::string::npos; at = page.find(start, at)) {
        at += start.size();
        const size_t typeEnd = page.find('"', at);
        const std::string idMark = "\" data-id=\"";
        const size_t idStart = typeEnd == std::string::npos ? typeEnd : typeEnd + idMark.size();
        const size_t idEnd = idStart == std::string::npos ? idStart : page.find("\">", idStart);
        const size_t dataEnd = idEnd == std::string::npos ? idEnd : page.find(ELEMENT_END, idEnd);
        QuizResource resource;
        std::string id;
        if (dataEnd != std::string::npos && page.compare(typeEnd, idMark.size(), idMark) == 0) {
            resource.type = page.substr(at, typeEnd - at);
            id = page.substr(idStart, idEnd - idStart);
        }
        std::string bytes;
        const bool valid =
            IsResourceType(resource.type) && !id.empty() && id.size() <= 5 &&
            std::all_of(id.begin(), id.end(), ::isdigit) &&
            DecodeBase64(page.substr(idEnd + 2, dataEnd - idEnd - 2), bytes, MAX_MEDIUM_BYTES);
        if (!valid || resources.size() == MAX_PAGE_RESOURCES) {
            error = u8"cette page de quiz est abîmée (une de ses ressources est coupée ou "
                    u8"modifiée) : refaites-la depuis le quiz";
            return false;
        }
        resource.id = std::stoi(id);
        resource.data.assign(bytes.begin(), bytes.end());
        for (const QuizResource& other : resources) {
            if (other.type == resource.type && other.id == resource.id) {
                error = u8"cette page de quiz porte deux fois la ressource " + resource.type + " " +
                        id + u8" : refaites-la depuis le quiz";
                return false;
            }
        }
        resources.push_back(std::move(resource));
        at = dataEnd;
    }
    if (resources.empty()) {
        error = u8"ce n'est pas une page de quiz faite par Quizz (elle ne porte aucun quiz)";
        return false;
    }
    return true;
}

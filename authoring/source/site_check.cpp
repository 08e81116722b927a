#include "authoring/source/site_check.h"

#include "authoring/source/source_reader.h"
#include "quiz/text_encoding.h"
#include "quiz/web_site.h"

#include <cstdio>
#include <string>

namespace {

// "%E2%98%83": how an address spells a character outside its alphabet.
std::string PercentEncoded(char32_t c)
{
    std::string utf8;
    AppendUtf8(utf8, c);
    std::string encoded;
    for (char byte : utf8) {
        char escape[4];
        snprintf(escape, sizeof escape, "%%%02X",
                 static_cast<unsigned>(static_cast<unsigned char>(byte)));
        encoded += escape;
    }
    return encoded;
}

} // namespace

bool CheckWebSite(const SourceText& site, char (&dest)[TEXT_SIZE], std::vector<Problem>& problems)
{
    dest[0] = '\0';
    if (!site.present)
        return true;
    const size_t before = problems.size();
    auto report = [&](const std::string& message) {
        problems.push_back({site.place, KEY_SITE, message});
    };
    if (site.value.empty()) {
        report(u8"vide : écrivez l'adresse du site, par exemple site = "
               u8"\"https://www.mon-ecole.fr\", ou retirez la ligne pour garder celle du lecteur");
        return false;
    }

    bool space = false;
    bool control = false;
    std::string bytes;
    std::vector<char32_t> invisible;
    std::vector<char32_t> unencodable;
    // Composed first, as every text converted to Windows-1252 is.
    const std::string composed = ComposedText(site.value);
    size_t position = 0;
    char32_t c;
    while (NextCodePoint(composed, position, c)) {
        const int byte = Windows1252Byte(c);
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
            control = true;
        else if (c == ' ' || c == 0xA0 || c == 0x202F || (c >= 0x2000 && c <= 0x200A) ||
                 c == 0x3000)
            space = true;
        else if (byte < 0)
            unencodable.push_back(c);
        else if (!IsWebSiteByte(static_cast<unsigned char>(byte)))
            invisible.push_back(c);
        else
            bytes += static_cast<char>(byte);
    }

    if (control)
        report(u8"retour à la ligne, tabulation ou autre caractère de contrôle interdit dans "
               u8"une adresse");
    if (space)
        report(u8"espace interdite dans une adresse : retirez-la, ou écrivez %20 à sa place");
    for (char32_t character : invisible)
        report(u8"caractère invisible " + CodePointName(character) +
               u8" dans l'adresse : retirez-le (il vient souvent d'un copier-coller)");
    for (char32_t character : unencodable) {
        std::string shown;
        AppendUtf8(shown, character);
        report(u8"caractère " + Quoted(shown) + " (" + CodePointName(character) +
               u8") impossible en Windows-1252, l'alphabet du lecteur : écrivez " +
               PercentEncoded(character) + u8" à sa place");
    }

    const int scheme = WebSiteSchemeLength(site.value.c_str());
    const size_t colon = site.value.find(':');
    const bool otherScheme = colon != std::string::npos && colon > 0 &&
                             site.value.find_first_not_of(
                                 "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ") == colon;
    if (scheme == 0) {
        if (!otherScheme)
            report(u8"l'adresse commence par https:// ou http:// : écrivez " +
                   Quoted("https://" + site.value));
        else
            report(u8"seules les adresses en https:// ou http:// s'ouvrent depuis le quiz");
    } else {
        char host[TEXT_SIZE];
        WebSiteHost(bytes.c_str(), host);
        if (host[0] == '\0')
            report(u8"il manque le nom du site après " + Quoted(site.value.substr(0, scheme)) +
                   u8", par exemple « https://www.mon-ecole.fr »");
    }
    if (bytes.size() > static_cast<size_t>(MAX_WEB_SITE_LENGTH))
        report("trop longue : " + std::to_string(bytes.size()) +
               u8" caractères, le lecteur en garde " + std::to_string(MAX_WEB_SITE_LENGTH) +
               u8" au plus : donnez l'adresse d'une page moins profonde");
    if (problems.size() != before)
        return false;

    // The player's own reading has the last word: what it would not take is
    // never built.
    if (!ReadWebSite(reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<uint32_t>(bytes.size()), dest)) {
        report(u8"le lecteur ne lirait pas cette adresse : écrivez-la comme "
               u8"« https://www.mon-ecole.fr/page »");
        return false;
    }
    return true;
}

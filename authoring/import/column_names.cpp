#include "authoring/import/column_names.h"

#include "quiz/text_encoding.h"

namespace {

// Lower-case letters and digits alone, accents taken off: the form in which
// names are compared.
std::string Folded(const std::string& utf8)
{
    std::string folded;
    size_t position = 0;
    char32_t c;
    while (position < utf8.size()) {
        if (!NextCodePoint(utf8, position, c)) {
            ++position;
            continue;
        }
        c = BaseLetter(c);
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            folded += static_cast<char>(c);
        else if (c == 0x152 || c == 0x153)
            folded += "oe";
    }
    return folded;
}

const struct {
    Column column;
    const char* names[12];
} NAMES[] = {
    {Column::QuestionText,
     {"question", "questions", "texte", "textes", "textequestion", "textedelaquestion",
      "questiontexte", "enonce", "intitule", "libelle"}},
    {Column::Answer,
     {"reponse", "reponses", "reponse1", "premierereponse", "1erereponse", "bonnereponse",
      "reponseattendue", "solution"}},
    {Column::SecondAnswer,
     {"secondereponse", "secondreponse", "reponse2", "deuxiemereponse", "2ereponse", "2emereponse",
      "reponsedeux"}},
    {Column::Alternatives,
     {"autrereponse", "autresreponses", "reponseacceptee", "reponsesacceptees",
      "autrereponseacceptee", "autresreponsesacceptees", "autrebonnereponse",
      "autresbonnesreponses", "reponsealternative", "reponsesalternatives", "alternatives"}},
    {Column::SecondAlternatives,
     {"autresecondereponse", "autressecondesreponses", "secondereponseacceptee",
      "secondesreponsesacceptees", "autresecondereponseacceptee", "autrereponse2",
      "autresreponses2", "reponse2acceptee", "reponses2acceptees"}},
    {Column::Picture, {"image", "images", "photo", "photos", "fichierimage", "illustration"}},
    {Column::Sound, {"son", "sons", "audio", "fichierson", "fichieraudio"}},
    {Column::Film, {"video", "videos", "film", "films", "fichiervideo"}},
    {Column::RevealText,
     {"texterevele", "texterevelee", "textereveler", "texteareveler", "texterevelation"}},
    {Column::RevealPicture,
     {"imagerevelee", "imagerevele", "imagereveler", "imageareveler", "imagerevelation"}},
};

} // namespace

const char* const EXPECTED_COLUMNS =
    u8"question (ou texte), réponse, seconde réponse, autres réponses, autres secondes réponses, "
    u8"image, son, vidéo, texte révélé, image révélée";

Column ColumnFromName(const std::string& utf8)
{
    const std::string folded = Folded(utf8);
    for (const auto& entry : NAMES)
        for (const char* name : entry.names)
            if (name && folded == name)
                return entry.column;
    return Column::Unknown;
}

#include "atelier/window/file_filters.h"

#include "authoring/packing/windows_platform.h"
#include "quiz/media_format.h"
#include "win32/wide_text.h"

namespace {

using namespace std::string_literals;

// A filter of the media of kinds that the authoring tools take, made from
// the table of formats.
std::wstring MediaFilterText(const std::string& label, std::initializer_list<MediaKind> kinds)
{
    const MediaFilter filter = TakenMediaFilter(label, kinds);
    return Widen(filter.name) + L'\0' + Widen(filter.patterns) + L'\0';
}

// Every sound and film of the table, taken or not: a folder of MP4 films
// must not look empty. Adding one the player cannot play tells how to
// convert it (UnplayedMediaAdvice).
std::wstring EveryMediumFilterText()
{
    std::wstring patterns;
    for (const MediaFormatInfo& row : MediaFormats())
        if (row.kind == MediaKind::Sound || row.kind == MediaKind::Film)
            for (const char* extension : row.extensions)
                if (extension)
                    patterns += (patterns.empty() ? L"*" : L";*") + Widen(extension);
    return L"Tous les médias, sons et vidéos\0"s + patterns + L'\0';
}

const std::wstring ALL_FILES = L"Tous les fichiers\0*.*\0"s;

const FileDialogKind KINDS[] = {
    {FileChoice::Quiz,
     L"Quiz (*.toml, *.exe, *.html)\0*.toml;*.exe;*.html;*.htm\0"
     L"Fichiers source (*.toml)\0*.toml\0"
     L"Quiz créés, à donner aux élèves (*.exe)\0*.exe\0"
     L"Pages web de quiz (*.html)\0*.html;*.htm\0"s,
     L"Ouvrir un quiz", L"toml"},
    {FileChoice::Table,
     L"Tableaux et banques Moodle (*.xlsx, *.ods, *.csv, *.tsv, *.txt, *.gift, *.xml)\0"
     L"*.xlsx;*.ods;*.csv;*.tsv;*.tab;*.txt;*.gift;*.xml\0"s +
         ALL_FILES,
     L"Importer un tableau ou une banque de questions Moodle", L"xlsx"},
    {FileChoice::Picture, MediaFilterText(u8"Images", {MediaKind::Picture}) + ALL_FILES,
     L"Choisir une image", L"jpg"},
    {FileChoice::Pictures, MediaFilterText(u8"Images", {MediaKind::Picture}),
     L"Une question par image", L"jpg"},
    {FileChoice::Sound,
     MediaFilterText(u8"Sons", {MediaKind::Sound}) + EveryMediumFilterText() + ALL_FILES,
     L"Choisir un son", L"mp3"},
    {FileChoice::Sounds,
     MediaFilterText(u8"Sons", {MediaKind::Sound}) + EveryMediumFilterText() + ALL_FILES,
     L"Une question par son", L"mp3"},
    {FileChoice::Film,
     MediaFilterText(u8"Vidéos", {MediaKind::Film}) + EveryMediumFilterText() + ALL_FILES,
     L"Choisir une vidéo", L"avi"},
    {FileChoice::Films,
     MediaFilterText(u8"Vidéos", {MediaKind::Film}) + EveryMediumFilterText() + ALL_FILES,
     L"Une question par vidéo", L"avi"},
    {FileChoice::Icon,
     MediaFilterText(u8"Images et icônes", {MediaKind::Picture, MediaKind::Icon}) + ALL_FILES,
     L"Choisir l'icône du quiz", L"png"},
    {FileChoice::Source, L"Fichier source de quiz (*.toml)\0*.toml\0"s, L"Enregistrer le quiz",
     L"toml"},
    {FileChoice::Program, L"Quiz créé, à donner aux élèves (*.exe)\0*.exe\0"s, L"Créer le quiz",
     L"exe"},
    {FileChoice::Page, L"Pages web (*.html)\0*.html\0"s, L"Créer la page web", L"html"},
    {FileChoice::Work, L"Travaux rendus (*.txt)\0*.txt\0"s + ALL_FILES,
     L"Ajouter des travaux rendus", L"txt"},
    {FileChoice::Spreadsheet, L"Tableur, séparateur point-virgule (*.csv)\0*.csv\0"s,
     L"Exporter le bilan pour un tableur", L"csv"},
    {FileChoice::Report, L"Pages web (*.html)\0*.html\0"s, L"Enregistrer la page à imprimer",
     L"html"},
};

} // namespace

const FileDialogKind& FileDialogOf(FileChoice choice)
{
    for (const FileDialogKind& kind : KINDS)
        if (kind.choice == choice)
            return kind;
    return KINDS[0];
}

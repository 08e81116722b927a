// How a teacher converts a sound or a film into what the player or the web
// page plays, with free tools found on a school's machines, and how the page
// is made: the words every message about such a medium shares.
#pragma once

// For the player: MP3 sounds, AVI films. VLC has no ready profile that
// writes an AVI, but any profile set to that encapsulation does.
constexpr const char* TO_MP3 =
    u8"en MP3 avec Audacity (Fichier > Exporter l'audio, format MP3) ou VLC (Média > Convertir / "
    u8"Enregistrer, profil « Audio - MP3 »)";
constexpr const char* TO_AVI = u8"en AVI avec VLC (Média > Convertir / Enregistrer, un profil "
                               u8"dont l'encapsulation est AVI)";

// For the page: an MP4 of H.264 plays in every current browser.
constexpr const char* TO_MP4 =
    u8"en MP4 (H.264) avec HandBrake (ses réglages par défaut le font) ou VLC (Média > "
    u8"Convertir / Enregistrer, profil « Video - H.264 + MP3 (MP4) »)";

// What makes the page, in quizzpack and in the atelier.
constexpr const char* MAKE_PAGE = u8"quizzpack page, ou « Créer la page web… » dans l'atelier";

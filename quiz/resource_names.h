// Where a quiz lies in the resources of its executable: the two coded
// payloads, the quiz's own web site (optional, see web_site.h), the rules of
// its accepted answers (optional), the key of the work its pupils hand in
// (optional), and per question i its picture, sound or
// film and its reveal picture. The
// authoring tool also keeps the quiz's source there, for extraction alone:
// the player never reads it.
#pragma once

constexpr const char* PAYLOAD_RESOURCE_TYPE = "PATCH";
constexpr int QUIZ_RESOURCE = 104;
constexpr int CODES_RESOURCE = 105;
constexpr int WEB_SITE_RESOURCE = 106;
constexpr int SOURCE_RESOURCE = 107; // authoring/packing/stored_source.h
constexpr int RULES_RESOURCE = 108;  // the rules of accepted answers: quiz/answer_rules.h
// Only in a quiz whose pupils hand in their work: the key that checks
// their results (quiz/pupil_results.h).
constexpr int WORK_KEY_RESOURCE = 109;

constexpr const char* MEDIA_RESOURCE_TYPE = "IMG";
constexpr int MEDIA_RESOURCE_BASE = 400;            // + i
constexpr int REVEAL_PICTURE_RESOURCE_BASE = 10400; // + i

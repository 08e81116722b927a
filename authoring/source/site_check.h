// The rules of a quiz's web site (site = "..."), the address the player's
// header link shows and opens: an http:// or https:// address with a host,
// without spaces or control characters, in Windows-1252, at most
// MAX_WEB_SITE_LENGTH bytes; the very rules by which the player reads it
// back (quiz/web_site.h), told in French with how to mend the value.
#pragma once

#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"
#include "quiz/quiz_record.h"

#include <vector>

// Converts a present site into dest (empty otherwise) and appends its
// problems; returns whether there were none.
bool CheckWebSite(const SourceText& site, char (&dest)[TEXT_SIZE], std::vector<Problem>& problems);

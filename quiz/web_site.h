// A quiz's own web site, resource "PATCH" 106: the address that the header's
// link shows and opens in place of the player's built-in one.
//
// The resource holds the address's Windows-1252 bytes and nothing else (no
// terminator, not LZW-coded): "http://" or "https://" in either case, then a
// host (WebSiteHost) of at least one byte, MAX_WEB_SITE_LENGTH bytes in all,
// every byte a printable character other than a space. Anything else is no address at
// all: quiz programs older than this resource have none, and a damaged one
// must never send a pupil somewhere unexpected. No Windows header, no
// allocation; nothing is read past the size given.
#pragma once

#include "quiz/quiz_record.h"
#include "quiz/resource_names.h"

#include <cstdint>

constexpr int MAX_WEB_SITE_LENGTH = MAX_TEXT_LENGTH;

// Whether a byte may stand in an address: the printable characters of
// Windows-1252 but the space, the no-break space and the soft hyphen.
bool IsWebSiteByte(unsigned char byte);

// The length of "http://" or "https://" at the start of text (either case),
// or 0.
int WebSiteSchemeLength(const char* text);

// Copies the address into dest and returns true when the bytes are one;
// otherwise dest is empty.
bool ReadWebSite(const unsigned char* data, uint32_t size, char (&dest)[TEXT_SIZE]);

// What the header shows of an address: its host (with the port, without the
// scheme, a user name, a leading "www.", the path, the query), as the link
// has room for little more. Text without a scheme is shown whole.
void WebSiteHost(const char* address, char (&host)[TEXT_SIZE]);

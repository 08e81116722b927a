#include "quiz/web_site.h"

#include <cstring>

namespace {

bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix) {
        char c = *text;
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != *prefix)
            return false;
    }
    return true;
}

} // namespace

bool IsWebSiteByte(unsigned char byte)
{
    if (byte > 0x20 && byte < 0x7F)
        return true;
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252.
    switch (byte) {
    case 0x81:
    case 0x8D:
    case 0x8F:
    case 0x90:
    case 0x9D:
    case 0xA0:
    case 0xAD:
        return false;
    default:
        return byte >= 0x80;
    }
}

int WebSiteSchemeLength(const char* text)
{
    if (StartsWithNoCase(text, "https://"))
        return 8;
    if (StartsWithNoCase(text, "http://"))
        return 7;
    return 0;
}

bool ReadWebSite(const unsigned char* data, uint32_t size, char (&dest)[TEXT_SIZE])
{
    dest[0] = '\0';
    if (!data || size == 0 || size > static_cast<uint32_t>(MAX_WEB_SITE_LENGTH))
        return false;
    for (uint32_t i = 0; i < size; ++i)
        if (!IsWebSiteByte(data[i]))
            return false;
    char address[TEXT_SIZE];
    memcpy(address, data, size);
    address[size] = '\0';
    char host[TEXT_SIZE];
    WebSiteHost(address, host);
    if (WebSiteSchemeLength(address) == 0 || host[0] == '\0')
        return false;
    memcpy(dest, address, size + 1);
    return true;
}

void WebSiteHost(const char* address, char (&host)[TEXT_SIZE])
{
    const int scheme = WebSiteSchemeLength(address);
    if (scheme == 0) {
        CopyText(host, address);
        return;
    }
    const char* start = address + scheme;
    size_t length = strcspn(start, "/?#");
    // "user@host": the host is what the browser goes to, so that is shown.
    for (size_t i = length; i > 0; --i) {
        if (start[i - 1] == '@') {
            start += i;
            length -= i;
            break;
        }
    }
    // "www." tells the pupil nothing, and takes room the name needs.
    if (length > 4 && StartsWithNoCase(start, "www.")) {
        start += 4;
        length -= 4;
    }
    if (length > static_cast<size_t>(MAX_TEXT_LENGTH))
        length = MAX_TEXT_LENGTH;
    memcpy(host, start, length);
    host[length] = '\0';
}

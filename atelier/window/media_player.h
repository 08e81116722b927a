// A question's sound or film played as the teacher checks it: by the
// system's media control interface (MCI), which plays an MP3 and shows an
// AVI in a window of its own. One plays at a time.
#pragma once

#include <string>

// path is UTF-8; false with the system's reason, in its language.
bool PlayMediaFile(const std::string& path, std::wstring& error);

// Stops what plays, if anything.
void StopMediaFile();

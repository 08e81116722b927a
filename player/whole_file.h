// A file written whole or not at all: the bytes go to a temporary beside it,
// PATH.PID.new (the process's own, so that two copies of a quiz writing at
// once never share one), which replaces the file only once complete.
#pragma once

#include <string>

// False when the file could not be written or could not replace the old
// one: the old file stays as it was, no temporary is left, and
// GetLastError() tells why.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

// A path as the ANSI message boxes can show it: letters outside the system's
// code page become their nearest, or question marks.
std::string AnsiShown(const std::wstring& path);

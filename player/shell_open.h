// Opens an address with the shell's "open" verb. The player makes the real
// call; tests link a recorder in its place.
#pragma once

void OpenWithShell(const char* address);

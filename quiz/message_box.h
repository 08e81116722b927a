// Failures are told to the user in a message box with no owner and MB_OK.
// The product shows the real box; tests link a recorder in its place so that
// they can read what would have been shown without a box blocking them.
#pragma once

void ShowMessageBox(const char* text, const char* caption);

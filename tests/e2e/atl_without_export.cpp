// Stands in for an "atl.dll" that lacks AtlAxAttachControl: a library that
// loads and exports nothing the player looks for.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

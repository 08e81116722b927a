// e2e_tests PLAYER.exe [ATL_WITHOUT_EXPORT.dll] [GoogleTest flags]
#include "tests/e2e/player_process.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: e2e_tests PLAYER.exe [ATL_WITHOUT_EXPORT.dll]\n");
        return 2;
    }
    g_playerPath = WindowsPath(argv[1]);
    if (argc > 2)
        g_atlWithoutExportPath = WindowsPath(argv[2]);
    return RUN_ALL_TESTS();
}

// e2e_tests PLAYER.exe ATL_WITHOUT_EXPORT.dll QUIZZPACK.exe ATELIER.exe [GoogleTest flags]
#include "tests/robot/atelier_robot.h"
#include "tests/robot/player_process.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 5) {
        fprintf(stderr,
                "usage: e2e_tests PLAYER.exe ATL_WITHOUT_EXPORT.dll QUIZZPACK.exe ATELIER.exe\n");
        return 2;
    }
    g_playerPath = WindowsPath(argv[1]);
    g_atlWithoutExportPath = WindowsPath(argv[2]);
    g_quizzpackPath = WindowsPath(argv[3]);
    g_atelierPath = WindowsPath(argv[4]);
    return RUN_ALL_TESTS();
}

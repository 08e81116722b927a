// quizzpack.exe: the arguments as UTF-8, the commands, the messages, and
// standard input for essai.
#include "authoring/packing/windows_platform.h"
#include "quiz/message_box.h"
#include "quiz/text_encoding.h"
#include "quizzpack/commands.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <shellapi.h>

// The codec's one message (an allocation failure) goes to the console here:
// a console tool shows no boxes.
void ShowMessageBox(const char* text, const char*)
{
    WriteText(true, "quizzpack : " + Windows1252ToUtf8(text) + "\n");
}

int main()
{
    // The wide command line: the ANSI one cannot hold every file name.
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; arguments && i < count; ++i)
        args.push_back(Narrow(arguments[i]));
    LocalFree(arguments);

    CommandOutput output;
    PackerPlatform platform = WindowsPlatform();
    // What is ready goes out before each line is read, so that someone
    // typing answers sees each verdict as the line is entered.
    platform.readInputLine = [&output](std::string& line) {
        WriteText(false, output.out);
        WriteText(true, output.err);
        output.out.clear();
        output.err.clear();
        return ReadInputLine(line);
    };
    const int code = RunQuizzpack(args, platform, output);
    WriteText(false, output.out);
    WriteText(true, output.err);
    return code;
}

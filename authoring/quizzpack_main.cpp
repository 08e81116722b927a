// quizzpack.exe: the arguments as UTF-8, the commands, the messages.
#include "authoring/commands.h"
#include "authoring/text_encoding.h"
#include "authoring/windows_platform.h"
#include "quiz/message_box.h"

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
    const int code = RunQuizzpack(args, WindowsPlatform(), output);
    WriteText(false, output.out);
    WriteText(true, output.err);
    return code;
}

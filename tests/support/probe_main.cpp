// probe PROGRAM [ARGUMENTS...]: runs a program, answers its message boxes
// and prints what a person at the screen would have seen.
#include "support/WindowProbe.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    std::string arguments;
    for (int i = 2; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument.find(' ') != std::string::npos)
            argument = "\"" + argument + "\"";
        arguments += (i > 2 ? " " : "") + argument;
    }
    LaunchOptions options;
    options.commandLine = QuotedCommandLine(argv[1], arguments);
    LaunchResult result = RunAndProbe(options);
    if (!result.started) {
        std::printf("could not start %s\n", argv[1]);
        return 2;
    }
    if (result.splash.seen)
        std::printf("splash window: %ld x %ld at (%ld, %ld)\n", result.splash.rect.right - result.splash.rect.left,
                    result.splash.rect.bottom - result.splash.rect.top, result.splash.rect.left, result.splash.rect.top);
    for (const MessageBoxRecord& box : result.boxes)
        std::printf("message box \"%s\"%s:\n%s\n", box.caption.c_str(),
                    box.owner ? " (owned by the splash window)" : "", box.text.c_str());
    if (result.timedOut)
        std::printf("the program did not end in time and was stopped\n");
    std::printf("exit code: %lu (0x%08lX)\n", result.exitCode, result.exitCode);
    return 0;
}

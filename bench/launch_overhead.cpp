// Wall time of a whole launch through the launcher against the minimal host
// of the same stand-in jvm.dll, as the ratio of the two medians. Both run
// from the same private runtime layout, interleaved, so that drift of the
// machine falls on both alike.
//
// Usage (under Wine, see bench/run.sh): launch_overhead [runs]
#include "BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kWarmUpRuns = 3;

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 30;
    if (runs < 30) {
        std::fprintf(stderr, "at least 30 runs of each, please\n");
        return 2;
    }
    Layout layout;
    if (!MakeLayout(layout, "launch-overhead", true)) {
        std::fprintf(stderr, "cannot lay out the application directory\n");
        RemoveLayout(layout);
        return 1;
    }
    UseStandInQuietly();
    const Launch launcherLaunch = { "launcher", "\"" + layout.launcher + "\"", layout.directory };
    const Launch hostLaunch = { "minimal host",
                                "\"" + ToWindowsPath(MINIMAL_HOST_PATH) + "\" \"" + layout.jvm +
                                    "\" app.jar com/example/Main",
                                layout.directory };

    std::vector<double> launcher, host;
    bool ok = TimeInTurns(launcherLaunch, hostLaunch, kWarmUpRuns, runs, launcher, host);
    RemoveLayout(layout);
    if (!ok)
        return 1;

    Summarise("launcher", launcher);
    Summarise("minimal host", host);
    std::printf("ratio of medians (launcher / minimal host): %.3f\n", Median(launcher) / Median(host));
    return 0;
}

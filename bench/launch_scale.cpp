// How the launcher's own cost grows as each of its inputs grows tenfold
// twice: runtimes registered on the machine, virtual machine parameters,
// class path length and program arguments. Every timed launch takes turns
// with a baseline launch (minimal INI, no arguments, private runtime); the
// cost at a size is its median minus the baseline's median.
//
// Usage (under Wine, see bench/scale.sh): launch_scale [runs per size]
#include "BenchSupport.h"
#include "InstalledRuntimes.h"
#include "ScaleReport.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kWarmUpRuns = 2;
const int kDefaultRuns = 9;
const int kLeastRuns = 5;

// The registry key must not outlive the benchmark, so an interrupt only
// asks it to stop after the size in hand, on the path that removes the key.
std::atomic<bool> g_interrupted(false);

BOOL WINAPI StopAfterThisSize(DWORD)
{
    g_interrupted = true;
    return TRUE;
}

struct Bench
{
    int runs = kDefaultRuns;
    Layout baseline;     // minimal INI and private runtime; also the installed runtime's home
    Layout sizedIni;     // private runtime and an INI rewritten for each size
    Layout withoutJre;   // no private runtime: the registry is searched
    std::vector<double> baselineSeconds;
};

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

Launch LaunchOf(const char* name, const Layout& layout, const std::string& arguments)
{
    return { name, Quoted(layout.launcher) + arguments, layout.directory };
}

bool TimeSize(Bench& bench, const Launch& sized, double size, const std::string& label, Series& series)
{
    if (g_interrupted) {
        std::fprintf(stderr, "interrupted\n");
        return false;
    }
    std::vector<double> seconds;
    Launch baseline = LaunchOf("baseline launch", bench.baseline, "");
    if (!TimeInTurns(sized, baseline, kWarmUpRuns, bench.runs, seconds, bench.baselineSeconds))
        return false;
    series.points.push_back({ size, label, Median(seconds) });
    return true;
}

bool TimeRuntimeSubkeys(Bench& bench, Series& series)
{
    for (int count : { 10, 100, 1000 }) {
        InstalledRuntimes runtimes(count, bench.baseline.directory);
        if (!runtimes.Registered()) {
            std::fprintf(stderr, "cannot register %d runtimes under HKEY_LOCAL_MACHINE\\%s\n", count, kRuntimesKey);
            return false;
        }
        if (!TimeSize(bench, LaunchOf(series.title, bench.withoutJre, ""), count,
                      std::to_string(count) + " subkeys", series))
            return false;
    }
    return true;
}

bool TimeIni(Bench& bench, const std::string& classPath, const std::string& vmParameters, double size,
             const std::string& label, Series& series)
{
    if (!WriteBytes(bench.sizedIni.ini, IniText(classPath, vmParameters))) {
        std::fprintf(stderr, "cannot write %s\n", bench.sizedIni.ini.c_str());
        return false;
    }
    return TimeSize(bench, LaunchOf(series.title, bench.sizedIni, ""), size, label, series);
}

// -Dp0=v -Dp1=v ...: options the stand-in accepts, each one token.
std::string VmParameters(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? " -Dp" : "-Dp") + std::to_string(i) + "=v";
    return text;
}

bool TimeVmParameters(Bench& bench, Series& series)
{
    for (int count : { 100, 1000, 10000 }) {
        if (!TimeIni(bench, "app.jar", VmParameters(count), count, std::to_string(count) + " tokens", series))
            return false;
    }
    return true;
}

// Jar entries up to exactly the given length; the last may be cut short.
std::string ClassPath(size_t bytes)
{
    std::string text;
    for (int i = 0; text.size() < bytes; ++i)
        text += (i ? ";lib\\jar" : "lib\\jar") + std::to_string(i) + ".jar";
    text.resize(bytes);
    return text;
}

bool TimeClassPath(Bench& bench, Series& series)
{
    for (int kib : { 10, 100, 1024 }) {
        std::string label = kib < 1024 ? std::to_string(kib) + " KiB" : std::to_string(kib / 1024) + " MiB";
        if (!TimeIni(bench, ClassPath(kib * 1024), "", kib * 1024, label, series))
            return false;
    }
    return true;
}

// Short arguments, so that a thousand fit the 32,767 characters of a
// command line.
std::string Arguments(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += " a" + std::to_string(i);
    return text;
}

bool TimeArguments(Bench& bench, Series& series)
{
    for (int count : { 10, 100, 1000 }) {
        if (!TimeSize(bench, LaunchOf(series.title, bench.baseline, Arguments(count)), count,
                      std::to_string(count) + " arguments", series))
            return false;
    }
    return true;
}

bool TimeAll(Bench& bench, std::vector<Series>& all)
{
    all = { { "registry runtime subkeys", {} },
            { "Virtual Machine Parameters tokens", {} },
            { "class path length", {} },
            { "program arguments", {} } };
    return TimeRuntimeSubkeys(bench, all[0]) && TimeVmParameters(bench, all[1]) && TimeClassPath(bench, all[2]) &&
           TimeArguments(bench, all[3]);
}

bool MakeLayouts(Bench& bench)
{
    return MakeLayout(bench.baseline, "launch-scale-baseline", true) &&
           MakeLayout(bench.sizedIni, "launch-scale-ini", true) &&
           MakeLayout(bench.withoutJre, "launch-scale-registry", false);
}

void RemoveLayouts(const Bench& bench)
{
    RemoveLayout(bench.baseline);
    RemoveLayout(bench.sizedIni);
    RemoveLayout(bench.withoutJre);
}

} // namespace

int main(int argc, char** argv)
{
    Bench bench;
    bench.runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
    if (bench.runs < kLeastRuns) {
        std::fprintf(stderr, "at least %d runs per size, please\n", kLeastRuns);
        return 2;
    }
    if (RuntimesKeyExists()) {
        std::fprintf(stderr, "HKEY_LOCAL_MACHINE\\%s exists already; it may hold real runtimes, so nothing is run\n",
                     kRuntimesKey);
        return 2;
    }
    SetConsoleCtrlHandler(StopAfterThisSize, TRUE);
    UseStandInQuietly();

    std::vector<Series> all;
    bool ok = MakeLayouts(bench);
    if (!ok)
        std::fprintf(stderr, "cannot lay out the application directories\n");
    ok = ok && TimeAll(bench, all);
    RemoveLayouts(bench);
    if (!ok)
        return 1;

    std::printf("medians of %d runs after %d warm-up runs at each size\n", bench.runs, kWarmUpRuns);
    Baseline baseline = DescribeBaseline(bench.baselineSeconds);
    PrintBaseline(baseline);
    for (const Series& series : all)
        PrintSeries(series, baseline);
    return 0;
}

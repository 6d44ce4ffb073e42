#include "ScaleReport.h"
#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>

namespace {

// How much faster than its size a step's cost may grow and still count as
// linear: medians of a few launches under Wine scatter by tens of percent.
const double kTolerance = 1.5;

double Milliseconds(double seconds)
{
    return seconds * 1000;
}

// Interpolated between the two nearest ranks.
double Quantile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    double rank = fraction * (values.size() - 1);
    std::size_t below = static_cast<std::size_t>(rank);
    std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (rank - below) * (values[above] - values[below]);
}

double Cost(const SizePoint& point, const Baseline& baseline)
{
    return point.medianSeconds - baseline.medianSeconds;
}

// A ratio of two costs near zero says nothing, so a smaller cost within the
// noise is taken as the noise itself; a larger cost within it always passes.
bool StepIsLinear(double smallerCost, double largerCost, double sizeRatio, double noise)
{
    return largerCost <= sizeRatio * kTolerance * std::max(smallerCost, noise);
}

void PrintStep(const SizePoint& point, const SizePoint* previous, const Baseline& baseline)
{
    double cost = Cost(point, baseline);
    std::printf("  %-16s %10.2f ms %10.2f ms", point.label.c_str(), Milliseconds(point.medianSeconds),
                Milliseconds(cost));
    if (!previous) {
        std::printf("%14s %12s", "", "");
    } else {
        double previousCost = Cost(*previous, baseline);
        std::printf("%14.2f", point.medianSeconds / previous->medianSeconds);
        if (previousCost > 0)
            std::printf(" %12.2f", cost / previousCost);
        else
            std::printf(" %12s", "-");
    }
    std::printf("%s\n", cost <= baseline.noiseSeconds ? "   (cost within noise)" : "");
}

} // namespace

// The interquartile range of single baseline launches is about two standard
// errors of a difference between medians of a few launches each.
Baseline DescribeBaseline(const std::vector<double>& seconds)
{
    return { Median(seconds), Quantile(seconds, 0.75) - Quantile(seconds, 0.25), seconds.size() };
}

void PrintBaseline(const Baseline& baseline)
{
    std::printf("baseline (minimal INI, no arguments, private runtime): median %.2f ms over %zu runs, "
                "noise (interquartile range) %.2f ms\n",
                Milliseconds(baseline.medianSeconds), baseline.runs, Milliseconds(baseline.noiseSeconds));
    std::printf("cost = median - baseline median; a step counts as linear when its cost grows at most %.1f times "
                "as much as its size, a smaller cost within noise counting as the noise\n",
                kTolerance);
}

void PrintSeries(const Series& series, const Baseline& baseline)
{
    std::printf("\n%s\n  %-16s %13s %13s %14s %12s\n", series.title, "size", "median", "cost", "median ratio",
                "cost ratio");
    bool linear = true;
    for (std::size_t i = 0; i < series.points.size(); ++i) {
        const SizePoint* previous = i > 0 ? &series.points[i - 1] : nullptr;
        PrintStep(series.points[i], previous, baseline);
        if (previous)
            linear = linear && StepIsLinear(Cost(*previous, baseline), Cost(series.points[i], baseline),
                                            series.points[i].size / previous->size, baseline.noiseSeconds);
    }
    std::printf("  verdict: %s\n", linear ? "grows no faster than linear" : "grows faster than linear");
}

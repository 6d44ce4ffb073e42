#pragma once
// The figures of the scale benchmark: for each input that grows, the median
// launch at each size, the launcher's own cost over a baseline launch, the
// ratios between successive sizes, and whether the cost grows faster than
// the input.
#include <cstddef>
#include <string>
#include <vector>

struct SizePoint
{
    double size;
    std::string label;
    double medianSeconds;
};

struct Series
{
    const char* title;
    std::vector<SizePoint> points;
};

// The launch every size is measured against, and how much single launches
// of it scatter.
struct Baseline
{
    double medianSeconds;
    double noiseSeconds;
    std::size_t runs;
};

Baseline DescribeBaseline(const std::vector<double>& seconds);
void PrintBaseline(const Baseline& baseline);
void PrintSeries(const Series& series, const Baseline& baseline);

#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

// What the benchmarks that report a figure against its goal share.
namespace benchtime {

// The calling thread's processor time, in milliseconds: the benchmarks share
// a busy machine, where the time on the wall mostly says how long the thread
// waited for a processor. (On a quiet machine the two agree for work done on
// one thread.)
inline double ThreadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The shortest of the repetitions' figures (ComputeStatistics("min", Min)).
inline double Min(const std::vector<double>& runs)
{
    return runs.empty() ? 0.0 : *std::min_element(runs.begin(), runs.end());
}

// A figure averaged over the iterations of a run.
inline benchmark::Counter Average(double total)
{
    return benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}

} // namespace benchtime

// The editor benchmarks' start: a run of the program by one of its own rows
// (bench/support/FreshProcess.h) does that row's part alone.
#include "bench/support/FreshProcess.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (const char* modules = std::getenv(kFirstApplyVariable))
        return RunFirstApply(modules);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

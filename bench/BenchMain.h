// The body of every benchmark program's main: the library's own options, then the chosen benchmarks.
#pragma once

#include <benchmark/benchmark.h>

namespace vardo::bench {

// 1 on an option the library does not know, else 0 after the run.
inline int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace vardo::bench

#include "support/sandbox.h"

#include <benchmark/benchmark.h>

// The game reads "../resources/" and may write its save: the benchmarks run from a private
// folder, like the tests.
int main(int argc, char** argv) {
    enterSandbox(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

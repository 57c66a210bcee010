// Frame costs of the simulation and the world pass (filled in as the subsystems arrive).
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();

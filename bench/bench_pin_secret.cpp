// The cost of a PIN: one check (the sign-in with secret codes), a new
// secret (a PIN chosen) and the check time spent for a code without a
// cashier, at the iteration count new secrets get. The check should take
// about 50 ms of one core (cpu_time): slow enough to make guessing PINs
// from a copied database costly, quick enough for a sign-in. Under load
// the real (wall) time grows, the cpu time does not.
#include "common/pin_secret.h"

#include <benchmark/benchmark.h>

namespace {

void pinCheck(benchmark::State &state)
{
    const PinSecret secret = PinSecret::forPin(QStringLiteral("58302917"));
    for (auto _ : state)
        benchmark::DoNotOptimize(secret.matches(QStringLiteral("58302918")));
    state.counters["iterations"] = secret.iterations;
}
BENCHMARK(pinCheck)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void newSecret(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PinSecret::forPin(QStringLiteral("58302917")));
}
BENCHMARK(newSecret)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void checkWithoutCashier(benchmark::State &state)
{
    for (auto _ : state)
        PinSecret::spendCheckTime();
}
BENCHMARK(checkWithoutCashier)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}

BENCHMARK_MAIN();

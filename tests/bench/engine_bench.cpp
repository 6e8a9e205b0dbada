// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Conversions per second through the whole Convert procedure (Val, the rule
// table, Str) beside the floor of the same number work done directly with
// std::from_chars and std::to_chars, and Val on a text of a million
// characters. After the run the procedure/floor ratios are printed; the
// target is a ratio of at most 3.
#include "categories/categories.h"
#include "core/convert.h"
#include "core/numbertext.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <string>

using namespace tolvaren;

namespace {

struct Case {
    const char *input;
    const char *from;
    const char *to;
    const Category &(*category)();
    double (*formula)(double); // the same rule, written out, for the floor
};

const Case kDistance{"5", "Meter", "Feet", distanceCategory, [](double x) { return x * 3.2808; }};
const Case kTemperature{"98.6", "deg. F", "deg. C", temperatureCategory, [](double x) { return (x - 32) / 1.8; }};

void procedure(benchmark::State &state, const Case &c)
{
    const Category &category = c.category();
    ConversionMemory memory;
    for (auto _ : state) {
        ConvertOutcome out = convert(c.input, c.from, c.to, category.units, category.rules, memory);
        benchmark::DoNotOptimize(out.result.data());
        benchmark::ClobberMemory();
    }
    state.counters["conversions/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The least any implementation must do: read the digits, apply the
// formula, write 15 significant digits (or the shortest text).
void floorWork(benchmark::State &state, const Case &c, bool shortest)
{
    const std::string_view input = c.input;
    char buf[64];
    for (auto _ : state) {
        benchmark::DoNotOptimize(input.data());
        double x = 0;
        std::from_chars(input.data(), input.data() + input.size(), x);
        const double y = c.formula(x);
        auto r = shortest ? std::to_chars(buf, buf + sizeof buf, y)
                          : std::to_chars(buf, buf + sizeof buf, y, std::chars_format::scientific, 14);
        benchmark::DoNotOptimize(r.ptr);
        benchmark::ClobberMemory();
    }
    state.counters["conversions/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(procedure, distance, kDistance);
BENCHMARK_CAPTURE(floorWork, distance, kDistance, false);
BENCHMARK_CAPTURE(floorWork, distance_shortest, kDistance, true);
BENCHMARK_CAPTURE(procedure, temperature, kTemperature);
BENCHMARK_CAPTURE(floorWork, temperature, kTemperature, false);
BENCHMARK_CAPTURE(floorWork, temperature_shortest, kTemperature, true);

// Val on a million characters: digits with blanks, then junk.
void valMillion(benchmark::State &state)
{
    std::string text;
    while (text.size() < 999'000)
        text += "12 34\t56 ";
    text += ".5e2";
    text.resize(1'000'000, 'x');
    for (auto _ : state) {
        ValResult r = Val(text);
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(valMillion)->Unit(benchmark::kMillisecond);

// Shows the runs as usual and keeps each one's time per iteration.
class KeepingReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> nsPerIteration;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                const double ns = run.real_accumulated_time * 1e9 / double(run.iterations);
                auto [it, fresh] = nsPerIteration.emplace(run.benchmark_name(), ns);
                if (!fresh && ns < it->second)
                    it->second = ns; // with repetitions, the best run
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto &t = reporter.nsPerIteration;
    for (const char *name : {"distance", "temperature"}) {
        const auto p = t.find(std::string("procedure/") + name);
        const auto f = t.find(std::string("floorWork/") + name);
        const auto s = t.find(std::string("floorWork/") + name + "_shortest");
        if (p == t.end() || f == t.end())
            continue;
        std::printf("ratio %s: %.2f (procedure %.1f ns, floor %.1f ns", name, p->second / f->second, p->second,
                    f->second);
        if (s != t.end())
            std::printf("; against shortest to_chars %.2f", p->second / s->second);
        std::printf(") target <= 3%s\n", p->second / f->second <= 3.0 ? "" : "  ** MISSED **");
    }
    if (const auto v = t.find("valMillion"); v != t.end())
        std::printf("Val of a 1,000,000-character text: %.3f ms\n", v->second / 1e6);
    return 0;
}

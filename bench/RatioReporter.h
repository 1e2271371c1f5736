// The console table of Google Benchmark, followed by the ratios between paired benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override;

    // One line per pair: the two times per iteration and their quotient; "n/a" for a pair
    // that did not run.
    void PrintRatios(std::ostream& out) const;

private:
    // Real seconds per iteration of the benchmark registered under `name`: the median over
    // repetitions when there were any.
    std::optional<double> SecondsOf(const std::string& name) const;

    std::map<std::string, double> single_;
    std::map<std::string, double> median_;
};

}  // namespace bench

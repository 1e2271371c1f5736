#include "bench/RatioReporter.h"

#include <array>
#include <cstdio>

namespace bench {

namespace {

struct Pair {
    const char* what;
    const char* numerator;
    const char* denominator;
    const char* goal;
};

constexpr std::array<Pair, 5> kPairs{{
    {"Opening the game window: framework / plain Qt", "OpenWindow/Framework", "OpenWindow/PlainQt",
     "at most 1.3"},
    {"Board repaint, plain Qt: stretched / pre-scaled", "BoardRepaint/PlainQt/Stretched",
     "BoardRepaint/PlainQt/PreScaled", ""},
    {"Board repaint: framework / plain Qt pre-scaled", "BoardRepaint/Framework",
     "BoardRepaint/PlainQt/PreScaled", "at most 1.5"},
    {"Round start: first game / later games", "RoundStart/FirstGame", "RoundStart", ""},
    {"Decoding the 101 pictures: framework / plain Qt", "DecodePictures/Framework",
     "DecodePictures/PlainQt", ""},
}};

std::string Micros(std::optional<double> seconds) {
    if (!seconds) return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f us", *seconds * 1e6);
    return text;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred || run.iterations == 0) continue;
        const double seconds =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (run.run_type == Run::RT_Iteration)
            single_[run.run_name.function_name] = seconds;
        else if (run.aggregate_name == "median")
            median_[run.run_name.function_name] = seconds;
    }
    ConsoleReporter::ReportRuns(runs);
}

std::optional<double> RatioReporter::SecondsOf(const std::string& name) const {
    if (auto found = median_.find(name); found != median_.end()) return found->second;
    if (auto found = single_.find(name); found != single_.end()) return found->second;
    return std::nullopt;
}

void RatioReporter::PrintRatios(std::ostream& out) const {
    char line[256];
    std::snprintf(line, sizeof line, "\n%-52s %13s %13s %7s  %s\n", "Ratio", "numerator",
                  "denominator", "ratio", "goal");
    out << line << std::string(100, '-') << "\n";
    for (const Pair& p : kPairs) {
        const auto a = SecondsOf(p.numerator);
        const auto b = SecondsOf(p.denominator);
        std::string ratio = "n/a";
        if (a && b && *b > 0.0) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2f", *a / *b);
            ratio = text;
        }
        std::snprintf(line, sizeof line, "%-52s %13s %13s %7s  %s\n", p.what, Micros(a).c_str(),
                      Micros(b).c_str(), ratio.c_str(), p.goal);
        out << line;
    }
}

}  // namespace bench

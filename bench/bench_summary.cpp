// Percentiles and the table row shared by the host and the Windows benchmarks.
#include "bench_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The nearest-rank percentile of sorted samples: always one of the samples themselves.
double Percentile(const std::vector<double>& sorted, double percent) {
    if (sorted.empty()) {
        return 0;
    }
    size_t rank = static_cast<size_t>(std::ceil(percent / 100.0 * sorted.size()));
    rank = std::max<size_t>(rank, 1);
    return sorted[std::min(rank, sorted.size()) - 1];
}

}  // namespace

SampleSummary Summarize(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    SampleSummary summary;
    summary.count = samples.size();
    if (samples.empty()) {
        return summary;
    }
    // An even count has no middle sample: the mean of the two middle ones.
    const size_t middle = samples.size() / 2;
    summary.median =
        samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    summary.p25 = Percentile(samples, 25);
    summary.p75 = Percentile(samples, 75);
    summary.p99 = Percentile(samples, 99);
    return summary;
}

std::string FormatValue(double value, const char* unit) {
    char text[64];
    const double magnitude = std::fabs(value);
    const int decimals = magnitude >= 100 ? 0 : magnitude >= 10 ? 1 : 2;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
    return text;
}

std::string FormatSpread(const SampleSummary& summary, const char* unit) {
    std::string low = FormatValue(summary.p25, unit);
    low.resize(low.size() - std::string(unit).size() - 1);
    return low + "-" + FormatValue(summary.p75, unit);
}

void PrintTableRow(const std::string& figure, const std::string& median, const std::string& spread,
                   const std::string& baseline, double ratio, const std::string& target) {
    char ratioText[32] = "-";
    if (ratio > 0) {
        std::snprintf(ratioText, sizeof ratioText, "%.2fx", ratio);
    }
#ifdef _WIN32
    // Both Windows builds print the same figures: the table tells them apart by this.
    const std::string named = figure + (sizeof(void*) == 4 ? ", win32 (i686)" : ", win64 (x86_64)");
#else
    const std::string& named = figure;
#endif
    std::printf("row\t%s\t%s\t%s\t%s\t%s\t%s\n", named.c_str(), median.c_str(), spread.c_str(),
                baseline.c_str(), ratioText, target.c_str());
    std::fflush(stdout);
}

// SPDX-License-Identifier: MIT
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace vantrel::bench {

/// Collects the seconds of every repetition by benchmark name, so that ranges and ratios can
/// be printed after the table.
class TRangeReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::vector<double>> Seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                Seconds[run.run_name.function_name].push_back(run.GetAdjustedRealTime() / 1e3);
        ConsoleReporter::ReportRuns(runs);
    }
    [[nodiscard]] double Median(const std::string& name) {
        std::vector<double> v = Seconds[name];
        if (v.empty())
            return 0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
};

} // namespace vantrel::bench

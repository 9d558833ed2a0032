// What every benchmark program shares: a reporter that keeps the CPU time of every repetition,
// medians over them, and the summary rows scripts/bench.sh gathers into one table.
//
// A row names what was measured, the figure, the goal and whether the goal was met. Rows are
// printed after the runs and, when VL_BENCH_SUMMARY names a file, appended to it as
// tab-separated lines, so that one script can print every program's rows as one table.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace vlbench {

// Keeps each run's CPU time per iteration (steadier than wall time on a shared machine; the time
// the benchmark measured itself, for one timed by hand) and its counters, for every repetition,
// so the summary can take medians rather than the last run.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that a log of the runs reads as plain text.
  MedianReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.str();
      if (run.run_type == Run::RT_Iteration) {
        times_[name].push_back(TimeOf(run));
        for (const auto& [key, counter] : run.counters) counters_[name + "#" + key].push_back(counter.value);
      } else if (run.aggregate_name == "median") {
        // With --benchmark_display_aggregates_only the repetitions never reach this reporter;
        // the library's own median stands for them.
        aggregateTimes_[name] = TimeOf(run);
        for (const auto& [key, counter] : run.counters) aggregateCounters_[name + "#" + key] = counter.value;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Median CPU nanoseconds per iteration of a benchmark over its repetitions; 0 when it did not
  // run (filtered out).
  double Median(const std::string& name) const { return Pick(times_, aggregateTimes_, name); }
  // Median of a user counter over the repetitions.
  double MedianCounter(const std::string& name, const std::string& key) const {
    return Pick(counters_, aggregateCounters_, name + "#" + key);
  }

 private:
  static double TimeOf(const Run& run) {
    return run.run_name.time_type == "manual_time" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
  }
  static double MedianOf(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
  }
  static double Pick(const std::map<std::string, std::vector<double>>& all, const std::map<std::string, double>& agg,
                     const std::string& key) {
    if (auto it = all.find(key); it != all.end() && !it->second.empty()) return MedianOf(it->second);
    if (auto it = agg.find(key); it != agg.end()) return it->second;
    return 0.0;
  }

  std::map<std::string, std::vector<double>> times_;
  std::map<std::string, std::vector<double>> counters_;
  std::map<std::string, double> aggregateTimes_;
  std::map<std::string, double> aggregateCounters_;
};

// A figure in the unit people read it in: ns below 1 µs, µs below 1 ms, else ms.
inline std::string Duration(double ns) {
  char buf[64];
  if (ns < 1000.0) {
    std::snprintf(buf, sizeof buf, "%.0f ns", ns);
  } else if (ns < 1e6) {
    std::snprintf(buf, sizeof buf, "%.2f µs", ns / 1e3);
  } else {
    std::snprintf(buf, sizeof buf, "%.2f ms", ns / 1e6);
  }
  return buf;
}

inline std::string Fixed(double v, const char* suffix, int decimals = 2) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f%s", decimals, v, suffix);
  return buf;
}

// Terminal columns of a UTF-8 text: continuation bytes take none, kana and kanji (lead bytes
// E3-EF) take two, so the per-program table lines up like the script's summary.
inline std::string Padded(const std::string& text, std::size_t columns) {
  std::size_t used = 0;
  for (unsigned char c : text) {
    if (c >= 0x80 && c < 0xC0) continue;
    used += (c >= 0xE3 && c <= 0xEF) ? 2 : 1;
  }
  return used >= columns ? text : text + std::string(columns - used, ' ');
}

// Collects the rows of one program and prints them as a small table at the end.
class Summary {
 public:
  // `figure` and `goal` are display texts; `met` is false also when the figure is missing.
  void Row(const std::string& what, const std::string& figure, const std::string& goal, bool met) {
    rows_.push_back({what, figure, goal, met ? "yes" : "NO"});
  }

  void Print() const {
    if (rows_.empty()) return;
    std::printf("\n%-48s %-26s %-24s %s\n", "measured (median of the repetitions)", "figure", "goal", "met");
    for (const auto& r : rows_)
      std::printf("%s %s %s %s\n", Padded(r[0], 48).c_str(), Padded(r[1], 26).c_str(), Padded(r[2], 24).c_str(),
                  r[3].c_str());
    if (const char* path = std::getenv("VL_BENCH_SUMMARY"); path != nullptr && *path != '\0') {
      if (std::FILE* f = std::fopen(path, "a")) {
        for (const auto& r : rows_)
          std::fprintf(f, "%s\t%s\t%s\t%s\n", r[0].c_str(), r[1].c_str(), r[2].c_str(), r[3].c_str());
        std::fclose(f);
      }
    }
  }

 private:
  std::vector<std::array<std::string, 4>> rows_;
};

}  // namespace vlbench

// Date formatting against ICU's SimpleDateFormat, formats parsed once on both sides.
//
//   «yyyy/mm/dd hh:nn:ss»  vs ICU "yyyy/MM/dd HH:mm:ss", ja_JP, Gregorian calendar
//   «ggge年m月d日»         vs ICU "Gy年M月d日", ja_JP@calendar=japanese
//
// Each iteration formats one date of a spread over 1900-2100 with times of day. ICU formats into
// a reused UnicodeString in UTC (its cheapest path); ours returns a fresh CP932 string, as the
// date editor receives it. After the runs the ratio of ICU's per-call CPU time to ours is printed.
#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "format/date_format.h"
#include "format/era_table.h"
#include "text/encoding.h"

namespace {

constexpr std::size_t kValueCount = 1024;

// Serials from 1900-01-01 to about 2100, each with a different time of day.
const std::vector<double>& Serials() {
  static const std::vector<double> serials = [] {
    std::vector<double> v;
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < kValueCount; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const double day = 2.0 + static_cast<double>(seed % 73000u);
      const double second = static_cast<double>((seed >> 8) % 86400u);
      v.push_back(day + second / 86400.0);
    }
    return v;
  }();
  return serials;
}

// The same instants as ICU's milliseconds since 1970 (the serials are all after 1899-12-30, so
// the fraction is plainly the time of day).
const std::vector<UDate>& UDates() {
  static const std::vector<UDate> dates = [] {
    std::vector<UDate> v;
    for (double s : Serials()) v.push_back((s - 25569.0) * 86400000.0);
    return v;
  }();
  return dates;
}

void RunOurs(benchmark::State& state, const char* utf8Pattern) {
  const vl::DateFormatSpec spec = vl::ParseDateFormat(vl::Cp932Literal(utf8Pattern));
  const bool twelve = vl::UsesTwelveHourClock(spec);
  const vl::EraTable eras;
  const std::vector<double>& serials = Serials();
  std::size_t i = 0;
  for (auto _ : state) {
    auto text = vl::FormatDateTime(serials[i], spec, twelve, eras);
    benchmark::DoNotOptimize(text);
    i = (i + 1) % kValueCount;
  }
}

void RunIcu(benchmark::State& state, const char16_t* pattern, const char* locale) {
  UErrorCode status = U_ZERO_ERROR;
  icu::SimpleDateFormat format(icu::UnicodeString(pattern), icu::Locale(locale), status);
  if (U_FAILURE(status)) {
    state.SkipWithError("ICU formatter could not be created");
    return;
  }
  format.adoptTimeZone(icu::TimeZone::createTimeZone("UTC"));
  const std::vector<UDate>& dates = UDates();
  icu::UnicodeString out;
  std::size_t i = 0;
  for (auto _ : state) {
    out.remove();
    format.format(dates[i], out);
    benchmark::DoNotOptimize(out);
    i = (i + 1) % kValueCount;
  }
}

void BM_Ours_GregorianDateTime(benchmark::State& state) { RunOurs(state, "yyyy/mm/dd hh:nn:ss"); }
void BM_Icu_GregorianDateTime(benchmark::State& state) { RunIcu(state, u"yyyy/MM/dd HH:mm:ss", "ja_JP"); }
void BM_Ours_JapaneseEraDate(benchmark::State& state) { RunOurs(state, "ggge年m月d日"); }
void BM_Icu_JapaneseEraDate(benchmark::State& state) {
  RunIcu(state, u"Gy年M月d日", "ja_JP@calendar=japanese");
}

BENCHMARK(BM_Ours_GregorianDateTime);
BENCHMARK(BM_Icu_GregorianDateTime);
BENCHMARK(BM_Ours_JapaneseEraDate);
BENCHMARK(BM_Icu_JapaneseEraDate);

// Parse cost: tokenizing a pattern into a DateFormatSpec, against ICU building its formatter.
void BM_Ours_ParseDatePattern(benchmark::State& state) {
  const std::string pattern = vl::Cp932Literal("ggge年m月d日 hh:nn:ss AM/PM");
  for (auto _ : state) {
    auto spec = vl::ParseDateFormat(pattern);
    benchmark::DoNotOptimize(spec);
  }
}
void BM_Icu_ParseDatePattern(benchmark::State& state) {
  const icu::UnicodeString pattern(u"Gy年M月d日 hh:mm:ss a");
  const icu::Locale locale("ja_JP@calendar=japanese");
  for (auto _ : state) {
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat format(pattern, locale, status);
    benchmark::DoNotOptimize(&format);
  }
}
BENCHMARK(BM_Ours_ParseDatePattern);
BENCHMARK(BM_Icu_ParseDatePattern);

// Keeps each run's per-iteration CPU time (steadier than wall time on a shared machine) so the
// pairs can be compared at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // ICU time over ours for each pair; 0 when a side did not run.
  void PrintRatios() const {
    std::printf("\nICU CPU time per call / ours (higher is better for ours; target >= 3):\n");
    for (const char* pair : {"GregorianDateTime", "JapaneseEraDate", "ParseDatePattern"}) {
      const auto ours = times_.find(std::string("BM_Ours_") + pair);
      const auto icu = times_.find(std::string("BM_Icu_") + pair);
      if (ours == times_.end() || icu == times_.end() || ours->second <= 0) continue;
      std::printf("  %-20s ours %9.1f ns  ICU %9.1f ns  ratio %.2fx\n", pair, ours->second, icu->second,
                  icu->second / ours->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}

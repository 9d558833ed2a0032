// Date formatting against ICU's SimpleDateFormat, formats parsed once on both sides.
//
//   «yyyy/mm/dd hh:nn:ss»  vs ICU "yyyy/MM/dd HH:mm:ss", ja_JP, Gregorian calendar
//   «ggge年m月d日»         vs ICU "Gy年M月d日", ja_JP@calendar=japanese
//
// Each iteration formats one date of a spread over 1900-2100 with times of day. ICU formats into
// a reused UnicodeString in UTC (its cheapest path); ours returns a fresh CP932 string, as the
// date editor receives it. After the runs the ratio of ICU's per-call CPU time to ours is printed,
// from the medians over all repetitions.
#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <string>
#include <vector>

#include "bench_summary.h"
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

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vlbench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  // ICU's CPU time per call over ours, medians over the repetitions (higher is better for ours).
  vlbench::Summary summary;
  struct Pair {
    const char* name;
    const char* what;
    double goal;
  };
  for (const Pair& p : {Pair{"GregorianDateTime", "date yyyy/mm/dd hh:nn:ss vs ICU", 3.0},
                        Pair{"JapaneseEraDate", "date ggge年m月d日 vs ICU (japanese calendar)", 3.0},
                        Pair{"ParseDatePattern", "date pattern parse vs ICU", 3.0}}) {
    const double ours = reporter.Median(std::string("BM_Ours_") + p.name);
    const double icu = reporter.Median(std::string("BM_Icu_") + p.name);
    if (ours <= 0 || icu <= 0) continue;
    summary.Row(p.what,
                vlbench::Duration(ours) + " vs " + vlbench::Duration(icu) + " = " + vlbench::Fixed(icu / ours, "x"),
                ">= " + vlbench::Fixed(p.goal, "x", 0), icu / ours >= p.goal);
  }
  summary.Print();
  benchmark::Shutdown();
  return 0;
}

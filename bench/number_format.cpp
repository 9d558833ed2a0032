// Number formatting against ICU's decimal formatter, same patterns, same values, one run.
//
// Each pattern is parsed once, then formatted over a spread of values (small, large, negative,
// halves that round, zero). ICU is given the English (United States) symbols, so that both sides
// print "." and ",", and half-up rounding, so that both sides print the same digits. ICU is timed
// through its two public routes, the classic DecimalFormat from a double and the
// LocalizedNumberFormatter from the decimal text; the comparison takes the faster of the two.
// After the benchmarks a summary prints ours and ICU's time per call and their ratio, from the
// medians over all repetitions. A Double box's display from the double is measured too: the
// value's "%f" text through the format, against ICU's DecimalFormat from the same double.
#include "format/number_format.h"

#include <benchmark/benchmark.h>
#include <unicode/decimfmt.h>
#include <unicode/numberformatter.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_summary.h"
#include "format/display_text.h"
#include "format/number_display.h"

namespace {

struct Pattern {
  const char* name;
  const char* pattern;
};

constexpr Pattern kPatterns[] = {
    {"grouped2", "#,##0.00"},
    {"fixed3", "0.000"},
    {"grouped0", "#,##0"},
};

// Sixteen values: a power of two, so the loop picks them with a mask.
const std::vector<std::string>& NumberTexts() {
  static const std::vector<std::string> texts = {
      "0",     "1",          "-12.5",      "1234.5678", "-98765.4321",  "1234567.891",
      "0.005", "999999.995", "42",         "-0.25",     "31415926.535", "100000",
      "7.125", "-3.14159",   "2147483647", "0.0001",
  };
  return texts;
}

const std::vector<double>& Doubles() {
  static const std::vector<double> values = [] {
    std::vector<double> v;
    for (const std::string& t : NumberTexts()) v.push_back(std::strtod(t.c_str(), nullptr));
    return v;
  }();
  return values;
}

constexpr std::size_t kMask = 15;

void BM_Ours(benchmark::State& state, const char* pattern) {
  const vl::NumberSection section = vl::ParseNumberSection(pattern);
  const std::vector<std::string>& texts = NumberTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    std::string out = vl::FormatNumberText(texts[i++ & kMask], section);
    benchmark::DoNotOptimize(out);
  }
}

std::unique_ptr<icu::DecimalFormat> MakeIcuFormat(const char* pattern) {
  UErrorCode status = U_ZERO_ERROR;
  icu::DecimalFormatSymbols symbols(icu::Locale("en", "US"), status);
  auto format = std::make_unique<icu::DecimalFormat>(icu::UnicodeString(pattern), symbols, status);
  format->setRoundingMode(icu::DecimalFormat::kRoundHalfUp);
  if (U_FAILURE(status)) std::abort();
  return format;
}

void BM_IcuDecimalFormatDouble(benchmark::State& state, const char* pattern) {
  const std::unique_ptr<icu::DecimalFormat> format = MakeIcuFormat(pattern);
  const std::vector<double>& values = Doubles();
  std::size_t i = 0;
  for (auto _ : state) {
    icu::UnicodeString out;
    format->format(values[i++ & kMask], out);
    benchmark::DoNotOptimize(out);
  }
}

void BM_IcuNumberFormatterText(benchmark::State& state, const char* pattern) {
  const std::unique_ptr<icu::DecimalFormat> format = MakeIcuFormat(pattern);
  UErrorCode status = U_ZERO_ERROR;
  const icu::number::LocalizedNumberFormatter* formatter = format->toNumberFormatter(status);
  if (U_FAILURE(status) || formatter == nullptr) std::abort();
  const std::vector<std::string>& texts = NumberTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    UErrorCode s = U_ZERO_ERROR;
    const std::string& t = texts[i++ & kMask];
    icu::UnicodeString out =
        formatter->formatDecimal(icu::StringPiece(t.data(), static_cast<int32_t>(t.size())), s)
            .toString(s);
    benchmark::DoNotOptimize(out);
  }
}

// Parse cost: a section, a whole four-section format, and ICU building a formatter.
void BM_ParseOurs(benchmark::State& state, const char* pattern) {
  for (auto _ : state) {
    vl::NumberSection section = vl::ParseNumberSection(pattern);
    benchmark::DoNotOptimize(section);
  }
}

void BM_ParseOursFourSections(benchmark::State& state) {
  for (auto _ : state) {
    vl::NumberDisplayFormat format(std::string_view("##,###;\"(\"##,###\")\";\"-\";\"null\""));
    benchmark::DoNotOptimize(format);
  }
}

void BM_ParseIcu(benchmark::State& state, const char* pattern) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DecimalFormatSymbols symbols(icu::Locale("en", "US"), status);
  const icu::UnicodeString text(pattern);
  for (auto _ : state) {
    UErrorCode s = U_ZERO_ERROR;
    icu::DecimalFormat format(text, symbols, s);
    benchmark::DoNotOptimize(format);
  }
}

// A Double box's display from its double, as the box computes it while it does not have the
// focus: what the value's number text («%f» without trailing zeros) shows through the Format
// parsed once, computed from the double's digits.
void BM_BoxDisplayFromDouble(benchmark::State& state, const char* pattern) {
  const vl::NumberDisplayFormat format{std::string_view(pattern)};
  std::vector<vl::TypedValue> values;
  for (double d : Doubles()) values.push_back(vl::TypedValue::R8(d));
  std::size_t i = 0;
  for (auto _ : state) {
    std::string out = format.FormatDouble(values[i++ & kMask].AsR8());
    benchmark::DoNotOptimize(out);
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const Pattern& p : kPatterns) {
    const std::string suffix = std::string("/") + p.name;
    benchmark::RegisterBenchmark(("format_ours" + suffix).c_str(), BM_Ours, p.pattern);
    benchmark::RegisterBenchmark(("format_icu_double" + suffix).c_str(), BM_IcuDecimalFormatDouble,
                                 p.pattern);
    benchmark::RegisterBenchmark(("format_icu_text" + suffix).c_str(), BM_IcuNumberFormatterText,
                                 p.pattern);
    benchmark::RegisterBenchmark(("parse_ours" + suffix).c_str(), BM_ParseOurs, p.pattern);
    benchmark::RegisterBenchmark(("parse_icu" + suffix).c_str(), BM_ParseIcu, p.pattern);
  }
  benchmark::RegisterBenchmark("parse_ours_four_sections", BM_ParseOursFourSections);
  benchmark::RegisterBenchmark("box_display_from_double/grouped2", BM_BoxDisplayFromDouble, "#,##0.00");

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vlbench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nPer call (ns)        ours   ICU double   ICU text   ratio ICU(best)/ours\n");
  for (const Pattern& p : kPatterns) {
    const std::string suffix = std::string("/") + p.name;
    const double ours = reporter.Median("format_ours" + suffix);
    const double icuDouble = reporter.Median("format_icu_double" + suffix);
    const double icuText = reporter.Median("format_icu_text" + suffix);
    if (ours <= 0.0 || icuDouble <= 0.0 || icuText <= 0.0) continue;  // filtered out
    const double icuBest = icuDouble < icuText ? icuDouble : icuText;
    std::printf("%-18s %7.1f %12.1f %10.1f %10.1fx\n", p.pattern, ours, icuDouble, icuText,
                icuBest / ours);
  }
  for (const Pattern& p : kPatterns) {
    const std::string suffix = std::string("/") + p.name;
    const double ours = reporter.Median("parse_ours" + suffix);
    const double icu = reporter.Median("parse_icu" + suffix);
    if (ours <= 0.0 || icu <= 0.0) continue;
    std::printf("parse %-12s ours %7.1f ns, ICU %9.1f ns, ratio %6.1fx\n", p.pattern, ours, icu,
                icu / ours);
  }

  // The summary rows: medians over all repetitions.
  vlbench::Summary summary;
  for (const Pattern& p : kPatterns) {
    const std::string suffix = std::string("/") + p.name;
    const double ours = reporter.Median("format_ours" + suffix);
    const double icuDouble = reporter.Median("format_icu_double" + suffix);
    const double icuText = reporter.Median("format_icu_text" + suffix);
    if (ours <= 0.0 || icuDouble <= 0.0 || icuText <= 0.0) continue;
    const double icuBest = icuDouble < icuText ? icuDouble : icuText;
    summary.Row(
        std::string("number ") + p.pattern + " from text vs ICU (best)",
        vlbench::Duration(ours) + " vs " + vlbench::Duration(icuBest) + " = " + vlbench::Fixed(icuBest / ours, "x"),
        ">= 3x", icuBest / ours >= 3.0);
  }
  const double box = reporter.Median("box_display_from_double/grouped2");
  const double icu = reporter.Median("format_icu_double/grouped2");
  if (box > 0 && icu > 0) {
    summary.Row("Double box display #,##0.00 vs ICU DecimalFormat",
                vlbench::Duration(box) + " vs " + vlbench::Duration(icu) + " = " + vlbench::Fixed(icu / box, "x"),
                ">= 6x", icu / box >= 6.0);
  }
  summary.Print();
  benchmark::Shutdown();
  return 0;
}

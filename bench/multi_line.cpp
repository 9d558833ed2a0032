// Multi-line boxes by the size of their text: the picture of a box that is not being edited (20
// lines show, the rest lies below the box), and a key typed at the end of the text while it is.
// Both should cost what the visible lines and the key cost, whatever the size of the text.
#include <string>

#include "bench_form.h"
#include "bench_summary.h"
#include "text/encoding.h"

namespace {

using vl::Variant;
using vlbench::BenchForm;

// `bytes` of text in lines of Japanese and ASCII words, each line ended by CR LF.
std::string LongText(std::size_t bytes) {
  const std::string words[] = {
      "order ",    "12345 ",      vl::Cp932Literal("東京都 "),  "invoice ", vl::Cp932Literal("請求書の明細 "),
      "delivery ", "2026/12/06 ", vl::Cp932Literal("お届け先 ")};
  std::string text;
  text.reserve(bytes + 64);
  std::size_t lineBytes = 0;
  for (std::size_t i = 0; text.size() < bytes; ++i) {
    text += words[i % 8];
    lineBytes += words[i % 8].size();
    if (lineBytes > 50 + i % 40) {
      text += "\r\n";
      lineBytes = 0;
    }
  }
  return text;
}

vl::CVlTypedBoxCtrl& MultiLineBox(BenchForm& f, std::size_t bytes) {
  // 20 lines of the 9-point gothic and the border.
  auto& box = f.Add("memo", vl::win::RECT{8, 8, 308, 8 + 20 * 12 + 4});
  // MultiLine is written at design time only.
  f.Form().SetUserMode(false);
  BenchForm::Set(box, vl::kDispMultiLine, Variant::Bool(true));
  f.Form().SetUserMode(true);
  BenchForm::Set(box, vl::kDispValue, Variant::Bstr(LongText(bytes)));
  return box;
}

// The picture of a multi-line box that does not have the focus.
void BM_MultiLineRepaint(benchmark::State& state) {
  BenchForm f;
  auto& box = MultiLineBox(f, static_cast<std::size_t>(state.range(0)));
  f.Form().AddButton("ok", vl::win::RECT{8, 300, 88, 324});
  for (auto _ : state) {
    vl::win::Surface picture = f.RenderBox(box);
    benchmark::DoNotOptimize(picture);
  }
}

// A letter typed at the end of the text of a focused multi-line box.
void BM_MultiLineKeystroke(benchmark::State& state) {
  BenchForm f;
  const auto bytes = static_cast<std::size_t>(state.range(0));
  auto& box = MultiLineBox(f, bytes);
  f.Focus(box);
  f.Chord(vl::win::VK_CONTROL, vl::win::VK_END);
  vlbench::TypeInRuns(
      state, f, 500, [&](int) { f.Type('a'); },
      [&] {
        // A write equal to the committed value would change nothing: through Null first.
        BenchForm::Set(box, vl::kDispValue, Variant::Null());
        BenchForm::Set(box, vl::kDispValue, Variant::Bstr(LongText(bytes)));
        f.Chord(vl::win::VK_CONTROL, vl::win::VK_END);
      });
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("multiline_repaint", BM_MultiLineRepaint)->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20);
  benchmark::RegisterBenchmark("multiline_keystroke", BM_MultiLineKeystroke)
      ->Arg(16 << 10)
      ->Arg(256 << 10)
      ->Arg(1 << 20);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vlbench::MedianReporter r;
  benchmark::RunSpecifiedBenchmarks(&r);

  using vlbench::Duration;
  using vlbench::Fixed;
  vlbench::Summary s;
  const double r64 = r.Median("multiline_repaint/65536");
  const double r1m = r.Median("multiline_repaint/1048576");
  if (r64 > 0) s.Row("multiline_repaint 64 KB (not focused)", Duration(r64), "<= 1 ms", r64 <= 1e6);
  if (r64 > 0 && r1m > 0) {
    s.Row("multiline_repaint 64 KB -> 1 MB",
          Duration(r64) + " -> " + Duration(r1m) + " (" + Fixed(r1m / r64, "x") + ")", "flat (within 1.5x)",
          r1m / r64 <= 1.5 && r1m <= 1e6);
  }
  const double k16 = r.Median("multiline_keystroke/16384");
  const double k256 = r.Median("multiline_keystroke/262144");
  const double k1m = r.Median("multiline_keystroke/1048576");
  if (k256 > 0) s.Row("multiline_keystroke at the end of 256 KB", Duration(k256), "<= 5 µs", k256 <= 5000);
  if (k16 > 0 && k1m > 0) {
    s.Row("multiline_keystroke 16 KB -> 1 MB",
          Duration(k16) + " -> " + Duration(k1m) + " (" + Fixed(k1m / k16, "x") + ")", "independent of size (1.5x)",
          k1m / k16 <= 1.5);
  }
  s.Print();
  benchmark::Shutdown();
  return 0;
}

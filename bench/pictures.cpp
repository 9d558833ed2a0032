// Pictures: a form of 300 × 400 pixels drawn and written as PNG (what f:render does), and the
// memory the real font keeps as a program draws in many sizes.
#include <string>
#include <vector>

#include "bench_form.h"
#include "bench_summary.h"
#include "platform/gdi.h"
#include "platform/png_writer.h"
#include "text/encoding.h"

namespace {

using vl::Variant;
using vlbench::BenchForm;

// A form whose picture is 300 × 400 pixels: boxes of several types with values, and a button.
void FillForm(BenchForm& f) {
  for (int i = 0; i < 12; ++i) {
    auto& box = f.Add("b" + std::to_string(i), vl::win::RECT{8, 8 + i * 30, 292, 32 + i * 30});
    switch (i % 4) {
      case 0:
        BenchForm::Set(box, vl::kDispValue, Variant::Bstr(vl::Cp932Literal("山田 太郎 様")));
        break;
      case 1:
        BenchForm::Set(box, vl::kDispDataType, Variant::I4(6));
        BenchForm::Set(box, vl::kDispFormat, Variant::Bstr("#,##0.00"));
        BenchForm::Set(box, vl::kDispValue, Variant::R8(1234567.5));
        break;
      case 2:
        BenchForm::Set(box, vl::kDispDataType, Variant::I4(7));
        BenchForm::Set(box, vl::kDispFormat, Variant::Bstr(vl::Cp932Literal("ggge年m月d日")));
        BenchForm::Set(box, vl::kDispValue, Variant::Date(46362.0));
        break;
      default:
        BenchForm::Set(box, vl::kDispDataType, Variant::I4(3));
        BenchForm::Set(box, vl::kDispSpinButton, Variant::I4(2));
        BenchForm::Set(box, vl::kDispValue, Variant::I4(42));
        break;
    }
  }
  f.Form().AddButton("ok", vl::win::RECT{212, 368, 292, 392});
}

void BM_RenderForm(benchmark::State& state) {
  BenchForm f;
  FillForm(f);
  for (auto _ : state) {
    vl::win::Surface picture = f.RenderForm();
    benchmark::DoNotOptimize(picture);
  }
}

void BM_EncodePng(benchmark::State& state) {
  BenchForm f;
  FillForm(f);
  const vl::win::Surface picture = f.RenderForm();
  if (picture.Width() != 300 || picture.Height() != 400) state.SkipWithError("the form is not 300 x 400");
  for (auto _ : state) {
    std::vector<std::uint8_t> png = vl::win::EncodePng(picture);
    benchmark::DoNotOptimize(png);
  }
}

// Text drawn in `sizes` distinct sizes (2 to 400 points) by a fresh process: how much its resident
// set grew, in MB. Every realised size keeps glyphs; the caches must stay bounded.
double FontSizesChild(int sizes) {
  vl::win::FreeTypeFontBackend fonts;
  vl::win::Surface surface(64, 64);
  vl::win::DeviceContext dc(&surface, fonts);
  const std::string text = vl::Cp932Literal("金額 1,234円");
  const long long before = vlbench::ResidentBytes();
  for (int i = 0; i < sizes; ++i) {
    vl::win::LOGFONT lf = vl::win::DefaultGuiLogFont();
    lf.lfHeight = -(2 + i * 398 / std::max(1, sizes - 1)) * 96 / 72;
    vl::win::HFONT font = vl::win::CreateFontIndirect(lf);
    vl::win::HFONT old = vl::win::SelectObject(dc, font);
    vl::win::TextOut(dc, 0, 0, text);
    vl::win::SelectObject(dc, old);
  }
  return static_cast<double>(vlbench::ResidentBytes() - before) / (1024.0 * 1024.0);
}

void BM_FontSizes(benchmark::State& state) {
  double grownMb = 0;
  for (auto _ : state) grownMb = vlbench::RunChild("font_sizes", state.range(0));
  if (std::isnan(grownMb)) state.SkipWithError("the measuring process failed");
  state.counters["rss_growth_mb"] = grownMb;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
    std::printf("%.2f\n", FontSizesChild(std::atoi(argv[3])));
    return 0;
  }
  benchmark::RegisterBenchmark("render_form/300x400", BM_RenderForm);
  benchmark::RegisterBenchmark("png_encode/300x400", BM_EncodePng);
  benchmark::RegisterBenchmark("font_sizes", BM_FontSizes)->Arg(400)->Iterations(1);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vlbench::MedianReporter r;
  benchmark::RunSpecifiedBenchmarks(&r);

  using vlbench::Duration;
  vlbench::Summary s;
  const double render = r.Median("render_form/300x400");
  const double png = r.Median("png_encode/300x400");
  if (png > 0) s.Row("png_encode 300x400 form", Duration(png), "<= 0.5 ms", png <= 5e5);
  if (render > 0 && png > 0) s.Row("f:render 300x400 (draw + PNG)", Duration(render + png), "report", true);
  const double grown = r.MedianCounter("font_sizes/400/iterations:1", "rss_growth_mb");
  if (grown != 0)
    s.Row("font_sizes 400 sizes: RSS growth", vlbench::Fixed(grown, " MB", 1), "bounded (<= 64 MB)", grown <= 64);
  s.Print();
  benchmark::Shutdown();
  return 0;
}

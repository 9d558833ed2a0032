// Input into boxes as a person gives it: keys pressed into a focused box (with and without the
// picture of the box drawn after each), pastes and SelText writes of long texts, typing on forms
// of many boxes, and what a box costs in time and memory as a form grows.
//
// Each benchmark prints its parameter (positions of the mask, boxes on the form, bytes of text),
// so growth shows directly; the summary after the runs compares the medians with the goals.
#include <time.h>

#include <string>

#include "bench_form.h"
#include "bench_summary.h"
#include "platform/window.h"

namespace {

using vl::Variant;
using vl::win::VK_BACK;
using vl::win::VK_CONTROL;
using vl::win::VK_END;
using vl::win::VK_HOME;
using vlbench::BenchForm;
using vlbench::TypeInRuns;

// A mask of `positions` digit positions, in groups of four separated by "-".
std::string DigitMask(int positions) {
  std::string mask;
  for (int i = 0; i < positions; ++i) {
    if (i > 0 && i % 4 == 0) mask += '-';
    mask += '9';
  }
  return mask;
}

// Plain text of `bytes` bytes: words of letters and digits between spaces.
std::string PlainText(std::size_t bytes) {
  std::string text;
  text.reserve(bytes);
  static const char* const kWords[] = {"order", "12345", "tokyo", "invoice", "x", "delivery", "2026", "ok"};
  for (std::size_t i = 0; text.size() < bytes; ++i) {
    text += kWords[i % 8];
    text += ' ';
  }
  text.resize(bytes);
  return text;
}

// Puts a text back into a box, also while it is edited: a write equal to the committed value
// would change nothing, so the box goes through Null first.
void Load(vl::CVlTypedBoxCtrl& box, const std::string& text) {
  BenchForm::Set(box, vl::kDispValue, Variant::Null());
  BenchForm::Set(box, vl::kDispValue, Variant::Bstr(text));
}
void Empty(vl::CVlTypedBoxCtrl& box) { Load(box, ""); }
void EmptyFromTheStart(BenchForm& f, vl::CVlTypedBoxCtrl& box) {
  Empty(box);
  f.Key(VK_HOME);
}

// --- Keystroke and repaint ----------------------------------------------------------------------

// A digit typed into a 40-position mask, then the box drawn as the screen shows it.
void BM_KeystrokeRepaintMask(benchmark::State& state) {
  BenchForm f;
  auto& box = f.Add("code", vl::win::RECT{8, 8, 408, 32});
  BenchForm::Set(box, vl::kDispFormat, Variant::Bstr(DigitMask(40)));
  f.Focus(box);
  TypeInRuns(
      state, f, 40,
      [&](int n) {
        f.Type(static_cast<char>('0' + n % 10));
        vl::win::Surface picture = f.RenderBox(box);
        benchmark::DoNotOptimize(picture);
      },
      [&] { EmptyFromTheStart(f, box); });
}

// A digit typed into a Currency box with a grouped format, then the box drawn.
void BM_KeystrokeRepaintCurrency(benchmark::State& state) {
  BenchForm f;
  auto& box = f.Add("amount", vl::win::RECT{8, 8, 268, 32});
  BenchForm::Set(box, vl::kDispDataType, Variant::I4(6));
  BenchForm::Set(box, vl::kDispFormat, Variant::Bstr("#,##0.00"));
  f.Focus(box);
  TypeInRuns(
      state, f, 12,
      [&](int n) {
        f.Type(static_cast<char>('1' + n % 9));
        vl::win::Surface picture = f.RenderBox(box);
        benchmark::DoNotOptimize(picture);
      },
      [&] {
        BenchForm::Set(box, vl::kDispValue, Variant::I4(0));  // an equal write would change nothing
        BenchForm::Set(box, vl::kDispValue, Variant::Null());
      });
}

// --- Keystrokes by size of what is edited ---------------------------------------------------

// A digit typed into a mask of state.range(0) positions (no drawing).
void BM_MaskKeystroke(benchmark::State& state) {
  const int positions = static_cast<int>(state.range(0));
  BenchForm f;
  auto& box = f.Add("code", vl::win::RECT{8, 8, 408, 32});
  BenchForm::Set(box, vl::kDispFormat, Variant::Bstr(DigitMask(positions)));
  f.Focus(box);
  TypeInRuns(
      state, f, positions, [&](int n) { f.Type(static_cast<char>('0' + n % 10)); }, [&] { EmptyFromTheStart(f, box); });
}

// A letter typed at the end of an unmasked single-line text of state.range(0) bytes.
void BM_TypingAtEnd(benchmark::State& state) {
  const auto bytes = static_cast<std::size_t>(state.range(0));
  BenchForm f;
  auto& box = f.Add("note", vl::win::RECT{8, 8, 408, 32});
  const std::string text = PlainText(bytes);
  BenchForm::Set(box, vl::kDispValue, Variant::Bstr(text));
  f.Focus(box);
  f.Key(VK_END);
  TypeInRuns(
      state, f, 500, [&](int) { f.Type('a'); },
      [&] {
        Load(box, text);
        f.Key(VK_END);
      });
}

// Ctrl+A, Ctrl+V of a text of state.range(0) bytes into an unmasked box.
void BM_Paste(benchmark::State& state) {
  const std::string text = PlainText(static_cast<std::size_t>(state.range(0)));
  BenchForm f;
  auto& box = f.Add("note", vl::win::RECT{8, 8, 408, 32});
  f.Focus(box);
  vl::win::System& sys = f.Form().WindowSystem();
  sys.OpenClipboard(vl::win::kNoWindow);
  sys.EmptyClipboard();
  sys.SetClipboardData(vl::win::CF_TEXT, text + '\0');
  sys.CloseClipboard();
  for (auto _ : state) {
    f.Chord(VK_CONTROL, 'A');
    f.Chord(VK_CONTROL, 'V');
    f.DropTranscript();
  }
  if (box.GetProperty(vl::kDispText).AsBstr() != text) state.SkipWithError("the paste did not give the text");
}

// SelText of a text of state.range(0) bytes written over the whole text of an unmasked box.
void BM_SelText(benchmark::State& state) {
  const std::string text = PlainText(static_cast<std::size_t>(state.range(0)));
  BenchForm f;
  auto& box = f.Add("note", vl::win::RECT{8, 8, 408, 32});
  f.Focus(box);
  for (auto _ : state) {
    BenchForm::Set(box, vl::kDispSelStart, Variant::I4(0));
    BenchForm::Set(box, vl::kDispSelLength, Variant::I4(0x7FFFFFFF));
    BenchForm::Set(box, vl::kDispSelText, Variant::Bstr(text));
    f.DropTranscript();
  }
  if (box.GetProperty(vl::kDispText).AsBstr() != text) state.SkipWithError("SelText did not give the text");
}

// --- Forms of many boxes ------------------------------------------------------------------------

void AddBoxes(BenchForm& f, int count, int from = 0) {
  for (int i = from; i < from + count; ++i) {
    const int row = i % 1000;
    const int column = i / 1000;
    f.Add("b" + std::to_string(i), vl::win::RECT{8 + column * 170, 8 + row * 30, 168 + column * 170, 32 + row * 30});
  }
}

// A letter typed into the first box of a form of state.range(0) boxes.
void BM_FormKeystroke(benchmark::State& state) {
  BenchForm f;
  AddBoxes(f, static_cast<int>(state.range(0)));
  auto& box = f.Form().Boxes().front()->Control();
  f.Focus(box);
  TypeInRuns(
      state, f, 1000, [&](int) { f.Type('a'); }, [&] { Empty(box); });
}

// Adding one box to a form that already holds state.range(0) boxes: the time per box of adding
// the next 100, each run in a fresh process. A form is built once, box after box, into a fresh
// heap; measured in one process, the small form's next boxes would reuse memory the previous
// run had just freed and still held in cache, and the large form's would not.
double AddBoxChild(int existing) {
  BenchForm f;
  AddBoxes(f, existing);
  // The process's CPU time, as every other figure is, page faults included.
  const auto cpu = [] {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  };
  const double start = cpu();
  AddBoxes(f, 100, existing);
  return (cpu() - start) / 100;
}

void BM_AddBox(benchmark::State& state) {
  for (auto _ : state) {
    const double seconds = vlbench::RunChild("add_box", state.range(0));
    if (std::isnan(seconds)) {
      state.SkipWithError("the measuring process failed");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

// The same in one process, the form built again for every repetition (100 boxes added per run):
// the small form's boxes reuse memory still in cache from the repetition before, the large
// form's do not, so this one grows with the cache rather than with the work. Reported only.
void BM_AddBoxReusing(benchmark::State& state) {
  const int existing = static_cast<int>(state.range(0));
  BenchForm f;
  AddBoxes(f, existing);
  int next = existing;
  for (auto _ : state) AddBoxes(f, 1, next++);
}

// Resident memory per box: the growth of a fresh process's resident set over state.range(0)
// boxes, each holding a value, divided by their number.
double MemoryPerBoxChild(int count) {
  vlbench::SharedFonts();  // the font library's own start is not the boxes' memory
  const long long before = vlbench::ResidentBytes();
  BenchForm f;
  AddBoxes(f, count);
  for (const auto& site : f.Form().Boxes()) BenchForm::Set(site->Control(), vl::kDispValue, Variant::Bstr("abc"));
  return static_cast<double>(vlbench::ResidentBytes() - before) / count;
}

void BM_MemoryPerBox(benchmark::State& state) {
  double perBox = 0;
  for (auto _ : state) perBox = vlbench::RunChild("memory_per_box", state.range(0));
  if (std::isnan(perBox)) state.SkipWithError("the measuring process failed");
  state.counters["bytes_per_box"] = perBox;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
    if (std::strcmp(argv[2], "add_box") == 0)
      std::printf("%.12g\n", AddBoxChild(std::atoi(argv[3])));
    else
      std::printf("%.1f\n", MemoryPerBoxChild(std::atoi(argv[3])));
    return 0;
  }
  benchmark::RegisterBenchmark("keystroke_repaint/mask40", BM_KeystrokeRepaintMask);
  benchmark::RegisterBenchmark("keystroke_repaint/currency", BM_KeystrokeRepaintCurrency);
  benchmark::RegisterBenchmark("mask_keystroke", BM_MaskKeystroke)->Arg(10)->Arg(100)->Arg(1000);
  benchmark::RegisterBenchmark("typing_at_end", BM_TypingAtEnd)->Arg(1024)->Arg(16384);
  benchmark::RegisterBenchmark("paste", BM_Paste)->Arg(1024)->Arg(16384);
  benchmark::RegisterBenchmark("seltext", BM_SelText)->Arg(1024)->Arg(16384);
  benchmark::RegisterBenchmark("form_keystroke", BM_FormKeystroke)->Arg(1)->Arg(100)->Arg(1000);
  benchmark::RegisterBenchmark("add_box", BM_AddBox)->Arg(100)->Arg(10000)->Iterations(1)->UseManualTime();
  benchmark::RegisterBenchmark("add_box_reusing", BM_AddBoxReusing)->Arg(100)->Arg(10000)->Iterations(100);
  benchmark::RegisterBenchmark("memory_per_box", BM_MemoryPerBox)->Arg(1000)->Arg(10000)->Iterations(1);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vlbench::MedianReporter r;
  benchmark::RunSpecifiedBenchmarks(&r);

  using vlbench::Duration;
  using vlbench::Fixed;
  vlbench::Summary s;
  auto time = [&](const char* name) { return r.Median(name); };
  auto growth = [&](const char* what, const char* small, const char* large, double limit, const char* goal) {
    const double a = time(small);
    const double b = time(large);
    if (a <= 0 || b <= 0) return;
    s.Row(what, Duration(a) + " -> " + Duration(b) + " (" + Fixed(b / a, "x") + ")", goal, b / a <= limit);
  };
  for (const char* name : {"keystroke_repaint/mask40", "keystroke_repaint/currency"}) {
    if (time(name) > 0)
      s.Row(std::string(name) + " (key + RenderBox)", Duration(time(name)), "<= 10 µs", time(name) <= 10000);
  }
  growth("mask_keystroke 10 -> 1000 positions", "mask_keystroke/10", "mask_keystroke/1000", 2.0, "flat within 2x");
  growth("form_keystroke 1 -> 1000 boxes", "form_keystroke/1", "form_keystroke/1000", 1.2, "flat within 1.2x");
  growth("add_box: box 100 -> box 10000", "add_box/100/iterations:1/manual_time",
         "add_box/10000/iterations:1/manual_time", 1.2, "as cheap (within 1.2x)");
  growth("add_box_reusing: the same in one process", "add_box_reusing/100/iterations:100",
         "add_box_reusing/10000/iterations:100", 1e9, "report");
  growth("typing_at_end 1 KB -> 16 KB", "typing_at_end/1024", "typing_at_end/16384", 2.0, "flat within 2x");
  growth("paste 1 KB -> 16 KB (Ctrl+A, Ctrl+V)", "paste/1024", "paste/16384", 32.0, "linear (<= 32x for 16x)");
  growth("seltext 1 KB -> 16 KB", "seltext/1024", "seltext/16384", 32.0, "linear (<= 32x for 16x)");
  if (time("paste/16384") > 0)
    s.Row("paste 16 KB", Duration(time("paste/16384")), "<= 10 ms", time("paste/16384") <= 1e7);
  for (const char* name : {"memory_per_box/1000/iterations:1", "memory_per_box/10000/iterations:1"}) {
    const double bytes = r.MedianCounter(name, "bytes_per_box");
    if (bytes > 0) s.Row(name, Fixed(bytes / 1024.0, " KB per box", 1), "report", true);
  }
  s.Print();
  benchmark::Shutdown();
  return 0;
}

// A form driven as a person drives it, for the control-level benchmarks: boxes placed on it,
// keys pressed into the focused box, pictures drawn with the real font.
#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "control/properties.h"
#include "host/form.h"
#include "host/form_render.h"
#include "platform/freetype_font.h"
#include "platform/keyboard_layout.h"
#include "platform/messages.h"
#include "runtime/variant.h"

namespace vlbench {

// One font backend for every benchmark of a program: realising fonts is not what is measured.
inline std::shared_ptr<vl::win::FreeTypeFontBackend> SharedFonts() {
  static auto fonts = std::make_shared<vl::win::FreeTypeFontBackend>();
  return fonts;
}

class BenchForm {
 public:
  BenchForm() { form_.SetScreenFonts(SharedFonts()); }

  vl::Form& Form() { return form_; }

  vl::CVlTypedBoxCtrl& Add(const std::string& name, vl::win::RECT rect) { return form_.AddBox(name, rect); }

  static void Set(vl::CVlTypedBoxCtrl& box, std::int32_t dispid, const vl::Variant& v) { box.SetProperty(dispid, v); }

  void Focus(vl::CVlTypedBoxCtrl& box) { form_.Focus(box); }

  // A key pressed and released: key-down, the character it makes, key-up.
  void Key(int vk) {
    vl::win::System& sys = form_.WindowSystem();
    sys.keybd_event(vk, 0);
    form_.PumpMessages();
    sys.keybd_event(vk, vl::win::KEYEVENTF_KEYUP);
    form_.PumpMessages();
  }
  void Chord(int modifier, int vk) {
    vl::win::System& sys = form_.WindowSystem();
    sys.keybd_event(modifier, 0);
    form_.PumpMessages();
    Key(vk);
    sys.keybd_event(modifier, vl::win::KEYEVENTF_KEYUP);
    form_.PumpMessages();
  }
  // A printable single-byte character typed on the keyboard.
  void Type(char c) {
    const auto [vk, shift] = vl::win::KeyOfCharacter(static_cast<unsigned char>(c));
    if (shift) {
      Chord(vl::win::VK_SHIFT, vk);
    } else {
      Key(vk);
    }
  }
  // The transcript grows with every event; a benchmark drops it now and then.
  void DropTranscript() {
    form_.TakeEvents();
    form_.TakeNotifications();
    form_.TakeMessages();
  }

  vl::win::Surface RenderBox(vl::CVlTypedBoxCtrl& box) {
    return vl::RenderBox(form_, *form_.FindBox(box), *SharedFonts());
  }
  vl::win::Surface RenderForm() { return vl::RenderForm(form_, *SharedFonts()); }

 private:
  vl::Form form_;
};

// Types one key per iteration, `type(n)` for the n-th of a run, and after every `run` keys puts
// the box back with the timer stopped (`reset`), the transcript dropped: a box holds only so much.
template <class Type, class Reset>
void TypeInRuns(benchmark::State& state, BenchForm& f, int run, Type type, Reset reset) {
  int typed = 0;
  for (auto _ : state) {
    type(typed);
    if (++typed == run) {
      state.PauseTiming();
      reset();
      f.DropTranscript();
      typed = 0;
      state.ResumeTiming();
    }
  }
}

// Resident set size of this process in bytes (0 when /proc is not there).
inline long long ResidentBytes() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr) return 0;
  long long pages = 0;
  long long resident = 0;
  const int n = std::fscanf(f, "%lld %lld", &pages, &resident);
  std::fclose(f);
  return n == 2 ? resident * sysconf(_SC_PAGESIZE) : 0;
}

// Memory is measured in a fresh process: this program run again with `--child NAME ARG`, so that
// nothing an earlier benchmark allocated and freed is reused and hidden from the resident set.
// The child prints one number; the parent reads it. NaN when the child failed.
inline double RunChild(const char* name, long long arg) {
  char command[512];
  std::snprintf(command, sizeof command, "/proc/%d/exe --child %s %lld", static_cast<int>(getpid()), name, arg);
  std::FILE* p = popen(command, "r");
  if (p == nullptr) return std::nan("");
  double value = std::nan("");
  if (std::fscanf(p, "%lf", &value) != 1) value = std::nan("");
  if (pclose(p) != 0) value = std::nan("");
  return value;
}

}  // namespace vlbench

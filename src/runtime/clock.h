// The one source of "now" and of the tick count. Nothing else reads the system time: tests and
// the scripting host run on a virtual clock that only moves when told, so every run repeats.
#pragma once

#include <cstdint>

namespace vl {

class Clock {
 public:
  virtual ~Clock() = default;
  // Local date and time as a date serial (days since 1899-12-30, fraction = time of day).
  virtual double Now() const = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32 like the platform's tick count.
  virtual std::uint32_t TickCount() const = 0;
};

// Moves only when told. Starts at 2026-01-01 00:00:00 and tick 0 unless set.
class VirtualClock : public Clock {
 public:
  double Now() const override { return calendar_ != nullptr ? calendar_->Now() : now_; }
  std::uint32_t TickCount() const override { return ticks_; }

  void SetNow(double serial) { now_ = serial; }
  // Advances the tick count and the calendar time together.
  void Advance(std::uint32_t milliseconds);
  // From now on "now" is read from `calendar` (the desktop's clock) while the ticks still move
  // only when told: a desktop host advances them by the real time passed, so timers, key
  // repeats and the tick count agree. nullptr goes back to the virtual calendar.
  void FollowCalendar(const Clock* calendar) { calendar_ = calendar; }

 private:
  double now_ = 46023.0;  // 2026-01-01
  const Clock* calendar_ = nullptr;
  std::uint32_t ticks_ = 0;
};

// The desktop's real clock (local time zone).
class SystemClock : public Clock {
 public:
  double Now() const override;
  std::uint32_t TickCount() const override;
};

}  // namespace vl

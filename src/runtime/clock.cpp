#include "runtime/clock.h"

#include <chrono>
#include <ctime>

#include "runtime/date_serial.h"

namespace vl {

void VirtualClock::Advance(std::uint32_t milliseconds) {
  ticks_ += milliseconds;
  now_ += static_cast<double>(milliseconds) / 86400000.0;
}

double SystemClock::Now() const {
  std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&t, &local);
  auto serial = FieldsToSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec);
  return serial.value_or(0.0);
}

std::uint32_t SystemClock::TickCount() const {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<std::uint32_t>(ms.count());
}

}  // namespace vl

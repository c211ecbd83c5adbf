// Local time for the time stamps of result lines.
#include "platform/LocalTime.h"

#include <cstdio>

namespace platform {

namespace {
std::time_t (*g_now)() = nullptr;
constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

void SetClockForTesting(std::time_t (*now)()) {
    g_now = now;
}

std::string FormatLocalTime(std::time_t t) {
    std::tm local{};
    if (!localtime_r(&t, &local))
        return {};
    // "%d %b %Y %H:%M:%S" in the C locale, written out so the user's locale cannot change it.
    char text[64];
    std::snprintf(text, sizeof text, "%02d %s %04d %02d:%02d:%02d", local.tm_mday,
                  kMonths[(local.tm_mon % 12 + 12) % 12], local.tm_year + 1900, local.tm_hour,
                  local.tm_min, local.tm_sec);
    return text;
}

std::string CurrentTimeStamp() {
    return FormatLocalTime(g_now ? g_now() : std::time(nullptr));
}

}  // namespace platform

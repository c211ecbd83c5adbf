// Local time for the time stamps of result lines.
#pragma once

#include <ctime>
#include <string>

namespace platform {

/// `t` as local time in the form "07 Mar 2006 09:05:03", with English month names whatever the
/// user's locale.
std::string FormatLocalTime(std::time_t t);

/// The current local time, formatted as FormatLocalTime does.
std::string CurrentTimeStamp();

/// For tests: where the current time comes from (nullptr: the system clock).
void SetClockForTesting(std::time_t (*now)());

}  // namespace platform

// Shared pieces of the page-check and run tests: a fixed clock, short network limits, stderr.
#pragma once

#include <ctime>
#include <string>

#include "Fixture.h"
#include "platform/InternetSession.h"
#include "platform/LocalTime.h"

namespace sqtest {

/// 07 Mar 2006 09:05:03 in the test's time zone (UTC).
std::time_t FixedTime();
inline constexpr const char* kFixedStamp = "07 Mar 2006 09:05:03";

/// The window on the memory backend with a fixed clock, UTC, and network limits short enough
/// for a stalled server to fail within a fraction of a second.
class CheckTest : public DialogTest {
protected:
    CheckTest();
    ~CheckTest() override;

    /// Runs one check of a test held in the current fields, capturing stderr.
    void Check(const Entry& e);
    /// The result line that a check of `url` with `result` writes to the log.
    static std::string LogLine(const std::string& url, const std::string& result) {
        return std::string("\r\n") + kFixedStamp + " " + url + " " + result;
    }

    std::string stderrText;  ///< what the last Check wrote to stderr
};

}  // namespace sqtest

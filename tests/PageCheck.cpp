// Shared pieces of the page-check and run tests.
#include "PageCheck.h"

#include <cstdlib>

namespace sqtest {

std::time_t FixedTime() {
    std::tm t{};
    t.tm_year = 2006 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    return ::timegm(&t);
}

CheckTest::CheckTest() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    platform::SetClockForTesting(&FixedTime);
    auto& limits = platform::CurrentInternetLimits();
    limits.connectTimeoutMs = 2'000;
    limits.stallTimeoutMs = 300;
}

CheckTest::~CheckTest() {
    platform::SetClockForTesting(nullptr);
    platform::CurrentInternetLimits() = platform::InternetLimits{};
}

void CheckTest::Check(const Entry& e) {
    dlg.m_title = e[0];
    dlg.m_url = e[1];
    dlg.m_pos1 = e[2];
    dlg.m_pos2 = e[3];
    dlg.m_neg1 = e[4];
    dlg.m_neg2 = e[5];
    dlg.m_description = e[6];
    ::testing::internal::CaptureStderr();
    dlg.CheckCurrentTest();
    stderrText = ::testing::internal::GetCapturedStderr();
}

}  // namespace sqtest

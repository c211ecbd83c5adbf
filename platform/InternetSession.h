// The internet client: downloads over libcurl.
#pragma once

namespace platform {

/// The HTTP library's global start-up, once at program start. false when it fails.
bool InternetStartup();
/// The matching clean-up at program end.
void InternetCleanup();

}  // namespace platform

// The internet client: downloads over libcurl.
#include "platform/InternetSession.h"

#include <curl/curl.h>

namespace platform {

bool InternetStartup() {
    return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

void InternetCleanup() {
    curl_global_cleanup();
}

}  // namespace platform

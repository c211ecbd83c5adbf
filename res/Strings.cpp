// The string table and the version texts.
#include "res/Strings.h"

#include "res/Resource.h"

#ifndef SITEQUILL_SITE
#define SITEQUILL_SITE "sitequill.example.org"
#endif

namespace res {

std::string LoadString(int id) {
    switch (id) {
        case IDS_ABOUTBOX:
            return "&About Sitequill...";
        case IDP_SOCKETS_INIT_FAILED:
            return "Windows sockets initialization failed.";
        default:
            return {};
    }
}

std::string SiteName() {
    return SITEQUILL_SITE;
}

std::string Copyright() {
    return "Copyright (C) 2026 The Sitequill developers";
}

}  // namespace res

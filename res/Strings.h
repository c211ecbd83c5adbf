// The string table and the version texts.
#pragma once

#include <string>

namespace res {

/// The text of a string resource, or "" for a number that has none.
std::string LoadString(int id);

inline constexpr const char* kVersion = "1.0.0.1";
inline constexpr const char* kFileVersion = "1, 0, 0, 1";
inline constexpr const char* kInternalName = "Sitequill";
inline constexpr const char* kOriginalFilename = "sitequill";
inline constexpr const char* kFileDescription = "Sitequill MFC Application";
inline constexpr const char* kProductName = "Sitequill Application";

/// The name of the product's web site (the caption, the product line and the help address).
std::string SiteName();
/// The copyright notice with its year.
std::string Copyright();

}  // namespace res

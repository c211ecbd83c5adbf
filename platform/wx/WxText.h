// Texts between the program's bytes and wxWidgets strings.
#pragma once

#include <wx/string.h>

#include <string>

namespace platform::wx {

/// Bytes shown as text: UTF-8, or Latin-1 when the bytes are not valid UTF-8.
wxString ToWx(const std::string& bytes);
/// A text typed or shown in a window, as UTF-8 bytes.
std::string FromWx(const wxString& text);

}  // namespace platform::wx

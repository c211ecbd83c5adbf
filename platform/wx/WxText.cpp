// Texts between the program's bytes and wxWidgets strings.
#include "platform/wx/WxText.h"

namespace platform::wx {

wxString ToWx(const std::string& bytes) {
    if (bytes.empty())
        return {};
    wxString text = wxString::FromUTF8(bytes.data(), bytes.size());
    if (text.empty())  // not valid UTF-8: every byte is a Latin-1 character, nothing is lost
        text = wxString(bytes.data(), wxConvISO8859_1, bytes.size());
    return text;
}

std::string FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

}  // namespace platform::wx

// The catalogue file "sq.dat": loaded when the window opens, saved when it closes.
//
// Format: the line "CREATOR=SITEQUILL 1.0", then per entry the seven lines TITLE=, URL=, POS1=,
// POS2=, NEG1=, NEG2=, DESC= (key, "=", the text as it stands), one empty line between entries,
// CR LF line ends; the entries from the bottom row to the top, since the load inserts each at
// the top. An empty catalogue is an empty file.
#include <sys/stat.h>
#include <string>
#include <string_view>

#include "platform/TextFile.h"
#include "ui/SitequillDlg.h"

using namespace platform;

namespace {

constexpr const char* kCatalogueFile = "sq.dat";

bool Exists(const char* name) {
    struct stat st {};
    return ::stat(name, &st) == 0;
}

/// One line of the file, without its line end: a TITLE line completes the pending entry held in
/// the current fields and starts the next; the other keys set their field; anything else is
/// ignored. Fields that an entry does not set keep the value of the entry before it.
void HandleLine(CSitequillDlg& d, std::string_view line) {
    const auto eq = line.find('=');
    const std::string_view key = line.substr(0, eq);
    const std::string_view value =
        eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
    if (key == "TITLE") {
        if (!d.m_title.empty()) {
            d.UpdateData(false);
            d.InsertEntry();
        }
        d.m_title = value;
    } else if (key == "URL") {
        d.m_url = value;
    } else if (key == "POS1") {
        d.m_pos1 = value;
    } else if (key == "POS2") {
        d.m_pos2 = value;
    } else if (key == "NEG1") {
        d.m_neg1 = value;
    } else if (key == "NEG2") {
        d.m_neg2 = value;
    } else if (key == "DESC") {
        d.m_description = value;
    }
}

void AppendField(std::string& out, std::string_view key, const std::string& value) {
    out += '\n';
    out += key;
    out += '=';
    out += value;
}

}  // namespace

void CSitequillDlg::LoadCatalogue() {
    UpdateData(true);  // the boxes are empty at start-up: the pending entry starts empty

    // The text layer has already turned each CR LF into LF and cut the text at 0x1A, so a line
    // ends at its LF and every other byte, a CR of CR CR LF included, belongs to the value. That
    // keeps every text without LF or 0x1A exactly as it was saved.
    const std::optional<std::string> text = ReadTextFile(kCatalogueFile);
    m_catalogueUnread = !text && Exists(kCatalogueFile);
    if (text) {
        std::string_view rest = *text;
        while (!rest.empty()) {
            const auto lf = rest.find('\n');
            HandleLine(*this, rest.substr(0, lf));  // a last line without LF counts as well
            rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
        }
    }
    if (!m_title.empty()) {
        UpdateData(false);
        InsertEntry();
    }

    ClearFields();
    UpdateData(false);
}

void CSitequillDlg::SaveCatalogue() {
    ReverseRows();  // the bottom row first, so that the load's inserts at the top restore the order
    m_testList.SetRedraw(false);
    ClearFields();
    UpdateData(true);

    // The whole file as one text, written in one step below; nothing at all for no rows.
    const int n = m_testList.GetItemCount();
    std::string out;
    if (n > 0)
        out = "CREATOR=SITEQUILL 1.0";
    for (int i = 0; i < n; ++i) {
        SelectEntry(i);
        AppendField(out, "TITLE", m_title);
        AppendField(out, "URL", m_url);
        AppendField(out, "POS1", m_pos1);
        AppendField(out, "POS2", m_pos2);
        AppendField(out, "NEG1", m_neg1);
        AppendField(out, "NEG2", m_neg2);
        AppendField(out, "DESC", m_description);
        out += '\n';
        ClearFields();
    }

    // A file that the load could not read is kept: the list does not hold its entries.
    if (m_catalogueUnread || ReplaceTextFile(kCatalogueFile, out) != WriteResult::Ok)
        MessageBox("Save to File", "Error Writing File", MB_OK);

    ReverseRows();
    m_testList.SetRedraw(true);
    m_testList.Invalidate(true);
    ClearFields();
    UpdateData(false);
}

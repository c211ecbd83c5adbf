// The dialog base: data exchange, message boxes and message dispatch.
#include "platform/Dialog.h"

#include <charconv>
#include <exception>
#include <utility>

namespace platform {

namespace {
std::string& AppName() {
    static std::string name = "sitequill";
    return name;
}
}  // namespace

const std::string& AfxGetAppName() {
    return AppName();
}
void AfxSetAppName(std::string name) {
    AppName() = std::move(name);
}

void DDX_Control(CDataExchange* pDX, int id, CListCtrl& control) {
    if (!control.IsAttached())
        control.Attach(pDX->Backend().GetListControl(id));
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    if (pDX->Failed())
        return;
    if (pDX->SaveAndValidate())
        value = pDX->Backend().GetDlgItemText(id);
    else
        pDX->Backend().SetDlgItemText(id, value);
}

void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value) {
    if (pDX->Failed())
        return;
    if (!pDX->SaveAndValidate()) {
        pDX->Backend().SetDlgItemText(id, std::to_string(value));
        return;
    }
    const std::string text = pDX->Backend().GetDlgItemText(id);
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && (*first == ' ' || *first == '\t'))
        ++first;
    while (last != first && (last[-1] == ' ' || last[-1] == '\t'))
        --last;
    if (first != last && *first == '+')
        ++first;
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || end != last || first == last)
        pDX->Fail();  // the member keeps its value; later bindings are not exchanged
    else
        value = parsed;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    if (!m_backend)
        return false;
    CDataExchange dx(*m_backend, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CDialog::DoDataExchange(CDataExchange*) {}

int CDialog::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    return m_backend ? m_backend->MessageBox(text, caption, type) : IDOK;
}

int CDialog::AfxMessageBox(const std::string& text, unsigned type) {
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    return MessageBox(text, AfxGetAppName(), type);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    if (m_backend)
        m_backend->EndDialog(result);
}

void CDialog::Default() {
    if (m_backend && m_current)
        m_backend->DefaultProcessing(*m_current);
}

bool CDialog::Dispatch(Message& message) {
    const Message* outer = std::exchange(m_current, &message);
    bool handled = false;
    try {
        for (const MessageMapEntry& entry : GetMessageMap()) {
            if (entry.code != message.code)
                continue;
            if ((message.code == WM_COMMAND || message.code == WM_NOTIFY) &&
                (entry.id != message.id || entry.notification != message.notification))
                continue;
            entry.handler(*this, message);
            handled = true;
            break;
        }
        if (!handled)
            handled = DefaultHandling(message);
    } catch (const std::exception& e) {
        // As the outermost handler of a class library would: say what went wrong, carry on.
        AfxMessageBox(e.what(), MB_OK | MB_ICONEXCLAMATION);
        handled = true;
    } catch (...) {
        AfxMessageBox("An unexpected error occurred.", MB_OK | MB_ICONEXCLAMATION);
        handled = true;
    }
    m_current = outer;
    return handled;
}

bool CDialog::DefaultHandling(Message& message) {
    switch (message.code) {
        case WM_INITDIALOG:
            message.result = OnInitDialog() ? 1 : 0;
            return true;
        case WM_COMMAND:
            if (message.id == IDOK) {
                OnOK();
                return true;
            }
            if (message.id == IDCANCEL) {
                OnCancel();
                return true;
            }
            return false;
        default:
            Default();
            return false;
    }
}

}  // namespace platform

// A dialog window on wxWidgets, built from a dialog template, that delivers every user action to
// the program's dialog object as one message.
#include "platform/wx/WxDialog.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/filename.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <filesystem>

#include "platform/wx/WxListCtrl.h"
#include "platform/wx/WxText.h"
#include "res/Icon.h"
#include "res/Resource.h"

namespace platform::wx {

namespace {

constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_CLOSE = 0xF060;
constexpr int kMenuBase = wxID_HIGHEST + 1;

wxIconBundle AppIcons() {
    wxIconBundle icons;
    icons.AddIcon(wxIcon(res::kIcon32));
    icons.AddIcon(wxIcon(res::kIcon16));
    return icons;
}

/// Message texts use CR LF line breaks; the toolkit wants LF.
wxString BoxText(const std::string& text) {
    wxString shown = ToWx(text);
    shown.Replace("\r\n", "\n");
    return shown;
}

/// A relative file name that names no file may still name one whose case differs (the run asks
/// for "Report.htm" and writes "report.htm"; names are case-sensitive here).
std::string ResolveDocument(const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path path(target);
    if (target.find("://") != std::string::npos || path.is_absolute())
        return target;
    if (fs::exists(path, ec))
        return fs::absolute(path, ec).string();
    const wxString wanted = ToWx(path.filename().string()).Lower();
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (ToWx(entry.path().filename().string()).Lower() == wanted)
            return fs::absolute(entry.path(), ec).string();
    return fs::absolute(path, ec).string();
}

}  // namespace

std::function<void(const std::string&, int)>& WxDialog::ShellOpenSeam() {
    static std::function<void(const std::string&, int)> seam = [](const std::string& target, int) {
        LaunchDefault(target);
    };
    return seam;
}

std::function<int(wxWindow&, wxMenu&)>& WxDialog::PopupSeam() {
    static std::function<int(wxWindow&, wxMenu&)> seam = [](wxWindow& owner, wxMenu& menu) {
        return owner.GetPopupMenuSelectionFromUser(menu);
    };
    return seam;
}

void WxDialog::LaunchDefault(const std::string& target) {
    // Both go through xdg-open; the result is not looked at, as with the shell's open.
    if (target.rfind("http://", 0) == 0 || target.rfind("https://", 0) == 0)
        wxLaunchDefaultBrowser(ToWx(target));
    else
        wxLaunchDefaultApplication(ToWx(ResolveDocument(target)));
}

WxDialog::WxDialog(CDialog& dialog, wxWindow* parent) : m_dialog(dialog) {
    const res::DialogTemplate* tpl = res::FindTemplate(dialog.TemplateId());
    wxASSERT(tpl);
    long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
    if (tpl->minimizeBox)
        style |= wxMINIMIZE_BOX;
    if (tpl->maximizeBox)
        style |= wxMAXIMIZE_BOX;
    if (tpl->sizingBorder)
        style |= wxRESIZE_BORDER;
    SetExtraStyle(GetExtraStyle() & ~wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, wxID_ANY, ToWx(tpl->caption), wxDefaultPosition, wxDefaultSize, style);
    // Enter, Escape and the close box are the program's to handle, not the toolkit's.
    SetEscapeId(wxID_NONE);
    SetAffirmativeId(wxID_NONE);
    Build(*tpl);
    m_dialog.SetBackend(this);
    Bind(wxEVT_CHAR_HOOK, &WxDialog::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &WxDialog::OnClose, this);
    Bind(wxEVT_PAINT, &WxDialog::OnPaint, this);
    Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent&) { ShowContextMenu(); });
}

WxDialog::~WxDialog() {
    m_disabler.reset();
    if (!m_destroyed && m_dialog.Backend() == this)
        m_dialog.SetBackend(nullptr);
}

void WxDialog::Build(const res::DialogTemplate& tpl) {
    // Dialog units are measured in the dialog's font: 8-point default sans-serif.
    SetFont(wxFontInfo(tpl.fontPoints).Family(wxFONTFAMILY_SWISS));
    const wxSize client = ConvertDialogToPixels(wxSize(tpl.cx, tpl.cy));
    SetClientSize(client);
    SetSizeHints(GetSize(), GetSize());  // a fixed size

    for (const res::ControlTemplate& c : tpl.controls) {
        const wxPoint pos = ConvertDialogToPixels(wxPoint(c.x, c.y));
        const wxSize size = ConvertDialogToPixels(wxSize(c.cx, c.cy));
        const int id = c.id == res::kNoId ? wxID_ANY : c.id;
        wxWindow* w = nullptr;
        switch (c.kind) {
            case res::ControlKind::DefPushButton:
            case res::ControlKind::PushButton: {
                auto* b = new wxButton(this, id, ToWx(c.text), pos, size);
                if (c.kind == res::ControlKind::DefPushButton)
                    b->SetDefault();
                const int command = c.id;
                b->Bind(wxEVT_BUTTON,
                        [this, command](wxCommandEvent&) { Deliver(Message::Command(command)); });
                w = b;
                break;
            }
            case res::ControlKind::ListView: {
                m_list = new WxListCtrl(this, id, pos, size);
                const int listId = c.id;
                m_list->SetClickHandler(
                    [this, listId] { Deliver(Message::Notify(listId, NM_CLICK)); });
                w = m_list;
                break;
            }
            case res::ControlKind::GroupBox:
                w = new wxStaticBox(this, id, ToWx(c.text), pos, size);
                break;
            case res::ControlKind::Static: {
                auto* t = new wxStaticText(this, id, wxString(), pos, size,
                                           wxALIGN_LEFT | wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
                if (c.styles & res::kNoPrefix)
                    t->SetLabelText(ToWx(c.text));
                else
                    t->SetLabel(ToWx(c.text));
                w = t;
                break;
            }
            case res::ControlKind::Edit: {
                long style = wxTE_PROCESS_ENTER;
                if (c.styles & res::kReadOnly)
                    style |= wxTE_READONLY;
                if (!(c.styles & res::kBorder))
                    style |= wxBORDER_NONE;
                auto* t = new wxTextCtrl(this, id, wxString(), pos, size, style);
                Box& box = m_boxes[c.id];
                box.ctrl = t;
                const int boxId = c.id;
                t->Bind(wxEVT_TEXT,
                        [this, boxId](wxCommandEvent&) { m_boxes[boxId].edited = true; });
                // Enter in a box is the dialog's OK command, as with a default button.
                t->Bind(wxEVT_TEXT_ENTER,
                        [this](wxCommandEvent&) { Deliver(Message::Command(IDOK)); });
                w = t;
                break;
            }
            case res::ControlKind::Icon: {
                const wxIcon icon(res::kIcon32);
                w = new wxStaticBitmap(this, id, icon, pos, size);
                break;
            }
        }
        if (c.id != res::kNoId)
            m_controls[c.id] = w;
        if (!m_firstTabStop && (c.styles & res::kTabStop))
            m_firstTabStop = w;
    }
}

wxWindow* WxDialog::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

int WxDialog::DoModal() {
    Start();
    const int result = m_ended ? m_result : ShowModal();
    Finish();
    return result;
}

void WxDialog::Start() {
    Message init = Message::Plain(WM_INITDIALOG);
    DispatchDeferringBoxes(init);
    CentreOnScreen();
    if (!IsModal() && !m_ended)
        Show();
    if (init.result && m_firstTabStop) {
        m_firstTabStop->SetFocus();
        // Toolkit workaround: a window that is not mapped yet may drop the focus request.
        CallAfter([this] {
            if (!m_ended && m_firstTabStop)
                m_firstTabStop->SetFocus();
        });
    }
}

void WxDialog::Finish() {
    if (!m_destroyed) {
        m_destroyed = true;
        // The list and its rows still exist while the dialog handles its destruction.
        Message destroy = Message::Plain(WM_DESTROY);
        DispatchDeferringBoxes(destroy);
    }
    m_dialog.SetBackend(nullptr);
    Hide();
    Destroy();
}

void WxDialog::Deliver(Message message) {
    if (m_busy || m_ended || m_destroyed)
        return;  // a handler is running: the window takes no input
    m_busy = true;
    DispatchDeferringBoxes(message);
    m_busy = false;
    if (m_disabler) {
        m_disabler.reset();
        if (m_focusBeforeRun && !m_ended)
            m_focusBeforeRun->SetFocus();
    }
}

std::string WxDialog::GetDlgItemText(int id) {
    const auto it = m_boxes.find(id);
    if (it == m_boxes.end()) {
        wxWindow* w = Control(id);
        return w ? FromWx(w->GetLabel()) : std::string();
    }
    Box& box = it->second;
    if (!box.edited)
        return box.bytes;
    const wxString now = box.ctrl->GetValue();
    if (now == ToWx(box.bytes))
        return box.bytes;  // typed back to what it was: keep the exact bytes
    return FromWx(now);
}

void WxDialog::SetDlgItemText(int id, const std::string& text) {
    const auto it = m_boxes.find(id);
    if (it == m_boxes.end()) {
        if (wxWindow* w = Control(id))
            w->SetLabel(ToWx(text));
        return;
    }
    Box& box = it->second;
    if (!box.edited && box.bytes == text)
        return;
    // While a handler runs, the control itself is brought up to date only when the handler
    // ends or lets the window paint: a catalogue load or save passes thousands of entries
    // through the boxes, and setting a toolkit text box each time costs far more than the rest
    // of the work.
    box.bytes = text;
    box.edited = false;
    box.pending = true;
    if (!m_inHandler) {
        FlushBoxes();
    } else if (!m_flushQueued) {
        m_flushQueued = true;
        CallAfter([this] { FlushBoxes(); });
    }
    if (id == res::IDC_STATUS && m_busy)
        KeepAlive();  // the run's progress shows at once
}

void WxDialog::DispatchDeferringBoxes(Message& message) {
    const bool outer = !m_inHandler;
    m_inHandler = true;
    m_dialog.Dispatch(message);
    if (outer) {
        m_inHandler = false;
        FlushBoxes();
    }
}

void WxDialog::FlushBoxes() {
    m_flushQueued = false;
    for (auto& [id, box] : m_boxes)
        if (box.pending) {
            box.pending = false;
            box.ctrl->ChangeValue(ToWx(box.bytes));
        }
}

IListBackend* WxDialog::GetListControl(int id) {
    return (m_list && m_list->GetId() == id) ? &m_list->Backend() : nullptr;
}

int WxDialog::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    long style = (type & MB_TYPEMASK) == MB_YESNO ? wxYES_NO : wxOK;
    style |= (type & MB_ICONMASK) == MB_ICONEXCLAMATION ? wxICON_WARNING : wxICON_NONE;
    FlushBoxes();  // the boxes show what the program holds while the user reads the box
    wxMessageDialog box(this, BoxText(text), ToWx(caption), style);
    switch (box.ShowModal()) {
        case wxID_YES:
            return IDYES;
        case wxID_NO:
            return IDNO;
        default:
            return IDOK;
    }
}

void WxDialog::ShellOpen(const std::string& target, int showCommand) {
    ShellOpenSeam()(target, showCommand);
}

bool WxDialog::AppendSystemMenuItem(const std::string& text, unsigned command) {
    // GTK gives a program no system menu to extend: the item goes on the context menu.
    m_menuText = text;
    m_menuCommand = command;
    return true;
}

void WxDialog::ShowContextMenu() {
    if (m_busy || m_ended || m_menuText.empty())
        return;
    wxMenu menu;
    menu.Append(kMenuBase, ToWx(m_menuText));
    if (PopupSeam()(*this, menu) == kMenuBase)
        Deliver(Message::SysCommand(static_cast<int>(m_menuCommand)));
}

void WxDialog::SetIcon(IconHandle icon, bool) {
    if (icon.resource == res::IDR_MAINFRAME)
        SetIcons(AppIcons());
}

void WxDialog::DrawIcon(IconHandle) {
    if (!m_paintDC)
        return;
    const wxIcon icon(res::kIcon32);
    const wxSize client = GetClientSize();
    m_paintDC->DrawIcon(icon, (client.x - icon.GetWidth() + 1) / 2,
                        (client.y - icon.GetHeight() + 1) / 2);
}

void WxDialog::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (m_destroyed)
        return;
    m_paintDC = &dc;
    m_dialog.Dispatch(Message::Plain(WM_PAINT));
    m_paintDC = nullptr;
}

void WxDialog::DefaultProcessing(const Message& message) {
    if (message.code != WM_SYSCOMMAND)
        return;  // the toolkit paints and destroys on its own
    const unsigned command = static_cast<unsigned>(message.id) & 0xFFF0u;
    if (command == SC_CLOSE)
        CallAfter([this] { Close(); });
    else if (command == SC_MINIMIZE)
        Iconize();
}

void WxDialog::EndDialog(int result) {
    if (m_ended)
        return;
    m_ended = true;
    m_result = result;
    if (IsModal())
        EndModal(result);
    else
        Hide();
}

void WxDialog::RunAboutBox() {
    if (m_runAbout)
        m_runAbout(*this);
}

void WxDialog::KeepAlive() {
    FlushBoxes();
    if (!m_busy)
        return;
    if (!m_disabler) {
        // From the first sign of long work on, the windows take no input until it ends.
        m_focusBeforeRun = FindFocus();
        m_disabler = std::make_unique<wxWindowDisabler>(true);
    }
    // Paint, and let the toolkit breathe; input goes to disabled windows and is dropped, and
    // Deliver refuses anything that would start a second handler.
    wxTheApp->Yield(true);
}

void WxDialog::OnCharHook(wxKeyEvent& event) {
    if (m_busy || m_ended)
        return;
    const int key = event.GetKeyCode();
    const int mods = event.GetModifiers();
    if (key == WXK_ESCAPE && mods == wxMOD_NONE) {
        Deliver(Message::Command(IDCANCEL));
        return;
    }
    if (key == WXK_F1 && mods == wxMOD_NONE) {
        if (m_onHelp)
            m_onHelp();
        return;
    }
    if (key == WXK_MENU || key == WXK_WINDOWS_MENU || (key == WXK_F10 && mods == wxMOD_SHIFT)) {
        ShowContextMenu();
        return;
    }
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && mods == wxMOD_NONE) {
        wxWindow* focus = FindFocus();
        // Buttons take Enter themselves, boxes turn it into OK; anywhere else it is OK.
        if (!dynamic_cast<wxButton*>(focus) && !dynamic_cast<wxTextCtrl*>(focus)) {
            Deliver(Message::Command(IDOK));
            return;
        }
    }
    event.Skip();
}

void WxDialog::OnClose(wxCloseEvent& event) {
    if (m_busy && event.CanVeto()) {
        event.Veto();
        return;
    }
    if (!m_ended)
        Deliver(Message::Command(IDCANCEL));
    if (!m_ended && event.CanVeto())
        event.Veto();
}

}  // namespace platform::wx

// Dialog templates 100 (About box) and 102 (main window) as data, in dialog units.
#pragma once

#include <span>
#include <string>

namespace res {

/// What a template control is.
enum class ControlKind {
    DefPushButton,  ///< the dialog's default button
    PushButton,
    ListView,  ///< report view, single selection
    GroupBox,
    Static,  ///< left-aligned static text
    Edit,    ///< single-line edit box that scrolls its text
    Icon,    ///< static icon showing an icon resource
};

/// Control styles that the window realises.
enum ControlStyle : unsigned {
    kTabStop = 1u << 0,
    kGroup = 1u << 1,
    kBorder = 1u << 2,
    kReadOnly = 1u << 3,
    kAutoHScroll = 1u << 4,
    kNoPrefix = 1u << 5,  ///< an ampersand shows as itself
    kReportView = 1u << 6,
    kSingleSel = 1u << 7,
    kShowSelAlways = 1u << 8,
};

inline constexpr int kNoId = -1;

/// One control of a template. Order in the template is the tab and stacking order.
struct ControlTemplate {
    ControlKind kind;
    int id;            ///< control id, or kNoId
    std::string text;  ///< label, or the icon resource number in decimal for an icon
    int x, y, cx, cy;  ///< dialog units from the top left of the client area
    unsigned styles;
};

/// A dialog template: client size in dialog units, caption, font and controls.
struct DialogTemplate {
    int id;
    std::string caption;
    int cx, cy;
    int fontPoints;  ///< size of the default sans-serif font the dialog units are measured in
    bool minimizeBox, maximizeBox, sizingBorder;
    std::span<const ControlTemplate> controls;
};

/// The template with that number (IDD_ABOUTBOX or IDD_SITEQUILL_DIALOG), or nullptr.
const DialogTemplate* FindTemplate(int id);

/// The text along the bottom of the main window: site, version and rights notice.
std::string ProductLine();
/// The caption of the main window.
std::string MainCaption();

}  // namespace res

#pragma once
#include <string>
#include <vector>

class frmMain;

namespace quillet {

// Command identifiers of the main window's menu items.
enum MenuId : int {
    mnuFile = 100,
    mnuNew,
    mnuOpen,
    mnuSave,
    mnuSaveAs,
    mnuPrint,
    mnuExit,
    mnuEdit,
    mnuUnReDo,
    mnuCut,
    mnuCopy,
    mnuPaste,
    mnuDelete,
    mnuSelectAll,
    mnuLCase,
    mnuUCase,
    mnuDateTime,
    mnuFindReplace,
    mnuView,
    mnuAscii,
    mnuAnsi,
    mnuOnTop,
    mnuWrap,
    mnuCharMap,
    mnuAbout,
    mnuSeparator = 0,
};

// Virtual-key codes used by the shortcuts (kept here so the table needs no Win32 header).
constexpr unsigned short kVkDelete = 0x2E;
constexpr unsigned short kVkF5 = 0x74;

struct MenuItemDef {
    MenuId id;
    MenuId parent;             // mnuSeparator for the menu bar itself
    const char* caption;       // "-" for a separator line
    unsigned short key;        // shortcut virtual key, 0 for none
    bool ctrl;                 // the shortcut needs Ctrl
    bool checked;              // initial check mark
    void (frmMain::*click)();  // its handler; none for a separator line
};

// Marks where an item's caption ends in an ellipsis, which is a different byte, or two,
// in each ANSI code page.
constexpr char kMenuEllipsis = '\x01';

// The whole menu tree in display order, each bar menu followed by its items, with the
// handler of each: the one place where an id meets its handler.
const std::vector<MenuItemDef>& MainMenuDefinition();

// The item's text as the menu shows it: the caption with `ellipsis` (in the ANSI code
// page) in place of kMenuEllipsis, then a tab and the shortcut, if any.
std::string MenuItemText(const MenuItemDef& item, const std::string& ellipsis);

// "Ctrl+N", "Del", "F5": the shortcut as the menu shows it after a tab.
const char* ShortcutText(const MenuItemDef& item);

}  // namespace quillet

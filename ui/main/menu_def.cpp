#include "ui/main/menu_def.h"

#include "ui/main/frmMain.h"

#include <string>

namespace quillet {

const std::vector<MenuItemDef>& MainMenuDefinition() {
    // kMenuEllipsis (\x01) stands for the ANSI code page's own ellipsis (MenuItemText). A
    // bar menu's handler runs when it opens, an item's when it is chosen.
    static const std::vector<MenuItemDef> items = {
        {mnuFile, mnuSeparator, "&File", 0, false, false, &frmMain::mnuFile_Click},
        {mnuNew, mnuFile, "&New", 'N', true, false, &frmMain::mnuNew_Click},
        {mnuSeparator, mnuFile, "-", 0, false, false, nullptr},
        {mnuOpen, mnuFile, "&Open\x01", 'O', true, false, &frmMain::mnuOpen_Click},
        {mnuSave, mnuFile, "&Save", 'S', true, false, &frmMain::mnuSave_Click},
        {mnuSaveAs, mnuFile, "Save &As...", 'Q', true, false, &frmMain::mnuSaveAs_Click},
        {mnuSeparator, mnuFile, "-", 0, false, false, nullptr},
        {mnuPrint, mnuFile, "&Print\x01", 'P', true, false, &frmMain::mnuPrint_Click},
        {mnuSeparator, mnuFile, "-", 0, false, false, nullptr},
        {mnuExit, mnuFile, "&Exit", 0, false, false, &frmMain::mnuExit_Click},
        {mnuEdit, mnuSeparator, "&Edit", 0, false, false, &frmMain::mnuEdit_Click},
        {mnuUnReDo, mnuEdit, "&Undo", 'Z', true, false, &frmMain::mnuUnReDo_Click},
        {mnuSeparator, mnuEdit, "-", 0, false, false, nullptr},
        {mnuCut, mnuEdit, "Cu&t", 'X', true, false, &frmMain::mnuCut_Click},
        {mnuCopy, mnuEdit, "&Copy", 'C', true, false, &frmMain::mnuCopy_Click},
        {mnuPaste, mnuEdit, "&Paste", 'V', true, false, &frmMain::mnuPaste_Click},
        {mnuDelete, mnuEdit, "&Delete", kVkDelete, false, false, &frmMain::mnuDelete_Click},
        {mnuSeparator, mnuEdit, "-", 0, false, false, nullptr},
        {mnuSelectAll, mnuEdit, "Select &All", 'A', true, false, &frmMain::mnuSelectAll_Click},
        {mnuSeparator, mnuEdit, "-", 0, false, false, nullptr},
        {mnuLCase, mnuEdit, "To &LowerCase", 'L', true, false, &frmMain::mnuLCase_Click},
        {mnuUCase, mnuEdit, "To U&pperCase", 'U', true, false, &frmMain::mnuUCase_Click},
        {mnuSeparator, mnuEdit, "-", 0, false, false, nullptr},
        {mnuDateTime, mnuEdit, "Insert Date/&Time", kVkF5, false, false,
         &frmMain::mnuDateTime_Click},
        {mnuFindReplace, mnuEdit, "&Find/Replace\x01", 'F', true, false,
         &frmMain::mnuFindReplace_Click},
        {mnuView, mnuSeparator, "&View", 0, false, false, nullptr},
        {mnuAscii, mnuView, "A&SCII", 'D', true, false, &frmMain::mnuAscii_Click},
        {mnuAnsi, mnuView, "&ANSI", 'W', true, true, &frmMain::mnuAnsi_Click},
        {mnuOnTop, mnuView, "Always on &Top", 'T', true, false, &frmMain::mnuOnTop_Click},
        {mnuWrap, mnuView, "Word &wrap", 0, false, false, &frmMain::mnuWrap_Click},
        {mnuSeparator, mnuView, "-", 0, false, false, nullptr},
        {mnuCharMap, mnuView, "Characters &map", 'M', true, false, &frmMain::mnuCharMap_Click},
        {mnuAbout, mnuSeparator, "&About", 0, false, false, &frmMain::mnuAbout_Click},
    };
    return items;
}

std::string MenuItemText(const MenuItemDef& item, const std::string& ellipsis) {
    std::string text = item.caption;
    if (const size_t at = text.find(kMenuEllipsis); at != std::string::npos) {
        text.replace(at, 1, ellipsis);
    }
    const std::string shortcut = ShortcutText(item);
    return shortcut.empty() ? text : text + "\t" + shortcut;
}

const char* ShortcutText(const MenuItemDef& item) {
    static const std::string letters[26] = {
        "Ctrl+A", "Ctrl+B", "Ctrl+C", "Ctrl+D", "Ctrl+E", "Ctrl+F", "Ctrl+G", "Ctrl+H", "Ctrl+I",
        "Ctrl+J", "Ctrl+K", "Ctrl+L", "Ctrl+M", "Ctrl+N", "Ctrl+O", "Ctrl+P", "Ctrl+Q", "Ctrl+R",
        "Ctrl+S", "Ctrl+T", "Ctrl+U", "Ctrl+V", "Ctrl+W", "Ctrl+X", "Ctrl+Y", "Ctrl+Z"};
    if (item.key == kVkDelete) {
        return "Del";
    }
    if (item.key == kVkF5) {
        return "F5";
    }
    if (item.ctrl && item.key >= 'A' && item.key <= 'Z') {
        return letters[item.key - 'A'].c_str();
    }
    return "";
}

}  // namespace quillet

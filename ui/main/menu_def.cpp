#include "ui/main/menu_def.h"

#include <string>

namespace quillet {

const std::vector<MenuItemDef>& MainMenuDefinition() {
    // kMenuEllipsis (\x01) stands for the ANSI code page's own ellipsis (MenuItemText).
    static const std::vector<MenuItemDef> items = {
        {mnuFile, mnuSeparator, "&File", 0, false, false},
        {mnuNew, mnuFile, "&New", 'N', true, false},
        {mnuSeparator, mnuFile, "-", 0, false, false},
        {mnuOpen, mnuFile, "&Open\x01", 'O', true, false},
        {mnuSave, mnuFile, "&Save", 'S', true, false},
        {mnuSaveAs, mnuFile, "Save &As...", 'Q', true, false},
        {mnuSeparator, mnuFile, "-", 0, false, false},
        {mnuPrint, mnuFile, "&Print\x01", 'P', true, false},
        {mnuSeparator, mnuFile, "-", 0, false, false},
        {mnuExit, mnuFile, "&Exit", 0, false, false},
        {mnuEdit, mnuSeparator, "&Edit", 0, false, false},
        {mnuUnReDo, mnuEdit, "&Undo", 'Z', true, false},
        {mnuSeparator, mnuEdit, "-", 0, false, false},
        {mnuCut, mnuEdit, "Cu&t", 'X', true, false},
        {mnuCopy, mnuEdit, "&Copy", 'C', true, false},
        {mnuPaste, mnuEdit, "&Paste", 'V', true, false},
        {mnuDelete, mnuEdit, "&Delete", kVkDelete, false, false},
        {mnuSeparator, mnuEdit, "-", 0, false, false},
        {mnuSelectAll, mnuEdit, "Select &All", 'A', true, false},
        {mnuSeparator, mnuEdit, "-", 0, false, false},
        {mnuLCase, mnuEdit, "To &LowerCase", 'L', true, false},
        {mnuUCase, mnuEdit, "To U&pperCase", 'U', true, false},
        {mnuSeparator, mnuEdit, "-", 0, false, false},
        {mnuDateTime, mnuEdit, "Insert Date/&Time", kVkF5, false, false},
        {mnuFindReplace, mnuEdit, "&Find/Replace\x01", 'F', true, false},
        {mnuView, mnuSeparator, "&View", 0, false, false},
        {mnuAscii, mnuView, "A&SCII", 'D', true, false},
        {mnuAnsi, mnuView, "&ANSI", 'W', true, true},
        {mnuOnTop, mnuView, "Always on &Top", 'T', true, false},
        {mnuWrap, mnuView, "Word &wrap", 0, false, false},
        {mnuSeparator, mnuView, "-", 0, false, false},
        {mnuCharMap, mnuView, "Characters &map", 'M', true, false},
        {mnuAbout, mnuSeparator, "&About", 0, false, false},
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

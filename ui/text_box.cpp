#include "ui/text_box.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/win32_util.h"

namespace {

bool ProbeCountsCharacters() {
    if (!AnsiIsDoubleByte()) {
        return false;  // every character is one byte: the units agree
    }
    const std::string sample = AnsiFirstDoubleByteChar();
    const HWND probe = CreateWindowExA(0, "EDIT", sample.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    if (probe == nullptr) {
        return true;
    }
    SendMessageA(probe, EM_SETSEL, 0, -1);
    DWORD end = 0;
    SendMessageA(probe, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    DestroyWindow(probe);
    return end == 1;
}

bool CountsCharacters() {
    static const bool characters = ProbeCountsCharacters();
    return characters;
}

DWORD ToBytes(const std::string& text, DWORD position) {
    if (!CountsCharacters()) {
        return std::min<DWORD>(position, static_cast<DWORD>(text.size()));
    }
    return static_cast<DWORD>(quillet::OffsetOfChar(text, position, AnsiLeadBytes()));
}

DWORD ToPosition(const std::string& text, size_t offset) {
    if (!CountsCharacters()) {
        return static_cast<DWORD>(offset);
    }
    const std::string_view head = std::string_view(text).substr(0, offset);
    return static_cast<DWORD>(quillet::CharCount(head, AnsiLeadBytes()));
}

}  // namespace

void LearnTextBoxUnit() {
    CountsCharacters();
}

Selection BoxSelection(HWND edit) {
    Selection sel{0, 0};
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&sel.start),
                 reinterpret_cast<LPARAM>(&sel.end));
    return sel;
}

Selection SelectionOf(HWND edit, const std::string& text) {
    const Selection box = BoxSelection(edit);
    return {ToBytes(text, box.start), ToBytes(text, box.end)};
}

void SelectBytes(HWND edit, const std::string& text, size_t start, size_t end) {
    SendMessageA(edit, EM_SETSEL, ToPosition(text, start), ToPosition(text, end));
}

void ReplaceSelection(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_REPLACESEL, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

std::string SelectedText(HWND edit) {
    const std::string text = WindowText(edit);
    const Selection sel = SelectionOf(edit, text);
    if (sel.end <= sel.start) {
        return "";
    }
    return text.substr(sel.start, sel.end - sel.start);
}

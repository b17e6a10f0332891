#include "ui/text_box.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/win32_util.h"

namespace {

// What one position of the box counts.
enum class BoxUnit { Bytes, Characters, Utf16 };

// Learned from the box itself: sample characters of the code page, selected whole, end
// at their count of bytes, characters or UTF-16 units (they differ in number where the
// code page lets them: under UTF-8 "e acute" is 2 bytes and an emoji 4 bytes, 2 units).
BoxUnit MeasureBoxUnit() {
    const std::string sample = AnsiSampleChars();
    if (sample.empty()) {
        return BoxUnit::Bytes;  // every character is one byte: the units agree
    }
    const quillet::CodePage& cp = AnsiCodePage();
    const HWND sampleBox = CreateWindowExA(0, "EDIT", sample.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                           nullptr, GetModuleHandleA(nullptr), nullptr);
    if (sampleBox == nullptr) {
        return BoxUnit::Characters;
    }
    SendMessageA(sampleBox, EM_SETSEL, 0, -1);
    DWORD end = 0;
    SendMessageA(sampleBox, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    DestroyWindow(sampleBox);
    if (end == quillet::CharCount(sample, cp)) {
        return BoxUnit::Characters;
    }
    if (end == quillet::Utf16Count(sample, cp)) {
        return BoxUnit::Utf16;
    }
    return BoxUnit::Bytes;
}

BoxUnit Unit() {
    static const BoxUnit unit = MeasureBoxUnit();
    return unit;
}

DWORD ToBytes(const std::string& text, DWORD position) {
    switch (Unit()) {
        case BoxUnit::Bytes:
            break;
        case BoxUnit::Characters:
            return static_cast<DWORD>(quillet::OffsetOfChar(text, position, AnsiCodePage()));
        case BoxUnit::Utf16:
            return static_cast<DWORD>(quillet::OffsetOfUtf16(text, position, AnsiCodePage()));
    }
    return std::min<DWORD>(position, static_cast<DWORD>(text.size()));
}

DWORD ToPosition(const std::string& text, size_t offset) {
    const std::string_view head = std::string_view(text).substr(0, offset);
    switch (Unit()) {
        case BoxUnit::Bytes:
            break;
        case BoxUnit::Characters:
            return static_cast<DWORD>(quillet::CharCount(head, AnsiCodePage()));
        case BoxUnit::Utf16:
            return static_cast<DWORD>(quillet::Utf16Count(head, AnsiCodePage()));
    }
    return static_cast<DWORD>(offset);
}

}  // namespace

void LearnTextBoxUnit() {
    Unit();
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

bool TextFitsCodePage(HWND edit) {
    // Asked of the edit class's own Unicode procedure: through a window procedure of the
    // program's (an ANSI subclass) the text would come converted already.
    const auto proc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
    const auto length = static_cast<size_t>(CallWindowProcW(proc, edit, WM_GETTEXTLENGTH, 0, 0));
    std::wstring wide(length + 1, L'\0');
    wide.resize(static_cast<size_t>(CallWindowProcW(proc, edit, WM_GETTEXT, wide.size(),
                                                    reinterpret_cast<LPARAM>(wide.data()))));
    if (wide.empty()) {
        return true;
    }
    const int units = static_cast<int>(wide.size());
    std::string ansi(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr,
                                                             0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, ansi.data(), static_cast<int>(ansi.size()),
                        nullptr, nullptr);
    std::wstring back(wide.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                      back.data(), static_cast<int>(back.size()));
    return n == units && back == wide;
}

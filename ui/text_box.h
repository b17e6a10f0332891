#pragma once
// Edit-control helpers for the document text box and the dialogs that work on it.
// The box counts positions in its own unit: where a character can take several bytes,
// some edit controls count it as one position, others by its bytes, others by its UTF-16
// units. Callers work in byte offsets of the box's ANSI text; the conversion is made
// here and nowhere else.
#include <windows.h>

#include <string>

// An edit control's selection, start <= end.
struct Selection {
    DWORD start;
    DWORD end;
};

// Measures the system's edit control once for its unit (on multi-byte code pages only);
// called when the document text box is made, so later conversions cost nothing extra.
void LearnTextBoxUnit();

// The selection in the box's own positions, as its line messages take them.
Selection BoxSelection(HWND edit);

// The selection as byte offsets into `text`, the box's window text.
Selection SelectionOf(HWND edit, const std::string& text);

// Selects the bytes [start, end) of `text`, the box's window text.
void SelectBytes(HWND edit, const std::string& text, size_t start, size_t end);

// Replaces an edit control's selection (or inserts at the caret) as one undoable edit.
void ReplaceSelection(HWND edit, const std::string& text);

// The selected text of an edit control, as ANSI (empty when nothing is selected).
std::string SelectedText(HWND edit);

// Whether the box's text survives the ANSI code page: under Wine the ANSI box keeps
// Unicode inside, so a paste from another program can hold characters that reading the
// text as ANSI would replace. Read through the Unicode entry point and converted there
// and back, at most one conversion of the document each way.
bool TextFitsCodePage(HWND edit);

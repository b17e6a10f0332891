#pragma once
// The document as the Find/Replace dialog reaches it: the window that owns the dialog,
// and the text box's text and selection in byte offsets of its ANSI text.
#include <windows.h>

#include <string>

#include "ui/text_box.h"

class IFindTarget {
public:
    virtual HWND OwnerWindow() const = 0;
    virtual std::string Text() const = 0;
    virtual Selection SelectedBytes() const = 0;
    // Selects [start, end) and scrolls it into view.
    virtual void SelectBytesAndScroll(size_t start, size_t end) = 0;
    // Replaces the selection as one undoable edit.
    virtual void ReplaceSelectedText(const std::string& text) = 0;
    // Sets the text box's modification flag and runs the change handling, as an edit does.
    virtual void MarkChanged() = 0;

protected:
    ~IFindTarget() = default;
};

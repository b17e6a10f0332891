#include "ui/main/status_line.h"

#include "core/app/status_text.h"
#include "ui/main/frmMain.h"
#include "ui/text_box.h"

namespace mdlCode {

void UpdateStatus(frmMain& form) {
    const HWND box = form.txtDoc();
    const Selection sel = BoxSelection(box);
    const auto line = static_cast<int32_t>(SendMessageA(box, EM_LINEFROMCHAR, sel.start, 0));
    const auto lineStart = static_cast<int32_t>(SendMessageA(box, EM_LINEINDEX, line, 0));
    const auto s = static_cast<int32_t>(sel.start);
    form.SetStatus(quillet::ColRowCaption(quillet::CaretPositionOf(s, line, lineStart)),
                   quillet::SelectionCaption(static_cast<int32_t>(sel.end - sel.start)));
}

}  // namespace mdlCode

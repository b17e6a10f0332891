#include "platform/error_box.h"

#include "platform/win32_util.h"

void ShowErrorBox(IPlatform& ui, HWND owner, unsigned long number) {
    ShowErrorBox(ui, owner, number, ErrorDescription(number));
}

void ShowErrorBox(IPlatform& ui, HWND owner, unsigned long number, const std::string& description) {
    ui.ShowMessage(owner, "Error #" + std::to_string(number) + " :: " + description, MsgIcon::Stop,
                   MsgButtons::Ok);
}

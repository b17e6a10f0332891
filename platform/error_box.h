#pragma once
// The message box of a run-time failure: "Error #" number " :: " description.
#include <string>

#include "platform/platform.h"

// The failure's number with the system's text for it.
void ShowErrorBox(IPlatform& ui, HWND owner, unsigned long number);

// The failure's number with a description the caller already has.
void ShowErrorBox(IPlatform& ui, HWND owner, unsigned long number, const std::string& description);

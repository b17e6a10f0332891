#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

// The reusable common-dialog object: callers write its public fields, call a Show...
// method and read the results back from the same fields, which keep their values from
// one use to the next.
class CComDlgEx {
  public:
    explicit CComDlgEx(IPlatform& platform);

    bool IsDlgLoaded = false;
    std::string DialogCaption;
    std::string FileTitle;
    std::string Filter;
    int32_t FilterIndex = 0;
    std::string InitDir;
    int32_t Flags = 0;
    int32_t hwndOwner = 0;
    std::string FileName;
    std::string DefExt;
    std::string TopFolder;
    std::string SelFolder;
    std::string FolderDialogPrompt;
    int32_t SelFontColor = 0;
    int32_t SelColor = 0;

    // True exactly when an ordinary file (not hidden, not system, not a folder) matches
    // the path; "*" and "?" act as wildcards. Never fails.
    bool fnExistFile(const std::string& sFullPath) const;

  private:
    IPlatform& platform_;
};

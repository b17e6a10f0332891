#pragma once
// No exception may unwind from a window procedure through the system's frames: each
// procedure runs its handlers through GuardMessage, which reports what they throw in
// the usual error box and answers the message with a neutral result.
#include <new>
#include <stdexcept>
#include <string>

#include "platform/error_box.h"
#include "platform/platform.h"

// Shows the exception being handled as a run-time error, "Error #" number " :: "
// description: a RunTimeError as it is, running out of memory (or a string that can't
// grow) as ERROR_NOT_ENOUGH_MEMORY, anything else as a general failure. Call it only
// from a catch block. It never throws: when not even the box can be had, nothing shows.
inline void ReportHandlerFailure(IPlatform& platform, HWND owner) noexcept {
    try {
        unsigned long number = ERROR_GEN_FAILURE;
        std::string description;
        try {
            throw;
        } catch (const RunTimeError& e) {
            number = e.number();
            description = e.description();
        } catch (const std::bad_alloc&) {
            number = ERROR_NOT_ENOUGH_MEMORY;
        } catch (const std::length_error&) {
            number = ERROR_NOT_ENOUGH_MEMORY;
        } catch (...) {
        }
        if (description.empty()) {
            ShowErrorBox(platform, owner, number);
        } else {
            ShowErrorBox(platform, owner, number, description);
        }
    } catch (...) {
    }
}

// The handler's result, or `failed` after reporting what it threw.
template <typename Result, typename Handler>
Result GuardMessage(IPlatform& platform, HWND owner, Result failed, Handler&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        ReportHandlerFailure(platform, owner);
        return failed;
    }
}

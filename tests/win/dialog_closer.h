#pragma once
// Closes a real common dialog of this process from another thread, as a user would.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

// Finds the first dialog of this process and closes it the way a user would.
class DialogCloser {
public:
    // The action gets the dialog's handle once it shows.
    template <typename Action>
    explicit DialogCloser(Action action)
        : thread_([this, action] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
              while (!stop_ && std::chrono::steady_clock::now() < deadline) {
                  if (const HWND dialog = FindDialog()) {
                      char text[256] = {};
                      GetWindowTextA(dialog, text, sizeof text);
                      caption_ = text;
                      found_ = true;
                      action(dialog);
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
          }) {}
    ~DialogCloser() { Wait(); }
    // Ends the search; what it found may be read afterwards.
    void Wait() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;
    bool found() const { return found_; }
    const std::string& caption() const { return caption_; }

private:
    static HWND FindDialog() {
        HWND match = nullptr;
        EnumWindows(
            [](HWND hwnd, LPARAM out) -> BOOL {
                DWORD pid = 0;
                GetWindowThreadProcessId(hwnd, &pid);
                char cls[64] = {};
                GetClassNameA(hwnd, cls, sizeof cls);
                if (pid == GetCurrentProcessId() && std::string(cls) == "#32770" &&
                    IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND*>(out) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&match));
        return match;
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> found_{false};
    std::string caption_;
    std::thread thread_;
};

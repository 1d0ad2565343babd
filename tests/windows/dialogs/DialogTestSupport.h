#pragma once
#include <windows.h>

#include <string>
#include <vector>

// What the in-process dialog tests share: a plain host window, message pumping,
// message boxes answered and recorded, and pixels read back from the screen.
namespace dialog_test {

// A visible top-level window of the system's "STATIC" class whose client area is
// width x height, at the screen's top-left corner.
struct HostWindow {
    HostWindow(int width, int height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND hwnd = nullptr;
};

// Dispatches this thread's pending messages, repeatedly for a short while, so that
// paints and posted notifications have happened when it returns.
void settle(DWORD milliseconds = 100);

// While it lives, every message box of this thread is answered with OK at once and
// its text recorded.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    const std::vector<std::string>& texts() const;
};

// 24-bit pixels, B, G, R, rows top first, packed.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
    const unsigned char* at(int x, int y) const { return &bgr[(size_t(y) * width + x) * 3]; }
};

// The screen's pixels under a window's client area.
Pixels captureClient(HWND window);
// Top row first, as pictures are viewed; false when it cannot be written.
bool writePng(const Pixels& pixels, const std::string& path);

}  // namespace dialog_test

#pragma once
#include <windows.h>

#include <cstddef>

// A window object bound to one window handle. Creation goes through a CBT hook,
// so every message from the first on reaches windowProc, whatever the window
// class (our own, or a system class such as the dialog class "#32770").
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    bool createEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  const RECT& rect, HWND parent, UINT id);
    bool destroy();
    // Destroys the window without hiding it first. Under Wine each hide of a window
    // that the window manager looks after waits up to 2 s for its answer, the whole
    // 2 s on a display without one. The caller repaints what the window covered.
    bool destroyUnhidden();
    virtual bool isDialog() const { return false; }

    static Window* fromHandle(HWND hwnd);
    // The framework's own window class: default procedure, arrow cursor, no background brush.
    static const char* defaultClassName();

protected:
    template <class T> struct MessageEntry {
        UINT message;
        LRESULT (T::*handler)(WPARAM, LPARAM);
    };

    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after the window is gone; self-deleting windows delete themselves here.
    virtual void postNcDestroy() {}

    // Routes a message to the handler of its row, or to the default processing.
    template <class T, std::size_t N>
    LRESULT dispatch(const MessageEntry<T> (&map)[N], UINT message, WPARAM wParam, LPARAM lParam)
    {
        for (const MessageEntry<T>& entry : map) {
            if (entry.message == message)
                return (static_cast<T*>(this)->*entry.handler)(wParam, lParam);
        }
        return defaultProc(message, wParam, lParam);
    }

    // Arms the hook so that the next window created on this thread binds to this object.
    void prepareCreation();

private:
    friend struct WindowRouting;
    void attach(HWND hwnd);
    void detach();

    HWND hwnd_ = nullptr;
    WNDPROC classProc_ = nullptr;
};

#pragma once
#include <windows.h>

#include <cstddef>

// A window object bound to one window handle. Windows of the framework's own
// class bind at WM_NCCREATE through CreateWindowEx's creation parameter; a
// window of another class (a system class) binds through a CBT hook armed for
// that one call only, so no later window of the thread can bind by mistake.
//
// Who deletes a window object: whoever created it owns it (a member, a local, a
// unique_ptr) and deletes it after its window is gone; no class deletes itself.
// An object deleted while its window still exists destroys that window without
// running its own handlers.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    bool createEx(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect, HWND parent,
                  UINT id);
    // A window of a system class with a UTF-16 title that stays a Unicode window,
    // so that its text in any script survives setting and reading.
    bool createExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                   HWND parent, UINT id);
    bool destroy();
    // Destroys the window without hiding it first. Under Wine each hide of a window
    // that the window manager looks after waits up to 2 s for its answer, the whole
    // 2 s on a display without one. The caller repaints what the window covered.
    bool destroyUnhidden();

    // The main window: the end of its window posts the quit request that ends the loop.
    void endLoopWhenGone() { endsLoop_ = true; }

    static Window* fromHandle(HWND hwnd);
    // The framework's own window class: our procedure, arrow cursor, no background brush.
    static const char* defaultClassName();

protected:
    template <class T> struct MessageEntry {
        UINT message;
        LRESULT (T::*handler)(WPARAM, LPARAM);
    };

    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after the window is gone, the object unbound from it.
    virtual void postNcDestroy() {}
    // A background-erase answer: the client area filled black with the given device context.
    LRESULT eraseBlack(WPARAM dc);

    // Routes a message to the handler of its row, or to the default processing: for
    // windows that derive from Window directly (dialogs use Dialog's handler tables).
    template <class T, std::size_t N>
    LRESULT dispatch(const MessageEntry<T> (&map)[N], UINT message, WPARAM wParam, LPARAM lParam)
    {
        for (const MessageEntry<T>& entry : map) {
            if (entry.message == message)
                return (static_cast<T*>(this)->*entry.handler)(wParam, lParam);
        }
        return defaultProc(message, wParam, lParam);
    }

    // Binding of a handle to this object, and its end once the window is gone.
    void bind(HWND hwnd);
    void windowGone();

private:
    friend struct WindowRouting;
    void subclass();
    void unbind();

    HWND hwnd_ = nullptr;
    WNDPROC classProc_ = nullptr;
    bool wide_ = false;
    bool endsLoop_ = false;
};

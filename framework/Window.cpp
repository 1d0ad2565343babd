#include "framework/Window.h"

#include "framework/Application.h"

namespace {
const char kWindowProperty[] = "Zandor.Window";
thread_local Window* pendingWindow = nullptr;
thread_local HHOOK creationHook = nullptr;
}

struct WindowRouting {
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Window* window = Window::fromHandle(hwnd);
        if (!window)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        LRESULT result = 0;
        try {
            result = window->windowProc(message, wParam, lParam);
        } catch (...) {
            // Nothing may be thrown across the system's window procedure.
            result = window->defaultProc(message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            window->detach();
            Application::windowGone(window);
            window->postNcDestroy();
        }
        return result;
    }

    static LRESULT CALLBACK creationFilter(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && pendingWindow) {
            Window* window = pendingWindow;
            pendingWindow = nullptr;
            window->attach(reinterpret_cast<HWND>(wParam));
        }
        return CallNextHookEx(creationHook, code, wParam, lParam);
    }
};

Window::~Window()
{
    if (hwnd_) {
        HWND hwnd = hwnd_;
        detach();
        DestroyWindow(hwnd);
    }
}

Window* Window::fromHandle(HWND hwnd)
{
    return static_cast<Window*>(GetPropA(hwnd, kWindowProperty));
}

void Window::prepareCreation()
{
    if (!creationHook)
        creationHook = SetWindowsHookExA(WH_CBT, WindowRouting::creationFilter, nullptr, GetCurrentThreadId());
    pendingWindow = this;
}

bool Window::createEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                      const RECT& rect, HWND parent, UINT id)
{
    prepareCreation();
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                GetModuleHandleA(nullptr), nullptr);
    pendingWindow = nullptr;
    return hwnd != nullptr;
}

const char* Window::defaultClassName()
{
    static const char kName[] = "ZandorWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kName;
        registered = RegisterClassA(&windowClass) != 0;
    }
    return kName;
}

bool Window::destroy()
{
    return hwnd_ && DestroyWindow(hwnd_);
}

bool Window::destroyUnhidden()
{
    if (!hwnd_)
        return false;
    // Clears the visible style without a hide, so destruction starts with none.
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    return DestroyWindow(hwnd_) != FALSE;
}

void Window::attach(HWND hwnd)
{
    hwnd_ = hwnd;
    SetPropA(hwnd, kWindowProperty, this);
    classProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowRouting::procedure)));
}

void Window::detach()
{
    if (!hwnd_)
        return;
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
    RemovePropA(hwnd_, kWindowProperty);
    hwnd_ = nullptr;
}

LRESULT Window::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultProc(message, wParam, lParam);
}

LRESULT Window::defaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!classProc_)
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    return CallWindowProcA(classProc_, hwnd_, message, wParam, lParam);
}

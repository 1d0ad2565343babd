#include "framework/Window.h"

namespace {
const char kWindowProperty[] = "Zandor.Window";
// Only between arming and the end of one CreateWindowEx call of a foreign class.
thread_local Window* pendingWindow = nullptr;
thread_local HHOOK creationHook = nullptr;
}

struct WindowRouting {
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Window* window = Window::fromHandle(hwnd);
        if (!window && message == WM_NCCREATE) {
            window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            if (window)
                window->bind(hwnd);
        }
        if (!window)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        LRESULT result = 0;
        try {
            result = window->windowProc(message, wParam, lParam);
        } catch (...) {
            // Nothing may be thrown across the system's window procedure.
            result = window->defaultProc(message, wParam, lParam);
        }
        if (message == WM_NCDESTROY)
            window->windowGone();
        return result;
    }

    static LRESULT CALLBACK creationFilter(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && pendingWindow) {
            const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            if (create->lpCreateParams == pendingWindow) {
                Window* window = pendingWindow;
                pendingWindow = nullptr;
                window->bind(reinterpret_cast<HWND>(wParam));
                window->subclass();
            }
        }
        return CallNextHookEx(creationHook, code, wParam, lParam);
    }
};

namespace {
bool isOwnClass(const char* className)
{
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    return GetClassInfoExA(GetModuleHandleA(nullptr), className, &info) &&
           info.lpfnWndProc == &WindowRouting::procedure;
}

// Arms the hook for one creation of a foreign-class window; disarms it on every path.
class ForeignCreation {
public:
    explicit ForeignCreation(Window* window)
    {
        pendingWindow = window;
        creationHook = SetWindowsHookExA(WH_CBT, WindowRouting::creationFilter, nullptr, GetCurrentThreadId());
    }
    ~ForeignCreation()
    {
        pendingWindow = nullptr;
        if (creationHook)
            UnhookWindowsHookEx(creationHook);
        creationHook = nullptr;
    }
    ForeignCreation(const ForeignCreation&) = delete;
    ForeignCreation& operator=(const ForeignCreation&) = delete;
};
}

Window::~Window()
{
    if (hwnd_) {
        HWND hwnd = hwnd_;
        unbind();
        DestroyWindow(hwnd);
    }
}

Window* Window::fromHandle(HWND hwnd)
{
    return static_cast<Window*>(GetPropA(hwnd, kWindowProperty));
}

bool Window::createEx(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect,
                      HWND parent, UINT id)
{
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    auto create = [&] {
        return CreateWindowExA(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent, menu, GetModuleHandleA(nullptr), this);
    };
    if (isOwnClass(className))
        return create() != nullptr;
    ForeignCreation hook(this);
    return create() != nullptr;
}

bool Window::createExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                       HWND parent, UINT id)
{
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    wide_ = true;
    ForeignCreation hook(this);
    return CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, menu, GetModuleHandleA(nullptr), this) != nullptr;
}

const char* Window::defaultClassName()
{
    static const char kName[] = "ZandorWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        // Redrawn whole on every size change: the preview stretches its picture to fit.
        windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = &WindowRouting::procedure;
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

void Window::bind(HWND hwnd)
{
    hwnd_ = hwnd;
    SetPropA(hwnd, kWindowProperty, this);
}

// The A or W form decides whether the window stays a Unicode one.
void Window::subclass()
{
    const LONG_PTR procedure = reinterpret_cast<LONG_PTR>(&WindowRouting::procedure);
    classProc_ = reinterpret_cast<WNDPROC>(wide_ ? SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, procedure)
                                                 : SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, procedure));
}

void Window::unbind()
{
    if (!hwnd_)
        return;
    if (classProc_ && wide_)
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
    else if (classProc_)
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
    RemovePropA(hwnd_, kWindowProperty);
    hwnd_ = nullptr;
    classProc_ = nullptr;
}

void Window::windowGone()
{
    unbind();
    if (endsLoop_)
        PostQuitMessage(0);
    postNcDestroy();
}

LRESULT Window::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultProc(message, wParam, lParam);
}

LRESULT Window::defaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!classProc_)
        return wide_ ? DefWindowProcW(hwnd_, message, wParam, lParam) : DefWindowProcA(hwnd_, message, wParam, lParam);
    return wide_ ? CallWindowProcW(classProc_, hwnd_, message, wParam, lParam)
                 : CallWindowProcA(classProc_, hwnd_, message, wParam, lParam);
}

LRESULT Window::eraseBlack(WPARAM dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(reinterpret_cast<HDC>(dc), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
}

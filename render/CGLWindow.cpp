#include "render/CGLWindow.h"

#include "config/SettingsStore.h"
#include "framework/DeviceContext.h"
#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "render/ClosingInput.h"
#include "render/StartupMarks.h"
#include "render/VideoModeChooser.h"
#include "render/Win32DisplayModes.h"
#include "resources/ProductStrings.h"

namespace {
const UINT_PTR FRAME_TIMER_ID = 0;
const UINT kShortestPeriod = 0;
const size_t kStringBufferSize = 1024;

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "pixel format record of 40 bytes");

// clang-format off
const PIXELFORMATDESCRIPTOR pixelFormatRequest = {
    sizeof(PIXELFORMATDESCRIPTOR),
    1,
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
    PFD_TYPE_RGBA,
    16,
    0, 0, 0, 0, 0, 0, // red, green, blue bits and shifts
    0, 0,             // alpha bits and shift
    0, 0, 0, 0, 0,    // accumulation
    16,               // depth
    1,                // stencil
    0,                // auxiliary buffers
    1,                // layer type, ignored by current drivers
    0, 0, 0, 0,       // reserved and layer masks
};
// clang-format on

void contextError(HWND owner, const char* text)
{
    showMessage(owner, text, MB_OK | MB_ICONSTOP);
    PostQuitMessage(0);
}

RECT screenRect()
{
    RECT rect = {0, 0, 0, 0};
    const WindowDC screen(nullptr);
    if (screen.get()) {
        rect.right = GetDeviceCaps(screen.get(), HORZRES);
        rect.bottom = GetDeviceCaps(screen.get(), VERTRES);
    }
    return rect;
}

void setScreensaverRunning(BOOL running)
{
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &previous, 0);
}
}

const Window::MessageEntry<CGLWindow> CGLWindow::messageMap[] = {
    {WM_CREATE, &CGLWindow::onCreate},
    {WM_DESTROY, &CGLWindow::onDestroy},
    {WM_SIZE, &CGLWindow::onSize},
    {WM_ERASEBKGND, &CGLWindow::onEraseBackground},
    {WM_TIMER, &CGLWindow::onTimer},
    {WM_KEYDOWN, &CGLWindow::onCloseInput},
    {WM_LBUTTONDOWN, &CGLWindow::onCloseInput},
    {WM_MBUTTONDOWN, &CGLWindow::onCloseInput},
    {WM_RBUTTONDOWN, &CGLWindow::onCloseInput},
    {WM_MOUSEMOVE, &CGLWindow::onMouseMove},
    {WM_SETCURSOR, &CGLWindow::onSetCursor},
    {WM_NCACTIVATE, &CGLWindow::onNcActivate},
    {WM_CANCELMODE, &CGLWindow::onCancelMode},
    {WM_SYSCOMMAND, &CGLWindow::onSysCommand},
    {WM_POWERBROADCAST, &CGLWindow::onPowerBroadcast},
    {WM_DISPLAYCHANGE, &CGLWindow::onDisplayChange},
    {WM_CLOSE, &CGLWindow::onClose},
};

CGLWindow::CGLWindow(Scene& scene, WindowsSceneHost& sceneHost)
    : scene_(scene), sceneHost_(sceneHost), frameStep_(*this, inDialog)
{
}

CGLWindow::~CGLWindow() = default;

bool CGLWindow::create(const RECT& rect, HWND parent)
{
    createEx(WS_EX_TOPMOST, "#32770", "", WS_POPUP | WS_VISIBLE, rect, parent, 0);
    return hwnd() != nullptr;
}

bool CGLWindow::makeCurrent()
{
    return wglMakeCurrent(dc_->get(), context_.get()) != FALSE;
}

LRESULT CGLWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatch(messageMap, message, wParam, lParam);
}

void CGLWindow::postNcDestroy()
{
    setScreensaverRunning(FALSE);
}

void CGLWindow::closeLater()
{
    PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void CGLWindow::resizeScene()
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(hwnd(), &client);
    scene_.resize(client.right - client.left, client.bottom - client.top);
}

// Each failure is reported and ends the program at the posted quit; the later
// steps run on without a context, where GL calls do nothing.
void CGLWindow::createContext()
{
    dc_.emplace(hwnd());
    pixelFormat_ = ChoosePixelFormat(dc_->get(), &pixelFormatRequest);
    if (pixelFormat_ == 0)
        contextError(hwnd(), "Can't Find A Suitable PixelFormat.");
    if (!SetPixelFormat(dc_->get(), pixelFormat_, &pixelFormatRequest))
        contextError(hwnd(), "Can't Set The PixelFormat.");
    context_.reset(wglCreateContext(dc_->get()));
    if (!context_)
        contextError(hwnd(), "Can't Create A GL Rendering Context.");
    if (!makeCurrent())
        contextError(hwnd(), "Can't activate GLRC.");
}

void CGLWindow::chooseDisplayMode()
{
    Win32DisplayModes displayModes;
    VideoModeChooser(displayModes).choose(settings_);
    const RECT screen = screenRect();
    MoveWindow(hwnd(), 0, 0, screen.right, screen.bottom, TRUE);
}

// The loading box takes no input and this window is hidden until creation ends: it
// takes the keyboard and the pointer itself, so that a key or a button while loading
// waits in its queue instead of going nowhere.
void CGLWindow::holdInputWhileLoading()
{
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());
    SetCapture(hwnd());
}

// Input or a close request that came while loading ends the run as soon as loading
// stops: the rest of the loading is skipped and the display keeps its mode.
LRESULT CGLWindow::onCreate(WPARAM wParam, LPARAM lParam)
{
    markStartup("process");
    Dialog loadingBox;
    loadingBox.createModeless(IDD_LOADING, nullptr);
    holdInputWhileLoading();  // after the box shows, which would deactivate this window
    if (defaultProc(WM_CREATE, wParam, lParam) == -1) {
        loadingBox.destroy();
        return -1;
    }
    scene_.prepare();  // the pictures decode while the context is made
    createContext();
    markStartup("context");
    SettingsStore().load(settings_);
    sceneHost_.setMessageOwner(hwnd());
    if (!closingInputWaiting(hwnd())) {
        RECT client = {0, 0, 0, 0};
        GetClientRect(hwnd(), &client);
        scene_.init(settings_, client.right - client.left, client.bottom - client.top);
        markStartup("scene");
    }
    loadingBox.destroyUnhidden();  // the full-screen window covers where it was
    if (closingInputWaiting(hwnd())) {
        closeLater();  // the input may be addressed to the loading box, now gone
        return 0;
    }
    chooseDisplayMode();
    blanker_.cover(hwnd());  // after the mode switch, which may move the other monitors
    resizeScene();
    setScreensaverRunning(TRUE);
    SetTimer(hwnd(), FRAME_TIMER_ID, kShortestPeriod, nullptr);
    ReleaseCapture();  // the window about to show covers the screen
    running_ = true;
    return 0;
}

LRESULT CGLWindow::onDestroy(WPARAM wParam, LPARAM lParam)
{
    running_ = false;
    blanker_.uncover();
    Win32DisplayModes().restoreRegistryMode();
    scene_.shutdown();  // its GL objects go while their context is still current
    wglMakeCurrent(nullptr, nullptr);
    context_.reset();
    sceneHost_.setMessageOwner(nullptr);
    const RECT screen = screenRect();
    InvalidateRect(nullptr, &screen, TRUE);
    dc_.reset();
    return defaultProc(WM_DESTROY, wParam, lParam);
}

LRESULT CGLWindow::onSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = defaultProc(WM_SIZE, wParam, lParam);
    scene_.resize(LOWORD(lParam), HIWORD(lParam));
    return result;
}

LRESULT CGLWindow::onEraseBackground(WPARAM wParam, LPARAM)
{
    return eraseBlack(wParam);
}

LRESULT CGLWindow::onTimer(WPARAM wParam, LPARAM lParam)
{
    if (wParam != FRAME_TIMER_ID)
        return defaultProc(WM_TIMER, wParam, lParam);
    if (!frameStep_.run())
        return 0;
    return defaultProc(WM_TIMER, wParam, lParam);
}

LRESULT CGLWindow::onCloseInput(WPARAM, LPARAM)
{
    closeLater();
    return 0;
}

LRESULT CGLWindow::onMouseMove(WPARAM, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    if (closeRules().mouseMoveCloses(mouseReference, x, y))
        closeLater();
    return 0;
}

LRESULT CGLWindow::onSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (!closeRules().hidesCursor())
        return defaultProc(WM_SETCURSOR, wParam, lParam);
    SetCursor(nullptr);
    return TRUE;
}

LRESULT CGLWindow::onNcActivate(WPARAM wParam, LPARAM lParam)
{
    if (!closeRules().deactivationCloses(wParam != FALSE))
        return defaultProc(WM_NCACTIVATE, wParam, lParam);
    closeLater();
    return FALSE;
}

LRESULT CGLWindow::onCancelMode(WPARAM wParam, LPARAM lParam)
{
    if (closeRules().cancelModeCloses())
        closeLater();
    return defaultProc(WM_CANCELMODE, wParam, lParam);
}

LRESULT CGLWindow::onSysCommand(WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_SCREENSAVE:
    case SC_CLOSE:
        return 0;
    }
    return defaultProc(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT CGLWindow::onPowerBroadcast(WPARAM, LPARAM)
{
    return BROADCAST_QUERY_DENY;
}

LRESULT CGLWindow::onClose(WPARAM wParam, LPARAM lParam)
{
    KillTimer(hwnd(), FRAME_TIMER_ID);
    defaultProc(WM_CLOSE, wParam, lParam);
    destroyUnhidden();  // the destroy steps repaint the screen
    return 0;
}

// A monitor added, removed or moved while the run is on gets covered as it is now.
LRESULT CGLWindow::onDisplayChange(WPARAM wParam, LPARAM lParam)
{
    if (running_)
        blanker_.cover(hwnd());
    return defaultProc(WM_DISPLAYCHANGE, wParam, lParam);
}

uint32_t CGLWindow::tickCount()
{
    return GetTickCount();
}

void CGLWindow::stopTimer()
{
    KillTimer(hwnd(), FRAME_TIMER_ID);
}

void CGLWindow::startTimer()
{
    SetTimer(hwnd(), FRAME_TIMER_ID, kShortestPeriod, nullptr);
}

void CGLWindow::warnSlowRenderer()
{
    char text[kStringBufferSize] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDS_SLOW_RENDERER, text, sizeof text);
    showMessage(hwnd(), text, MB_OK | MB_ICONWARNING);
}

void CGLWindow::drawFrame()
{
    scene_.drawFrame();
}

void CGLWindow::swapBuffers()
{
    SwapBuffers(dc_->get());
    if (frameStep_.frameCount() == 1)
        markStartup("first frame");
}

void CGLWindow::yield()
{
    Sleep(0);
}

bool CGLWindow::inputWaiting()
{
    return HIWORD(GetQueueStatus(QS_INPUT)) != 0;
}

#pragma once
#include <optional>

#include "framework/DeviceContext.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"

#include "config/Settings.h"
#include "render/CloseRules.h"
#include "render/FrameStep.h"
#include "render/MonitorBlanker.h"
#include "render/WindowsSceneHost.h"
#include "scene/Scene.h"

using GlContextHandle = UniqueHandle<HGLRC, wglDeleteContext>;

// The full-screen window of a screensaver run: owns the GL contexts, switches
// the primary display's mode for the run, blacks out the other monitors, drives
// one frame per timer message and closes on user input. The scene's messages are
// owned by this window while it shows the scene.
class CGLWindow : public Window, private FrameHost {
public:
    CGLWindow(Scene& scene, WindowsSceneHost& sceneHost);
    ~CGLWindow() override;

    // Covers rect; the screensaver passes no parent.
    virtual bool create(const RECT& rect, HWND parent);
    bool makeCurrent();
    int frameCount() const { return frameStep_.frameCount(); }

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void postNcDestroy() override;

private:
    void holdInputWhileLoading();
    void createContext();
    void chooseDisplayMode();
    void closeLater();
    CloseRules closeRules() const { return CloseRules(settings_.demoMode != 0, inDialog != 0); }
    void resizeScene();

    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    LRESULT onDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT onSize(WPARAM wParam, LPARAM lParam);
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT onTimer(WPARAM wParam, LPARAM lParam);
    LRESULT onCloseInput(WPARAM wParam, LPARAM lParam);
    LRESULT onMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT onSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT onNcActivate(WPARAM wParam, LPARAM lParam);
    LRESULT onCancelMode(WPARAM wParam, LPARAM lParam);
    LRESULT onSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onPowerBroadcast(WPARAM wParam, LPARAM lParam);
    LRESULT onDisplayChange(WPARAM wParam, LPARAM lParam);
    LRESULT onClose(WPARAM wParam, LPARAM lParam);
    static const MessageEntry<CGLWindow> messageMap[];

    // The frame step's platform.
    uint32_t tickCount() override;
    void stopTimer() override;
    void startTimer() override;
    void warnSlowRenderer() override;
    void drawFrame() override;
    void swapBuffers() override;
    void yield() override;
    bool inputWaiting() override;

    Scene& scene_;
    WindowsSceneHost& sceneHost_;
    // Between the end of the window's creation and its destruction.
    bool running_ = false;
    Settings settings_;
    // Set while a modal message is up: frames stop and the pointer and focus rules rest.
    int inDialog = 0;
    MouseReference mouseReference;
    FrameStep frameStep_;
    // Black windows over the other monitors; their input comes here.
    MonitorBlanker blanker_;
    // From the start of the context's creation to the window's destruction.
    std::optional<WindowDC> dc_;
    GlContextHandle context_;
    int pixelFormat_ = 0;
};

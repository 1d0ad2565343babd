#pragma once
#include <cstdint>

// What the scene needs from the platform it runs on.
class SceneHost {
public:
    enum IconKind : unsigned { PlainIcon = 0, ErrorIcon = 1 };

    virtual ~SceneHost() = default;
    // A modal message captioned with the application title.
    virtual void showError(const char* text, unsigned iconKind) = 0;
    // Ends the program once the message loop sees the request (quit code 0).
    virtual void requestQuit() = 0;
    // Milliseconds since system start; seeds the random camera start.
    virtual uint32_t tickCount() = 0;
};

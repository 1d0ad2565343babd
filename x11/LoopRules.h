#pragma once
#include <ctime>

// What a window's visual offers for drawing with GL.
struct VisualTraits {
    bool gl = false;
    bool rgba = false;
    bool doubleBuffer = false;
    int depthBits = 0;
};

// The scene needs an RGBA, double-buffered visual with a depth buffer; a window
// whose visual lacks any of it gets a child window of our own with one.
bool drawsDirectly(const VisualTraits& visual);

// Once the frames run, only the X errors of a window gone (BadWindow, BadDrawable: the
// window we draw on destroyed by its owner) end them; any other is reported and the
// frames go on.
bool errorEndsFrames(int errorCode);

// q, Q and Escape end the program in its own window (X key symbols).
bool keyEnds(unsigned long keysym);

// The wait after a frame, for ppoll.
timespec delayTimeout(long microseconds);

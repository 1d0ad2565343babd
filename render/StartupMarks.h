#pragma once

// Milestones of a full-screen run's start, sent as debug strings "Zandor3D startup:
// PHASE": a debugger, a debug-string monitor or Wine's debugstr channel shows them
// with their moment, and the real-run benchmark reads them for its start-up
// breakdown. Without a listener each costs a few microseconds; a run sends a handful.
void markStartup(const char* phase);

#pragma once

// Diagnostic trace of the asset layer's failures. The delivered program
// discards it; tests install a sink to see the formatted message.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

using TraceSink = void (*)(const char* message);

// Installs the receiver of formatted messages; nullptr discards them again.
void setTraceSink(TraceSink sink);

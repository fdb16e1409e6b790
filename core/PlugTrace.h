#pragma once
// The one diagnostics hook. Called at fixed points with a function name, a line number
// and a printf-style message; it does nothing in this build and never changes behaviour.

inline void PlugTrace(const char* /*function*/, int /*line*/, const char* /*format*/, ...) {}

#pragma once
// The plug-in mutex and its scoped guard. The mutex is recursive: every host entry point
// holds it for its whole duration, and operations reached from there take it again.

#include <mutex>

using IEffectMutex = std::recursive_mutex;
using IEffectLockGuard = std::lock_guard<IEffectMutex>;

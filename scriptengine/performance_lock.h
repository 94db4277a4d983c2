// The performance's lock, as this engine models it.
//
// A DirectMusic performance holds a lock of its own while it hands messages to the tools of its
// graph, and takes the same lock in PlaySegmentEx, SendPMsg, Stop, GetTime and the like, so a
// script's routine that plays or stops something waits for every tool call in progress. The
// engine plays nothing, but it keeps that behaviour: the delivery thread holds this lock across
// each tool's ProcessPMsg, and CallRoutine and SetVariableNumber hold it for the whole call. A
// program whose tool waits for a thread that calls the script then hangs here as it would with a
// real performance, instead of working only under this engine.
//
// One lock for the process, as a program has one performance. It is a critical section, which
// the thread that holds it may enter again: a tool that calls the script from inside
// ProcessPMsg does not deadlock on its own thread.
#pragma once

#include <windows.h>

class PerformanceLock {
public:
    PerformanceLock();
    ~PerformanceLock();

    PerformanceLock(const PerformanceLock&) = delete;
    PerformanceLock& operator=(const PerformanceLock&) = delete;
};

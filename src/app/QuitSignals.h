#pragma once
// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl+C) end the program the way the
// close button does: the running result is booked, the files are written, the exit code is 0.
// The signals are taken by a thread of their own with sigwait, which asks the main loop to quit
// through SDL's event queue, so nothing runs inside a signal handler.

// Blocks the three signals (in this thread and every thread started later) and starts the
// waiting thread. Call first in main, before any other thread exists.
void WatchQuitSignals();
// SDL's event queue is up (true) or about to go down (false). A signal that came while it was
// down is handed on when it comes up.
void SetQuitEventsOpen(bool open);
// Whether one of the signals came.
bool QuitSignalled();

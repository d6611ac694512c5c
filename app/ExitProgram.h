#pragma once
// The one way out of the program, and the message pump that keeps its windows alive.

// Destroys the progress dialog and the background window (minimised first), drains the
// message queue, ends OLE and ends the process with exit code 1. Never returns.
[[noreturn]] void exitProgram();

// Dispatches every waiting message of this thread. True as soon as one of them was
// WM_DESTROY, WM_CLOSE or WM_QUIT (the rest stay queued); false once the queue is empty.
bool pumpMessages();

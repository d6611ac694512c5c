#pragma once
// Carrying out a rule's action on a window, as a user would: click, type, pick a list item.

#include "tools/uidriver/Rules.h"
#include "tools/uidriver/WindowSnapshot.h"

// Performs the action on the window of the snapshot (a full one). True when it was carried
// out; false with the reason in error otherwise (control missing, disabled, item not found).
// Clicks are posted, so that a modal window the click opens does not block uidriver.
// Pressing a check box toggles it; pressing a radio button checks it and clears its group.
bool PerformAction(const WindowSnapshot& window, const Action& action, char* error, int errorSize);

#pragma once
// Edits of batch texts before they are run.

#include "core/String.h"

// In place: drops every line whose command is a bare PAUSE (letter case ignored, white space
// and one leading '@' disregarded), so that a batch run without a console cannot wait for a
// key. Every kept line is followed by CR LF, whatever line end it had.
void removePauseLines(String& batchText);

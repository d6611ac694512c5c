#pragma once
// Language messages used as formats.

#include "core/String.h"

// Message number formatted with the arguments, whose conversions are kinds ("s", "scs"); the
// text as it is when its conversions are not those (app/portable/MessageFormat.h).
String formatMessage(int number, const char* kinds, ...);

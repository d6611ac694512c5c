#pragma once
// The one place that includes <windows.h>. Lean, without min/max macros, and without the
// character-set macros whose names clash with ours: call the "A" functions by their full name.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef FindText
#undef GetObject
#undef MoveFile

#pragma once
// File attributes and directory entries of single paths.

#include "platform/FileInfo.h"
#include "platform/portable/DateTime.h"

#include <cstdint>

// The attribute bits of path (FILE_ATTRIBUTE_*); -1 for a null path or when the system has
// none (the path does not exist).
int32_t getAttributes(const char* path);
// The attributes exist and hold FILE_ATTRIBUTE_READONLY.
bool isReadOnly(const char* path);
// Sets the attribute bits of path; false for a null path or when the system refuses.
bool setAttributes(const char* path, uint32_t attributes);
// Clears the bits of mask; true without asking the system when none of them is set. False
// when the attributes cannot be read or set.
bool clearAttributes(const char* path, uint32_t mask);
// Sets the bits of mask to those of values; true without asking the system when they already
// are so. False when the attributes cannot be read or set.
bool changeAttributes(const char* path, uint32_t mask, uint32_t values);
// Sets or clears FILE_ATTRIBUTE_READONLY as changeAttributes does.
bool setReadOnly(const char* path, bool readOnly);

// The entry of the first match of path (which may hold wildcards) into entry. False, entry
// unchanged, when nothing matches.
bool findEntry(const char* path, FileInfo& entry);
// The creation, last-access and last-write times (local) of the first match of path. False,
// the times unchanged, when nothing matches.
bool fileTimes(const char* path, DateTime& creation, DateTime& lastAccess, DateTime& lastWrite);

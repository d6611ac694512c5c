#pragma once
// Where a stored file goes: its record's destination field, flags and kind against the
// installation's directories.

#include "core/String.h"

#include <cstdint>

struct DestinationDirectories {
    String install;
    String shared;
    String fonts;
    String system;
    String uninstaller;
};

struct FileDestination {
    String storedName;       // the record's name, or the destination field when it is a bare name
    String path;             // the full destination path
    bool createDirectory = false; // the directory of path must be created first
};

// Computes the destination of a record with name, kind, flags (bit 6: the uninstaller
// directory) and destination field. A field without a backslash renames the file and is then
// taken as empty; a field with one has its path variables replaced by expand, is made absolute
// against the shared directory (kind 1) or the installation directory, and gets the stored
// name's file-name part when it ends in a backslash. Otherwise the uninstaller directory
// (flag bit 6) or the kind's directory is used.
FileDestination fileDestination(const char* name, uint32_t kind, uint32_t flags,
                                const char* destinationField, const DestinationDirectories& dirs,
                                void (*expand)(String& text));

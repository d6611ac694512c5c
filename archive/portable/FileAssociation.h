#pragma once
// One file association of the archive: extension -> file type -> verb, icon and command.

#include "core/String.h"

#include <cstdint>

struct FileAssociation {
    uint32_t flags = 0;  // bit 0: the verb becomes the type's default verb
    String extension;    // with or without the leading '.'; empty: record ignored
    String fileType;     // empty: the type the extension already has
    String description;  // default value of the type key
    String verb;         // key name under "shell"
    String verbText;     // menu text of the verb
    String command;      // path variables allowed
    String language;     // non-empty: only for this selected language
    String icon;         // path variables allowed; empty: no icon key
};

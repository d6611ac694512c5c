#pragma once
// SettingsStore: a hierarchical store of named values, walked section by section.
//
// The base knows how to walk a path ("A\B\Value" enters A, then B); the stores say what a
// section is and how one value is read or written. RegistryKey is the registry's store.
//
// Every virtual function is defined here, so that the class has no key function: code built
// with RTTI (the native tests) can derive from it although the engine is built without.

#include "core/String.h"

class Variant;

class SettingsStore {
public:
    SettingsStore() : storing(false), separator('\\') {}
    virtual ~SettingsStore() {}

    // A hook for stores that need one before an exchange; does nothing here.
    virtual void refresh() {}
    // Writes value under name when storing is set, else reads it into value. True on success;
    // on failure value keeps what it held.
    virtual bool exchange(const char* name, Variant& value) = 0;
    // Makes the section name of the current position the current position. False here.
    virtual bool enterSection(const char*) { return false; }
    // Enters each section of path that is followed by a separator, in order; the last piece
    // (a value name) is not entered. A path that begins with the separator starts at the root
    // (goToRoot must succeed); an empty path is goToRoot(); a null path is false. False at the
    // first section that cannot be entered (the sections entered before stay entered).
    virtual bool enterPath(const char* path)
    {
        if (!path)
            return false;
        if (*path == '\0')
            return goToRoot();
        if (*path == separator) {
            if (!goToRoot())
                return false;
            ++path;
        }
        String piece;
        for (const char* start = path;;) {
            const char* end = start;
            while (*end && *end != separator)
                ++end;
            if (*end == '\0')
                return true; // the last piece names a value, not a section
            piece.Assign(start, static_cast<int>(end - start));
            if (!enterSection(piece.CStr()))
                return false;
            start = end + 1;
        }
    }
    // Makes the store's root the current position. False here.
    virtual bool goToRoot() { return false; }

    bool storing;   // whether exchange writes (true) or reads (false)
    char separator; // between the sections of a path
};

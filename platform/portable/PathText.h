#pragma once
// Operations on path texts. Paths use the backslash as separator, a drive letter with a
// colon, or two leading backslashes for a network path; letter case is ignored wherever paths
// are compared. Nothing here touches the file system.

#include "core/String.h"

// Index of the last backslash before the first ';' of path (the whole path when it has none);
// without such a backslash the index of the first ':' before that ';'; -1 when there is
// neither. (A ':' behind the ';' belongs to a later path of the list, not to the first.)
int lastSeparator(const String& path);

// "dir\name": name when dir is empty, dir when name is empty; otherwise one trailing backslash
// of dir is cut when name begins with one, and a backslash is put between them when name does
// not begin with one and dir ends in neither ':' nor a backslash (C: + File gives C:File).
String joinPath(const String& dir, const String& name);

// The text before lastSeparator; the separator stays when it or the byte before it is ':'
// (C:\Dir gives C:\, C:\ gives C:\). Empty when there is no separator.
String parentDirectory(const String& path);

// In place: everything after lastSeparator is cut (the separator stays). False, path
// unchanged, when there is no separator.
bool cutLastComponent(String& path);

// The text after the last backslash, else after the first ':', else the whole path.
String fileNamePart(const String& path);

// Index of the last '.' behind every backslash; -1 when there is none.
int extensionIndex(const String& path);

// When ext is not empty and path is neither blank nor has an extension: appends '.' (unless
// ext begins with one) and ext, and returns true. Otherwise false, path unchanged.
bool addExtensionIfMissing(String& path, const String& ext);

// The upper-case drive letter when path begins with a letter and ':'; 0 otherwise.
char driveLetter(const String& path);

// "C:" or, when the third byte is a backslash, "C:\"; empty when path has no drive letter.
String driveRoot(const String& path);

// Cuts path after its last backslash: dir keeps the backslash, name is the rest. Without a
// backslash but with a drive letter and ':' in front, dir is those two bytes; otherwise dir is
// empty and name the whole path. Returns whether name is not empty; dir and name are set
// either way.
bool splitPath(const String& path, String& dir, String& name);

// a and b are equal once trailing backslashes are cut, letter case ignored.
bool sameDirectory(const String& a, const String& b);

// After leading white space: begins with two backslashes, or has ":\" as second and third
// bytes.
bool isAbsolutePath(const String& path);

// Makes path absolute against the directory base, in place. path is trimmed first (also when
// the result is false). False, path otherwise unchanged, when path is empty, base is not
// absolute, or path already is absolute (a network path or drive, ':' and backslash). Else:
// - "\name" gets base's root in front: its drive and ':', or "\\server\share" of a network
//   base;
// - "D:name" gets base's directory (from its third byte on) and a backslash after the ':';
// - any other path gets base and a backslash in front.
// base is taken without its leading white space.
bool resolvePath(String& path, const String& base);

// Options of isValidPathName.
enum : unsigned {
    kPathAllowStar = 0x01,      // '*' may appear
    kPathAllowWildcards = 0x02, // '*' and '?' may appear
    kPathTrimFirst = 0x04,      // white space at both ends is disregarded
};

// Whether path can name a file: not empty once its double quotes are removed; a ':' in second
// place needs a letter in first place (and is then allowed); no other byte of / " < > | : ;
// nor, unless the options allow them, '*' and '?'. The backslash is always allowed.
bool isValidPathName(const String& path, unsigned options);

// When pattern ends in " /s" (a blank, a slash, s), cuts that off and returns true.
bool cutSubdirectorySwitch(String& pattern);

// Whole files in one go.
#include "platform/WholeFile.h"

#include "platform/File.h"

namespace {

// Opened for no access with every sharing allowed, then closed: only whether it opens.
constexpr unsigned kProbeMode = kOpenExistingOnly | kOpenNoRead | kOpenNoWrite | kOpenShareRead |
                                kOpenShareWrite | kOpenThenClose;
constexpr unsigned kReadMode = kOpenExistingOnly | kOpenNoWrite | kOpenShareRead;
constexpr unsigned kWriteMode = kOpenCreateAlways;

// readWholeFile's code for a file that opened but could not be read.
constexpr int kReadFailed = 6;

} // namespace

bool fileExists(const String& path)
{
    if (path.IsEmpty())
        return false;
    File file;
    const int code = file.Open(path.CStr(), kProbeMode, FILE_ATTRIBUTE_NORMAL);
    return code == kOpenOk || code == kOpenLocked;
}

int readWholeFile(const String& path, String& text)
{
    if (path.IsEmpty())
        return kOpenInvalidName;
    File file;
    const int code = file.Open(path.CStr(), kReadMode, FILE_ATTRIBUTE_NORMAL);
    if (code != kOpenOk)
        return code;
    const int size = file.Size();
    if (size < 0) {
        text.Clear();
        return kReadFailed;
    }
    text.SetLength(size);
    if (size > 0 && !file.ReadBlock(text.Data(), size)) {
        text.Clear();
        return kReadFailed;
    }
    return kOpenOk;
}

bool writeWholeFile(const String& path, const String& text)
{
    if (path.IsEmpty())
        return false;
    File file;
    if (file.Open(path.CStr(), kWriteMode, FILE_ATTRIBUTE_NORMAL) != kOpenOk)
        return false;
    return text.IsEmpty() || file.WriteBlock(text.CStr(), text.Length());
}

#include "install/FileWriter.h"

#include "app/ErrorBox.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/FileRecord.h"
#include "install/FileOperations.h"
#include "install/portable/PlacementDecision.h"
#include "platform/File.h"
#include "platform/FileAttributes.h"
#include "platform/LastError.h"
#include "platform/SystemErrorText.h"
#include "platform/SystemPaths.h"
#include "platform/WholeFile.h"
#include "platform/Win32.h"

#include <cstring>

namespace {

constexpr int kWriteAttempts = 3;
constexpr uint32_t kProtectingAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The system's text for the last error without its closing line breaks.
String errorTextLine()
{
    String text = lastErrorText();
    text.TrimRight("\r\n");
    return text;
}

// Creates or truncates path and writes the bytes; when time has a date and a time of day, the
// last-write time is set on the same handle before it closes (its failure is not one of the
// write). True when every byte was written.
bool writeBytes(const String& path, const char* bytes, int length, const ArchiveTime* time)
{
    File file;
    if (file.Open(path.CStr(), kOpenCreateAlways | kOpenNoSharingRetry) != kOpenOk)
        return false;
    if (!file.WriteBlock(bytes, length))
        return false;
    if (time && time->hasDate() && time->hasTime())
        file.SetWriteTime(dateTimeFromArchiveTime(*time));
    return true;
}

bool readsBackEqual(const String& path, const char* bytes, int length)
{
    String back;
    return readWholeFile(path, back) == 0 && back.Length() == length &&
           (length == 0 || std::memcmp(back.Data(), bytes, static_cast<size_t>(length)) == 0);
}

} // namespace

bool ScheduleReplacement(const char* bytes, int length, const String& target,
                         String& temporaryPath, String& failureMessage)
{
    String temporary = tempFileName(String());
    if (temporary.IsEmpty())
        return false;
    if (!writeBytes(temporary, bytes, length, nullptr)) {
        DeleteFileA(temporary.CStr());
        return false;
    }
    if (MovePath(temporary, target, kMoveAtRestart)) {
        temporaryPath = temporary;
        return true;
    }
    failureMessage.AppendFormat("Failed to register '%s' for replacement: %s\r\n", target.CStr(),
                                errorTextLine().CStr());
    DeleteFileA(temporary.CStr());
    return false;
}

bool WriteFile(const String& destination, const char* bytes, int length, const ArchiveTime& time,
               uint32_t attributes, bool existed, const FileWriteOptions& options,
               InstallTexts& texts)
{
    if (length < 0)
        corruptInstaller(kCorruptWriteLength);
    bool verifyFailed = false;
    for (int attempt = 1; attempt <= kWriteAttempts; ++attempt) {
        if (writeBytes(destination, bytes, length, &time)) {
            if (!options.verify || readsBackEqual(destination, bytes, length)) {
                if (attributes != kKeepAttributes)
                    changeAttributes(destination.CStr(), kSettableAttributes, attributes);
                return true;
            }
            verifyFailed = true;
        } else {
            verifyFailed = false;
            if (attempt == 1 && options.clearAttributesOnFailure)
                clearAttributes(destination.CStr(), kProtectingAttributes);
        }
    }
    if (verifyFailed) {
        clearLastError();
        texts.errors.AppendFormat("%s %s\r\n%s\r\n", options.writeFailedText.CStr(),
                                  destination.CStr(), errorTextLine().CStr());
        return false;
    }
    String message;
    message.AppendFormat("%s %s\r\n", options.writeFailedText.CStr(), destination.CStr());
    String system = errorTextLine();
    if (!system.IsEmpty())
        message.AppendFormat("%s\r\n", system.CStr());
    if (existed || options.replaceNewAtRestart) {
        String temporary;
        if (ScheduleReplacement(bytes, length, destination, temporary, message)) {
            texts.restartRequired = true;
            texts.log.Append(message);
            texts.log.AppendFormat("%s has been successfully registered for replacement.\r\n"
                                   "Temporary file is %s\r\nReboot will be required.\r\n\r\n",
                                   destination.CStr(), temporary.CStr());
            return false;
        }
    }
    texts.errors.Append(message);
    return false;
}

#include "install/FileDeletions.h"

#include "app/ErrorBox.h"
#include "core/Vector.h"
#include "install/FileOperations.h"
#include "install/PathVariables.h"
#include "install/portable/DeletionCondition.h"
#include "platform/FileAttributes.h"
#include "platform/FileInfo.h"
#include "platform/FileSpecs.h"
#include "platform/SystemErrorText.h"
#include "platform/Win32.h"

namespace {

constexpr uint32_t kDeleteAtRestartFlag = 0x2;
constexpr uint32_t kProtectingAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

String errorTextLine()
{
    String text = lastErrorText();
    text.TrimRight("\r\n");
    return text;
}

void deleteOne(const FileDeletion& entry, const String& path, InstallTexts& texts)
{
    FileInfo info;
    if (!findEntry(path.CStr(), info))
        return;
    bool matches = false;
    int code = testDeletionCondition(entry, info.lastWriteTime, info.size, matches);
    if (code != 0)
        corruptInstaller(code);
    if (!matches)
        return;
    clearAttributes(path.CStr(), kProtectingAttributes);
    if (DeleteFileA(path.CStr())) {
        texts.log.AppendFormat("Deleted file: %s\r\n", path.CStr());
        return;
    }
    String error = errorTextLine();
    if (!(entry.flags & kDeleteAtRestartFlag)) {
        texts.log.AppendFormat("Failed to delete file '%s': %s\r\n", path.CStr(), error.CStr());
        return;
    }
    texts.log.AppendFormat("File '%s' will be deleted after rebooting: %s\r\n", path.CStr(),
                           error.CStr());
    if (DeleteFile(path, kDeleteAtRestartOnly))
        texts.restartRequired = true;
    else
        texts.errors.AppendFormat("Failed to register '%s' for deletion: %s\r\n", path.CStr(),
                                  errorTextLine().CStr());
}

} // namespace

void ProcessDeletions(const Array<FileDeletion>& list, const String& installDir,
                      InstallTexts& texts)
{
    for (int i = 0; i < list.Count(); ++i) {
        const FileDeletion& entry = list[i];
        String spec = entry.path;
        Expand(spec);
        Vector<String> files;
        expandFileSpecs(spec, files, installDir);
        for (int k = 0; k < files.Count(); ++k)
            deleteOne(entry, files[k], texts);
    }
}

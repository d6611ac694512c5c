#include "install/UninstallFiles.h"

#include "install/portable/UninstallFileText.h"
#include "platform/File.h"
#include "platform/SystemErrorText.h"

bool WriteUninstallFile(const String& path, const String& text, const String& failureOpening, InstallTexts& texts)
{
    if (WriteTextFile(path.CStr(), text))
        return true;
    String system = lastErrorText();
    system.TrimRight("\r\n");
    texts.errors.Append(uninstallFileFailure(failureOpening, path, system));
    return false;
}

bool WriteUninstallerProgram(const String& path, const String& image, const ArchiveTime& time,
                             const FileWriteOptions& options, InstallTexts& texts)
{
    return WriteFile(path, image.Data(), image.Length(), time, 0, true, options, texts);
}

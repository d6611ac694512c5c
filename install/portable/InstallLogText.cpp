#include "install/portable/InstallLogText.h"

#include "archive/format/SettingsLayout.h"  // kInstallerVersion (ArchiveFormat.h) and the flags
#include "core/DateAndTime.h"

namespace {

bool isBlank(const String& text)
{
    return text.FindNotOf(" \r\n\t") < 0;
}

} // namespace

String installLogText(const InstallLogFacts& facts)
{
    String text;
    text.Format("\r\nInstallation log for: %s\r\n", facts.productName.CStr());
    text.AppendFormat("Install date: %s\r\n", DateAndTime::Now().FormatDateAndTime("d-M-yy h:ii:ssap").CStr());
    if (facts.uninstallSupport)
        text.AppendFormat("Install type: %s\r\n", facts.reinstall ? "Reinstall" : "New");
    text.AppendFormat("Install location: %s\r\n", facts.installDir.CStr());
    text.AppendFormat("Installer version: %.1f\r\n", kInstallerVersion);
    if (!isBlank(facts.productVersion))
        text.AppendFormat("Product version: %s\r\n", facts.productVersion.CStr());
    text.Append("\r\n");
    if (!isBlank(facts.log)) {
        text.Append(facts.log);
        text.Append("\r\n");
    }
    text.Append(facts.errors);
    return text;
}

bool installLogWanted(uint64_t productFlags, const String& errors)
{
    return hasProductFlag(productFlags, kFlagAlwaysWriteLog) || !errors.IsEmpty();
}

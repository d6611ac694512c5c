// The uninstall driver. Uninstalling is not built yet: say so plainly and report failure, so
// that the caller does not remove the uninstaller and the process ends as a failed run.
#include "uninstall/UninstallDriver.h"

#include "app/ErrorBox.h"
#include "platform/Win32.h"

bool runUninstall(const String& productName)
{
    String text;
    text.Format("Uninstallation is not available in this build.\r\n\r\nProduct: %s", productName.CStr());
    MessageBoxA(ownerWindow(), text.CStr(), "Error", MB_TASKMODAL | MB_ICONHAND);
    return false;
}

#include "install/portable/UninstallFileText.h"

#include "archive/portable/Language.h"
#include "install/portable/InstallTexts.h"

String uninstallFileText(const InstallTexts& texts, Language& language)
{
    String text(texts.uninstallList);
    text.Append("\r\n\r\n[Strings]\r\n");
    for (int number : kUninstallStringNumbers)
        text.AppendFormat("~%d\r\n%s\r\n", number, language.message(number).CStr());
    if (!texts.associations.IsEmpty()) {
        text.Append("\r\n\r\n[Associations]\r\n");
        text.Append(texts.associations);
    }
    return text;
}

String uninstallFileFailure(const String& opening, const String& path, const String& systemText)
{
    String line;
    line.Format("%s %s\r\n%s\r\n", opening.CStr(), path.CStr(), systemText.CStr());
    return line;
}

#include "install/UninstallRegistry.h"

#include "core/Variant.h"
#include "platform/RegistryKey.h"

namespace {

void writeValue(RegistryKey& key, const UninstallValue& value)
{
    const char* name = value.name.CStr();
    switch (value.action) {
    case UninstallValue::kText:
        key.setString(name, value.text);
        break;
    case UninstallValue::kTextOrDrop:
        key.setString(name, value.text, RegistryKey::deleteIfEmpty);
        break;
    case UninstallValue::kExpandOrDrop:
        key.setString(name, value.text, RegistryKey::deleteIfEmpty | RegistryKey::expandString);
        break;
    case UninstallValue::kNumber:
        key.setInt(name, static_cast<int>(value.number));
        break;
    case UninstallValue::kNumberOrDrop:
        key.setInt(name, static_cast<int>(value.number), RegistryKey::deleteIfEmpty);
        break;
    case UninstallValue::kDelete:
        key.deleteValue(name);
        break;
    }
}

// Whether the key holds UninstallString as values has it.
bool readsBack(RegistryKey& key, const Vector<UninstallValue>& values)
{
    for (int i = 0; i < values.Count(); ++i) {
        if (values[i].name.Compare("UninstallString") != 0)
            continue;
        Variant stored;
        return key.getValue("UninstallString", stored) && stored.AsText().Compare(values[i].text.CStr()) == 0;
    }
    return false;
}

} // namespace

bool WriteUninstallRegistry(HKEY root, const String& keyPath, const Vector<UninstallValue>& values,
                            InstallTexts& texts)
{
    RegistryKey key;
    bool ok = key.open(root, keyPath.CStr()) != RegistryKey::openFailed;
    if (ok) {
        for (int i = 0; i < values.Count(); ++i)
            writeValue(key, values[i]);
        ok = readsBack(key, values);
    }
    if (!ok)
        texts.errors.Append(kUninstallRegistryError);
    return ok;
}

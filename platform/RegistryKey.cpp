#include "platform/RegistryKey.h"

#include "app/InstallerState.h"
#include "core/Fatal.h"
#include "core/Variant.h"
#include "platform/LastError.h"
#include "platform/SystemErrorText.h"

#include <cstdint>
#include <cstring>

namespace {

// The first read of a value uses a buffer of this size; longer values are read again.
constexpr DWORD kFirstBufferSize = 32;
// A key name has at most 255 characters.
constexpr DWORD kKeyNameBufferSize = 256;

bool isPredefinedRoot(HKEY root)
{
    return root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE ||
           root == HKEY_USERS || root == HKEY_PERFORMANCE_DATA || root == HKEY_CURRENT_CONFIG ||
           root == HKEY_DYN_DATA;
}

// The keyText prefix of a predefined root; "" for the others.
const char* rootPrefix(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT\\";
    if (root == HKEY_CURRENT_USER)
        return "HKEY_CURRENT_USER\\";
    if (root == HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE\\";
    if (root == HKEY_USERS)
        return "HKEY_USERS\\";
    if (root == HKEY_CURRENT_CONFIG)
        return "HKEY_CURRENT_CONFIG\\";
    return "";
}

const char* orEmpty(const char* text)
{
    return text ? text : "";
}

// Appends piece to a key path, with one backslash between them when neither side has one.
void appendKeyPath(String& path, const char* piece)
{
    if (!path.IsEmpty() && !path.IsLast('\\') && *piece && *piece != '\\')
        path.Append('\\');
    path.Append(piece);
}

HKEY softwareRoot(bool currentUser)
{
    return currentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

String softwarePath(const char* path)
{
    String full("Software\\");
    full.Append(orEmpty(path));
    return full;
}

// Splits path at its last backslash: parent receives what is before it ("" without one),
// name what follows.
void splitAtLastBackslash(const char* path, String& parent, String& name)
{
    String whole(orEmpty(path));
    int slash = whole.FindCharReverse('\\');
    if (slash < 0) {
        parent.Clear();
        name = whole;
        return;
    }
    parent.Assign(whole.CStr(), slash);
    name.Assign(whole.CStr() + slash + 1, whole.Length() - slash - 1);
}

// Turns the bytes of a value of type into value; false for a type that is not read.
bool storeValue(DWORD type, const char* bytes, DWORD size, Variant& value)
{
    int length = static_cast<int>(size);
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        // Stored with their terminating NUL, normally; a value written without one keeps all
        // its characters.
        if (length > 0 && bytes[length - 1] == '\0')
            --length;
        value.SetText(bytes, length);
        return true;
    case REG_BINARY:
    case REG_MULTI_SZ:
        value.SetText(bytes, length);
        return true;
    case REG_DWORD:
        if (size != 4)
            return false;
        {
            uint32_t number;
            std::memcpy(&number, bytes, 4);
            value.SetUInt32(number);
        }
        return true;
    default:
        return false;
    }
}

} // namespace

void registryErrorBox(long code, unsigned options)
{
    setLastError(static_cast<unsigned long>(code));
    if (!(options & RegistryKey::showErrors))
        return;
    String text = systemErrorText(static_cast<unsigned long>(code));
    if (!text.IsEmpty())
        MessageBoxA(nullptr, text.CStr(), "Registry Error", MB_ICONHAND);
}

RegistryKey::~RegistryKey()
{
    closeAll();
}

// ---------------------------------------------------------------- navigation

int RegistryKey::open(HKEY root, const char* subkey, unsigned options)
{
    subkey = orEmpty(subkey);
    HKEY key = nullptr;
    int result = openFailed;
    if (options & openOnly) {
        LONG rc = RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS, &key);
        if (rc != ERROR_SUCCESS) {
            registryErrorBox(rc, options);
            return openFailed;
        }
        result = openedExisting;
    } else {
        DWORD disposition = 0;
        char noClass[] = "";
        LONG rc = RegCreateKeyExA(root, subkey, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, &disposition);
        if (rc != ERROR_SUCCESS) {
            registryErrorBox(rc, options);
            return openFailed;
        }
        if (disposition == REG_CREATED_NEW_KEY)
            result = createdNew;
        else if (disposition == REG_OPENED_EXISTING_KEY)
            result = openedExisting;
        if (result == openFailed) {
            RegCloseKey(key);
            return openFailed;
        }
    }
    outerHandles_.Push(handle_.release());
    outerTexts_.Push(keyText_);
    handle_.reset(key);
    if (isPredefinedRoot(root))
        keyText_ = rootPrefix(root);
    appendKeyPath(keyText_, subkey);
    return result;
}

int RegistryKey::openSubkey(const char* name, unsigned options)
{
    if (!isOpen())
        return openFailed;
    return open(handle_.get(), name, options);
}

int RegistryKey::openSoftwareKey(const char* path, bool currentUser, unsigned options)
{
    return open(softwareRoot(currentUser), softwarePath(path).CStr(), options);
}

void RegistryKey::close()
{
    handle_.close();
    if (!outerHandles_.IsEmpty())
        handle_.reset(outerHandles_.Pop());
    if (!outerTexts_.IsEmpty())
        keyText_ = outerTexts_.Pop();
}

void RegistryKey::closeAll()
{
    while (!outerHandles_.IsEmpty())
        close();
    handle_.close();
    keyText_.Clear();
    outerTexts_.Clear();
}

// ---------------------------------------------------------------- reading

void RegistryKey::missingRequiredValue(const char* name) const
{
    // The value name follows the key's path, one backslash between them.
    String valueName;
    if (*name && !keyText_.IsEmpty() && !keyText_.IsLast('\\'))
        valueName.Append('\\');
    valueName.Append(name);
    fatalErrorf("The following registry key is required by %s, but is invalid or does not exist:\n\n%s%s"
                "\n\nIf you have tried moving this program to a different computer by copying files, "
                "this will not work.  This program must be reinstalled.",
                installerState().applicationTitle.CStr(), keyText_.CStr(), valueName.CStr());
}

bool RegistryKey::getValue(const char* name, Variant& value, unsigned options)
{
    if (!isOpen())
        return false;
    name = orEmpty(name);
    char first[kFirstBufferSize];
    DWORD type = REG_NONE;
    DWORD size = sizeof first;
    LONG rc = RegQueryValueExA(handle_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(first), &size);
    if (rc == ERROR_FILE_NOT_FOUND || rc == ERROR_BADKEY) {
        if (options & required)
            missingRequiredValue(name);
        return false;
    }
    if (rc == ERROR_MORE_DATA) {
        // Longer than the first buffer: read again into a buffer of the reported size.
        String buffer;
        if (size == 0 || size > 0x7ffffff0u || !buffer.TrySetLength(static_cast<int>(size)))
            return false;
        rc = RegQueryValueExA(handle_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.Data()),
                              &size);
        if (rc != ERROR_SUCCESS)
            return false;
        return storeValue(type, buffer.Data(), size, value);
    }
    if (rc != ERROR_SUCCESS)
        return false;
    return storeValue(type, first, size, value);
}

String RegistryKey::getString(const char* name, const String& defaultValue, unsigned options)
{
    Variant value;
    if (getValue(name, value, options))
        return value.AsText();
    return defaultValue;
}

int RegistryKey::getInt(const char* name, int defaultValue, unsigned options)
{
    Variant value;
    if (getValue(name, value, options))
        return value.AsInt32();
    return defaultValue;
}

bool RegistryKey::getBool(const char* name, bool defaultValue, unsigned options)
{
    Variant value;
    if (getValue(name, value, options))
        return value.AsFlag();
    return defaultValue;
}

bool RegistryKey::valueExists(const char* name)
{
    return isOpen() &&
           RegQueryValueExA(handle_.get(), orEmpty(name), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int RegistryKey::subkeyCount()
{
    if (!isOpen())
        return -1;
    DWORD subkeys = 0;
    if (RegQueryInfoKeyA(handle_.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return -1;
    return static_cast<int>(subkeys);
}

bool RegistryKey::isEmpty()
{
    if (!isOpen())
        return true;
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyA(handle_.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return true;
    return subkeys == 0 && values == 0;
}

bool RegistryKey::isEmptyKey(const char* name)
{
    if (openSubkey(name, openOnly) == openFailed)
        return true;
    bool empty = isEmpty();
    close();
    return empty;
}

int RegistryKey::listSubkeys(Vector<String>* list)
{
    if (!isOpen() || !list)
        return 0;
    int count = 0;
    char name[kKeyNameBufferSize];
    for (DWORD index = 0;; ++index) {
        LONG rc = RegEnumKeyA(handle_.get(), index, name, sizeof name);
        if (rc != ERROR_SUCCESS) {
            setLastError(rc == ERROR_NO_MORE_ITEMS ? 0 : static_cast<unsigned long>(rc));
            return count;
        }
        list->Append(String(name));
        ++count;
    }
}

// ---------------------------------------------------------------- writing

bool RegistryKey::writeText(const char* name, const String& text, unsigned options)
{
    if (!isOpen())
        return false;
    DWORD type = REG_SZ;
    if (options & binaryValue)
        type = REG_BINARY;
    else if (options & expandString)
        type = REG_EXPAND_SZ;
    // With the NUL, so that a REG_SZ reads back as exactly this text.
    DWORD size = static_cast<DWORD>(text.Length()) + 1;
    return RegSetValueExA(handle_.get(), orEmpty(name), 0, type, reinterpret_cast<const BYTE*>(text.CStr()),
                          size) == ERROR_SUCCESS;
}

bool RegistryKey::writeNumber(const char* name, unsigned long number)
{
    if (!isOpen())
        return false;
    DWORD data = static_cast<DWORD>(number);
    return RegSetValueExA(handle_.get(), orEmpty(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool RegistryKey::setValue(const char* name, const Variant& value, unsigned options)
{
    if (!isOpen())
        return false;
    if (value.Type() == Variant::kEmpty || ((options & deleteIfEmpty) && value.IsZero())) {
        deleteValue(name);
        return true;
    }
    if (value.Storage() == Variant::kStorageInteger)
        return writeNumber(name, value.AsUInt32());
    return writeText(name, value.AsText(), options);
}

bool RegistryKey::setString(const char* name, const String& text, unsigned options)
{
    if (!isOpen())
        return false;
    if ((options & deleteIfEmpty) && text.IsEmpty())
        return deleteValue(name) == deleted;
    return writeText(name, text, options);
}

bool RegistryKey::setString(const char* name, const char* text, unsigned options)
{
    return setString(name, String(orEmpty(text)), options);
}

bool RegistryKey::setInt(const char* name, int number, unsigned options)
{
    if (!isOpen())
        return false;
    if ((options & deleteIfEmpty) && number == 0) {
        deleteValue(name);
        return true;
    }
    return writeNumber(name, static_cast<unsigned long>(static_cast<uint32_t>(number)));
}

bool RegistryKey::setBool(const char* name, bool flag)
{
    return setInt(name, flag ? 1 : 0);
}

int RegistryKey::deleteValue(const char* name)
{
    if (!isOpen())
        return nothingToDelete;
    return RegDeleteValueA(handle_.get(), orEmpty(name)) == ERROR_SUCCESS ? deleted : deleteFailed;
}

// ---------------------------------------------------------------- deleting keys

int RegistryKey::deleteSubkey(const char* name, unsigned options)
{
    if (!isOpen() || !name || !*name)
        return nothingToDelete;
    if ((options & onlyIfEmpty) && !isEmptyKey(name))
        return notEmpty;
    // A key with subkeys cannot be deleted in one call everywhere: empty it first, deepest
    // keys first. When it does not open, the delete below reports the failure.
    if (openSubkey(name, openOnly | (options & showErrors)) != openFailed) {
        Vector<String> children;
        listSubkeys(&children);
        for (const String& child : children)
            deleteSubkey(child.CStr(), options);
        close();
    }
    LONG rc = RegDeleteKeyA(handle_.get(), name);
    if (rc != ERROR_SUCCESS) {
        registryErrorBox(rc, options);
        return deleteFailed;
    }
    return deleted;
}

int RegistryKey::deleteKeyPath(HKEY root, const char* path, unsigned options)
{
    String parent;
    String name;
    splitAtLastBackslash(path, parent, name);
    if (name.IsEmpty())
        return nothingToDelete;
    if (open(root, parent.CStr(), openOnly | (options & showErrors)) == openFailed)
        return nothingToDelete;
    int result = deleteSubkey(name.CStr(), options);
    close();
    return result;
}

int RegistryKey::deleteSoftwareKey(const char* parentPath, const char* name, bool currentUser, unsigned options)
{
    if (!name || !*name)
        return nothingToDelete;
    if (open(softwareRoot(currentUser), softwarePath(parentPath).CStr(), openOnly | (options & showErrors)) ==
        openFailed)
        return nothingToDelete;
    int result = deleteSubkey(name, options);
    close();
    return result;
}

int RegistryKey::deleteSoftwareKeyPath(const char* path, bool currentUser, unsigned options)
{
    return deleteKeyPath(softwareRoot(currentUser), softwarePath(path).CStr(), options);
}

// ---------------------------------------------------------------- the store

bool RegistryKey::exchange(const char* name, Variant& value)
{
    if (storing)
        return setValue(name, value, noOptions);
    return getValue(name, value, noOptions);
}

bool RegistryKey::enterSection(const char* name)
{
    return openSubkey(name, noOptions) != openFailed;
}

// ---------------------------------------------------------------- free operations

bool keyExists(const char* path, bool currentUser)
{
    if (!path || !*path)
        return false;
    RegistryHandle key;
    return RegOpenKeyExA(softwareRoot(currentUser), softwarePath(path).CStr(), 0, KEY_ALL_ACCESS,
                         key.receive()) == ERROR_SUCCESS;
}

String readTextAt(HKEY root, const char* valuePath, const String& defaultValue, unsigned options)
{
    String keyPath;
    String valueName;
    splitAtLastBackslash(valuePath, keyPath, valueName);
    if (valueName.IsEmpty())
        return defaultValue;
    RegistryKey key;
    if (key.open(root, keyPath.CStr(), options & RegistryKey::openOnly) == RegistryKey::openFailed)
        return defaultValue;
    return key.getString(valueName.CStr(), "", options);
}

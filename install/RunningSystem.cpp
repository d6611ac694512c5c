#include "install/RunningSystem.h"

#include "platform/Win32.h"

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

SystemVersion runningSystemVersion()
{
    SystemVersion version;
    OSVERSIONINFOA record = {};
    record.dwOSVersionInfoSize = sizeof record;
    if (!GetVersionExA(&record))
        return version;
    version.platformId = record.dwPlatformId;
    version.major = record.dwMajorVersion;
    version.minor = record.dwMinorVersion;
    record.szCSDVersion[sizeof record.szCSDVersion - 1] = 0;
    version.servicePack = record.szCSDVersion;
    return version;
}

String systemDescription()
{
    return runningSystemVersion().description();
}

uint32_t runningSystemBit()
{
    return runningSystemVersion().excludedSystemBit();
}

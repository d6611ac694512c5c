// The process-wide run state.
#include "app/InstallerState.h"

#include "archive/portable/ProductSettings.h"

namespace {

// Zero until start-up fills them. Their destructors never run: every run ends in ExitProcess.
InstallerState state;
ProductSettings settings;

} // namespace

InstallerState& installerState()
{
    return state;
}

ProductSettings& productSettings()
{
    return settings;
}

// The process-wide run state.
#include "app/InstallerState.h"

#include "archive/portable/ProductSettings.h"

InstallerState& installerState()
{
    // Never released: it must outlive everything that runs until the process ends.
    static InstallerState* state = new InstallerState();
    return *state;
}

ProductSettings& productSettings()
{
    static ProductSettings* settings = new ProductSettings();
    return *settings;
}

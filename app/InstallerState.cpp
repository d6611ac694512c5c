// The process-wide run state.
#include "app/InstallerState.h"

InstallerState& installerState()
{
    // Never released: it must outlive everything that runs until the process ends.
    static InstallerState* state = new InstallerState();
    return *state;
}

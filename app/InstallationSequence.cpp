// The installation sequence. So far it goes as far as telling whether the program carries an
// archive at all; reading and installing it follow.
#include "app/InstallationSequence.h"

#include "app/ExitProgram.h"
#include "app/portable/FatalTexts.h"
#include "archive/OwnArchiveSection.h"
#include "core/Fatal.h"

void runInstallation(const String& runAfterProgram)
{
    (void)runAfterProgram;
    ArchiveSection section;
    if (!findOwnArchiveSection(section))
        fatalError(kNoArchiveText);
    exitProgram();
}

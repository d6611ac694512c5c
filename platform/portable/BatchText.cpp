// Edits of batch texts before they are run.
#include "platform/portable/BatchText.h"

namespace {

bool isPauseCommand(const String& line)
{
    String command(line);
    command.Trim();
    command.RemoveFirstIf('@');
    command.TrimLeft();
    return command.Length() == 5 && command.Compare("PAUSE", false) == 0;
}

} // namespace

void removePauseLines(String& batchText)
{
    String rest(static_cast<String&&>(batchText));
    batchText.Clear();
    String line;
    while (!rest.IsEmpty()) {
        rest.TakeLine(line);
        if (isPauseCommand(line))
            continue;
        batchText.Append(line);
        batchText.Append("\r\n");
    }
}

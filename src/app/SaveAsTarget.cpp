#include "app/SaveAsTarget.h"

#include "app/PathRules.h"
#include "common/Prompts.h"

namespace tessaro {

SaveAsStep CheckSaveAsTarget(const std::string& target, const std::string& currentFile, Prompts& prompts)
{
    if (target == currentFile)
        return SaveAsStep::Save;
    if (!PathExists(target))
        return SaveAsStep::NewFile;
    switch (prompts.AskYesNoCancel(Msg::FileExistsOverwrite)) {
    case MsgAnswer::Yes:
        return SaveAsStep::Save;
    case MsgAnswer::No:
        return SaveAsStep::ChooseAgain;
    default:
        return SaveAsStep::Stop;
    }
}

} // namespace tessaro

#pragma once
// Why an image was refused or a change to it could not be made, with the names
// and figures the message needs.

#include "common/Texts.h"

#include <string>

namespace tessaro {

struct ImageError
{
    Msg id;
    std::string first = {};
    std::string second = {};
    std::string reason = {}; // the system's words, when a file could not be read

    // The message in the current language.
    std::string Text() const
    {
        const std::string text = FillArgs(Tr(id), {first, second});
        return reason.empty() ? text : text + " (" + reason + ")";
    }
};

} // namespace tessaro

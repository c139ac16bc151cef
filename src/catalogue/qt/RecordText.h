#pragma once
// Record texts (Windows-1252 bytes) to and from the QString of a widget.

#include "data/Win1252.h"

#include <QString>

#include <string>

namespace tessaro {

inline QString FromRecordText(const std::string& bytes1252)
{
    return QString::fromStdString(ToUtf8(bytes1252));
}

// Characters without a Windows-1252 byte become '?'; the edits do not accept them.
inline std::string ToRecordText(const QString& text)
{
    return FromUtf8(text.toStdString());
}

} // namespace tessaro

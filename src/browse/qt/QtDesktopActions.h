#pragma once
// The desktop's side of the folder menu: the file manager and the clipboard.

#include "browse/LinuxNamespace.h"

namespace tessaro {

class QtDesktopActions : public DesktopActions
{
public:
    bool OpenInFileManager(const std::string& path) override;
    bool CopyToClipboard(const std::string& text) override;
};

} // namespace tessaro

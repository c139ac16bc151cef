// Arbitrary bytes as an existing BACKUP.INI: the update yields whole CR LF lines
// or leaves the file alone, for both models.
#include "data/BackupIni.h"

#include <cstdlib>
#include <string_view>

using namespace tessaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view existing(reinterpret_cast<const char*>(data), size);
    for (KeyboardModel model : {KeyboardModel::Psr9000, KeyboardModel::Psr9000Pro}) {
        const std::optional<std::string> rewritten = RewriteBackupIni(existing, model);
        if (rewritten && (rewritten->size() < 2 || rewritten->compare(rewritten->size() - 2, 2, "\r\n") != 0))
            std::abort();
    }
    return 0;
}

#pragma once
// Flash-style backup files (STY*.b*) of a keyboard backup set: the names of the
// 120 flash styles. Read only; the caller hands the names to the style catalogue.

#include "common/Texts.h"
#include "data/InputFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

constexpr std::size_t kFlashStyleFileBytes = 61472; // 32 + 120 * 512: all that is read
constexpr int kFlashStyleNameCount = 120;

struct FlashStyleReadResult
{
    // ErrorOpeningFlashStyle, ErrorReadingFlashStyle or FlashStyleNotIncluded.
    std::optional<Msg> error;
    // 120 names when ok: each record's text up to its first zero byte (at most 512 bytes).
    std::vector<std::string> names;

    bool ok() const { return !error; }
};

FlashStyleReadResult ReadFlashStyleFile(const std::string& path);
FlashStyleReadResult ReadFlashStyles(ByteInput& input);

} // namespace tessaro

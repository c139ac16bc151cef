#include "edit/EntryKeys.h"

#include "data/Win1252.h"

#include <cstring>

namespace tessaro {

namespace {

void Put(NameKey& key, std::size_t at, std::string_view text)
{
    std::memcpy(reinterpret_cast<char*>(key.words) + at, text.data(), text.size());
}

} // namespace

NameKey CategoryAndTitle(const MdbEntry& record)
{
    NameKey key;
    Put(key, 0, record.CategoryBytes());
    Put(key, kTextFieldSize, record.TitleBytes());
    return key;
}

NameKey CategoryAndFoldedTitle(const MdbEntry& record)
{
    NameKey key;
    Put(key, 0, record.CategoryBytes());
    std::string_view title = record.TitleBytes();
    title.remove_prefix(std::min(title.find_first_not_of(' '), title.size()));
    char* folded = reinterpret_cast<char*>(key.words) + kTextFieldSize;
    for (std::size_t i = 0; i < title.size(); ++i)
        folded[i] = UpperCase1252(title[i]);
    return key;
}

RegistrationKey RegistrationOf(const MdbEntry& record)
{
    MdbEntry unnamed = record;
    unnamed.SetTitle("");
    unnamed.SetCategory("");
    unnamed.bytes()[kInUseOffset] = 0;
    RegistrationKey key;
    std::memcpy(key.words, unnamed.bytes().data(), kRecordSize);
    return key;
}

} // namespace tessaro

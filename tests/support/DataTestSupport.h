#pragma once
// Shared by the data tests: a real temporary folder and byte-file helpers.

#include "data/MdbEntry.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace tessaro::testing {

using Bytes = std::vector<uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder()
    {
        static int counter = 0;
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("tessaro-data-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
                 std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Names of everything in the folder, for checks that no temporary file was left behind.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& item : std::filesystem::directory_iterator(path_))
            names.push_back(item.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

inline Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string ReadText(const std::string& path)
{
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

inline Bytes RandomBytes(std::mt19937& rng, std::size_t count)
{
    Bytes bytes(count);
    for (auto& b : bytes)
        b = uint8_t(rng());
    return bytes;
}

// A record of random bytes, every reserved byte included.
inline MdbEntry RandomRecord(std::mt19937& rng)
{
    return MdbEntry(RandomBytes(rng, kRecordSize).data());
}

// A 16-byte text field a hostile file may hold: bytes after the NUL, no NUL
// at all, control characters, 0x7F to 0xFF, a formula, leading blanks.
inline std::string AdversarialText(std::mt19937& rng)
{
    static const std::vector<std::string> kTexts = {
        std::string("Title\0trailing\x01x", 16), "\tTab", "=cmd|'/C calc'!A", "+1", "-Intro-", "@SUM(A1)",
        "'=quoted", "''+twice", "\rCR", "  sub", " \tmixed", "A title of 16 ch", std::string("\0after", 6),
        "\x7F\x80\x81\x8D\x8F\x90\x9D\xFF", "\"quoted,comma\"", "tail ", "\xEF\xBB\xBFmark", "\n", "Plain"};
    const int kind = int(rng() % 4);
    if (kind == 0) {
        return std::string(reinterpret_cast<const char*>(RandomBytes(rng, kTextFieldSize).data()), kTextFieldSize);
    }
    std::string text = kTexts[rng() % kTexts.size()];
    if (kind == 1) { // random bytes after the text's end
        text.resize(kTextFieldSize, '\0');
        for (std::size_t i = text.find('\0') + 1; i < kTextFieldSize; ++i) {
            text[i] = char(rng() % 3 == 0 ? rng() : 0);
        }
    }
    return text;
}

// A record of a hostile file: random or all-zero bytes, adversarial texts.
inline MdbEntry AdversarialRecord(std::mt19937& rng)
{
    MdbEntry record = rng() % 2 ? RandomRecord(rng) : MdbEntry();
    record.bytes()[kInUseOffset] = uint8_t(1 + rng() % 255);
    const std::string title = AdversarialText(rng);
    const std::string category = rng() % 3 ? std::string(1, char('A' + rng() % 3)) : AdversarialText(rng);
    record.SetTitle(title); // every byte, those after a NUL too
    record.SetCategory(category);
    if (rng() % 4 == 0) { // a few share a group, so sub entries stay sub entries
        record.setStyleNumber(3);
        record.setTempo(100);
    }
    return record;
}

} // namespace tessaro::testing

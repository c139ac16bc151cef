// The build's generator of the voice table: reads data/voices.csv, checks it
// and writes the catalogue's rows.
//   tessaro-voicetable voices.csv VoiceTable.inc
// A faulty CSV stops the build with a message naming the line; no table, not
// even half a one, is left behind then.

#include "catalogue/VoiceCsv.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s voices.csv VoiceTable.inc\n", argv[0]);
        return 2;
    }
    const std::string csvPath = argv[1];
    const std::filesystem::path outPath = argv[2];

    std::ifstream in(csvPath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", csvPath.c_str());
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const tessaro::VoiceCsvResult parsed = tessaro::ParseVoiceCsv(text);
    if (parsed.error) {
        std::error_code ignored;
        std::filesystem::remove(outPath, ignored); // a stale table must not outlive a broken CSV
        std::fprintf(stderr, "%s\n", tessaro::DescribeVoiceCsvError(csvPath, *parsed.error).c_str());
        return 1;
    }

    const std::string table = tessaro::VoiceTableSource(parsed.rows);
    std::filesystem::path temp = outPath;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(table.data(), std::streamsize(table.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "%s: cannot be written\n", temp.string().c_str());
            return 1;
        }
    }
    std::error_code error;
    std::filesystem::rename(temp, outPath, error);
    if (error) {
        std::fprintf(stderr, "%s: cannot be written (%s)\n", outPath.string().c_str(),
                     error.message().c_str());
        std::filesystem::remove(temp, error);
        return 1;
    }
    return 0;
}

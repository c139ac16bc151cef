#pragma once
// --progress: long work tells how far it is on stderr, one line per step of a
// whole percent, so that stdout stays what scripts parse.

#include "common/Progress.h"

#include <cstdio>
#include <string>

namespace tessaro::cli {

class StderrProgress final : public Progress
{
public:
    explicit StderrProgress(std::FILE* out = stderr) : out_(out) {}
    void Start(Caption caption, uint64_t total) override;
    bool Step(uint64_t done) override;
    void Finish() override;

private:
    std::FILE* out_;
    int depth_ = 0;
    std::string caption_;
    uint64_t total_ = 0;
    int lastPercent_ = -1;
};

// What the commands report to: nullptr unless --progress was given.
Progress* CliProgress();
void EnableCliProgress();

} // namespace tessaro::cli

#include "cli/StderrProgress.h"

#include <algorithm>

namespace tessaro::cli {

void StderrProgress::Start(Caption caption, uint64_t total)
{
    if (depth_++ > 0)
        return;
    caption_ = TextsOf(caption).english;
    total_ = total;
    lastPercent_ = -1;
    Step(0);
}

bool StderrProgress::Step(uint64_t done)
{
    const int percent = total_ == 0 ? 100 : int(std::min<uint64_t>(done, total_) * 100 / total_);
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        std::fprintf(out_, "tessaro-cli: %s %d%%\n", caption_.c_str(), percent);
        std::fflush(out_);
    }
    return false; // a command line is stopped with Ctrl+C
}

void StderrProgress::Finish()
{
    if (depth_ > 0 && --depth_ == 0 && lastPercent_ != 100)
        Step(total_);
}

namespace {
StderrProgress* g_progress = nullptr;
}

Progress* CliProgress()
{
    return g_progress;
}

void EnableCliProgress()
{
    static StderrProgress progress;
    g_progress = &progress;
}

} // namespace tessaro::cli

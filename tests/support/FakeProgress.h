#pragma once
// A Progress for the tests: remembers what it was told and asks to cancel
// once the work reports the chosen step.

#include "common/Progress.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace tessaro {

class FakeProgress final : public Progress
{
public:
    explicit FakeProgress(uint64_t cancelAt = std::numeric_limits<uint64_t>::max()) : cancelAt_(cancelAt) {}

    void Start(Caption caption, uint64_t total) override
    {
        captions.push_back(caption);
        totals.push_back(total);
        ++depth;
    }
    bool Step(uint64_t done) override
    {
        steps.push_back(done);
        return done >= cancelAt_;
    }
    void Finish() override { --depth; }

    std::vector<Caption> captions;
    std::vector<uint64_t> totals;
    std::vector<uint64_t> steps;
    int depth = 0; // Start without Finish

private:
    uint64_t cancelAt_;
};

} // namespace tessaro

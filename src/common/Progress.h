#pragma once
// The port through which long work (loading, saving, copying or moving many
// entries, writing a report) tells how far it is and learns whether the user
// wants it cancelled. The editor shows a dialog when the work takes long; the
// command line writes to stderr when asked to; nullptr means nobody listens.

#include "common/Texts.h"

#include <cstdint>
#include <string>

namespace tessaro {

class Progress
{
public:
    virtual ~Progress() = default;
    // Work of `total` steps begins. Nests: only the outermost work is shown.
    virtual void Start(Caption caption, uint64_t total) = 0;
    // `done` of the total steps are done. True when the user asked to cancel;
    // the work then stops and leaves everything as it was.
    virtual bool Step(uint64_t done) = 0;
    virtual void Finish() = 0;
    // The file the work that starts next is on, for the dialog to name; empty
    // for none. Those who show no file need not care.
    virtual void NameFile(const std::string& path) { (void)path; }
};

// Names the file for the life of the guard.
class ProgressFile
{
public:
    ProgressFile(Progress* progress, const std::string& path) : progress_(progress)
    {
        if (progress_)
            progress_->NameFile(path);
    }
    ~ProgressFile()
    {
        if (progress_)
            progress_->NameFile({});
    }
    ProgressFile(const ProgressFile&) = delete;
    ProgressFile& operator=(const ProgressFile&) = delete;

private:
    Progress* progress_;
};

// Start and Finish for the life of the guard; everything is a no-op without a Progress.
class ProgressScope
{
public:
    ProgressScope(Progress* progress, Caption caption, uint64_t total) : progress_(progress)
    {
        if (progress_)
            progress_->Start(caption, total);
    }
    ~ProgressScope()
    {
        if (progress_)
            progress_->Finish();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    // Reports at most every `stride` steps, so that a caller may ask per item.
    // True when cancelled.
    bool Step(uint64_t done)
    {
        if (!progress_ || (done % kStride != 0 && done != 0))
            return false;
        return cancelled_ = progress_->Step(done);
    }
    bool Cancelled() const { return cancelled_; }

    static constexpr uint64_t kStride = 1024;

private:
    Progress* progress_;
    bool cancelled_ = false;
};

} // namespace tessaro

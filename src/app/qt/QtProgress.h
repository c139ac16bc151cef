#pragma once
// The editor's Progress: a window-modal QProgressDialog with Cancel, shown only
// when the work is still running after about half a second, so that quick work
// shows nothing. Meanwhile the window keeps repainting.

#include "common/Progress.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <string>

class QProgressDialog;
class QWidget;

namespace tessaro {

class QtProgress final : public Progress
{
public:
    explicit QtProgress(QWidget* parent, int showAfterMs = 500);
    ~QtProgress() override;
    QtProgress(const QtProgress&) = delete;
    QtProgress& operator=(const QtProgress&) = delete;

    void Start(Caption caption, uint64_t total) override;
    bool Step(uint64_t done) override;
    void Finish() override;
    // Shown under the caption, as the folder that holds it and its name.
    void NameFile(const std::string& path) override;

    // The dialog while it is shown, else nullptr.
    QProgressDialog* Dialog() const { return dialog_.get(); }

private:
    void ShowDialog();

    QWidget* parent_;
    int showAfterMs_;
    int depth_ = 0;
    Caption caption_ = Caption::ProgressLoading;
    std::string file_;      // named for the work that starts next
    std::string shownFile_; // the file of the work that runs
    uint64_t total_ = 0;
    int lastValue_ = -1;
    bool cancelled_ = false;
    QElapsedTimer sinceStart_;
    QElapsedTimer sinceEvents_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace tessaro

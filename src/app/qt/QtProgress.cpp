#include "app/qt/QtProgress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace tessaro {

namespace {

constexpr int kSteps = 1000;       // the dialog's range: fine enough for any total
constexpr int kEventsEveryMs = 30; // how often the window gets to repaint

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

QtProgress::QtProgress(QWidget* parent, int showAfterMs) : parent_(parent), showAfterMs_(showAfterMs) {}

QtProgress::~QtProgress() = default;

void QtProgress::Start(Caption caption, uint64_t total)
{
    if (depth_++ > 0)
        return; // the outer work's dialog stands for the inner one
    caption_ = caption;
    shownFile_ = file_;
    total_ = total;
    lastValue_ = -1;
    cancelled_ = false;
    sinceStart_.start();
    sinceEvents_.start();
}

void QtProgress::NameFile(const std::string& path)
{
    file_ = path;
}

void QtProgress::ShowDialog()
{
    QString label = Q(Tr(caption_));
    if (!shownFile_.empty()) {
        // Every backup set calls its file MDB.bup: the folder tells them apart.
        const QFileInfo file(Q(shownFile_));
        const QString folder = file.dir().dirName();
        const QString name = folder.isEmpty() || folder == QLatin1String(".")
                                 ? file.fileName()
                                 : folder + u'/' + file.fileName();
        label += u'\n' + Q(FillArgs(Tr(Caption::ProgressFile), {name.toStdString()}));
    }
    dialog_ = std::make_unique<QProgressDialog>(label, Q(Tr(Caption::Cancel)), 0, kSteps, parent_);
    dialog_->setWindowTitle(QStringLiteral("Tessaro"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->show();
}

bool QtProgress::Step(uint64_t done)
{
    if (depth_ == 0)
        return false;
    if (!dialog_ && sinceStart_.elapsed() >= showAfterMs_)
        ShowDialog();
    if (dialog_) {
        const int value = total_ == 0 ? 0 : int(std::min<uint64_t>(done, total_) * kSteps / total_);
        if (value != lastValue_) {
            lastValue_ = value;
            dialog_->setValue(value);
        }
    }
    if (sinceEvents_.elapsed() >= kEventsEveryMs) {
        sinceEvents_.restart();
        // Before the dialog shows, the window only repaints: a click must not
        // start another command in the middle of this one.
        QCoreApplication::processEvents(dialog_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    cancelled_ = cancelled_ || (dialog_ && dialog_->wasCanceled());
    return cancelled_;
}

void QtProgress::Finish()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    dialog_.reset();
}

} // namespace tessaro

#pragma once
// The wait cursor for the life of the guard, for window code that does not go
// through Prompts (which has its own WaitCursor guard).

#include <QApplication>
#include <QCursor>

namespace tessaro {

class QtWaitCursor
{
public:
    QtWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~QtWaitCursor() { QApplication::restoreOverrideCursor(); }
    QtWaitCursor(const QtWaitCursor&) = delete;
    QtWaitCursor& operator=(const QtWaitCursor&) = delete;
};

} // namespace tessaro

#include "common/qt/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

namespace tessaro {

namespace {

// a * b / c, rounded to the nearest integer, as dialog templates are scaled.
int ScaleRounded(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// The average width of the 52 Latin letters, rounded, as the dialog manager measures it.
int AverageWidthOf(const QFontMetrics& metrics)
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int width = metrics.horizontalAdvance(letters);
    return (width / 26 + 1) / 2;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    averageCharWidth_ = AverageWidthOf(metrics);
    charHeight_ = metrics.height();
}

DialogUnits::DialogUnits(const QWidget& widget) : DialogUnits(widget.font()) {}

int DialogUnits::X(int units) const
{
    return ScaleRounded(units, averageCharWidth_, 4);
}

int DialogUnits::Y(int units) const
{
    return ScaleRounded(units, charHeight_, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    // Both corners are scaled, so neighbouring controls meet without gaps.
    return {X(x), Y(y), X(x + width) - X(x), Y(y + height) - Y(y)};
}

QSize DialogUnits::Size(int width, int height) const
{
    return {X(width), Y(height)};
}

void DialogUnits::Place(QWidget* widget, int x, int y, int width, int height) const
{
    widget->setGeometry(Rect(x, y, width, height));
}

} // namespace tessaro

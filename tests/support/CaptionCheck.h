#pragma once
// What a person sees of a window's texts, measured without the program's own
// layout helpers: a caption that its control clips, that touches the frame of
// its button, or that runs into the control beside it. Used by the window
// tests in both languages.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>

namespace tessaro::testing {

// Room kept between a text and a frame or a neighbouring control.
constexpr int kMinimumGap = 3;

struct TextExtent
{
    int left = 0; // in the parent's coordinates
    int right = 0;
};

// Where the control draws its caption; false for controls without one.
inline bool CaptionExtent(const QWidget& control, TextExtent& extent, QString& problem)
{
    const int x = control.x();
    const int width = control.width();
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->text().isEmpty() || label->wordWrap())
            return false;
        const int text = label->fontMetrics().horizontalAdvance(label->text());
        const int indent = std::max(label->indent(), 0) + label->margin();
        if (text + indent > width)
            problem = QStringLiteral("clipped");
        if (label->alignment() & Qt::AlignRight)
            extent = {x + width - indent - text, x + width - indent};
        else if (label->alignment() & Qt::AlignHCenter)
            extent = {x + (width - text) / 2, x + (width + text) / 2};
        else
            extent = {x + indent, x + indent + text};
        return true;
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        if (button->text().isEmpty())
            return false;
        const int text = button->fontMetrics().horizontalAdvance(button->text());
        if (text + 2 * (kMinimumGap + 1) > width) // the frame is a pixel or two
            problem = QStringLiteral("touches its frame");
        return false; // the frame keeps the text from its neighbours
    }
    if (const auto* box = qobject_cast<const QAbstractButton*>(&control)) {
        if (box->text().isEmpty())
            return false;
        QStyleOptionButton option;
        option.initFrom(box);
        const bool radio = qobject_cast<const QRadioButton*>(box) != nullptr;
        const int mark =
            box->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth,
                                      &option, box) +
            box->style()->pixelMetric(
                radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, &option, box);
        const int text = box->fontMetrics().horizontalAdvance(box->text());
        if (mark + text > width)
            problem = QStringLiteral("clipped");
        extent = {x, x + mark + text};
        return true;
    }
    return false;
}

// One line per fault, naming the control and its text; empty when every
// caption of the window is whole and clear of its neighbours.
inline QStringList CaptionProblems(const QWidget& window)
{
    QStringList problems;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window) || control->isWindow())
            continue;
        TextExtent extent;
        QString problem;
        const bool hasExtent = CaptionExtent(*control, extent, problem);
        const QString text = control->property("text").toString();
        const QString name = control->objectName() + QStringLiteral(" \"") + text + u'"';
        if (!problem.isEmpty())
            problems << name + u' ' + problem;
        if (!hasExtent)
            continue;
        // Controls on the same line, left or right of the text.
        for (const QWidget* other :
             control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == control || !other->isVisibleTo(&window) || qobject_cast<const QGroupBox*>(other))
                continue;
            const QRect box = other->geometry();
            if (box.bottom() < control->y() || box.top() > control->geometry().bottom())
                continue;
            // Beside another caption only the two texts must keep apart.
            TextExtent near{box.left(), box.right() + 1};
            QString ignored;
            CaptionExtent(*other, near, ignored);
            const bool toTheRight = box.left() > control->x();
            const bool toTheLeft = box.left() < control->x() && box.right() < control->geometry().right();
            if ((toTheRight && near.left - extent.right < kMinimumGap) ||
                (toTheLeft && extent.left - near.right < kMinimumGap))
                problems << name + QStringLiteral(" touches ") + other->objectName();
        }
    }
    return problems;
}

// True when the edit shows the whole text: drawn with the cursor at the end
// it looks as with the cursor at the start, so nothing had to scroll. The
// edit must not have the focus, or the cursor itself would differ.
inline bool ShowsWhole(QLineEdit& edit, const QString& text)
{
    edit.setMaxLength(std::max(edit.maxLength(), int(text.size())));
    edit.setText(text);
    edit.deselect();
    edit.setCursorPosition(0);
    const QImage start = edit.grab().toImage();
    edit.setCursorPosition(int(text.size()));
    const QImage end = edit.grab().toImage();
    edit.setCursorPosition(0);
    return start == end;
}

} // namespace tessaro::testing

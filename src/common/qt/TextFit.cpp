#include "common/qt/TextFit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

namespace tessaro {

namespace {

// The space between a caption and the next control: a blank of the font.
int Gap(const QWidget& control)
{
    return control.fontMetrics().horizontalAdvance(QLatin1Char(' '));
}

// A check box's or radio button's mark and the space after it.
int IndicatorWidth(const QAbstractButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    const bool radio = qobject_cast<const QRadioButton*>(&button) != nullptr;
    const QStyle* style = button.style();
    return style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, &option,
                              &button) +
           style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing,
                              &option, &button);
}

} // namespace

int CaptionWidth(const QWidget& control, const QString& caption)
{
    const int text = control.fontMetrics().horizontalAdvance(caption);
    const QStyle* style = control.style();
    if (qobject_cast<const QPushButton*>(&control)) {
        // The style's own margin on either side of the text, inside the frame.
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &control);
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &control);
        return text + 2 * (margin + frame);
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return IndicatorWidth(*button) + text + Gap(control);
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return text + 2 * label->margin() + qMax(label->indent(), 0) + Gap(control);
    return text;
}

int FieldWidth(const QLineEdit& edit, const QString& text)
{
    constexpr int kTextMargin = 2; // QLineEdit keeps this between its frame and its text
    constexpr int kCursor = 1;     // the cursor after the last character
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth =
        edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QMargins margins = edit.textMargins();
    const QSize contents(edit.fontMetrics().horizontalAdvance(text) + 2 * kTextMargin + kCursor +
                             margins.left() + margins.right(),
                         edit.fontMetrics().height());
    return edit.style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, &edit).width();
}

void FitLabelBeside(QLabel& label, QWidget& field)
{
    const int needed = CaptionWidth(label, label.text());
    if (label.width() < needed)
        label.resize(needed, label.height());
    const int overlap = label.x() + needed - field.x();
    if (overlap > 0) {
        QRect rest = field.geometry();
        rest.setLeft(rest.left() + overlap);
        field.setGeometry(rest);
    }
}

} // namespace tessaro

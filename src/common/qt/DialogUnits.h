#pragma once
// Dialog units to pixels for one font, the way dialog templates are scaled:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height. Layouts are written in dialog units
// so that they grow with the user's font.

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace tessaro {

class DialogUnits
{
public:
    explicit DialogUnits(const QFont& font);
    // The units of the widget's font.
    explicit DialogUnits(const QWidget& widget);

    int AverageCharWidth() const { return averageCharWidth_; }
    int CharHeight() const { return charHeight_; }

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

    // Sets the widget's geometry from dialog units.
    void Place(QWidget* widget, int x, int y, int width, int height) const;

private:
    int averageCharWidth_;
    int charHeight_;
};

} // namespace tessaro

#include "common/qt/PlainButtons.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QIcon>

namespace tessaro {

void RemoveStockButtonIcons(QWidget& dialog)
{
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons())
            button->setIcon(QIcon());
    }
}

} // namespace tessaro

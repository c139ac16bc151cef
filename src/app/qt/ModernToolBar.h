#pragma once
// The modern window's tool bar as the keyboard reaches it, and the captions
// of its Copy and Move, which name where the entries go.
//
// Qt leaves tool-bar buttons out of the Tab order; here each button takes Tab
// focus (Space presses it, Left and Right go to its neighbours) and shows it
// by standing out raised, and the
// window's Tab order runs as the eye reads it: the tool bar, then each pane's
// recent files, filter and tree, left pane first.

#include "edit/PaneId.h"

#include <QString>

#include <optional>
#include <vector>

class QToolBar;
class QWidget;

namespace tessaro {

// Every button the tool bar holds now takes Tab focus and shows it.
void LetTheKeyboardReachTheToolBar(QToolBar& bar);
// The Tab order: the tool bar's buttons, then `controls` in their order.
void SetTabOrder(QToolBar& bar, const std::vector<QWidget*>& controls);

// "Copy to archive" while the MDB pane is active, "Copy to MDB" while the
// archive pane is, "Copy" while none is; the menus' words, in the language.
QString ToolBarCopyText(std::optional<PaneId> active);
QString ToolBarMoveText(std::optional<PaneId> active);

} // namespace tessaro

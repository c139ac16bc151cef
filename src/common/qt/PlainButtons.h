#pragma once
// Buttons that read as their words alone. Some desktop styles put stock icons
// (coloured balls, ticks and crosses) on the standard buttons of message boxes
// and button boxes; next to a translated text they only add noise.

class QWidget;

namespace tessaro {

// Takes the icons off every button of the dialog's button boxes; call after
// its buttons exist.
void RemoveStockButtonIcons(QWidget& dialog);

} // namespace tessaro

#include "app/qt/ModernMenuWords.h"

#include "app/qt/MainMenus.h"
#include "common/Texts.h"

#include <QAction>

namespace tessaro {

void UseModernMenuWords(MainMenus& menus)
{
    const std::pair<CommandId, ModernText> words[] = {
        {CommandId::FlashFactory, ModernText::FlashFactory},
        {CommandId::FlashDefault, ModernText::FlashDefault},
        {CommandId::FlashIndividual, ModernText::FlashIndividual},
    };
    for (const auto& [id, text] : words)
        menus[id]->setText(QString::fromStdString(Tr(text)));
}

} // namespace tessaro

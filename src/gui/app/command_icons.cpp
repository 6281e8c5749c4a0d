#include "gui/app/command_icons.h"

#include <QApplication>
#include <QStyle>

namespace varmelo::gui {

QIcon commandIcon(CommandIcon icon) {
    auto standard = [](QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); };
    switch (icon) {
        case CommandIcon::None: return {};
        case CommandIcon::NewFile: return standard(QStyle::SP_FileIcon);
        case CommandIcon::OpenFile: return standard(QStyle::SP_DialogOpenButton);
        case CommandIcon::Extract: return standard(QStyle::SP_DialogSaveButton);
        case CommandIcon::Add: return standard(QStyle::SP_FileDialogNewFolder);
        case CommandIcon::Remove: return standard(QStyle::SP_TrashIcon);
        case CommandIcon::Replace: return standard(QStyle::SP_BrowserReload);
        case CommandIcon::Find: return standard(QStyle::SP_FileDialogContentsView);
        case CommandIcon::FindNext: return standard(QStyle::SP_ArrowForward);
        case CommandIcon::Filter: return standard(QStyle::SP_FileDialogListView);
        case CommandIcon::About: return standard(QStyle::SP_MessageBoxInformation);
        case CommandIcon::Exit: return standard(QStyle::SP_DialogCloseButton);
    }
    return {};
}

}  // namespace varmelo::gui

#include "gui/app/command_icons.h"

#include <QAction>
#include <QApplication>
#include <QStyle>

#include "gui/app/command_table.h"

namespace varmelo::gui {

void setCommandIcons(CommandTable& commands) {
    struct Pair {
        const char* name;
        QStyle::StandardPixmap pixmap;
    };
    static const Pair pairs[] = {
        {"FileNew1", QStyle::SP_FileIcon},
        {"FileOpen1", QStyle::SP_DialogOpenButton},
        {"EditExtract1", QStyle::SP_DialogSaveButton},
        {"EditAdd1", QStyle::SP_FileDialogNewFolder},
        {"EditRemove1", QStyle::SP_TrashIcon},
        {"EditReplace1", QStyle::SP_BrowserReload},
        {"SearchFind1", QStyle::SP_FileDialogContentsView},
        {"SearchFindNext1", QStyle::SP_ArrowForward},
        {"SearchFilter1", QStyle::SP_FileDialogListView},
        {"HelpAbout1", QStyle::SP_MessageBoxInformation},
        {"FileExit1", QStyle::SP_DialogCloseButton},
    };
    QStyle* style = QApplication::style();
    for (const Pair& p : pairs)
        if (QAction* a = commands.action(QString::fromLatin1(p.name))) a->setIcon(style->standardIcon(p.pixmap));
}

}  // namespace varmelo::gui

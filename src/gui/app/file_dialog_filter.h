#pragma once
// The filter list of one of the program's open or save dialogs ("Description|*.a;*.b|..."),
// kept as a named object beside the code that shows the dialog. A language file replaces
// it by that name (OpenDialog1, SaveDialog2, ...), as it does a label's caption.
#include <QObject>
#include <QString>

namespace varmelo::gui {

class FileDialogFilter : public QObject {
    Q_OBJECT
public:
    FileDialogFilter(const QString& name, QString filter, QObject* parent)
        : QObject(parent), filter_(std::move(filter)) {
        setObjectName(name);
    }

    const QString& filter() const { return filter_; }
    void setFilter(QString filter) { filter_ = std::move(filter); }

private:
    QString filter_;
};

}  // namespace varmelo::gui

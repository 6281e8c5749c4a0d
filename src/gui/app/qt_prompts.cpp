#include "gui/app/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>
#include <memory>

namespace varmelo::gui {

namespace {

QMessageBox::Icon boxIcon(Prompts::Icon icon) {
    switch (icon) {
        case Prompts::Icon::Information: return QMessageBox::Information;
        case Prompts::Icon::Question: return QMessageBox::Question;
        case Prompts::Icon::Warning: return QMessageBox::Warning;
        case Prompts::Icon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QString title() {
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Varmelo") : name;
}

Prompts::Answer ask(QWidget* parent, const QString& text, const QString& caption, Prompts::Icon icon,
                    QMessageBox::StandardButtons buttons) {
    QMessageBox box(boxIcon(icon), caption, text, buttons, parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes: return Prompts::Answer::Yes;
        case QMessageBox::No: return Prompts::Answer::No;
        default: return Prompts::Answer::Cancel;
    }
}

QFileDialog* fileDialog(QWidget* parent, const QString& filter) {
    auto* dialog = new QFileDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    const QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        dialog->selectNameFilter(filters.first());
    }
    return dialog;
}

// A list with an icon in front of every item, for choices best told apart by a picture.
std::optional<int> pickIconItem(QWidget* parent, const QString& title, const QString& label, const QStringList& items,
                                int current, const QList<QIcon>& icons) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* list = new QListWidget;
    list->setIconSize(QSize(64, 16));
    for (qsizetype i = 0; i < items.size(); ++i)
        new QListWidgetItem(i < icons.size() ? icons[i] : QIcon(), items[i], list);
    list->setCurrentRow(current);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(label));
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
    return list->currentRow();
}

}  // namespace

Prompts::Answer QtPrompts::askYesNo(const QString& text, const QString& caption, Icon icon) {
    Answer a = ask(parent_, text, caption, icon, QMessageBox::Yes | QMessageBox::No);
    return a == Answer::Cancel ? Answer::No : a;  // closing the box means No
}

Prompts::Answer QtPrompts::askYesNoCancel(const QString& text, const QString& caption, Icon icon) {
    return ask(parent_, text, caption, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void QtPrompts::showError(const QString& text) { QMessageBox::critical(parent_, title(), text); }

void QtPrompts::showMessage(const QString& text) { QMessageBox::information(parent_, title(), text); }

std::optional<QString> QtPrompts::pickOpenFile(const QString& filter) {
    std::unique_ptr<QFileDialog> dialog(fileDialog(parent_, filter));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().first();
}

QStringList QtPrompts::pickOpenFiles(const QString& filter) {
    std::unique_ptr<QFileDialog> dialog(fileDialog(parent_, filter));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog->exec() != QDialog::Accepted) return {};
    return dialog->selectedFiles();
}

std::optional<QString> QtPrompts::pickSaveFile(const QString& filter, const QString& proposedName, int* filterIndex) {
    std::unique_ptr<QFileDialog> dialog(fileDialog(parent_, filter));
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    // The dialog asks before an existing file is overwritten (the toolkit's default,
    // stated so that nobody switches it off by accident).
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    const QStringList filters = dialog->nameFilters();
    if (filterIndex && *filterIndex >= 1 && *filterIndex <= filters.size())
        dialog->selectNameFilter(filters[*filterIndex - 1]);
    if (!proposedName.isEmpty()) dialog->selectFile(proposedName);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    if (filterIndex) {
        const qsizetype chosen = filters.indexOf(dialog->selectedNameFilter());
        if (chosen >= 0) *filterIndex = int(chosen) + 1;
    }
    return dialog->selectedFiles().first();
}

std::optional<QString> QtPrompts::pickFolder(const QString& title) {
    const QString folder = QFileDialog::getExistingDirectory(parent_, title);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

std::optional<int> QtPrompts::pickItem(const QString& title, const QString& label, const QStringList& items,
                                      int current, const QList<QIcon>& icons) {
    if (!icons.isEmpty()) return pickIconItem(parent_, title, label, items, current, icons);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent_, title, label, items, current, false, &ok);
    if (!ok) return std::nullopt;
    const int index = int(items.indexOf(chosen));
    if (index < 0) return std::nullopt;
    return index;
}

std::optional<QString> QtPrompts::askText(const QString& title, const QString& label, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

}  // namespace varmelo::gui

// The real message boxes and file dialogs: texts, captions, buttons, icons, filters and
// answers, driven as a user would answer them.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "gui/app/qt_prompts.h"

using namespace varmelo::gui;

namespace {

// Runs `answer` on the modal dialog once it is up.
template <class Dialog>
void whenShown(std::function<void(Dialog*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!d) {
            QTimer::singleShot(10, [answer] { whenShown<Dialog>(answer); });
            return;
        }
        answer(d);
    });
}

}  // namespace

class AppQtPromptsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName("Varmelo"); }
    void yesNo();
    void yesNoCancelEscapeIsCancel();
    void errorBox();
    void saveDialog();
    void openDialogCancelled();
};

void AppQtPromptsTest::yesNo() {
    QtPrompts prompts;
    QString text, caption;
    QMessageBox::Icon icon{};
    QMessageBox::StandardButtons buttons;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        box->button(QMessageBox::No)->click();
    });
    const auto answer = prompts.askYesNo("Файл 'a.dir' не найден.", "Необходимый файл не найден",
                                         Prompts::Icon::Information);
    QCOMPARE(answer, Prompts::Answer::No);
    QCOMPARE(text, QString("Файл 'a.dir' не найден."));
    QCOMPARE(caption, QString("Необходимый файл не найден"));
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);

    whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    QCOMPARE(prompts.askYesNo("q", "c", Prompts::Icon::Question), Prompts::Answer::Yes);
}

void AppQtPromptsTest::yesNoCancelEscapeIsCancel() {
    QtPrompts prompts;
    QMessageBox::StandardButtons buttons;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        buttons = box->standardButtons();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(prompts.askYesNoCancel("q", "c", Prompts::Icon::Question), Prompts::Answer::Cancel);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void AppQtPromptsTest::errorBox() {
    QtPrompts prompts;
    QString text, caption;
    QMessageBox::Icon icon{};
    whenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    prompts.showError("File not found");
    QCOMPARE(text, QString("File not found"));
    QCOMPARE(caption, QString("Varmelo"));
    QCOMPARE(icon, QMessageBox::Critical);
}

void AppQtPromptsTest::saveDialog() {
    QTemporaryDir dir;
    const QString target = dir.filePath("road.txd");
    QtPrompts prompts;
    QStringList filters;
    QString selected;
    bool confirms = false;
    QFileDialog::AcceptMode mode{};
    whenShown<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        selected = d->selectedNameFilter();
        confirms = !d->testOption(QFileDialog::DontConfirmOverwrite);
        mode = d->acceptMode();
        d->selectNameFilter(filters[1]);
        d->selectFile(target);
        QMetaObject::invokeMethod(d, "accept");  // the OK button
    });
    int index = 1;
    const auto path = prompts.pickSaveFile("Файл txd|*.txd|Все файлы|*.*", "road.txd", &index);
    QCOMPARE(filters, QStringList({"Файл txd (*.txd)", "Все файлы (*)"}));
    QCOMPARE(selected, filters[0]);
    QVERIFY(confirms);
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QVERIFY(path.has_value());
    QCOMPARE(*path, target);
    QCOMPARE(index, 2);
}

void AppQtPromptsTest::openDialogCancelled() {
    QtPrompts prompts;
    QFileDialog::FileMode fileMode{};
    whenShown<QFileDialog>([&](QFileDialog* d) {
        fileMode = d->fileMode();
        d->reject();
    });
    QVERIFY(!prompts.pickOpenFile("Файл DIR (*.dir)|*.dir|Все файлы|*.*").has_value());
    QCOMPARE(fileMode, QFileDialog::ExistingFile);
}

QTEST_MAIN(AppQtPromptsTest)
#include "app_qt_prompts_test.moc"

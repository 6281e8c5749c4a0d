// The open/save filters of the program in the toolkit's form.
#include <QtTest>

#include "gui/app/prompts.h"

using namespace varmelo::gui;

class AppPromptsTest : public QObject {
    Q_OBJECT
private slots:
    void nameFilters_data();
    void nameFilters();
};

void AppPromptsTest::nameFilters_data() {
    QTest::addColumn<QString>("pipe");
    QTest::addColumn<QStringList>("qt");
    QTest::newRow("open dialog")
        << "Все поддерживаемые|*.img;*.syb;*.big;*.pk4;*.bin;*.pak|Архивы Grand Theft Auto (*.img)|*.img|"
           "Все файлы (*.*)|*.*"
        << QStringList{"Все поддерживаемые (*.img *.syb *.big *.pk4 *.bin *.pak)", "Архивы Grand Theft Auto (*.img)",
                       "Все файлы (*)"};
    QTest::newRow("dir file") << "Файл DIR (*.dir)|*.dir|Все файлы|*.*"
                              << QStringList{"Файл DIR (*.dir)", "Все файлы (*)"};
    QTest::newRow("one entry") << "Файл txd|*.txd|Все файлы|*.*" << QStringList{"Файл txd (*.txd)", "Все файлы (*)"};
    QTest::newRow("stray description without patterns") << "A|*.a|B" << QStringList{"A (*.a)"};
    QTest::newRow("empty patterns skipped") << "A||B|*.b" << QStringList{"B (*.b)"};
    QTest::newRow("blanks around") << " A | *.a ; *.b " << QStringList{"A (*.a *.b)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void AppPromptsTest::nameFilters() {
    QFETCH(QString, pipe);
    QFETCH(QStringList, qt);
    QCOMPARE(qtNameFilters(pipe), qt);
}

QTEST_MAIN(AppPromptsTest)
#include "app_prompts_test.moc"

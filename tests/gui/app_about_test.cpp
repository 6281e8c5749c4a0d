// The About box: its look, the link labels, and the credits that loop while it is shown; and
// the program's icon built into it.
#include <QLabel>
#include <QRegularExpression>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "core/version.h"
#include "gui/app/about_box.h"
#include "gui/app/credits_text.h"
#include "gui/app/link_label.h"
#include "gui/app/program_icon.h"

using namespace varmelo::gui;

class AppAboutTest : public QObject {
    Q_OBJECT
private slots:
    void creditsText_data();
    void creditsText();
    void boxLooksAsDesigned();
    void linkLabelsLightUpUnderTheMouse();
    void creditsLoop();
    void creditsHiddenWithoutTranslators();
    void timerRunsOnlyWhileShown();
    void programIconIsBuiltInAtItsSizes();
};

void AppAboutTest::creditsText_data() {
    QTest::addColumn<QStringList>("authors");
    QTest::addColumn<QString>("text");
    const QString head = "\r\n\r\n\r\n\r\n\r\nThanks To:\r\n\r\n----\r\nAuthors of translations\r\n\r\n";
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("only empty and own") << QStringList{"", "  ", "Varmelo developers"} << QString();
    QTest::newRow("one") << QStringList{"Ivan"} << head + "Ivan\r\n\r\n";
    QTest::newRow("each once, in order")
        << QStringList{"Anna", "", "Varmelo developers", "Boris", "Anna"} << head + "Anna\r\nBoris\r\n\r\n";
}

void AppAboutTest::creditsText() {
    QFETCH(QStringList, authors);
    QFETCH(QString, text);
    QCOMPARE(varmelo::gui::creditsText(authors, kProgramAuthor), text);
}

void AppAboutTest::boxLooksAsDesigned() {
    QWidget owner;
    owner.setGeometry(100, 100, 719, 448);
    AboutBox box([] { return QString(); }, &owner);
    QCOMPARE(box.objectName(), QString("frm5"));
    QCOMPARE(box.size(), QSize(472, 184));
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::black));
    auto text = [&box](const char* name) {
        auto* l = box.findChild<QLabel*>(name);
        return l ? l->text() : QString("<missing %1>").arg(name);
    };
    QCOMPARE(text("ProgramName1"), QString("Varmelo"));
    // The number is whatever project() says; the generated header must have been filled in.
    const QString version = QString::fromLatin1(varmelo::kProgramVersion);
    QVERIFY2(QRegularExpression("^[0-9]+(\\.[0-9]+)*$").match(version).hasMatch(), qPrintable(version));
    QCOMPARE(text("Title1"), "Varmelo " + version);
    QCOMPARE(text("Version1"), version);
    QCOMPARE(text("Author1"), QString("Varmelo developers"));
    QCOMPARE(text("EMailCaption1"), QString("E-mail:"));
    QCOMPARE(text("HomePageCaption1"), QString("Домашняя страница:"));
    QVERIFY(box.findChild<QLabel*>("ProgramName1")->font().pointSize() > 2 * box.findChild<QLabel*>("Title1")->font().pointSize());
    auto* ok = box.findChild<QPushButton*>("OKButton1");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QString("OK"));
    QVERIFY(ok->isDefault());
    // No address is published: the links lead nowhere rather than to a made-up place.
    QVERIFY(box.findChild<LinkLabel*>("EMail1")->target().isEmpty());
    QVERIFY(box.findChild<LinkLabel*>("HomePage1")->target().isEmpty());

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY((box.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

void AppAboutTest::linkLabelsLightUpUnderTheMouse() {
    QWidget owner;
    LinkLabel link("x", QUrl(), &owner);
    QSignalSpy activated(&link, &LinkLabel::activated);
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QVERIFY(!link.font().underline());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&link, &enter);
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(0x1C, 0xBB, 0xFF));
    QVERIFY(link.font().underline());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&link, &leave);
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QVERIFY(!link.font().underline());
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(activated.count(), 0);
}

void AppAboutTest::creditsLoop() {
    AboutBox box([] { return varmelo::gui::creditsText({"Anna", "Boris"}, kProgramAuthor); });
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QLabel* credits = box.creditsLabel();
    QVERIFY(box.creditsBox()->isVisible());
    QVERIFY(credits->text().contains("Anna\nBoris"));
    QVERIFY(!credits->text().contains('\r'));
    const int height = credits->height();
    QVERIFY(height > box.creditsBox()->height() / 4);
    QCOMPARE(credits->y(), 0);
    box.scrollTimer()->stop();  // the test drives the ticks
    for (int step = 1; 2 * (step - 1) < height; ++step) {
        box.scrollStep();
        QCOMPARE(credits->y(), -2 * step);
        QCOMPARE(box.scrollOffset(), 2 * step);
    }
    // The whole text has passed: it jumps back and starts again.
    box.scrollStep();
    QCOMPARE(credits->y(), 0);
    QCOMPARE(box.scrollOffset(), 0);
    box.scrollStep();
    QCOMPARE(credits->y(), -2);

    // Shown again, the credits start from the top.
    box.hide();
    box.show();
    QCOMPARE(credits->y(), 0);
    QCOMPARE(box.scrollOffset(), 0);
}

void AppAboutTest::creditsHiddenWithoutTranslators() {
    QString text;
    AboutBox box([&text] { return text; });
    box.show();
    QVERIFY(!box.creditsBox()->isVisible());
    box.hide();
    text = varmelo::gui::creditsText({"Anna"}, kProgramAuthor);
    box.show();
    QVERIFY(box.creditsBox()->isVisible());
}

void AppAboutTest::timerRunsOnlyWhileShown() {
    AboutBox box([] { return varmelo::gui::creditsText({"Anna"}, kProgramAuthor); });
    QCOMPARE(box.scrollTimer()->interval(), 100);
    QVERIFY(!box.scrollTimer()->isActive());
    box.show();
    QVERIFY(box.scrollTimer()->isActive());
    QTRY_VERIFY(box.scrollOffset() >= 4);
    box.hide();
    QVERIFY(!box.scrollTimer()->isActive());
}

void AppAboutTest::programIconIsBuiltInAtItsSizes() {
    const QIcon icon = programIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(48, 48), QSize(256, 256)}));
    for (int size : {48, 256}) {
        // Drawn, not blank: the discs fill the middle and leave the corners clear.
        const QImage image = icon.pixmap(size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
}

QTEST_MAIN(AppAboutTest)
#include "app_about_test.moc"

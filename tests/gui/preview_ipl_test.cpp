// The placement page: the text of a binary IPL, its labels, page 0 for other entries, the
// menu's copy state and saving with CR LF.
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

#include "core/io/errors.h"
#include "core/settings/messages.h"
#include "gui/preview/model/ipl_page.h"
#include "gui/support/scripted_prompts.h"
#include "support/ipl_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

class PreviewIplTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;
    std::vector<PreviewPage> shown;

    std::unique_ptr<IplPage> makePage() {
        auto page = std::make_unique<IplPage>(messages, prompts);
        page->setShowPage([this](PreviewPage p) { shown.push_back(p); });
        return page;
    }
    std::string put(const std::string& name, const Bytes& bytes) {
        writeFile(dir.file(name), bytes);
        return dir.file(name);
    }
    static Bytes sample() {
        IplInstance i;
        i.x = 10.5f;
        i.model = 1234;
        return IplBuilder().add(i).build();
    }

private slots:
    void init() {
        prompts = testing::ScriptedPrompts();
        shown.clear();
    }

    void showsTheTextForm() {
        const Bytes b = sample();
        auto page = makePage();
        page->preview(put("p.ipl", b), 0, b.size(), "props.ipl");
        QCOMPARE(shown, std::vector<PreviewPage>{PreviewPage::Ipl});
        QCOMPARE(page->nameLabel()->text(), QStringLiteral("props.ipl"));
        QCOMPARE(page->sizeLabel()->text(), QStringLiteral("1 КБ"));
        // Every line of the text is the converter's to get right; the page shows them in order.
        const QStringList lines = page->memo()->toPlainText().split('\n');
        QCOMPARE(lines.first(), QStringLiteral("# IPL generated from binary IPL file props.ipl"));
        QCOMPARE(lines[3], QStringLiteral("1234, item1, 0, 10.50, 0.00, 0.00, 0.00, 0.00, 0.00, 1.00, -1"));
        QCOMPARE(lines.last(), QStringLiteral("end"));
        QCOMPARE(page->memo()->textCursor().position(), 0);
        QVERIFY(page->memo()->isReadOnly());
        QCOMPARE(page->memo()->font().family(), QStringLiteral("Lucida Console"));
        QCOMPARE(page->memo()->font().styleHint(), QFont::TypeWriter);
    }

    void notBinaryAsksForTheEmptyPage_data() {
        QTest::addColumn<QString>("magic");
        QTest::newRow("upper case") << "BNRY";
        QTest::newRow("text file") << "inst";
    }
    void notBinaryAsksForTheEmptyPage() {
        QFETCH(QString, magic);
        auto page = makePage();
        const Bytes b = sample();
        page->preview(put("p.ipl", b), 0, b.size(), "first.ipl");
        shown.clear();
        const Bytes other = IplBuilder().magic(magic.toStdString()).build();
        page->preview(put("o.ipl", other), 0, other.size(), "other.ipl");
        QCOMPARE(shown, std::vector<PreviewPage>{PreviewPage::Default});
        QCOMPARE(page->nameLabel()->text(), QStringLiteral("first.ipl"));
        QVERIFY(page->memo()->toPlainText().contains("item1"));
    }

    void truncatedFileKeepsTheLinesMade() {
        Bytes b = IplBuilder().add(IplInstance{}).add(IplInstance{}).instanceCount(5).build();
        auto page = makePage();
        QVERIFY_THROWS_EXCEPTION(FileError, page->preview(put("t.ipl", b), 0, b.size(), "t.ipl"));
        QCOMPARE(shown, std::vector<PreviewPage>{PreviewPage::Ipl});
        QVERIFY(page->memo()->toPlainText().contains("item2"));
    }

    void copyNeedsASelection() {
        const Bytes b = sample();
        auto page = makePage();
        page->preview(put("p.ipl", b), 0, b.size(), "props.ipl");
        page->prepareMenu();
        QVERIFY(!page->copyAction()->isEnabled());
        page->memo()->selectAll();
        page->prepareMenu();
        QVERIFY(page->copyAction()->isEnabled());
    }

    void saveWritesCrLfLines_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "coords" << "coords.ipl";
        QTest::newRow("own extension") << "coords.txt" << "coords.txt";
    }
    void saveWritesCrLfLines() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        const Bytes b = IplBuilder().build();
        auto page = makePage();
        page->preview(put("p.ipl", b), 0, b.size(), "\xC0.ipl");  // a Windows-1251 name
        prompts.files.push_back(QString::fromStdString(dir.path()) + "/" + typed);
        page->saveAs();
        QCOMPARE(prompts.asked.back().text, QStringLiteral("Текстовый IPL (*.ipl)|*.ipl"));
        const Bytes got = readFile(dir.file(written.toStdString()));
        const std::string text(got.begin(), got.end());
        std::string want = "# IPL generated from binary IPL file \xC0.ipl\r\n# Varmelo 3.0\r\ninst\r\nend\r\n";
        QCOMPARE(text.substr(0, want.size()), want);
        QVERIFY(text.size() > 4 && text.substr(text.size() - 7) == "\r\nend\r\n");
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 22L);
    }
};

QTEST_MAIN(PreviewIplTest)
#include "preview_ipl_test.moc"

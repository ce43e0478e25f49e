#include <QComboBox>
#include <QFont>
#include <QFontComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QStackedWidget>

#include "filterdialogtest.h"
#include "gui/filters/dlgfilterset.h"
#include "paramtext.h"

// The watermark's settings page: its text values shown and written back
// exactly, and an edit of the text becoming the filter's string.
class TestWatermarkPage : public FilterDialogTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageKeepsTextValues_data();
    void pageKeepsTextValues();
    void editedTextBecomesTheString();
    void missingFontIsKeptUntilAnotherIsChosen();
    void previewShowsTheMark();
};

static QString params(const QString &text, const QString &logo)
{
    return QStringLiteral("Kind:0,Text:%1,Font:DejaVu Sans,Size:12,Color:255000000,Opacity:100,Position:8,Margin:3,"
                          "Logo:%2,Scale:25")
        .arg(ParamText::escaped(text), ParamText::escaped(logo));
}

void TestWatermarkPage::initTestCase()
{
    loadPlugins();
    QVERIFY(filter(QStringLiteral("Watermark")));
}

void TestWatermarkPage::pageKeepsTextValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("commas and colons") << "Key:1,Other:2";
    QTest::newRow("percent signs") << "100% %25 %zz %";
    QTest::newRow("backslashes and quotes") << "C:\\Photos\\\"logo\" 'x'";
    QTest::newRow("emoji") << "\U0001F600 \U0001F1E9\U0001F1EA";
    QTest::newRow("right to left") << "\u05E9\u05DC\u05D5\u05DD \u0627\u0644\u0633\u0644\u0627\u0645";
    QTest::newRow("combining marks") << "e\u0301 a\u0308\u0332";
    QTest::newRow("blanks around") << "  x  ";
    QTest::newRow("line breaks") << "one\ntwo\r\nthree";
    QTest::newRow("empty") << "";
}

void TestWatermarkPage::pageKeepsTextValues()
{
    QFETCH(QString, text);
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Watermark")));
    const QString stored = params(text, text + QStringLiteral(".png"));
    dialog.setParams(stored);
    QCOMPARE(child<QLineEdit>(dialog, "step28_text")->text(), text);
    QCOMPARE(child<QLineEdit>(dialog, "step28_logo")->text(), text + QStringLiteral(".png"));
    QCOMPARE(dialog.pageParams(), stored);
}

void TestWatermarkPage::editedTextBecomesTheString()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Watermark")));
    dialog.setParams(QString());
    QLineEdit *text = child<QLineEdit>(dialog, "step28_text");
    text->setFocus();
    text->clear();
    QTest::keyClicks(text, QStringLiteral("\u00a9 Anna, 2026: 100%"));
    // Not at every key: the string changes once the text is done.
    QCOMPARE(dialog.params(), filter(QStringLiteral("Watermark"))->defaultParams());
    QTest::keyClick(text, Qt::Key_Return);
    WatermarkParams record;
    QVERIFY(filter(QStringLiteral("Watermark"))->parseParams(dialog.params(), record));
    QCOMPARE(record.Text, QStringLiteral("\u00a9 Anna, 2026: 100%"));
    QCOMPARE(record.Position, 8);
    QCOMPARE(record.Opacity, 50u);
}

void TestWatermarkPage::missingFontIsKeptUntilAnotherIsChosen()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Watermark")));
    const QString stored = QString(params(QStringLiteral("x"), QString()))
                               .replace(QStringLiteral("Font:DejaVu Sans"), QStringLiteral("Font:No Such Font 7"));
    dialog.setParams(stored);
    QCOMPARE(dialog.pageParams(), stored);
    auto *fonts = child<QFontComboBox>(dialog, "step28_font");
    QVERIFY(fonts->count() > 1);
    const int other = fonts->currentIndex() == 0 ? 1 : 0;
    fonts->setCurrentIndex(other);
    WatermarkParams record;
    QVERIFY(filter(QStringLiteral("Watermark"))->parseParams(dialog.params(), record));
    QCOMPARE(record.Font, fonts->currentFont().family());
    QVERIFY(record.Font != QStringLiteral("No Such Font 7"));
}

void TestWatermarkPage::previewShowsTheMark()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Watermark")));
    dialog.setParams(params(QStringLiteral("MARK"), QString()));
    dialog.setImage(pictureFile(300, 200));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(TestUtils::waitFor([&] { return previewItem(dialog) && !previewItem(dialog)->pixmap().isNull(); }));
    const QImage preview = previewItem(dialog)->pixmap().toImage();
    const QImage original = viewItem(dialog, "graphicsView_1")->pixmap().toImage();
    QCOMPARE(preview.size(), QSize(300, 200));
    // Red text at the bottom right, nothing at the top left.
    int changedBottomRight = 0;
    int changedTopLeft = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 150; ++x) {
            changedBottomRight += preview.pixel(150 + x, 100 + y) != original.pixel(150 + x, 100 + y);
            changedTopLeft += preview.pixel(x, y) != original.pixel(x, y);
        }
    }
    QVERIFY(changedBottomRight > 50);
    QCOMPARE(changedTopLeft, 0);
}

QTEST_MAIN(TestWatermarkPage)
#include "tst_watermarkpage.moc"

// What the wizard opens beside the program: the manual's pages, the images it
// loads and the updater it starts, checked in the build tree, which is laid out
// as the installed program.

#include <QDir>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include "testutils.h"

namespace {

const QString binDir = QStringLiteral(KELVARINE_BIN_DIR);

QString helpPath(const QString &page)
{
    return binDir + QStringLiteral("/help/") + page;
}

QString pageText(const QString &page)
{
    return QString::fromUtf8(TestUtils::fileBytes(helpPath(page)));
}

// Targets of href and src attributes, as written.
QStringList references(const QString &html)
{
    static const QRegularExpression attribute(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""));
    QStringList found;
    for (const QRegularExpressionMatch &match : attribute.globalMatch(html))
        found.append(match.captured(1));
    return found;
}

QSet<QString> anchors(const QString &html)
{
    static const QRegularExpression id(QStringLiteral("\\b(?:id|name)\\s*=\\s*\"([^\"]*)\""));
    QSet<QString> found;
    for (const QRegularExpressionMatch &match : id.globalMatch(html))
        found.insert(match.captured(1));
    return found;
}

bool isExternal(const QString &reference)
{
    static const QRegularExpression scheme(QStringLiteral("^[a-zA-Z][a-zA-Z0-9+.-]*:"));
    return scheme.match(reference).hasMatch();
}

QStringList manualPages()
{
    return QDir(binDir + QStringLiteral("/help")).entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")},
                                                             QDir::Files, QDir::Name);
}

} // namespace

class TestProgramFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void helpPageTheWizardOpens_data();
    void helpPageTheWizardOpens();
    void everyManualLinkResolves();
    void everyManualPageIsReachableFromTheContents();
    void imageTheWizardLoads_data();
    void imageTheWizardLoads();
    void applicationIconIsScalable();
    void updaterRefusesBadArguments_data();
    void updaterRefusesBadArguments();
};

void TestProgramFiles::initTestCase()
{
    QVERIFY2(QFileInfo(binDir + QStringLiteral("/help")).isDir(), "no help folder beside the program");
}

void TestProgramFiles::helpPageTheWizardOpens_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("Help Manual") << "introduction.htm";
    QTest::newRow("How to Rotate Pictures") << "tutorials_how_to_resize_and_rotate.htm";
    QTest::newRow("Help on Step 1") << "user_interface_step1_add_photos.htm";
    QTest::newRow("Help on Step 2") << "user_interface_step2_add_filters.htm";
    QTest::newRow("Help on Step 3") << "user_interface_step3_setup.htm";
    QTest::newRow("contents") << "index.htm";
}

void TestProgramFiles::helpPageTheWizardOpens()
{
    QFETCH(QString, page);
    const QString html = pageText(page);
    QVERIFY2(!html.isEmpty(), qPrintable(page + " is missing or empty"));
    QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page + " has no title"));
    QVERIFY2(html.contains(QStringLiteral("</html>")), qPrintable(page + " is cut short"));
}

// Relative links and pictures point at files of the manual, and a #part at an
// id on the page it names.
void TestProgramFiles::everyManualLinkResolves()
{
    const QStringList pages = manualPages();
    QVERIFY(!pages.isEmpty());
    QStringList broken;
    for (const QString &page : pages) {
        for (const QString &reference : references(pageText(page))) {
            if (isExternal(reference))
                continue;
            const QString file = reference.section(QLatin1Char('#'), 0, 0);
            const QString fragment = reference.section(QLatin1Char('#'), 1);
            const QString target = file.isEmpty() ? page : QDir::cleanPath(file);
            if (!QFileInfo(helpPath(target)).isFile())
                broken.append(page + QStringLiteral(": ") + reference);
            else if (!fragment.isEmpty() && !anchors(pageText(target)).contains(fragment))
                broken.append(page + QStringLiteral(": ") + reference + QStringLiteral(" (no such part)"));
        }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("broken links:\n") + broken.join('\n')));
}

void TestProgramFiles::everyManualPageIsReachableFromTheContents()
{
    QSet<QString> seen{QStringLiteral("index.htm")};
    QStringList queue{QStringLiteral("index.htm")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        for (const QString &reference : references(pageText(page))) {
            const QString file = QDir::cleanPath(reference.section(QLatin1Char('#'), 0, 0));
            if (isExternal(reference) || reference.startsWith(QLatin1Char('#')) || seen.contains(file)
                || !(file.endsWith(QLatin1String(".htm")) || file.endsWith(QLatin1String(".html"))))
                continue;
            seen.insert(file);
            queue.append(file);
        }
    }
    QStringList unreachable;
    for (const QString &page : manualPages()) {
        if (!seen.contains(page))
            unreachable.append(page);
    }
    QVERIFY2(unreachable.isEmpty(), qPrintable(QStringLiteral("not reachable: ") + unreachable.join(", ")));
}

void TestProgramFiles::imageTheWizardLoads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minWidth");   // the wizard cuts tiles out of some of them
    QTest::addColumn<int>("minHeight");
    QTest::addColumn<bool>("animated");
    QTest::newRow("step button icons, four 32 x 32 tiles") << "icons-wizard.png" << 128 << 32 << false;
    QTest::newRow("view button icons, four 16 x 16 tiles") << "preview_bt.png" << 64 << 16 << false;
    QTest::newRow("loading bar of the views") << "loading.gif" << 16 << 8 << true;
    QTest::newRow("loading animation of the filter preview") << "loading2.gif" << 16 << 16 << true;
    QTest::newRow("sample picture") << "sample.jpg" << 400 << 300 << false;
    QTest::newRow("splash") << "splash.png" << 400 << 111 << false;
    QTest::newRow("about box background") << "about.png" << 400 << 250 << false;
}

void TestProgramFiles::imageTheWizardLoads()
{
    QFETCH(QString, name);
    QFETCH(int, minWidth);
    QFETCH(int, minHeight);
    QFETCH(bool, animated);
    const QString path = binDir + QStringLiteral("/res/") + name;
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + " is missing"));
    // Read as the wizard reads it: with the toolkit, animations frame by frame.
    QImageReader reader(path);
    const QImage first = reader.read();
    QVERIFY2(!first.isNull(), qPrintable(name + ": " + reader.errorString()));
    QVERIFY(first.width() >= minWidth);
    QVERIFY(first.height() >= minHeight);
    int frames = 1;
    while (reader.canRead() && !reader.read().isNull())
        ++frames;
    QCOMPARE(frames > 1, animated);
}

void TestProgramFiles::applicationIconIsScalable()
{
    QXmlStreamReader svg(TestUtils::fileBytes(binDir + QStringLiteral("/res/kelvarine.svg")));
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.name(), QStringLiteral("svg"));
    QVERIFY2(svg.attributes().hasAttribute(QStringLiteral("viewBox")), "an icon that scales needs a viewBox");
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
}

void TestProgramFiles::updaterRefusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no argument") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"/install"};
    QTest::newRow("command without its slash") << QStringList{"checknow"};
    QTest::newRow("two commands") << QStringList{"/checknow", "/configure"};
}

void TestProgramFiles::updaterRefusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QByteArray output;
    QCOMPARE(TestUtils::run(binDir + QStringLiteral("/updater"), arguments, &output, 20000), 2);
    QVERIFY2(output.contains("usage: updater"), output.constData());
}

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"

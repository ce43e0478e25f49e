#include <QDir>
#include <QTest>

#include "engine/batch/batchplanner.h"
#include "engine/batch/documentpages.h"
#include "engine/filters/filterregistry.h"
#include "testutils.h"

using namespace TestUtils;

// The multi-page document is written once, after the last picture, from the
// pages that were made; the wizard and kelvarine-batch both leave it to this.
class TestDocumentPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writtenOnceFromThePagesMade_data();
    void writtenOnceFromThePagesMade();

private:
    QTemporaryDir m_dir;
    int m_case = 0;
};

void TestDocumentPages::initTestCase()
{
    initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Flip")) >= 0);
}

void TestDocumentPages::writtenOnceFromThePagesMade_data()
{
    QTest::addColumn<QList<int>>("statuses");  // how each picture ended; a page for each one converted
    QTest::addColumn<bool>("inTheWay");         // a file where the document goes, the answer No
    QTest::addColumn<int>("pages");             // of the document written; 0 for none

    QTest::newRow("every picture a page") << QList<int>{StatusConverted, StatusConverted, StatusConverted} << false
                                          << 3;
    QTest::newRow("the last picture failed: the others' pages")
        << QList<int>{StatusConverted, StatusConverted, StatusFailed} << false << 2;
    QTest::newRow("the first picture failed") << QList<int>{StatusFailed, StatusConverted, StatusConverted} << false
                                              << 2;
    QTest::newRow("aborted at the last picture") << QList<int>{StatusConverted, StatusConverted, StatusAborted}
                                                 << false << 0;
    QTest::newRow("no page made") << QList<int>{StatusFailed, StatusFailed, StatusFailed} << false << 0;
    QTest::newRow("document declined") << QList<int>{StatusConverted, StatusConverted, StatusConverted} << true
                                       << 0;
}

void TestDocumentPages::writtenOnceFromThePagesMade()
{
    QFETCH(QList<int>, statuses);
    QFETCH(bool, inTheWay);
    QFETCH(int, pages);

    const QString folder = m_dir.filePath(QString::number(++m_case));
    QVERIFY(QDir().mkpath(folder));
    QStringList paths;
    for (const char *name : {"a.png", "b.png", "c.png"}) {
        paths.append(folder + '/' + name);
        writeEncoded(paths.last(), makePicture(30, 20), QStringLiteral("PNG"));
    }
    const QString documentPath = folder + "/a.tiff";
    if (inTheWay)
        writeBytes(documentPath, "existing");
    QList<PictureEntry> pictures;
    addPictures(pictures, paths);
    ConversionJob job = jobFor(QStringLiteral("TIFF"), folder, flipChain());
    job.multiPage = true;
    BatchPlanner planner(pictures, job);
    DocumentPages document;

    QList<int> written;  // indexes after which a document came
    for (int i = 0; i < paths.size(); ++i) {
        const PicturePlan plan = planner.decide(i, [](const QString &, QString &) { return OverwriteNo; });
        QCOMPARE(plan.target, documentPath);
        RunStatus status = RunStatus(statuses.at(i));
        if (!plan.proceeds())
            status = plan.status;
        else if (status == StatusConverted)
            QCOMPARE(document.add(readEncoded(paths.at(i)), plan.source).status, StatusConverted);
        const std::optional<PictureResult> result = document.placeIfDue(planner, i, status);
        if (result) {
            QCOMPARE(result->status, StatusConverted);
            written.append(i);
        }
    }
    QCOMPARE(written, pages > 0 ? QList<int>{2} : QList<int>{});
    if (pages > 0) {
        QCOMPARE(pageCount(documentPath), pages);
        QVERIFY(document.isEmpty());
    } else {
        QCOMPARE(QFileInfo::exists(documentPath), inTheWay);
    }
    if (inTheWay)
        QCOMPARE(fileBytes(documentPath), QByteArray("existing"));
}

QTEST_GUILESS_MAIN(TestDocumentPages)
#include "tst_documentpages.moc"

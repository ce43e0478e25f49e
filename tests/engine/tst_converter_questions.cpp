// The overwrite question between the batch and the wizard, stops that come while
// pictures are in work or a question is open, and how the driver tells the end.

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <atomic>
#include <csignal>
#include <sys/resource.h>

#include "engine/batch/batchdriver.h"
#include "engine/filters/filterregistry.h"
#include "engine/naming/renameopter.h"
#include "testutils.h"

using namespace TestUtils;

namespace {

using Batch = WizardBatch;

} // namespace

class TestConverterQuestions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void overwriteAnswers_data();
    void overwriteAnswers();
    void renameToExistingNameAsksAgain();
    void closedWhileConverting();
    void newBatchWaitsForStoppedRun_data();
    void newBatchWaitsForStoppedRun();
    void stopWhileAskingEndsTheRun();
    void stopRightAfterStartIsKept();
    void driverTellsHowTheBatchEnded_data();
    void driverTellsHowTheBatchEnded();

private:
    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

void TestConverterQuestions::initTestCase()
{
    initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Flip")) >= 0);
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Resize")) >= 0);
}

void TestConverterQuestions::init()
{
    // A fresh pair of folders per case, so no case sees another's files.
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QDir().mkpath(m_in);
    QDir().mkpath(m_out);
}

void TestConverterQuestions::overwriteAnswers_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("renames");
    QTest::addColumn<QList<int>>("statuses");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QList<bool>>("replaced");  // per existing target a.png, b.png
    QTest::addColumn<QStringList>("outputs");

    const QStringList both{"a.png", "b.png"};
    QTest::newRow("Yes overwrites, then asks again")
        << QList<int>{OverwriteYes, OverwriteNo} << QStringList{} << QList<int>{1, 2} << 2
        << QList<bool>{true, false} << both;
    QTest::newRow("No skips")
        << QList<int>{OverwriteNo, OverwriteYes} << QStringList{} << QList<int>{2, 1} << 2
        << QList<bool>{false, true} << both;
    QTest::newRow("Rename writes beside the old one")
        << QList<int>{OverwriteRename, OverwriteNo} << QStringList{"holiday"} << QList<int>{1, 2} << 2
        << QList<bool>{false, false} << QStringList{"a.png", "b.png", "holiday.png"};
    QTest::newRow("Yes to All asks once")
        << QList<int>{OverwriteYesToAll} << QStringList{} << QList<int>{1, 1} << 1
        << QList<bool>{true, true} << both;
    QTest::newRow("No to All asks once")
        << QList<int>{OverwriteNoToAll} << QStringList{} << QList<int>{2, 2} << 1
        << QList<bool>{false, false} << both;
    QTest::newRow("Abort ends the batch")
        << QList<int>{OverwriteAbort} << QStringList{} << QList<int>{3} << 1
        << QList<bool>{false, false} << both;
    QTest::newRow("unknown code aborts")
        << QList<int>{42} << QStringList{} << QList<int>{3} << 1 << QList<bool>{false, false} << both;
}

void TestConverterQuestions::overwriteAnswers()
{
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, renames);
    QFETCH(QList<int>, statuses);
    QFETCH(int, questions);
    QFETCH(QList<bool>, replaced);
    QFETCH(QStringList, outputs);

    const QStringList names{"a", "b"};
    QStringList sources;
    for (const QString &name : names) {
        sources.append(m_in + '/' + name + ".jpg");
        writeJpeg(sources.last());
        writeBytes(m_out + '/' + name + ".png", "existing " + name.toUtf8());
    }
    Batch batch(answers, renames);
    QVERIFY(batch.run(sources, jobFor("PNG", m_out, flipChain())));
    QCOMPARE(batch.statuses, statuses);
    QCOMPARE(batch.questions.size(), questions);
    QCOMPARE(batch.questions.first(), m_out + "/a.png");
    QCOMPARE(batch.offeredNames.first(), QString("a"));
    QCOMPARE(folderEntries(m_out), outputs);
    for (int i = 0; i < names.size(); ++i) {
        const bool untouched = fileBytes(m_out + '/' + names[i] + ".png") == "existing " + names[i].toUtf8();
        QVERIFY2(untouched != replaced[i], qPrintable(names[i]));
    }
    if (outputs.contains("holiday.png"))
        QVERIFY(samePixels(readEncoded(m_out + "/holiday.png"), flipped(sources[0])));
}

void TestConverterQuestions::renameToExistingNameAsksAgain()
{
    const QString source = m_in + "/a.jpg";
    writeJpeg(source);
    writeBytes(m_out + "/a.png", "first");
    writeBytes(m_out + "/taken.png", "second");
    Batch batch({OverwriteRename, OverwriteRename}, {"taken", "free"});
    QVERIFY(batch.run({source}, jobFor("PNG", m_out, flipChain())));
    QCOMPARE(batch.statuses, QList<int>{StatusConverted});
    QCOMPARE(batch.questions, QStringList({m_out + "/a.png", m_out + "/taken.png"}));
    QCOMPARE(fileBytes(m_out + "/a.png"), QByteArray("first"));
    QCOMPARE(fileBytes(m_out + "/taken.png"), QByteArray("second"));
    QVERIFY(QFileInfo::exists(m_out + "/free.png"));
}

void TestConverterQuestions::closedWhileConverting()
{
    // The window closes while several pictures are in work: it goes at once, and
    // what is left is whole, each picture either converted (its source moved) or
    // untouched.
    QStringList sources;
    for (int i = 0; i < 6; ++i) {
        sources.append(m_in + QStringLiteral("/p%1.jpg").arg(i));
        writeJpeg(sources.last(), 800, 600);
    }
    auto *driver = new BatchDriver;
    driver->setJobs(3);
    QStringList logged;
    connect(driver, &BatchDriver::resultLogged, [&logged](int, const QString &path) { logged.append(path); });
    QList<PictureEntry> pictures;
    addPictures(pictures, sources);
    ConversionJob job = jobFor("PNG", m_out, flipChain());
    job.deleteSource = true;
    QVERIFY(driver->startProcessing(pictures, job));
    QVERIFY(waitFor([&logged] { return !logged.isEmpty(); }, 60000));
    QElapsedTimer timer;
    timer.start();
    delete driver;
    QVERIFY(timer.elapsed() < 5000);
    QStringList expected;
    for (const QString &source : sources) {
        const QString name = QFileInfo(source).completeBaseName() + ".png";
        QCOMPARE(QFileInfo::exists(source), !logged.contains(source));
        if (logged.contains(source))
            expected.append(name);
    }
    QCOMPARE(folderEntries(m_out), expected);
    for (const QString &name : expected)
        QCOMPARE(readEncoded(m_out + '/' + name).columns(), 800u);
}

void TestConverterQuestions::newBatchWaitsForStoppedRun_data()
{
    QTest::addColumn<bool>("stopFirst");

    QTest::newRow("stopped, then restarted") << true;
    // A new batch stops the old one by itself: the old one goes no further.
    QTest::newRow("restarted without a stop") << false;
}

void TestConverterQuestions::newBatchWaitsForStoppedRun()
{
    QFETCH(bool, stopFirst);

    const QString first = m_in + "/first.jpg";
    const QString rest = m_in + "/rest.jpg";
    const QString second = m_in + "/second.jpg";
    writeJpeg(first, 1200, 900);
    writeJpeg(rest);
    writeJpeg(second);
    Batch batch;
    QStringList started;
    QObject::connect(&batch.driver, &BatchDriver::statusMessage,
                     [&started](const QString &text) { started.append(text); });
    QList<PictureEntry> pictures;
    addPictures(pictures, {first, rest});
    QVERIFY(batch.driver.startProcessing(pictures, jobFor("PNG", m_out, flipChain())));
    // Restarted at once, while the first run is still at work.
    if (stopFirst)
        batch.driver.stopProcess();
    QVERIFY(batch.run({second}, jobFor("BMP", m_out, flipChain())));
    // The first run's result arrives first and belongs to the first batch; whether
    // it still saw the stop depends on how far it had got.
    QCOMPARE(batch.paths, QStringList({first, second}));
    QCOMPARE(batch.statuses.last(), int(StatusConverted));
    QVERIFY(QFileInfo::exists(m_out + "/second.bmp"));
    QVERIFY2(!started.contains("rest"), qPrintable(started.join(", ")));
    QVERIFY(!QFileInfo::exists(m_out + "/rest.png"));
    QCOMPARE(QFileInfo::exists(m_out + "/first.png"), batch.statuses.first() == StatusConverted);
}

void TestConverterQuestions::stopWhileAskingEndsTheRun()
{
    // The stop comes while the question is open: the answer given after it is
    // applied to nothing, the picture is logged as aborted, and a new batch starts.
    const QString first = m_in + "/a.jpg";
    const QString second = m_in + "/b.jpg";
    writeJpeg(first);
    writeJpeg(second);
    writeBytes(m_out + "/a.png", "existing");
    Batch batch;
    int asked = 0;
    batch.driver.setOverwriteQuestion([&batch, &asked](const QString &, QString &) {
        ++asked;
        batch.driver.stopProcess();
        return OverwriteYes;
    });
    QList<PictureEntry> pictures;
    addPictures(pictures, {first});
    QVERIFY(batch.driver.startProcessing(pictures, jobFor("PNG", m_out, flipChain())));
    QVERIFY(waitFor([&asked] { return asked > 0; }));
    QVERIFY(!batch.driver.isRunning());
    QVERIFY(batch.run({second}, jobFor("BMP", m_out, flipChain())));
    QCOMPARE(batch.paths, QStringList({first, second}));
    QCOMPARE(batch.statuses, QList<int>({StatusAborted, StatusConverted}));
    QCOMPARE(asked, 1);
    QCOMPARE(fileBytes(m_out + "/a.png"), QByteArray("existing"));
    QVERIFY(QFileInfo::exists(m_out + "/b.bmp"));
}

void TestConverterQuestions::stopRightAfterStartIsKept()
{
    // A stop before the batch's first step ends it before it writes anything.
    const QString source = m_in + "/a.jpg";
    writeJpeg(source, 400, 300);
    Batch batch;
    QList<PictureEntry> pictures;
    addPictures(pictures, {source});
    QVERIFY(batch.driver.startProcessing(pictures, jobFor("PNG", m_out, flipChain())));
    batch.driver.stopProcess();
    QTest::qWait(100);
    QCOMPARE(batch.statuses, QList<int>{StatusAborted});
    QCOMPARE(folderEntries(m_out), QStringList{});
}

void TestConverterQuestions::driverTellsHowTheBatchEnded_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QStringList>("messages");

    // Whether the output folder is opened afterwards is the wizard's concern (tst_wizardprocess).
    QTest::newRow("finished")
        << false << QStringList{"Processing...", "a", "b", "Processing finished!"};
    QTest::newRow("aborted")
        << true << QStringList{"Processing...", "a", "Processing Aborted!"};
}

void TestConverterQuestions::driverTellsHowTheBatchEnded()
{
    QFETCH(bool, existing);
    QFETCH(QStringList, messages);

    const QStringList sources{m_in + "/a.jpg", m_in + "/b.jpg"};
    for (const QString &source : sources)
        writeJpeg(source);
    if (existing)
        writeBytes(m_out + "/a.png", "existing");
    BatchDriver driver;
    driver.setOverwriteQuestion([](const QString &, QString &) { return OverwriteAbort; });
    QStringList shown;
    bool ended = false;
    connect(&driver, &BatchDriver::statusMessage, [&](const QString &text, int) { shown.append(text); });
    connect(&driver, &BatchDriver::batchFinished, [&] { ended = true; });
    connect(&driver, &BatchDriver::batchAborted, [&] { ended = true; });

    QList<PictureEntry> pictures;
    addPictures(pictures, sources);
    ConversionJob job = jobFor("PNG", m_out, flipChain());
    QVERIFY(driver.startProcessing(pictures, job));
    QVERIFY(waitFor([&] { return ended; }));
    QCOMPARE(shown, messages);
    QVERIFY(!driver.isRunning());
}

QTEST_GUILESS_MAIN(TestConverterQuestions)
#include "tst_converter_questions.moc"

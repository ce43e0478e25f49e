// Multi-page documents, sources that are removed, and folders or disks that
// refuse a write: nothing the user had is lost.

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

class TestConverterDocuments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void threePicturesIntoOneTiff();
    void copiesBesideTheDocument_data();
    void copiesBesideTheDocument();
    void lastCopyAnsweredEndsOrKeepsTheDocument_data();
    void lastCopyAnsweredEndsOrKeepsTheDocument();
    void declinedDocumentWritesNothing_data();
    void declinedDocumentWritesNothing();
    void deleteSourceOntoItself();
    void deleteSourceMovesOrRemoves_data();
    void deleteSourceMovesOrRemoves();
    void readOnlyFolderLosesNothing_data();
    void readOnlyFolderLosesNothing();
    void writeFailingMidwayLosesNothing();
    void lastPageAndDocumentFailingSendOneMessage();

private:
    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

void TestConverterDocuments::initTestCase()
{
    initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Flip")) >= 0);
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Resize")) >= 0);
}

void TestConverterDocuments::init()
{
    // A fresh pair of folders per case, so no case sees another's files.
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QDir().mkpath(m_in);
    QDir().mkpath(m_out);
}

void TestConverterDocuments::threePicturesIntoOneTiff()
{
    QStringList sources;
    for (int i = 0; i < 3; ++i) {
        sources.append(m_in + QStringLiteral("/p%1.png").arg(i));
        writeEncoded(sources.last(), makePicture(20 + 10 * i, 16), "PNG");
    }
    ConversionJob job = jobFor("TIFF", m_out, flipChain());
    job.multiPage = true;
    job.deleteSource = true;
    Batch batch;
    QVERIFY(batch.run(sources, job));
    QCOMPARE(batch.statuses, QList<int>({1, 1, 1}));
    QCOMPARE(folderEntries(m_out), QStringList{"p0.tiff"});

    const QByteArray bytes = fileBytes(m_out + "/p0.tiff");
    std::list<Magick::Image> pages;
    Magick::readImages(&pages, Magick::Blob(bytes.constData(), size_t(bytes.size())));
    QCOMPARE(int(pages.size()), 3);
    int i = 0;
    for (const Magick::Image &page : pages) {
        QCOMPARE(int(page.columns()), 20 + 10 * i);
        QCOMPARE(QString::fromStdString(page.magick()), QString("TIFF"));
        ++i;
    }
    // Moved into the document: the sources go only once it is written.
    QCOMPARE(folderEntries(m_in), QStringList{});
}

void TestConverterDocuments::copiesBesideTheDocument_data()
{
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<int>("pages");

    // Nothing to apply and the format kept: copied, and no document at all.
    QTest::newRow("all copied") << QStringList{"a.tiff", "b.tiff"} << QStringList{"a.tiff", "b.tiff"} << 0;
    // The first picture is copied, so the first page names the document; the last
    // one is copied too, and the document is still written after it.
    QTest::newRow("pages between copies") << QStringList{"a.tiff", "b.png", "c.png", "d.tiff"}
                                          << QStringList{"a.tiff", "b.tiff", "d.tiff"} << 2;
}

void TestConverterDocuments::copiesBesideTheDocument()
{
    QFETCH(QStringList, sources);
    QFETCH(QStringList, outputs);
    QFETCH(int, pages);

    QStringList paths;
    for (const QString &source : sources) {
        paths.append(m_in + '/' + source);
        writeEncoded(paths.last(), makePicture(12, 10), source.endsWith(".png") ? "PNG" : "TIFF");
    }
    ConversionJob job = jobFor("TIFF", m_out);
    job.multiPage = true;
    Batch batch;
    QVERIFY(batch.run(paths, job));
    QCOMPARE(batch.statuses, QList<int>(sources.size(), StatusConverted));
    QCOMPARE(folderEntries(m_out), outputs);
    QCOMPARE(fileBytes(m_out + "/a.tiff"), fileBytes(paths.first()));
    if (pages > 0)
        QCOMPARE(pageCount(m_out + "/b.tiff"), pages);
}

void TestConverterDocuments::lastCopyAnsweredEndsOrKeepsTheDocument_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("statuses");
    QTest::addColumn<bool>("documentWritten");

    // The copy's own question is about the copy alone: the pages before it still
    // make their document. Abort, though, ends the batch, which writes nothing more.
    QTest::newRow("No keeps the document") << int(OverwriteNo) << QList<int>{1, 1, 2} << true;
    QTest::newRow("Yes keeps the document") << int(OverwriteYes) << QList<int>{1, 1, 1} << true;
    QTest::newRow("Abort writes no document") << int(OverwriteAbort) << QList<int>{1, 1, 3} << false;
}

void TestConverterDocuments::lastCopyAnsweredEndsOrKeepsTheDocument()
{
    QFETCH(int, answer);
    QFETCH(QList<int>, statuses);
    QFETCH(bool, documentWritten);

    QStringList paths;
    for (const char *source : {"b.png", "c.png", "d.tiff"}) {
        paths.append(m_in + '/' + source);
        writeEncoded(paths.last(), makePicture(12, 10), paths.last().endsWith(".png") ? "PNG" : "TIFF");
    }
    writeBytes(m_out + "/d.tiff", "an older copy");
    ConversionJob job = jobFor("TIFF", m_out);
    job.multiPage = true;
    job.deleteSource = true;
    Batch batch({answer});
    QVERIFY(batch.run(paths, job));
    QCOMPARE(batch.statuses, statuses);
    QCOMPARE(QFileInfo::exists(m_out + "/b.tiff"), documentWritten);
    // The pages' sources go only with a document that was written.
    QCOMPARE(QFileInfo::exists(paths.at(0)), !documentWritten);
    QCOMPARE(QFileInfo::exists(paths.at(1)), !documentWritten);
}

void TestConverterDocuments::declinedDocumentWritesNothing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("statuses");

    QTest::newRow("No") << int(OverwriteNo) << QList<int>{2, 2, 2};
    QTest::newRow("No to All") << int(OverwriteNoToAll) << QList<int>{2, 2, 2};
    QTest::newRow("Abort") << int(OverwriteAbort) << QList<int>{3};
}

void TestConverterDocuments::declinedDocumentWritesNothing()
{
    QFETCH(int, answer);
    QFETCH(QList<int>, statuses);

    QStringList sources;
    for (int i = 0; i < 3; ++i) {
        sources.append(m_in + QStringLiteral("/p%1.jpg").arg(i));
        writeJpeg(sources.last());
    }
    writeBytes(m_out + "/p0.tiff", "the old document");
    ConversionJob job = jobFor("TIFF", m_out, flipChain());
    job.multiPage = true;
    job.deleteSource = true;
    Batch batch({answer});
    QVERIFY(batch.run(sources, job));
    QCOMPARE(batch.statuses, statuses);
    QCOMPARE(batch.questions.size(), 1);
    QCOMPARE(fileBytes(m_out + "/p0.tiff"), QByteArray("the old document"));
    QCOMPARE(folderEntries(m_out), QStringList{"p0.tiff"});
    QCOMPARE(folderEntries(m_in).size(), 3);
}

void TestConverterDocuments::deleteSourceOntoItself()
{
    const QString source = m_in + "/same.png";
    writeEncoded(source, makePicture(24, 18), "PNG");
    const Magick::Image expected = flipped(source);
    ConversionJob job = jobFor("PNG", QString(), flipChain());
    job.useSourceFolder = true;
    job.deleteSource = true;
    Batch batch({OverwriteYes});
    QVERIFY(batch.run({source}, job));
    QCOMPARE(batch.statuses, QList<int>{StatusConverted});
    QCOMPARE(folderEntries(m_in), QStringList{"same.png"});
    QVERIFY(samePixels(readEncoded(source), expected));
}

void TestConverterDocuments::deleteSourceMovesOrRemoves_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<bool>("failing");

    QTest::newRow("moved in copy mode") << "Original" << false << false;
    QTest::newRow("removed after encoding") << "PNG" << true << false;
    QTest::newRow("kept when decoding fails") << "PNG" << true << true;
    QTest::newRow("kept when the encoder writes nothing") << "NULL" << true << false;
    QTest::newRow("kept when there is no encoder") << "CLIPBOARD" << true << false;
}

void TestConverterDocuments::deleteSourceMovesOrRemoves()
{
    QFETCH(QString, format);
    QFETCH(bool, filtered);
    QFETCH(bool, failing);

    const QString source = m_in + "/pic.jpg";
    if (failing)
        writeBytes(source, "not a picture");
    else
        writeJpeg(source);
    const QByteArray before = fileBytes(source);
    ConversionJob job = jobFor(format, m_out, filtered ? flipChain() : QList<ChainEntry>{});
    job.deleteSource = true;
    Batch batch;
    QVERIFY(batch.run({source}, job));
    const bool converted = batch.statuses == QList<int>{StatusConverted};
    QCOMPARE(QFileInfo::exists(source), !converted);
    if (!converted) {
        QCOMPARE(batch.statuses, QList<int>{StatusFailed});
        QCOMPARE(fileBytes(source), before);
        QCOMPARE(folderEntries(m_out), QStringList{});
    } else {
        QCOMPARE(folderEntries(m_out).size(), 1);
    }
    QCOMPARE(converted, format != "NULL" && format != "CLIPBOARD" && !failing);
}

void TestConverterDocuments::readOnlyFolderLosesNothing_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<bool>("multiPage");

    QTest::newRow("encoded") << "PNG" << true << false;
    QTest::newRow("copied") << "Original" << false << false;
    QTest::newRow("document") << "TIFF" << true << true;
}

void TestConverterDocuments::readOnlyFolderLosesNothing()
{
    QFETCH(QString, format);
    QFETCH(bool, filtered);
    QFETCH(bool, multiPage);

    const QString source = m_in + "/pic.png";
    writeEncoded(source, makePicture(30, 20), "PNG");
    const QString existing = m_out + (multiPage ? "/pic.tiff" : "/pic.png");
    writeBytes(existing, "keep me");
    ConversionJob job = jobFor(format, m_out, filtered ? flipChain() : QList<ChainEntry>{});
    job.deleteSource = true;
    job.multiPage = multiPage;
    Batch batch({OverwriteYes});
    {
        ReadOnlyFolder readOnly(m_out);
        if (!readOnly.ok())
            QSKIP("cannot make a folder read-only here");
        QVERIFY(batch.run({source}, job));
    }
    QCOMPARE(batch.statuses, QList<int>{StatusFailed});
    QCOMPARE(batch.errors.size(), 1);
    QVERIFY2(batch.errors.first().startsWith("Error: "), qPrintable(batch.errors.first()));
    QCOMPARE(folderEntries(m_out), QStringList{QFileInfo(existing).fileName()});
    QCOMPARE(fileBytes(existing), QByteArray("keep me"));
    QVERIFY(QFileInfo::exists(source));
}

void TestConverterDocuments::writeFailingMidwayLosesNothing()
{
    // A file-size limit makes the disk refuse the output halfway, as a full disk would.
    const QString source = m_in + "/big.png";
    writeEncoded(source, makePicture(200, 150), "PNG");
    writeBytes(m_out + "/big.ppm", "keep me");
    const QString next = m_in + "/small.png";
    writeEncoded(next, makePicture(4, 4), "PNG");

    Batch batch({OverwriteYes});
    ConversionJob job = jobFor("PPM", m_out, flipChain());
    job.deleteSource = true;
    rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 16 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool ran = batch.run({source, next}, job);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(ran);
    QCOMPARE(batch.statuses, QList<int>({StatusFailed, StatusConverted}));
    QCOMPARE(fileBytes(m_out + "/big.ppm"), QByteArray("keep me"));
    QCOMPARE(folderEntries(m_out), QStringList({"big.ppm", "small.ppm"}));
    QVERIFY(QFileInfo::exists(source));
    QVERIFY(!QFileInfo::exists(next));
}

void TestConverterDocuments::lastPageAndDocumentFailingSendOneMessage()
{
    // The last picture cannot be read, and the document of the others does not fit
    // on the disk: one picture, one message, telling both.
    const QString first = m_in + "/big.png";
    writeEncoded(first, makePicture(200, 150), "PNG");
    const QString last = m_in + "/broken.png";
    writeBytes(last, "not a picture");
    ConversionJob job = jobFor("TIFF", m_out, flipChain());
    job.multiPage = true;
    job.deleteSource = true;
    Batch batch;
    rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 2 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool ran = batch.run({first, last}, job);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(ran);
    QCOMPARE(batch.statuses, QList<int>({StatusConverted, StatusFailed}));
    QCOMPARE(batch.errors.size(), 1);
    QCOMPARE(batch.errors.first().count("Error: "), 2);
    QCOMPARE(folderEntries(m_out), QStringList{});
    QVERIFY(QFileInfo::exists(first));
}

QTEST_GUILESS_MAIN(TestConverterDocuments)
#include "tst_converter_documents.moc"

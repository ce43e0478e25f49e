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

const QString flipParams = QStringLiteral("Vertical:1,Horizontal:0");

QList<ChainEntry> chainOf(const QList<QPair<QString, QString>> &filters)
{
    QList<ChainEntry> chain;
    for (const auto &[name, params] : filters) {
        FilterRegistry &registry = FilterRegistry::instance();
        chain.append(ChainEntry{registry.filterAt(registry.indexOfFilter(name)), params});
    }
    return chain;
}

QList<ChainEntry> flipChain()
{
    return chainOf({{QStringLiteral("Flip"), flipParams}});
}

using Batch = WizardBatch;

ConversionJob jobFor(const QString &format, const QString &outputFolder, const QList<ChainEntry> &chain = {})
{
    ConversionJob job;
    job.writeFormat = format;
    job.outputFolder = outputFolder;
    job.chain = chain;
    return job;
}

void writeJpeg(const QString &path, int width = 40, int height = 30)
{
    writeEncoded(path, makePicture(width, height), QStringLiteral("JPEG"));
}

Magick::Image flipped(const QString &path)
{
    Magick::Image image = readEncoded(path);
    image.flip();
    return image;
}

} // namespace

class TestConverter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void copyOrReencode_data();
    void copyOrReencode();
    void originalKeepsOrFallsBack_data();
    void originalKeepsOrFallsBack();
    void targetBaseNameEndsAtFirstDot_data();
    void targetBaseNameEndsAtFirstDot();
    void overwriteAnswers_data();
    void overwriteAnswers();
    void renameToExistingNameAsksAgain();
    void replacedFileKeepsItsPermissions_data();
    void replacedFileKeepsItsPermissions();
    void closedWhileAsking();
    void undecodablePictureThenNext();
    void encoderRemarkDoesNotFailThePicture_data();
    void encoderRemarkDoesNotFailThePicture();
    void missingSourceFails_data();
    void missingSourceFails();
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
    void hostileNamesConvert_data();
    void hostileNamesConvert();
    void readOnlyFolderLosesNothing_data();
    void readOnlyFolderLosesNothing();
    void writeFailingMidwayLosesNothing();
    void lastPageAndDocumentFailingSendOneMessage();
    void absurdSizeFailsQuickly();
    void newBatchWaitsForStoppedRun_data();
    void newBatchWaitsForStoppedRun();
    void collidingNamesAllSurvive_data();
    void collidingNamesAllSurvive();
    void stopWhileAskingEndsTheRun();
    void stopRightAfterStartIsKept();
    void tooLongNameFailsThePicture();
    void driverTellsHowTheBatchEnded_data();
    void driverTellsHowTheBatchEnded();

private:
    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

void TestConverter::initTestCase()
{
    initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Flip")) >= 0);
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Resize")) >= 0);
}

void TestConverter::init()
{
    // A fresh pair of folders per case, so no case sees another's files.
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QDir().mkpath(m_in);
    QDir().mkpath(m_out);
}

void TestConverter::copyOrReencode_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("copied");

    QTest::newRow("JPG copies a .jpg") << "a.jpg" << "JPG" << "a.jpg" << true;
    QTest::newRow("JPEG re-encodes a .jpg") << "a.jpg" << "JPEG" << "a.jpeg" << false;
    QTest::newRow("suffix compared ignoring case") << "b.JPG" << "JPG" << "b.JPG" << true;
    QTest::newRow("Original copies whatever it is") << "c.jpeg" << "Original" << "c.jpeg" << true;
    QTest::newRow("PNG re-encodes a .jpg") << "d.jpg" << "PNG" << "d.png" << false;
}

void TestConverter::copyOrReencode()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(QString, target);
    QFETCH(bool, copied);

    const QString sourcePath = m_in + '/' + source;
    writeJpeg(sourcePath);
    Batch batch;
    QVERIFY(batch.run({sourcePath}, jobFor(format, m_out)));
    QCOMPARE(batch.statuses, QList<int>{StatusConverted});
    QCOMPARE(batch.driver.converter().isCopyOnly(), copied);

    const QString targetPath = m_out + '/' + target;
    QCOMPARE(folderEntries(m_out), QStringList{target});
    if (copied) {
        QCOMPARE(fileBytes(targetPath), fileBytes(sourcePath));
        return;
    }
    QVERIFY(fileBytes(targetPath) != fileBytes(sourcePath));
    Magick::Image output = readEncoded(targetPath);
    if (format == "PNG") {
        QCOMPARE(QString::fromStdString(output.magick()), QString("PNG"));
        return;
    }
    QCOMPARE(QString::fromStdString(output.magick()), QString("JPEG"));
    QCOMPARE(QString::fromStdString(output.attribute("JPEG-Quality")), QString("77"));
}

void TestConverter::originalKeepsOrFallsBack_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("contentFormat");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("writtenAs");

    QTest::newRow("camera raw name falls back to jpg") << "x.CR2" << "TIFF" << "x.jpg" << "JPEG";
    QTest::newRow("tif keeps tif") << "y.tif" << "TIFF" << "y.tif" << "TIFF";
    QTest::newRow("png keeps png") << "z.png" << "PNG" << "z.png" << "PNG";
    QTest::newRow("unknown suffix falls back to jpg") << "w.qqq" << "PNG" << "w.jpg" << "JPEG";
}

void TestConverter::originalKeepsOrFallsBack()
{
    QFETCH(QString, source);
    QFETCH(QString, contentFormat);
    QFETCH(QString, target);
    QFETCH(QString, writtenAs);

    const QString sourcePath = m_in + '/' + source;
    writeEncoded(sourcePath, makePicture(30, 20), contentFormat);
    Batch batch;
    QVERIFY(batch.run({sourcePath}, jobFor("Original", m_out, flipChain())));
    QCOMPARE(batch.statuses, QList<int>{StatusConverted});
    QCOMPARE(folderEntries(m_out), QStringList{target});
    const Magick::Image output = readEncoded(m_out + '/' + target);
    QCOMPARE(QString::fromStdString(output.magick()), writtenAs);
    if (writtenAs != "JPEG")
        QVERIFY(samePixels(output, flipped(sourcePath)));
    else
        QCOMPARE(int(output.columns()), 30);
}

void TestConverter::targetBaseNameEndsAtFirstDot_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QString>("target");

    QTest::newRow("re-encoded") << "PNG" << true << "IMG.png";
    QTest::newRow("copied") << "Original" << false << "IMG.jpg";
}

void TestConverter::targetBaseNameEndsAtFirstDot()
{
    QFETCH(QString, format);
    QFETCH(bool, filtered);
    QFETCH(QString, target);

    const QString sourcePath = m_in + "/IMG.0001.jpg";
    writeJpeg(sourcePath);
    Batch batch;
    QVERIFY(batch.run({sourcePath}, jobFor(format, m_out, filtered ? flipChain() : QList<ChainEntry>{})));
    QCOMPARE(batch.statuses, QList<int>{StatusConverted});
    QCOMPARE(folderEntries(m_out), QStringList{target});
}

void TestConverter::overwriteAnswers_data()
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

void TestConverter::overwriteAnswers()
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

void TestConverter::renameToExistingNameAsksAgain()
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

void TestConverter::replacedFileKeepsItsPermissions_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("filtered");

    QTest::newRow("encoded") << "PNG" << true;
    QTest::newRow("copied") << "Original" << false;
}

void TestConverter::replacedFileKeepsItsPermissions()
{
    QFETCH(QString, format);
    QFETCH(bool, filtered);

    const QString source = m_in + "/a.png";
    writeEncoded(source, makePicture(10, 10), "PNG");
    const QString target = m_out + "/a.png";
    writeBytes(target, "existing");
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(target, permissions));
    Batch batch({OverwriteYes});
    QVERIFY(batch.run({source}, jobFor(format, m_out, filtered ? flipChain() : QList<ChainEntry>{})));
    QCOMPARE(batch.statuses, QList<int>{StatusConverted});
    QVERIFY(fileBytes(target) != "existing");
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077);  // without the "user" mirror of the owner
    QCOMPARE(QFile::permissions(target) & ownerGroupOther, permissions);
}

void TestConverter::closedWhileAsking()
{
    // The window closes while the question is open: the run ends as aborted
    // instead of waiting for an answer that never comes.
    const QString source = m_in + "/a.jpg";
    writeJpeg(source);
    writeBytes(m_out + "/a.png", "existing");
    auto *converter = new Converter;
    // Set on the worker (a direct connection), read here.
    std::atomic<bool> asked{false};
    connect(converter, &Converter::requestOverwrite, [&asked] { asked = true; });
    QList<PictureEntry> pictures;
    addPictures(pictures, {source});
    ConversionJob job = jobFor("PNG", m_out, flipChain());
    job.deleteSource = true;
    converter->setBatch(pictures, job);
    converter->setJob(0);
    converter->start();
    QVERIFY(waitFor([&asked] { return asked.load(); }));
    QElapsedTimer timer;
    timer.start();
    delete converter;
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(fileBytes(m_out + "/a.png"), QByteArray("existing"));
    QVERIFY(QFileInfo::exists(source));
}

void TestConverter::undecodablePictureThenNext()
{
    const QString broken = m_in + "/broken.jpg";
    const QString good = m_in + "/good.jpg";
    writeBytes(broken, QByteArray("\xff\xd8\xff\xe0 this is no picture at all", 30));
    writeJpeg(good);
    Batch batch;
    QVERIFY(batch.run({broken, good}, jobFor("PNG", m_out, flipChain())));
    QCOMPARE(batch.statuses, QList<int>({StatusFailed, StatusConverted}));
    QCOMPARE(batch.paths, QStringList({broken, good}));
    QCOMPARE(batch.errors.size(), 1);
    QVERIFY2(batch.errors.first().startsWith("Error: ") && batch.errors.first().size() > 10,
             qPrintable(batch.errors.first()));
    QCOMPARE(folderEntries(m_out), QStringList{"good.png"});
}

void TestConverter::encoderRemarkDoesNotFailThePicture_data()
{
    QTest::addColumn<bool>("multiPage");
    QTest::newRow("single picture") << false;
    QTest::newRow("document of pages") << true;
}

void TestConverter::encoderRemarkDoesNotFailThePicture()
{
    // The PNG encoder warns about chromaticities it cannot store (as it does about
    // the sRGB profile of many camera pictures) and then writes the file in full.
    QFETCH(bool, multiPage);
    Magick::Image picture = makePicture(40, 30);
    picture.chromaWhitePoint(0.3127, 0.329);
    picture.chromaRedPrimary(0.64, 0.33);
    picture.chromaGreenPrimary(0.64, 0.33);
    picture.chromaBluePrimary(0.64, 0.33);
    const QString source = m_in + "/remark.miff";
    writeEncoded(source, picture, QStringLiteral("MIFF"));

    ConversionJob job = jobFor("PNG", m_out, flipChain());
    job.multiPage = multiPage;
    Batch batch;
    QVERIFY(batch.run({source}, job));
    QCOMPARE(batch.statuses, QList<int>({StatusConverted}));
    QCOMPARE(batch.errors, QStringList());
    QCOMPARE(folderEntries(m_out), QStringList{"remark.png"});
    QCOMPARE(maxSampleDifference(readEncoded(m_out + "/remark.png"), flipped(source)), 0);
}

void TestConverter::missingSourceFails_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("filtered");

    QTest::newRow("copy mode") << "Original" << false;
    QTest::newRow("re-encoded") << "PNG" << true;
    QTest::newRow("page of a document") << "TIFF" << true;
}

void TestConverter::missingSourceFails()
{
    QFETCH(QString, format);
    QFETCH(bool, filtered);

    const QString gone = m_in + "/gone.jpg";
    const QString next = m_in + "/next.jpg";
    writeJpeg(next);
    ConversionJob job = jobFor(format, m_out, filtered ? flipChain() : QList<ChainEntry>{});
    job.multiPage = format == "TIFF";
    Batch batch;
    QVERIFY(batch.run({gone, next}, job));
    QCOMPARE(batch.statuses, QList<int>({StatusFailed, StatusConverted}));
    QCOMPARE(batch.errors.size(), 1);
    QVERIFY2(batch.errors.first().startsWith("Error: ") && batch.errors.first().contains(gone),
             qPrintable(batch.errors.first()));
    QCOMPARE(folderEntries(m_out).size(), 1);
}

void TestConverter::threePicturesIntoOneTiff()
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

void TestConverter::copiesBesideTheDocument_data()
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

void TestConverter::copiesBesideTheDocument()
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

void TestConverter::lastCopyAnsweredEndsOrKeepsTheDocument_data()
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

void TestConverter::lastCopyAnsweredEndsOrKeepsTheDocument()
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

void TestConverter::declinedDocumentWritesNothing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("statuses");

    QTest::newRow("No") << int(OverwriteNo) << QList<int>{2, 2, 2};
    QTest::newRow("No to All") << int(OverwriteNoToAll) << QList<int>{2, 2, 2};
    QTest::newRow("Abort") << int(OverwriteAbort) << QList<int>{3};
}

void TestConverter::declinedDocumentWritesNothing()
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

void TestConverter::deleteSourceOntoItself()
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

void TestConverter::deleteSourceMovesOrRemoves_data()
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

void TestConverter::deleteSourceMovesOrRemoves()
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

void TestConverter::hostileNamesConvert_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("target");

    QTest::newRow("brackets") << "pic[1].jpg" << "PNG" << "pic[1].png";
    QTest::newRow("frame selection lookalike") << "pic.jpg[0]" << "PNG" << "pic.png";
    QTest::newRow("format prefix lookalike") << "png:holiday.jpg" << "JPG" << "png:holiday.jpg";
    QTest::newRow("colon copied") << "a:b.jpg" << "Original" << "a:b.jpg";
    QTest::newRow("non-ASCII and blanks") << "Ünïcødé 写真 #1.jpg" << "TIFF" << "Ünïcødé 写真 #1.tiff";
    QTest::newRow("percent and star") << "100% *sun*.jpg" << "BMP" << "100% *sun*.bmp";
}

void TestConverter::hostileNamesConvert()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(QString, target);

    const QString sourcePath = m_in + '/' + source;
    writeJpeg(sourcePath);
    // A decoy the library would read instead if it took the name as its syntax.
    writeEncoded(m_in + "/holiday.jpg", makePicture(8, 8), "JPEG");
    Batch batch;
    QVERIFY(batch.run({sourcePath}, jobFor(format, m_out, format == "Original" ? QList<ChainEntry>{} : flipChain())));
    QCOMPARE(batch.statuses, QList<int>{StatusConverted});
    QCOMPARE(folderEntries(m_out), QStringList{target});
    const Magick::Image output = readEncoded(m_out + '/' + target);
    QCOMPARE(int(output.columns()), 40);
}

void TestConverter::readOnlyFolderLosesNothing_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<bool>("multiPage");

    QTest::newRow("encoded") << "PNG" << true << false;
    QTest::newRow("copied") << "Original" << false << false;
    QTest::newRow("document") << "TIFF" << true << true;
}

void TestConverter::readOnlyFolderLosesNothing()
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

void TestConverter::writeFailingMidwayLosesNothing()
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

void TestConverter::lastPageAndDocumentFailingSendOneMessage()
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

void TestConverter::absurdSizeFailsQuickly()
{
    // 2500 times the size: 40 x 40 becomes 100000 x 100000, 1 x 1 only 2500 x 2500.
    const QString huge = m_in + "/huge.jpg";
    const QString next = m_in + "/next.jpg";
    writeJpeg(huge, 40, 40);
    writeJpeg(next, 1, 1);
    const QList<ChainEntry> chain =
        chainOf({{"Resize", "Type:1,Width:250000,Height:250000,Radio:0,RadioBy:0"}, {"Flip", flipParams}});
    Batch batch;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(batch.run({huge, next}, jobFor("PPM", m_out, chain)));
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(batch.statuses, QList<int>({StatusFailed, StatusConverted}));
    QCOMPARE(batch.errors.size(), 1);
    QVERIFY2(batch.errors.first().startsWith("Error: "), qPrintable(batch.errors.first()));
    QCOMPARE(folderEntries(m_out), QStringList{"next.ppm"});
    QCOMPARE(int(readEncoded(m_out + "/next.ppm").columns()), 2500);
}

void TestConverter::newBatchWaitsForStoppedRun_data()
{
    QTest::addColumn<bool>("stopFirst");

    QTest::newRow("stopped, then restarted") << true;
    // A new batch stops the old one by itself: the old one goes no further.
    QTest::newRow("restarted without a stop") << false;
}

void TestConverter::newBatchWaitsForStoppedRun()
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

void TestConverter::collidingNamesAllSurvive_data()
{
    QTest::addColumn<QStringList>("sources");  // relative to the input folder, in batch order
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("deleteSource");
    QTest::addColumn<QString>("existing");     // a file in the output folder before the batch
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("outputs");  // in batch order
    QTest::addColumn<int>("questions");

    QTest::newRow("two suffixes to one format, sources deleted, overwriting allowed")
        << QStringList{"p.png", "p.bmp"} << "JPG" << true << QString() << QList<int>{OverwriteYesToAll}
        << QStringList{"p.jpg", "p (2).jpg"} << 0;
    QTest::newRow("one name from two folders, copied and moved")
        << QStringList{"x/p.png", "y/p.png"} << "Original" << true << QString() << QList<int>{OverwriteYesToAll}
        << QStringList{"p.png", "p (2).png"} << 0;
    QTest::newRow("names alike up to the first dot")
        << QStringList{"2023.05.01 party.png", "2023.06.12 beach.png", "2023.07.04 picnic.png"} << "JPG" << false
        << QString() << QList<int>{} << QStringList{"2023.jpg", "2023 (2).jpg", "2023 (3).jpg"} << 0;
    QTest::newRow("only the file from before the batch is asked about")
        << QStringList{"x/p.png", "y/p.png"} << "JPG" << false << "p.jpg" << QList<int>{OverwriteYes}
        << QStringList{"p.jpg", "p (2).jpg"} << 1;
    QTest::newRow("a free number is one no file has")
        << QStringList{"x/p.png", "y/p.png"} << "JPG" << false << "p (2).jpg" << QList<int>{}
        << QStringList{"p.jpg", "p (3).jpg"} << 0;
    // One file where the output folder ignores case (a memory card, a shared drive).
    QTest::newRow("names alike but for case, sources deleted")
        << QStringList{"x/P.png", "y/p.png"} << "JPG" << true << QString() << QList<int>{}
        << QStringList{"P.jpg", "p (2).jpg"} << 0;
}

void TestConverter::collidingNamesAllSurvive()
{
    QFETCH(QStringList, sources);
    QFETCH(QString, format);
    QFETCH(bool, deleteSource);
    QFETCH(QString, existing);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, outputs);
    QFETCH(int, questions);

    QStringList paths;
    QList<QByteArray> originals;
    for (int i = 0; i < sources.size(); ++i) {
        const QString path = m_in + '/' + sources.at(i);
        QDir().mkpath(QFileInfo(path).path());
        // Sizes differ, so each output tells which picture it holds.
        writeEncoded(path, makePicture(20 + 10 * i, 20), QFileInfo(path).suffix().toUpper());
        paths.append(path);
        originals.append(fileBytes(path));
    }
    if (!existing.isEmpty())
        writeBytes(m_out + '/' + existing, "existing");
    ConversionJob job = jobFor(format, m_out);
    job.deleteSource = deleteSource;
    Batch batch(answers);
    QVERIFY(batch.run(paths, job));

    QCOMPARE(batch.statuses, QList<int>(sources.size(), StatusConverted));
    QCOMPARE(batch.questions.size(), questions);
    for (int i = 0; i < outputs.size(); ++i) {
        const QString output = m_out + '/' + outputs.at(i);
        QCOMPARE(int(readEncoded(output).columns()), 20 + 10 * i);
        if (format == "Original")
            QCOMPARE(fileBytes(output), originals.at(i));
        QCOMPARE(QFileInfo::exists(paths.at(i)), !deleteSource);
    }
    // Every renamed picture says so in the log.
    QCOMPARE(batch.errors.filter("Saved as ").size(), outputs.filter(" (").size());
    QVERIFY(batch.errors.join('\n').contains(QDir::toNativeSeparators(m_out + '/' + outputs.last())));
}

void TestConverter::stopWhileAskingEndsTheRun()
{
    // The stop comes while the worker waits for an answer and before the question
    // has reached the user: the run ends as aborted at once, the question is never
    // shown, and a new batch starts.
    const QString first = m_in + "/a.jpg";
    const QString second = m_in + "/b.jpg";
    writeJpeg(first);
    writeJpeg(second);
    writeBytes(m_out + "/a.png", "existing");
    Batch batch({OverwriteYes, OverwriteYes});
    QList<PictureEntry> pictures;
    addPictures(pictures, {first});
    QVERIFY(batch.driver.startProcessing(pictures, jobFor("PNG", m_out, flipChain())));
    QDeadlineTimer deadline(10000);
    while (batch.driver.converter().pendingQuestion().isEmpty() && !deadline.hasExpired())
        QThread::msleep(1);
    QVERIFY(!batch.driver.converter().pendingQuestion().isEmpty());
    batch.driver.stopProcess();
    QVERIFY(batch.run({second}, jobFor("BMP", m_out, flipChain())));
    QCOMPARE(batch.paths, QStringList({first, second}));
    QCOMPARE(batch.statuses, QList<int>({StatusAborted, StatusConverted}));
    QTest::qWait(200);  // a stale question would arrive now
    QCOMPARE(batch.questions, QStringList{});
    QCOMPARE(fileBytes(m_out + "/a.png"), QByteArray("existing"));
    QVERIFY(QFileInfo::exists(m_out + "/b.bmp"));
}

void TestConverter::stopRightAfterStartIsKept()
{
    // A stop between the start of a run and its first step ends the run before it
    // writes anything.
    const QString source = m_in + "/a.jpg";
    writeJpeg(source, 400, 300);
    Batch batch;
    Converter &converter = batch.driver.converter();
    QObject::connect(&converter, &QThread::started, &converter, [&converter] { converter.stop(); },
                     Qt::DirectConnection);
    QVERIFY(batch.run({source}, jobFor("PNG", m_out, flipChain())));
    QCOMPARE(batch.statuses, QList<int>{StatusSkipped});
    QCOMPARE(folderEntries(m_out), QStringList{});
}

void TestConverter::tooLongNameFailsThePicture()
{
    const QString source = m_in + "/a.jpg";
    const QString next = m_in + "/b.jpg";
    writeJpeg(source);
    writeJpeg(next);
    ConversionJob job = jobFor("PNG", m_out, flipChain());
    // Only "a" grows: 200 of them, each into 200 "x".
    job.naming = RenameOpter(QString(200, 'a') + "[FileName][Replace_a_" + QString(200, 'x') + "]");
    Batch batch;
    QVERIFY(batch.run({source, next}, job));
    QCOMPARE(batch.statuses, QList<int>({StatusFailed, StatusFailed}));
    QCOMPARE(batch.errors.size(), 2);
    QVERIFY2(batch.errors.first().contains("longer than 255 bytes"), qPrintable(batch.errors.first()));
    QCOMPARE(folderEntries(m_out), QStringList{});
}

void TestConverter::driverTellsHowTheBatchEnded_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QStringList>("messages");

    // Whether the output folder is opened afterwards is the wizard's concern (tst_wizardprocess).
    QTest::newRow("finished")
        << false << QStringList{"Processing...", "a", "b", "Processing finished!"};
    QTest::newRow("aborted")
        << true << QStringList{"Processing...", "a", "Processing Aborted!"};
}

void TestConverter::driverTellsHowTheBatchEnded()
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

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"

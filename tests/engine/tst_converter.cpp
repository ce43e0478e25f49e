// The wizard's conversion of single pictures: copied or re-encoded, the names
// they get, and pictures that fail without costing the others.

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

using Batch = WizardBatch;

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
    void replacedFileKeepsItsPermissions_data();
    void replacedFileKeepsItsPermissions();
    void undecodablePictureThenNext();
    void encoderRemarkDoesNotFailThePicture_data();
    void encoderRemarkDoesNotFailThePicture();
    void missingSourceFails_data();
    void missingSourceFails();
    void hostileNamesConvert_data();
    void hostileNamesConvert();
    void absurdSizeFailsQuickly();
    void tooLongNameFailsThePicture();
    void collidingNamesAllSurvive_data();
    void collidingNamesAllSurvive();

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

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"

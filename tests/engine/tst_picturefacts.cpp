#include <QDateTime>
#include <QTest>

#include "engine/metadata/picturefacts.h"
#include "testutils.h"

// What the header and the EXIF tell about a picture, on files exiftool wrote as
// a camera would; damaged files tell nothing and break nothing.
class TestPictureFacts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cameraSettings_data();
    void cameraSettings();
    void pictureWithoutExif();
    void exifThumbnail();
    void damagedFiles_data();
    void damagedFiles();

private:
    QTemporaryDir m_dir;
};

void TestPictureFacts::initTestCase()
{
    QVERIFY(m_dir.isValid());
    TestUtils::initImageLibrary();
}

void TestPictureFacts::cameraSettings_data()
{
    QTest::addColumn<QStringList>("exif");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    QTest::newRow("camera model") << QStringList{"-Make=FUJIFILM", "-Model=X100V"} << "model" << "X100V";
    QTest::newRow("model padded with blanks") << QStringList{"-Model=  EOS R6  "} << "model" << "EOS R6";
    QTest::newRow("lens") << QStringList{"-LensModel=XF23mmF2 R WR"} << "lens" << "XF23mmF2 R WR";
    QTest::newRow("iso") << QStringList{"-ISO=3200"} << "iso" << "3200";
    QTest::newRow("aperture with a decimal") << QStringList{"-FNumber=2.8"} << "aperture" << "f2.8";
    QTest::newRow("whole aperture") << QStringList{"-FNumber=8"} << "aperture" << "f8";
    QTest::newRow("short exposure, no slash") << QStringList{"-ExposureTime=1/250"} << "exposure" << "1-250s";
    QTest::newRow("long exposure") << QStringList{"-ExposureTime=2"} << "exposure" << "2s";
    QTest::newRow("exposure of a second and a half") << QStringList{"-ExposureTime=1.5"} << "exposure" << "1.5s";
    QTest::newRow("focal length") << QStringList{"-FocalLength=50"} << "focal" << "50mm";
    QTest::newRow("focal length of a phone") << QStringList{"-FocalLength=4.25"} << "focal" << "4.3mm";
    QTest::newRow("zero aperture is none") << QStringList{"-FNumber=0"} << "aperture" << "";
    QTest::newRow("date taken") << QStringList{"-DateTimeOriginal=2021:07:04 09:15:30"} << "taken"
                                << "2021-07-04T09:15:30";
    QTest::newRow("camera without a clock") << QStringList{"-DateTimeOriginal#=0000:00:00 00:00:00"} << "taken" << "";
}

void TestPictureFacts::cameraSettings()
{
    QFETCH(QStringList, exif);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".jpg");
    QVERIFY2(TestUtils::writeCameraJpeg(path, exif, 64, 48), "exiftool (libimage-exiftool-perl) writes the EXIF");

    const PictureFacts facts = PictureFacts::read(path);
    const QMap<QString, QString> fields{{"model", facts.cameraModel},
                                        {"lens", facts.lens},
                                        {"iso", facts.iso},
                                        {"aperture", facts.aperture},
                                        {"exposure", facts.exposureTime},
                                        {"focal", facts.focalLength},
                                        {"taken", facts.taken.toString(Qt::ISODate)}};
    QCOMPARE(fields.value(field), expected);
    // The header is read as well, whatever the EXIF holds.
    QCOMPARE(facts.pixelSize, QSize(64, 48));
    QCOMPARE(facts.fileSize, QFileInfo(path).size());
}

void TestPictureFacts::pictureWithoutExif()
{
    const QString path = m_dir.filePath("plain.png");
    TestUtils::writePicture(TestUtils::makePicture(300, 200), path);
    const QDateTime modified(QDate(2019, 3, 2), QTime(8, 0));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();

    const PictureFacts facts = PictureFacts::read(path, true);
    QCOMPARE(facts.pixelSize, QSize(300, 200));
    QVERIFY(!facts.taken.isValid());
    QVERIFY(facts.cameraModel.isEmpty() && facts.lens.isEmpty() && facts.iso.isEmpty() && facts.aperture.isEmpty()
            && facts.exposureTime.isEmpty() && facts.focalLength.isEmpty() && facts.thumbnail.isEmpty());
    QCOMPARE(facts.takenOrModified(path), modified);
}

void TestPictureFacts::exifThumbnail()
{
    const QString small = m_dir.filePath("small.jpg");
    TestUtils::writeJpeg(small, 16, 12);
    const QString path = m_dir.filePath("withthumb.jpg");
    QVERIFY(TestUtils::writeCameraJpeg(path, {"-ThumbnailImage<=" + small}, 640, 480));

    QVERIFY(PictureFacts::read(path).thumbnail.isEmpty());  // only when asked for
    // The camera's own small JPEG, as it was put in.
    QCOMPARE(PictureFacts::read(path, true).thumbnail, TestUtils::fileBytes(small));
}

void TestPictureFacts::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("text named .jpg") << QByteArray("not a picture at all\n");
    QTest::newRow("JPEG start only") << QByteArray("\xFF\xD8\xFF\xE1\x00\x10", 6);
    QTest::newRow("APP1 longer than the file") << QByteArray("\xFF\xD8\xFF\xE1\xFF\xFF" "Exif\0\0II*\0", 16);
}

void TestPictureFacts::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath("damaged.jpg");
    TestUtils::writeBytes(path, bytes);
    const PictureFacts facts = PictureFacts::read(path, true);
    QCOMPARE(facts.fileSize, qint64(bytes.size()));
    QVERIFY(!facts.pixelSize.isValid());
    QVERIFY(facts.cameraModel.isEmpty() && facts.thumbnail.isEmpty() && !facts.taken.isValid());
    QCOMPARE(PictureFacts::read(m_dir.filePath("missing.jpg")).fileSize, qint64(-1));
}

QTEST_GUILESS_MAIN(TestPictureFacts)
#include "tst_picturefacts.moc"

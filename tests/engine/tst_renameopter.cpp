#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QTest>
#include <QtConcurrent>

#include "engine/naming/renameopter.h"
#include "testutils.h"

// Names made by the one engine for real files in a folder named "Trip".
class TestRenameOpter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newName_data();
    void newName();
    void dateAndTime_data();
    void dateAndTime();
    void dateAndTimeInOtherLanguages_data();
    void dateAndTimeInOtherLanguages();
    void tooLongNameIsRefused_data();
    void tooLongNameIsRefused();
    void missingSourceGivesNoName_data();
    void missingSourceGivesNoName();
    void namesAgreeAcrossThreads();
    void namesFromTheCamera_data();
    void namesFromTheCamera();

private:
    QString source(const QString &fileName, const QDateTime &modified = QDateTime());

    QTemporaryDir m_dir;
    QString m_trip;
};

void TestRenameOpter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    TestUtils::initImageLibrary();  // the camera pictures are written with it
    m_trip = m_dir.filePath("Trip");
    QVERIFY(QDir().mkpath(m_trip));
    QCOMPARE(RenameOpter::defaultFormat(), QStringLiteral("[FileName]"));
}

// Creates the file (once) in Trip and gives it the modification time asked for.
QString TestRenameOpter::source(const QString &fileName, const QDateTime &modified)
{
    const QString path = m_trip + '/' + fileName;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        qFatal("cannot create %s", qPrintable(path));
    if (modified.isValid() && !file.setFileTime(modified, QFileDevice::FileModificationTime))
        qFatal("cannot set the time of %s", qPrintable(path));
    return path;
}

void TestRenameOpter::newName_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");

    QTest::newRow("default keeps the name") << "[FileName]" << "DSC_0042.JPG" << 0 << "DSC_0042.JPG";
    QTest::newRow("base name up to the first dot") << "[FileName]" << "IMG.0001.JPG" << 0 << "IMG.JPG";
    QTest::newRow("source without a suffix keeps the dot") << "[FileName]" << "README" << 0 << "README.";
    QTest::newRow("hidden file has an empty base name") << "[FileName]" << ".hidden" << 0 << ".hidden";
    QTest::newRow("folder and extension keywords") << "[FolderName]_[Extension]" << "a.Jpg" << 0 << "Trip_Jpg.Jpg";
    QTest::newRow("every occurrence replaced") << "[FileName]+[FileName]" << "a.jpg" << 0 << "a+a.jpg";
    QTest::newRow("template without keywords") << "photo" << "a.jpg" << 3 << "photo.jpg";
    QTest::newRow("keywords are case-sensitive") << "[filename]" << "a.jpg" << 0 << "[filename].jpg";
    QTest::newRow("dialog-only keywords stay literal") << "[Counter][DateTime]" << "a.jpg" << 0 << "[Counter][DateTime].jpg";

    QTest::newRow("counter padded to 3 digits") << "[FolderName]-[Counter_1_1_3]" << "a.jpg" << 4 << "Trip-005.jpg";
    QTest::newRow("counter start 7 step 3") << "[FolderName]-[Counter_7_3_3]" << "a.jpg" << 4 << "Trip-019.jpg";
    QTest::newRow("longer counter is not cut") << "[Counter_1234_0_2]" << "a.jpg" << 9 << "1234.jpg";
    QTest::newRow("fields with zeros are numbers") << "[Counter_100_10_10]" << "a.jpg" << 2 << "0000000120.jpg";
    QTest::newRow("leading zeros in a field") << "[Counter_007_01_1]" << "a.jpg" << 1 << "8.jpg";
    QTest::newRow("empty counter fields read 0") << "x[Counter___]" << "a.jpg" << 5 << "x0.jpg";
    QTest::newRow("same counter tag twice") << "[Counter_1_1_2]-[Counter_1_1_2]" << "a.jpg" << 1 << "02-02.jpg";
    QTest::newRow("second counter tag stays literal")
        << "[Counter_1_1_2]-[Counter_5_5_5]" << "a.jpg" << 1 << "02-[Counter_5_5_5].jpg";
    QTest::newRow("counter with letters is literal") << "[Counter_1_a_2]" << "a.jpg" << 1 << "[Counter_1_a_2].jpg";
    QTest::newRow("counter wraps as a 32-bit number") << "[Counter_2147483647_1_0]" << "a.jpg" << 1 << "-2147483648.jpg";
    QTest::newRow("padding up to the longest file name")
        << "[Counter_1_1_251]" << "a.jpg" << 0 << QString("1").rightJustified(251, '0') + ".jpg";

    QTest::newRow("lower case") << "[Case_1_0]hOLIDAY pics" << "a.JPG" << 0 << "holiday pics.JPG";
    QTest::newRow("upper case") << "[Case_2_0]hOLIDAY pics" << "a.JPG" << 0 << "HOLIDAY PICS.JPG";
    QTest::newRow("mixed case with lower extension") << "[Case_3_1]hOLIDAY pics" << "a.JPG" << 0 << "Holiday pics.jpg";
    QTest::newRow("unchanged case with lower extension") << "hOLIDAY[Case_0_1]" << "a.JPG" << 0 << "hOLIDAY.jpg";
    QTest::newRow("upper case leaves the final extension")
        << "[Case_2_0][FileName].[Extension]" << "shot.Jpg" << 0 << "SHOT.JPG.Jpg";
    QTest::newRow("upper case applies to the counter text")
        << "[Case_2_0]a[Counter_1_1_1]b" << "x.jpg" << 0 << "A1B.jpg";
    QTest::newRow("first case tag counts, all removed") << "[Case_2_0]a[Case_1_1]" << "x.JPG" << 0 << "A.JPG";
    QTest::newRow("unused case mode changes nothing") << "[Case_7_0]aB" << "x.jpg" << 0 << "aB.jpg";
    QTest::newRow("case flag 2 is no case tag") << "[Case_1_2]aB" << "x.jpg" << 0 << "[Case_1_2]aB.jpg";
    QTest::newRow("two-digit case mode is no case tag") << "[Case_12_0]aB" << "x.jpg" << 0 << "[Case_12_0]aB.jpg";

    QTest::newRow("replace") << "[FileName][Replace_IMG_Holiday]" << "IMG0001.jpg" << 0 << "Holiday0001.jpg";
    QTest::newRow("replace is case-sensitive") << "[FileName][Replace_IMG_Holiday]" << "img0001.jpg" << 0 << "img0001.jpg";
    QTest::newRow("replace tag taken to the last bracket")
        << "[FileName][Replace_[x]_(y)]" << "a[x]b.jpg" << 0 << "a(y)b.jpg";
    QTest::newRow("underscores inside the replace fields")
        << "[FileName][Replace_a_b_c_d]" << "banana.jpg" << 0 << "bdndnd.jpg";
    QTest::newRow("empty search changes nothing") << "[FileName][Replace__X]" << "IMG0001.jpg" << 0 << "IMG0001.jpg";
    QTest::newRow("empty replacement deletes") << "[FileName][Replace_0_]" << "IMG0001.jpg" << 0 << "IMG1.jpg";
    QTest::newRow("replace sees the counter text")
        << "[FileName]-[Counter_1_1_1][Replace_-1_-one]" << "a.jpg" << 0 << "a-one.jpg";
    QTest::newRow("case comes after the replacement")
        << "[Case_3_0][FileName][Replace_IMG_HOLIDAY]" << "IMG0001.jpg" << 0 << "Holiday0001.jpg";
    QTest::newRow("replace tag without a separator is literal")
        << "[FileName][Replace_abc]" << "a.jpg" << 0 << "a[Replace_abc].jpg";
    QTest::newRow("replace never reaches the extension") << "[FileName][Replace_jpg_png]" << "jpg.jpg" << 0 << "png.jpg";
}

void TestRenameOpter::newName()
{
    QFETCH(QString, format);
    QFETCH(QString, fileName);
    QFETCH(int, index);
    QFETCH(QString, name);
    RenameOpter engine;
    engine.setFormat(format);
    QCOMPARE(engine.newName(source(fileName), index).valueOr(QString()), name);
}

void TestRenameOpter::dateAndTime_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<QString>("name");

    const QDateTime afternoon(QDate(2012, 1, 5), QTime(15, 45, 30));
    const QDateTime morning(QDate(2009, 11, 28), QTime(9, 5, 7));
    const QDateTime midnight(QDate(2020, 2, 29), QTime(0, 30, 0));
    // Month names follow the system's language, without the dot some languages
    // abbreviate with (German "Jan."), which would cut the output's base name short.
    const QString jan = QLocale::system().toString(afternoon.date(), "MMM").remove('.');
    const QString nov = QLocale::system().toString(morning.date(), "MMM").remove('.');

    QTest::newRow("row 0 with 12-hour time") << "[Date_0_0_0_0]" << afternoon << jan + "-05-2012 03-45 PM.jpg";
    QTest::newRow("row 3 without time") << "[Date_0_3_2_0]" << morning << "28-" + nov + "-09.jpg";
    QTest::newRow("row 10 without time") << "[Date_0_10_2_0]" << afternoon << "2012-01-05.jpg";
    QTest::newRow("row 11 without time") << "[Date_0_11_2_0]" << afternoon << "12-01-05.jpg";
    QTest::newRow("24-hour time with seconds") << "[Date_0_10_1_1]" << afternoon << "2012-01-05 15-45-30.jpg";
    QTest::newRow("12-hour morning with seconds") << "[Date_0_8_0_1]" << morning << "28-11-2009 09-05-07 AM.jpg";
    QTest::newRow("12-hour just after midnight") << "[Date_0_6_0_0]" << midnight << "02-29-2020 12-30 AM.jpg";
    QTest::newRow("unknown time mode shows 24-hour time") << "[Date_0_10_5_0]" << afternoon << "2012-01-05 15-45.jpg";
    QTest::newRow("date row outside the table uses row 0") << "[Date_0_12_2_0]" << afternoon << jan + "-05-2012.jpg";
    QTest::newRow("time row outside the table uses row 0") << "[Date_0_10_1_7]" << afternoon << "2012-01-05 15-45.jpg";
    QTest::newRow("huge row numbers use row 0") << "[Date_0_99999999999_1_4294967295]" << afternoon << jan + "-05-2012 15-45.jpg";
    QTest::newRow("literal text around the date") << "[FileName] [Date_0_10_2_0]!" << afternoon << "shot 2012-01-05!.jpg";
    QTest::newRow("upper case applies to the month") << "[Case_2_0][Date_0_2_2_0]" << afternoon << "05-" + jan.toUpper() + "-2012.jpg";
    QTest::newRow("second date tag stays literal")
        << "[Date_0_10_2_0]/[Date_0_11_2_0]" << afternoon << "2012-01-05/[Date_0_11_2_0].jpg";
    QTest::newRow("date tag with an empty field is literal") << "[Date_0__2_0]" << afternoon << "[Date_0__2_0].jpg";
    QTest::newRow("clock instead of the file")
        << "[Date_1_10_2_0]" << afternoon << QDate::currentDate().toString("yyyy-MM-dd") + ".jpg";
}

void TestRenameOpter::dateAndTime()
{
    QFETCH(QString, format);
    QFETCH(QDateTime, modified);
    QFETCH(QString, name);
    RenameOpter engine;
    engine.setFormat(format);
    QCOMPARE(engine.newName(source("shot.jpg", modified), 0).valueOr(QString()), name);
}

void TestRenameOpter::dateAndTimeInOtherLanguages_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::newRow("German") << QByteArray("de_DE.UTF-8");
    QTest::newRow("Arabic, which has digits of its own") << QByteArray("ar_EG.UTF-8");
    QTest::newRow("Persian, which has digits of its own") << QByteArray("fa_IR.UTF-8");
}

void TestRenameOpter::dateAndTimeInOtherLanguages()
{
    // Month names follow the system's language, digits never do. A process reads
    // its language once, so the date rows run again in a child under that language.
    QFETCH(QByteArray, language);
    const QByteArray before = qgetenv("LC_ALL");
    qputenv("LC_ALL", language);
    QByteArray output;
    const int status = TestUtils::run(QCoreApplication::applicationFilePath(), {"dateAndTime"}, &output);
    qputenv("LC_ALL", before);
    QVERIFY2(status == 0, output.constData());
}

void TestRenameOpter::tooLongNameIsRefused_data()
{
    QTest::addColumn<QString>("format");

    QTest::newRow("absurd padding") << "[Counter_1_1_4000000000]";
    QTest::newRow("padding one byte too many") << "[Counter_1_1_252]";
    QTest::newRow("long literal text") << QString(300, 'x');
    QTest::newRow("two-byte characters") << QString(130, QChar(0xe9));
    // Each of 30000 "a" would become 30000 "b": gigabytes, built before measured.
    QTest::newRow("replacement growing with the square")
        << QString(30000, 'a') + "[Replace_a_" + QString(30000, 'b') + "]";
    QTest::newRow("many file names") << QString("[FileName]").repeated(6000);
}

void TestRenameOpter::tooLongNameIsRefused()
{
    QFETCH(QString, format);
    const RenameOpter naming(format);
    QElapsedTimer timer;
    timer.start();
    const Result<QString> name = naming.newName(source("a.jpg"), 0);
    QCOMPARE(name.valueOr(QString()), QString());
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY2(name.error().contains("longer than 255 bytes"), qPrintable(name.error()));
}

void TestRenameOpter::missingSourceGivesNoName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << m_trip + "/gone.jpg" << "gone.jpg does not exist";
    QTest::newRow("folder") << m_trip << "is not a picture file";
    QTest::newRow("empty path") << QString() << "does not exist";
}

void TestRenameOpter::missingSourceGivesNoName()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    const RenameOpter engine("fixed[Counter_1_1_1]");
    const Result<QString> name = engine.newName(path, 0);
    QCOMPARE(name.valueOr(QString()), QString());
    // The batch shows the reason as the picture's error.
    QVERIFY2(name.error().contains(reason), qPrintable(name.error()));
}

void TestRenameOpter::namesAgreeAcrossThreads()
{
    // The converter names pictures from several workers at once.
    const RenameOpter engine("[Case_3_1][FolderName]_[Counter_1_2_4]_[Date_0_10_1_1][Replace_Trip_tour]");
    const QString path = source("P.JPG", QDateTime(QDate(2012, 1, 5), QTime(15, 45, 30)));
    QList<int> indexes;
    for (int i = 0; i < 2000; ++i)
        indexes.append(i);
    const QStringList names = QtConcurrent::blockingMapped<QStringList>(
        indexes, [&engine, &path](int index) { return engine.newName(path, index).valueOr(QString()); });
    for (int i = 0; i < indexes.size(); ++i)
        QCOMPARE(names.at(i), QString("Tour_%1_2012-01-05 15-45-30.jpg").arg(1 + 2 * i, 4, 10, QChar('0')));
}

void TestRenameOpter::namesFromTheCamera_data()
{
    QTest::addColumn<QStringList>("exif");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    const QStringList camera{"-Model=X100V", "-LensModel=XF23mm", "-ISO=400", "-FNumber=5.6", "-ExposureTime=1/500",
                             "-FocalLength=23", "-DateTimeOriginal=2021:07:04 19:15:30"};
    QTest::newRow("every camera keyword")
        << camera << "[CameraModel]_[Lens]_ISO[ISO]_[Aperture]_[ExposureTime]_[FocalLength]"
        << "X100V_XF23mm_ISO400_f5.6_1-500s_23mm.jpg";
    QTest::newRow("date taken, 24 hours") << camera << "[Date_2_10_1_1]" << "2021-07-04 19-15-30.jpg";
    QTest::newRow("date taken, AM/PM, with the file name") << camera << "[FileName]_[Date_2_0_0_0]"
                                                          << "shot_Jul-04-2021 07-15 PM.jpg";
    QTest::newRow("keywords are case-sensitive") << camera << "[cameramodel]" << "[cameramodel].jpg";
    QTest::newRow("picture that does not say") << QStringList{"-Make=Unknown"} << "a[CameraModel]b[ISO]c"
                                               << "abc.jpg";
    // Without a date taken, the file's time, as row 0 gives it.
    QTest::newRow("no date taken: modification time") << QStringList{"-Model=X"} << "[Date_2_10_1_0]"
                                                      << "2012-01-05 15-45.jpg";
    QTest::newRow("separators from the EXIF stay in the name")
        << QStringList{"-Model=../../etc/Cam\\Z"} << "[CameraModel]" << ".._.._etc_Cam_Z.jpg";
    QTest::newRow("camera text is never read as a tag") << QStringList{"-Model=[Counter_1_1_3]"}
                                                        << "[CameraModel]_[Counter_5_1_1]" << "[Counter_1_1_3]_5.jpg";
    QTest::newRow("replace sees the camera's text") << camera << "[CameraModel][Replace_X100V_Fuji]"
                                                    << "Fuji.jpg";
}

void TestRenameOpter::namesFromTheCamera()
{
    QFETCH(QStringList, exif);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    const QString folder = m_dir.filePath("Camera");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/shot.jpg";
    QFile::remove(path);
    QVERIFY2(TestUtils::writeCameraJpeg(path, exif), "exiftool (libimage-exiftool-perl) writes the EXIF");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite)
            && file.setFileTime(QDateTime(QDate(2012, 1, 5), QTime(15, 45, 30)), QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(RenameOpter(format).newName(path, 0).valueOr(QString()), expected);
}

QTEST_GUILESS_MAIN(TestRenameOpter)
#include "tst_renameopter.moc"

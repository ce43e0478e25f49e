#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include "engine/picture/picturepipeline.h"
#include "engine/project/projectwriter.h"
#include "testutils.h"

using namespace TestUtils;

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");

struct Outcome
{
    int exitCode = -1;
    QByteArray output;
};

Outcome batch(const QStringList &arguments, const QString &workingDir = QString())
{
    Outcome outcome;
    outcome.exitCode = run(program, arguments, &outcome.output, 120000, workingDir);
    return outcome;
}


} // namespace

class TestBatchRunner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void exitStatus_data();
    void exitStatus();
    void usageMessageTellsWhy_data();
    void usageMessageTellsWhy();
    void dryRunWritesNothing();
    void jobsDoNotChangeTheResult_data();
    void jobsDoNotChangeTheResult();
    void anotherPicturesSourceIsNeverReplaced_data();
    void anotherPicturesSourceIsNeverReplaced();
    void projectFileRuns_data();
    void projectFileRuns();
    void projectNumbersMustBeWhole_data();
    void projectNumbersMustBeWhole();
    void readOnlyOutputLosesNothing();
    void writeFailingMidwayLosesNothing();
    void failureReasonIsReadable();
    void listsFiltersAndFormats();
    void demoProjectConverts();

private:
    // Pictures a.jpg, b.png, c.jpg in the case's input folder.
    void makeInputs();

    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

void TestBatchRunner::initTestCase()
{
    initImageLibrary();
    QVERIFY2(QFileInfo::exists(program), qPrintable(program));
}

void TestBatchRunner::init()
{
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QDir().mkpath(m_in);
}

void TestBatchRunner::makeInputs()
{
    writeEncoded(m_in + "/a.jpg", makePicture(40, 30), "JPEG");
    writeEncoded(m_in + "/b.png", makePicture(30, 20), "PNG");
    writeEncoded(m_in + "/c.jpg", makePicture(20, 20), "JPEG");
}

void TestBatchRunner::exitStatus_data()
{
    // IN and OUT stand for the case's folders, BAD for one with a broken picture and project.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("existing");       // a file put in OUT first; "~NAME": a link to nowhere
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outputs");

    const QStringList flip{"--filter", "Flip=Vertical:1,Horizontal:0"};
    QTest::newRow("all converted") << (QStringList{"IN", "-o", "OUT", "-f", "PNG"} + flip) << QString() << 0
                                   << QStringList{"a.png", "b.png", "c.png"};
    QTest::newRow("copied without a chain") << QStringList{"IN", "-o", "OUT"} << QString() << 0
                                            << QStringList{"a.jpg", "b.png", "c.jpg"};
    QTest::newRow("existing target skipped by default")
        << (QStringList{"IN", "-o", "OUT", "-f", "PNG"} + flip) << "b.png" << 0
        << QStringList{"a.png", "b.png", "c.png"};
    QTest::newRow("link to nowhere skipped by default")  // and left out of the listing
        << (QStringList{"IN", "-o", "OUT", "-f", "PNG"} + flip) << "~b.png" << 0 << QStringList{"a.png", "c.png"};
    QTest::newRow("one picture fails") << (QStringList{"IN", "BAD/broken.jpg", "-o", "OUT", "-f", "PNG"} + flip)
                                       << QString() << 1 << QStringList{"a.png", "b.png", "c.png"};
    QTest::newRow("missing picture fails") << QStringList{"IN/a.jpg", "IN/gone.jpg", "-o", "OUT"} << QString()
                                           << 1 << QStringList{"a.jpg"};
    QTest::newRow("abort policy stops at an existing target")
        << (QStringList{"IN", "-o", "OUT", "-f", "PNG", "--overwrite", "abort"} + flip) << "b.png" << 3
        << QStringList{"b.png", "c.png"};
    QTest::newRow("unknown format") << QStringList{"IN", "-o", "OUT", "-f", "NOPE"} << QString() << 2
                                    << QStringList{};
    QTest::newRow("unknown filter") << QStringList{"IN", "-o", "OUT", "--filter", "Nope=A:1"} << QString() << 2
                                    << QStringList{};
    // Parameters the filter cannot read would leave every picture unfiltered and
    // still be reported as converted.
    QTest::newRow("filter parameters unreadable") << QStringList{"IN", "-o", "OUT", "--filter", "Resize=50x50"}
                                                  << QString() << 2 << QStringList{};
    QTest::newRow("filter parameters short of keys")
        << QStringList{"IN", "-o", "OUT", "--filter", "Flip=Vertical:1"} << QString() << 2 << QStringList{};
    QTest::newRow("filter without parameters takes any") << QStringList{"IN", "-o", "OUT", "-f", "PNG", "--filter", "Auto Contrast="}
                                                         << QString() << 0 << QStringList{"a.png", "b.png", "c.png"};
    QTest::newRow("jobs not a number") << QStringList{"IN", "-o", "OUT", "-j", "two"} << QString() << 2
                                       << QStringList{};
    QTest::newRow("unknown policy") << QStringList{"IN", "-o", "OUT", "--overwrite", "maybe"} << QString() << 2
                                    << QStringList{};
    QTest::newRow("no output folder") << QStringList{"IN"} << QString() << 2 << QStringList{};
    QTest::newRow("no pictures") << QStringList{"-o", "OUT"} << QString() << 2 << QStringList{};
    QTest::newRow("unknown option") << QStringList{"IN", "-o", "OUT", "--frobnicate"} << QString() << 2
                                    << QStringList{};
    QTest::newRow("pages in a format without pages")
        << (QStringList{"IN", "-o", "OUT", "-f", "JPG", "--multipage"} + flip) << QString() << 2 << QStringList{};
    QTest::newRow("unreadable project") << QStringList{"BAD/broken.bps"} << QString() << 2 << QStringList{};
}

void TestBatchRunner::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, existing);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outputs);

    makeInputs();
    const QString bad = m_in + "bad";
    QDir().mkpath(bad);
    writeBytes(bad + "/broken.jpg", "not a picture");
    writeBytes(bad + "/broken.bps", "<?xml version=\"1.0\"?><Tamsorel version=\"1.0\"></Tamsorel>");
    arguments.replaceInStrings(QRegularExpression("^IN"), m_in);
    arguments.replaceInStrings(QRegularExpression("^BAD"), bad);
    arguments.replaceInStrings(QRegularExpression("^OUT$"), m_out);
    const bool dangling = existing.startsWith('~');
    existing.remove(QLatin1Char('~'));
    const QString existingPath = m_out + '/' + existing;
    if (!existing.isEmpty()) {
        QDir().mkpath(m_out);
        if (dangling)
            QVERIFY(QFile::link(m_out + "/nowhere", existingPath));
        else
            writeBytes(existingPath, "existing");
    }
    const Outcome outcome = batch(arguments);
    QVERIFY2(outcome.exitCode == exitCode, outcome.output.constData());
    QCOMPARE(folderEntries(m_out), outputs);
    if (dangling)
        QVERIFY(QFileInfo(existingPath).isSymLink());
    else if (!existing.isEmpty())
        QCOMPARE(fileBytes(existingPath), QByteArray("existing"));
    if (exitCode == 2)
        QVERIFY2(outcome.output.startsWith("kelvarine-batch: "), outcome.output.constData());
}

void TestBatchRunner::usageMessageTellsWhy_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");

    QTest::newRow("project missing") << QStringList{"IN/gone.bps"} << "No such file";
    QTest::newRow("project a folder") << QStringList{"DIR.bps"} << "is a folder";
    QTest::newRow("project malformed") << QStringList{"IN/broken.bps"} << "not supported";
    QTest::newRow("filter parameters") << QStringList{"IN", "-o", "OUT", "--filter", "Resize=50x50"} << "50x50";
}

void TestBatchRunner::usageMessageTellsWhy()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);

    makeInputs();
    writeBytes(m_in + "/broken.bps", "<Tamsorel");
    QDir().mkpath(m_in + "/dir.bps");
    arguments.replaceInStrings(QRegularExpression("^IN"), m_in);
    arguments.replaceInStrings(QRegularExpression("^DIR"), m_in + "/dir");
    arguments.replaceInStrings(QRegularExpression("^OUT$"), m_out);
    const Outcome outcome = batch(arguments);
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY2(outcome.output.contains(reason.toUtf8()), outcome.output.constData());
    QVERIFY(!QFileInfo::exists(m_out));
}

void TestBatchRunner::dryRunWritesNothing()
{
    makeInputs();
    const Outcome outcome = batch({m_in, "-o", m_out, "-f", "TIFF", "--filter", "Flip", "--dry-run"});
    QCOMPARE(outcome.exitCode, 0);
    // Folders are added as the wizard adds them: names in descending order.
    const QByteArray expected = QStringLiteral("%1/c.jpg -> %2/c.tiff\n%1/b.png -> %2/b.tiff\n%1/a.jpg -> %2/a.tiff\n")
                                    .arg(m_in, m_out).toUtf8();
    QCOMPARE(outcome.output, expected);
    QVERIFY(!QFileInfo::exists(m_out));
    QCOMPARE(folderEntries(m_in), QStringList({"a.jpg", "b.png", "c.jpg"}));
}

void TestBatchRunner::jobsDoNotChangeTheResult_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("outputs");

    const QStringList chain{"--filter", "Flip=Vertical:1,Horizontal:0", "--filter",
                            "Resize=Type:1,Width:50,Height:50,Radio:0,RadioBy:0"};
    QTest::newRow("counter names") << (QStringList{"-f", "PNG", "--name", "pic_[Counter_1_1_3]"} + chain) << 8;
    QTest::newRow("contested name, later pictures numbered")
        << (QStringList{"-f", "JPG", "--name", "same"} + chain) << 8;
    QTest::newRow("contested name, numbered also when overwriting")
        << (QStringList{"-f", "BMP", "--name", "same", "--overwrite", "overwrite"} + chain) << 8;
    QTest::newRow("contested copies") << QStringList{"--name", "same", "--overwrite", "overwrite"} << 8;
    QTest::newRow("pages in picture order") << (QStringList{"-f", "TIFF", "--multipage"} + chain) << 1;
}

void TestBatchRunner::jobsDoNotChangeTheResult()
{
    QFETCH(QStringList, options);
    QFETCH(int, outputs);

    // Large and small pictures in turn, so that parallel work finishes out of order.
    for (int i = 0; i < 8; ++i) {
        const int side = i % 2 == 0 ? 600 : 16;
        writeEncoded(QStringLiteral("%1/p%2.jpg").arg(m_in).arg(i), makePicture(side, side * 3 / 4 + i), "JPEG");
    }
    QMap<QString, QByteArray> results[2];
    for (int jobs : {1, 2}) {
        const QString out = m_out + QString::number(jobs);
        const Outcome outcome = batch(QStringList{m_in, "-o", out, "-j", QString::number(jobs)} + options);
        QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
        results[jobs - 1] = folderContents(out);
    }
    QCOMPARE(int(results[0].size()), outputs);
    QCOMPARE(results[1].keys(), results[0].keys());
    QVERIFY(results[1] == results[0]);
}

void TestBatchRunner::anotherPicturesSourceIsNeverReplaced_data()
{
    QTest::addColumn<int>("jobs");
    QTest::addColumn<QString>("policy");
    QTest::addColumn<bool>("throughLink");  // the output folder named by a link to it

    QTest::newRow("one at a time, overwriting") << 1 << "overwrite" << false;
    QTest::newRow("two at once, overwriting") << 2 << "overwrite" << false;
    QTest::newRow("skipping") << 1 << "skip" << false;
    QTest::newRow("folder named through a link") << 2 << "overwrite" << true;
}

void TestBatchRunner::anotherPicturesSourceIsNeverReplaced()
{
    QFETCH(int, jobs);
    QFETCH(QString, policy);
    QFETCH(bool, throughLink);

    // Into their own folder: a.jpg's target is a.png, the next picture's source.
    writeEncoded(m_in + "/a.jpg", makePicture(40, 30), "JPEG");
    writeEncoded(m_in + "/a.png", makePicture(30, 20), "PNG");
    QVERIFY(!throughLink || QFile::link(m_in, m_out));
    const Outcome outcome = batch({m_in + "/a.jpg", m_in + "/a.png", "-o", throughLink ? m_out : m_in, "-f", "PNG", "--filter",
                                   "Flip=Vertical:1,Horizontal:0", "--overwrite", policy, "-j", QString::number(jobs)});
    QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
    QVERIFY2(outcome.output.contains("a (2).png"), outcome.output.constData());
    QCOMPARE(readEncoded(m_in + "/a (2).png").columns(), 40u);
    QCOMPARE(readEncoded(m_in + "/a.png").columns(), 30u);
}

void TestBatchRunner::projectFileRuns_data()
{
    QTest::addColumn<bool>("relative");

    QTest::newRow("absolute paths") << false;
    QTest::newRow("paths relative to the project") << true;
}

void TestBatchRunner::projectFileRuns()
{
    QFETCH(bool, relative);

    makeInputs();
    const QString projectDir = m_dir.filePath(QStringLiteral("project%1").arg(m_case));
    QDir().mkpath(projectDir);
    const QString prefix = relative ? QDir(projectDir).relativeFilePath(m_in) : m_in;
    _ProjectFile project;
    project.images = {prefix + "/a.jpg", prefix + "/b.png"};
    project.filters = {{"Flip", "Vertical:1,Horizontal:0"}, {"Resize", "Type:1,Width:50,Height:50,Radio:0,RadioBy:0"}};
    project.formateStr = "[FileName]_small";
    project.customFormateStr = "[FileName]";
    project.DestPath = relative ? QStringLiteral("results") : m_out;
    project.FormatIndex = 72;  // PNG
    const QString projectPath = projectDir + "/job.bps";
    QVERIFY(ProjectWriter().write(projectPath, project));

    // Started from elsewhere, so relative paths must come from the project's folder.
    const Outcome outcome = batch({projectPath, "-q"}, QDir::tempPath());
    QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
    const QString out = relative ? projectDir + "/results" : m_out;
    QCOMPARE(folderEntries(out), QStringList({"a_small.png", "b_small.png"}));
    Magick::Image expected = readEncoded(m_in + "/b.png");
    expected.flip();
    expected.scale(Magick::Geometry("15x10!"));
    QVERIFY(samePixels(readEncoded(out + "/b_small.png"), expected));
}

void TestBatchRunner::projectNumbersMustBeWhole_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");

    // The wizard reads each of these as 0: for FormatIndex, the format "Original".
    QTest::newRow("fraction") << "FormatIndex" << "46.9";
    QTest::newRow("beyond the largest number") << "FormatIndex" << "2147483648";
    QTest::newRow("not a number") << "FormatIndex" << "NaN";
    QTest::newRow("hexadecimal") << "FormatIndex" << "0x2e";
    QTest::newRow("flag with a fraction") << "Multipage" << "1.5";
    QTest::newRow("flag neither 0 nor 1") << "Multipage" << "2";
    QTest::newRow("negative flag") << "Multipage" << "-1";
    QTest::newRow("location switch 2") << "StripGps" << "2";
    QTest::newRow("location switch negative") << "StripGps" << "-1";
    QTest::newRow("metadata switch 10") << "StripMetadata" << "10";
    QTest::newRow("orientation switch 2") << "AutoOrient" << "2";
    QTest::newRow("date switch negative") << "KeepDate" << "-1";
    QTest::newRow("documents switch 2") << "AllowDocuments" << "2";
}

void TestBatchRunner::projectNumbersMustBeWhole()
{
    QFETCH(QString, property);
    QFETCH(QString, value);

    makeInputs();
    _ProjectFile project;
    project.images = {m_in + "/a.jpg"};
    project.formateStr = "[FileName]";
    project.DestPath = m_out;
    project.FormatIndex = 46;
    const QString projectPath = m_in + "/job.bps";
    QVERIFY(ProjectWriter().write(projectPath, project));
    QByteArray text = fileBytes(projectPath);
    const bool aSwitch = property != "FormatIndex";
    const QByteArray written = "Name=\"" + property.toUtf8() + "\">" + QByteArray::number(aSwitch ? 0 : 46) + "<";
    QVERIFY(text.contains(written));
    text.replace(written, "Name=\"" + property.toUtf8() + "\">" + value.toUtf8() + "<");
    writeBytes(projectPath, text);

    const Outcome outcome = batch({projectPath});
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY2(outcome.output.contains(property.toUtf8()) && outcome.output.contains(value.toUtf8()),
             outcome.output.constData());
    QVERIFY(!QFileInfo::exists(m_out));
}

void TestBatchRunner::readOnlyOutputLosesNothing()
{
    makeInputs();
    QDir().mkpath(m_out);
    writeBytes(m_out + "/a.png", "keep me");
    Outcome outcome;
    {
        ReadOnlyFolder readOnly(m_out);
        if (!readOnly.ok())
            QSKIP("cannot make a folder read-only here");
        outcome = batch({m_in, "-o", m_out, "-f", "PNG", "--filter", "Flip", "--overwrite", "overwrite"});
    }
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY2(outcome.output.contains("Error: "), outcome.output.constData());
    QCOMPARE(folderEntries(m_out), QStringList{"a.png"});
    QCOMPARE(fileBytes(m_out + "/a.png"), QByteArray("keep me"));
}

void TestBatchRunner::writeFailingMidwayLosesNothing()
{
    // A file-size limit of 16 KiB: the disk refuses the large output halfway.
    writeEncoded(m_in + "/big.png", makePicture(200, 150), "PNG");
    writeEncoded(m_in + "/small.png", makePicture(4, 4), "PNG");
    QDir().mkpath(m_out);
    writeBytes(m_out + "/big.ppm", "keep me");
    const QString command = QStringLiteral("ulimit -f 16; exec \"$0\" \"$@\"");
    QByteArray output;
    const int exitCode = run("bash", {"-c", command, program, m_in, "-o", m_out, "-f", "PPM", "--filter", "Flip",
                                      "--overwrite", "overwrite"},
                             &output);
    QVERIFY2(exitCode == 1, output.constData());
    QVERIFY2(output.contains("Error: "), output.constData());
    QCOMPARE(folderEntries(m_out), QStringList({"big.ppm", "small.ppm"}));
    QCOMPARE(fileBytes(m_out + "/big.ppm"), QByteArray("keep me"));
}

void TestBatchRunner::failureReasonIsReadable()
{
    // The reason printed is the one the wizard logs: the library's words,
    // without where in its source they come from.
    writeJpeg(m_in + "/whole.jpg", 300, 200);
    const QByteArray jpeg = fileBytes(m_in + "/whole.jpg");
    QVERIFY(QFile::remove(m_in + "/whole.jpg"));
    writeBytes(m_in + "/cut.jpg", jpeg.left(jpeg.size() / 2));
    const Result<RenderedPicture> picture = PicturePipeline::render(m_in + "/cut.jpg", jobFor("PNG", m_out));
    QVERIFY(!picture);
    QVERIFY2(picture.error().contains("Premature end of JPEG file"), qPrintable(picture.error()));

    const Outcome outcome = batch({m_in, "-o", m_out, "-f", "PNG"});
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY2(outcome.output.contains(picture.error().toLocal8Bit()), outcome.output.constData());
    QVERIFY2(outcome.output.contains("Error: Premature end of JPEG file\n"), outcome.output.constData());
}

void TestBatchRunner::listsFiltersAndFormats()
{
    const Outcome filters = batch({"--list-filters"});
    QCOMPARE(filters.exitCode, 0);
    QVERIFY2(filters.output.contains("Resize\tTransform\\Resize\tType:0,Width:100,Height:100,Radio:0,RadioBy:0\n"),
             filters.output.constData());
    QVERIFY2(filters.output.contains("Fit\tTransform\\Fit\tWidth:1600,Height:1600,Enlarge:0,Sharpen:0\n"),
             filters.output.constData());
    QVERIFY2(filters.output.contains(QStringLiteral("Watermark\tEffects\\Watermark\tKind:0,Text:\u00a9 ,").toUtf8()),
             filters.output.constData());
    const Outcome formats = batch({"--list-formats"});
    QCOMPARE(formats.exitCode, 0);
    const QList<QByteArray> lines = formats.output.trimmed().split('\n');
    QCOMPARE(lines.size(), 104);
    QVERIFY(lines.first().startsWith("Original - "));
    QCOMPARE(lines.at(72), QByteArray("PNG - (Portable Network Graphics)"));
}

void TestBatchRunner::demoProjectConverts()
{
    // A copy of examples/, as a fresh checkout has it, run from another folder.
    const QString examples = m_dir.filePath("examples");
    const QString source = QStringLiteral(KELVARINE_SOURCE_DIR "/examples");
    QDir().mkpath(examples + "/pictures");
    QVERIFY(QFile::copy(source + "/demo.bps", examples + "/demo.bps"));
    const QStringList pictures = folderEntries(source + "/pictures");
    QVERIFY(pictures.size() >= 3);
    for (const QString &picture : pictures)
        QVERIFY(QFile::copy(source + "/pictures/" + picture, examples + "/pictures/" + picture));

    const Outcome outcome = batch({examples + "/demo.bps"}, QDir::rootPath());
    QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
    QCOMPARE(folderEntries(examples + "/output").size(), pictures.size());
    QCOMPARE(folderEntries(examples + "/pictures"), pictures);
}

QTEST_GUILESS_MAIN(TestBatchRunner)
#include "tst_batchrunner.moc"

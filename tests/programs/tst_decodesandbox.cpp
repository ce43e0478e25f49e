#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

#include <signal.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "engine/runtime/imagelibrary.h"
#include "engine/picture/picturecodec.h"
#include "engine/picture/picturetransfer.h"
#include "engine/picture/sandboxdecoder.h"
#include "testutils.h"

using namespace TestUtils;

// Pictures other than JPEG, PNG and TIFF are decoded by the decoding helper:
// what they hold cannot reach beyond the picture, a helper that crashes, runs
// too long or is missing fails that picture alone, and the pictures come out
// as in-process decoding makes them.
class TestDecodeSandbox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void documentsStayInside_data();
    void documentsStayInside();
    void documentCannotOverwriteOutputs();
    void lyingHeifIsRefused_data();
    void lyingHeifIsRefused();
    void batchGoesOnAfterLyingHeif();
    void rawBombIsRefusedUndeveloped();
    void stuckRawHelperIsStopped_data();
    void stuckRawHelperIsStopped();
    void helperFailureFailsThatPicture_data();
    void helperFailureFailsThatPicture();
    void quietKeepsHelperOutputOff();
    void crashedRunLeavesNoFolder();
    void helperReadsNothingBeyondThePicture();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString heic(const QString &name, int declaredWidth, int declaredHeight);
    QStringList helperFolders() const;

    QTemporaryDir m_dir;
};

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");

bool isRed(const Magick::Color &colour)
{
    return colour.redQuantum() > MaxRGB / 2 && colour.greenQuantum() < MaxRGB / 4 && colour.blueQuantum() < MaxRGB / 4;
}

// A PostScript page of 40 x 40 points filled blue, after `action`.
QByteArray postScript(const QByteArray &action)
{
    return "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 40 40\n<< /PageSize [40 40] >> setpagedevice\n" + action
           + "\n0 0 1 setrgbcolor 0 0 40 40 rectfill showpage\n";
}


QString decodeFailure(const QString &path, bool allowDocuments = false)
{
    return PictureCodec::decode(path, allowDocuments).error();
}

// Processes whose command line holds `text`.
QList<pid_t> processesWith(const QByteArray &text)
{
    QList<pid_t> found;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = pid_t(entry.toInt(&number));
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (number && commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().contains(text))
            found.append(pid);
    }
    return found;
}

// Whether the process is gone (or only waits to be reaped).
bool ended(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = status.readAll();
    const int state = line.lastIndexOf(')') + 2;
    return state < line.size() && (line.at(state) == 'Z' || line.at(state) == 'X');
}

} // namespace

void TestDecodeSandbox::initTestCase()
{
    initImageLibrary();
    QVERIFY(QFileInfo(SandboxDecoder::program()).isExecutable());
}

void TestDecodeSandbox::cleanup()
{
    SandboxDecoder::setProgram(QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-decode"));
    SandboxDecoder::setTimeLimit(120);
    SandboxDecoder::setDecodesEverythingApart(false);
    ImageLibrary::setMaxMegapixels(0);
    // Whatever happened to the helper, its temporary folder is gone.
    QCOMPARE(helperFolders(), QStringList());
}

QString TestDecodeSandbox::heic(const QString &name, int declaredWidth, int declaredHeight)
{
    const QString source = path(QStringLiteral("source.png"));
    writeEncoded(source, makePicture(64, 64), "PNG");
    const QString coded = path(QStringLiteral("coded.heic"));
    if (!QFileInfo::exists(coded) && run(QStringLiteral("heif-enc"), {"-o", coded, source}) != 0)
        return QString();
    const QString lying = path(name);
    if (run(QStringLiteral("python3"), {QStringLiteral("/work/shared/hostile/mkheif_ispe.py"), coded, lying,
                                        QString::number(declaredWidth), QString::number(declaredHeight)})
        != 0)
        return QString();
    return lying;
}

QStringList TestDecodeSandbox::helperFolders() const
{
    return QDir(ImageLibrary::temporaryFolder()).entryList({QStringLiteral("decode-*")}, QDir::Dirs | QDir::Hidden);
}

void TestDecodeSandbox::documentsStayInside_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QString>("written");

    // Ghostscript's -dSAFER lets a document read and write the temporary folder
    // (here the system's, where these files lie).
    const QByteArray beside = QFile::encodeName(path(QStringLiteral("beside.txt")));
    QTest::newRow("card.eps writes beside the photos")
        << "card.eps" << QByteArray("/f (" + beside + ") (w) file def f (a card was here) writestring f closefile")
        << path(QStringLiteral("beside.txt"));
    const QByteArray secret = QFile::encodeName(path(QStringLiteral("private.txt")));
    QTest::newRow("leak.ps draws a private file")
        << "leak.ps"
        << QByteArray("{ (" + secret + ") (r) file 100 string readstring pop pop 1 0 0 setrgbcolor 0 0 40 40 rectfill "
                      "showpage quit } stopped pop clear")
        << QString();
}

void TestDecodeSandbox::documentsStayInside()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, action);
    QFETCH(QString, written);

    writeBytes(path(QStringLiteral("private.txt")), "the diary of a photographer\n");
    const QString document = path(name);
    writeBytes(document, postScript(action));
    // Refusing the whole document is as good.
    const Result<Magick::Image> image = PictureCodec::decode(document, true);
    if (image)
        QVERIFY2(!isRed(image.value().pixelColor(20, 20)), "the private file was read");
    if (!written.isEmpty())
        QVERIFY2(!QFileInfo::exists(written), "the document wrote a file");
}

void TestDecodeSandbox::documentCannotOverwriteOutputs()
{
    // A flyer converted after a photograph rewrites the photograph's output.
    const QString photos = path(QStringLiteral("flyer"));
    const QString out = path(QStringLiteral("flyer-out"));
    QDir().mkpath(photos);
    writeEncoded(photos + "/a_photo.jpg", makePicture(60, 40), "JPEG");
    const QByteArray target = QFile::encodeName(out + "/a_photo.jpg");
    writeBytes(photos + "/z_flyer.ps",
               postScript("/f (" + target + ") (w) file def f (not a photograph) writestring f closefile"));
    QByteArray output;
    runBatch({photos, "-o", out, "-f", "JPG", "--allow-documents", "--jobs", "1", "-q"}, {}, &output);
    const Magick::Image photo = readEncoded(out + "/a_photo.jpg");
    QCOMPARE(photo.columns(), 60u);
    QVERIFY(!fileBytes(out + "/a_photo.jpg").contains("not a photograph"));
}

void TestDecodeSandbox::lyingHeifIsRefused_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("failure");

    QTest::newRow("true size") << 64 << 64 << QString();
    // Crashed the whole program.
    QTest::newRow("declares 20000 x 12000") << 20000 << 12000 << "declares 20000 x 12000 pixels but holds 64 x 64";
    // Gave pictures of that size with memory from outside the decoded one.
    QTest::newRow("declares 640 x 400") << 640 << 400 << "declares 640 x 400 pixels but holds 64 x 64";
    QTest::newRow("declares 2000 x 2000") << 2000 << 2000 << "declares 2000 x 2000 pixels but holds 64 x 64";
    QTest::newRow("declares less") << 32 << 48 << "declares 32 x 48 pixels but holds 64 x 64";
}

void TestDecodeSandbox::lyingHeifIsRefused()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, failure);

    const QString file = heic(QStringLiteral("lying.heic"), width, height);
    QVERIFY2(!file.isEmpty(), "heif-enc (package libheif-examples) is needed");
    if (!failure.isEmpty()) {
        QVERIFY2(decodeFailure(file).contains(failure), qPrintable(decodeFailure(file)));
        return;
    }
    const Result<Magick::Image> decoded = PictureCodec::decode(file);
    QVERIFY2(decoded, qPrintable(decoded.error()));
    const Magick::Image &image = decoded.value();
    QCOMPARE(image.columns(), 64u);
    QCOMPARE(image.rows(), 64u);
    // The same pixels as the image library's own command line.
    const QString reference = path(QStringLiteral("reference.png"));
    QCOMPARE(run(QStringLiteral("gm"), {"convert", file, reference}), 0);
    QVERIFY(samePixels(image, readEncoded(reference)));
}

void TestDecodeSandbox::batchGoesOnAfterLyingHeif()
{
    const QString folder = path(QStringLiteral("heif-batch"));
    QDir().mkpath(folder);
    writeEncoded(folder + "/a.png", makePicture(40, 30), "PNG");
    const QString lying = heic(QStringLiteral("b.heic"), 20000, 12000);
    QVERIFY(!lying.isEmpty());
    QVERIFY(QFile::rename(lying, folder + "/b.heic"));
    writeEncoded(folder + "/c.webp", makePicture(30, 20), "WEBP");
    const QString out = path(QStringLiteral("heif-out"));
    QByteArray output;
    const int code = runBatch({folder + "/a.png", folder + "/b.heic", folder + "/c.webp", "-o", out, "-f", "PNG", "-q"},
                              {}, &output);
    QVERIFY2(code == 1, output.constData());
    QVERIFY2(output.contains("declares 20000 x 12000 pixels"), output.constData());
    QCOMPARE(folderEntries(out), (QStringList{"a.png", "c.png"}));
}

void TestDecodeSandbox::rawBombIsRefusedUndeveloped()
{
    // 24 KB that develop to 11500 x 11500 pixels, 2.3 GB and half a minute.
    const QString bomb = path(QStringLiteral("bomb.dng"));
    QCOMPARE(run(QStringLiteral("python3"), {QStringLiteral("/work/shared/hostile/mkdngbomb.py"), bomb, "11500", "11500"}), 0);
    const QString out = path(QStringLiteral("bomb-out"));
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    const int code = runBatch({bomb, "-o", out, "-f", "PNG", "--max-megapixels", "10", "-q"}, {}, &output);
    QVERIFY2(code == 1, output.constData());
    QVERIFY2(output.contains("11500 x 11500") && output.contains("10.0 megapixels"), output.constData());
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QStringLiteral("took %1 ms").arg(clock.elapsed())));
}

void TestDecodeSandbox::stuckRawHelperIsStopped_data()
{
    QTest::addColumn<bool>("tellsSize");  // hangs only once it develops
    QTest::newRow("stuck telling the size") << false;
    QTest::newRow("stuck developing") << true;
}

// A dcraw that never ends fails its picture, in time, with a message, and goes
// with everything it started. Run here as the decoding helper runs it: the
// helper may execute only the system's programs, not one in a test folder.
void TestDecodeSandbox::stuckRawHelperIsStopped()
{
    QFETCH(bool, tellsSize);
    const QString bin = path(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    const QString child = bin + QStringLiteral("/child");
    QFile::remove(child);
    const QByteArray answer = tellsSize ? "[ \"$1\" = -i ] && { echo 'Output size: 40 x 30'; exit 0; }\n" : "";
    writeBytes(bin + QStringLiteral("/dcraw"),
               "#!/bin/sh\n" + answer + "sleep 300 &\necho $! > '" + QFile::encodeName(child) + "'\nwait\n");
    QVERIFY(QFile::setPermissions(bin + QStringLiteral("/dcraw"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString raw = path(QStringLiteral("stuck.nef"));
    writeEncoded(raw, makePicture(40, 30), "TIFF");

    const QByteArray searched = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ':' + searched);
    SandboxDecoder::setTimeLimit(3);
    QElapsedTimer clock;
    clock.start();
    const Result<Magick::Image> decoded = PictureCodec::decodeInProcess(raw, false);
    const qint64 elapsed = clock.elapsed();
    qputenv("PATH", searched);

    QVERIFY2(!decoded, "a picture from a dcraw that never ended");
    QVERIFY2(decoded.error().contains(QLatin1String("dcraw")) && decoded.error().contains(QLatin1String("stuck.nef"))
                 && decoded.error().contains(QLatin1String("took longer than")),
             qPrintable(decoded.error()));
    QVERIFY2(elapsed < 10000, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
    // What dcraw started went with it.
    QVERIFY(waitFor([&] { return QFileInfo::exists(child); }, 2000));
    const pid_t started = pid_t(fileBytes(child).trimmed().toInt());
    QVERIFY(started > 0);
    QVERIFY2(waitFor([&] { return ended(started); }, 5000), "the program dcraw started runs on");
}

void TestDecodeSandbox::helperFailureFailsThatPicture_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("message");

    QTest::newRow("endless document") << "time" << "took longer than 2 s";
    QTest::newRow("helper crashes") << "crash" << "it crashed (signal 11)";
    QTest::newRow("helper missing") << "missing" << "the decoding helper";
}

void TestDecodeSandbox::helperFailureFailsThatPicture()
{
    QFETCH(QString, failing);
    QFETCH(QString, message);

    const QString document = path(QStringLiteral("endless-%1.ps").arg(failing));
    writeBytes(document, "%!PS\n{ 1 pop } loop\n");
    if (failing == QLatin1String("missing"))
        SandboxDecoder::setProgram(path(QStringLiteral("no-such-helper")));
    SandboxDecoder::setTimeLimit(failing == QLatin1String("time") ? 2 : 60);
    QFuture<QString> failure = QtConcurrent::run([document] { return decodeFailure(document, true); });
    if (failing == QLatin1String("crash")) {
        const QByteArray name = QFile::encodeName(document);
        QVERIFY(waitFor([&] { return !processesWith(name).isEmpty() || failure.isFinished(); }, 20000));
        for (const pid_t pid : processesWith(name))
            ::kill(pid, SIGSEGV);
    }
    QVERIFY(waitFor([&] { return failure.isFinished(); }, 30000));
    QVERIFY2(failure.result().contains(message), qPrintable(failure.result()));
    QVERIFY(failure.result().contains(QDir::toNativeSeparators(document)));
    // Ghostscript, working in the helper's folder, went with it.
    const QByteArray folders = QFile::encodeName(ImageLibrary::temporaryFolder() + "/decode-");
    QVERIFY(waitFor([&] { return processesWith(folders).isEmpty(); }, 5000));
    // The next picture decodes as ever.
    SandboxDecoder::setProgram(QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-decode"));
    writeEncoded(path(QStringLiteral("after.gif")), makePicture(20, 10), "GIF");
    QCOMPARE(PictureCodec::decode(path(QStringLiteral("after.gif"))).valueOr(Magick::Image()).columns(), 20u);
}

void TestDecodeSandbox::quietKeepsHelperOutputOff()
{
    const QString chatty = path(QStringLiteral("chatty.ps"));
    writeBytes(chatty, postScript("(CHATTER from the document) print flush"));
    const QString broken = path(QStringLiteral("broken.ps"));
    writeBytes(broken, "%!PS\n(WHY it failed) print flush\nnosuchoperator\n");
    QByteArray output;
    const int code = runBatch({chatty, broken, "-o", path("quiet-out"), "-f", "PNG", "--allow-documents", "-q"}, {}, &output);
    QVERIFY2(code == 1, output.constData());
    // What Ghostscript printed, and the command line the library ran it with,
    // appear only where they explain a failure: on that picture's line.
    QVERIFY2(!output.contains("CHATTER"), output.constData());
    const QList<QByteArray> lines = output.split('\n');
    for (const QByteArray &line : lines) {
        if (!line.contains("broken.ps"))
            QVERIFY2(!line.contains("Ghostscript") && !line.contains("\"gs\""), output.constData());
        else
            QVERIFY2(line.startsWith("failed") && line.contains("the decoder said:"), output.constData());
    }
    QCOMPARE(folderEntries(path("quiet-out")), QStringList{"chatty.png"});
}

void TestDecodeSandbox::crashedRunLeavesNoFolder()
{
    const QString temporary = path(QStringLiteral("system-temp"));
    QDir().mkpath(temporary);
    const QString document = path(QStringLiteral("endless-run.ps"));
    writeBytes(document, "%!PS\n{ 1 pop } loop\n");
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("TMPDIR"), temporary);
    variables.remove(QStringLiteral("MAGICK_TMPDIR"));
    QProcess batch;
    batch.setProcessEnvironment(variables);
    batch.setProcessChannelMode(QProcess::MergedChannels);
    batch.start(program, {document, "-o", path("crash-out"), "-f", "PNG", "--allow-documents", "-q"});
    QVERIFY(batch.waitForStarted());
    const QByteArray name = QFile::encodeName(document);
    QVERIFY(waitFor([&] { return processesWith(name).size() >= 2; }, 20000));  // the program and its helper
    const QStringList runFolders = QDir(temporary).entryList({"kelvarine-*"}, QDir::Dirs);
    QCOMPARE(runFolders.size(), 1);
    ::kill(pid_t(batch.processId()), SIGKILL);
    batch.waitForFinished();
    // The helper and Ghostscript end with it; its folder stays until the next run.
    QVERIFY(waitFor([&] { return processesWith(name).isEmpty(); }, 10000));
    QVERIFY(waitFor([&] { return processesWith(QFile::encodeName(temporary)).isEmpty(); }, 10000));
    QCOMPARE(QDir(temporary).entryList({"kelvarine-*"}, QDir::Dirs), runFolders);

    writeEncoded(path(QStringLiteral("next.png")), makePicture(20, 10), "PNG");
    batch.start(program, {path(QStringLiteral("next.png")), "-o", path("crash-out"), "-f", "PNG", "-q"});
    QVERIFY(batch.waitForFinished(60000));
    QCOMPARE(batch.exitCode(), 0);
    QCOMPARE(folderEntries(temporary), QStringList());
}

void TestDecodeSandbox::helperReadsNothingBeyondThePicture()
{
    if (::syscall(SYS_landlock_create_ruleset, nullptr, 0, 1U) < 1)
        QSKIP("this kernel has no Landlock");
    // Ghostscript allows reading the temporary folder by its path; a link there
    // to a private file passes that check, and only Landlock, which goes by the
    // file reached, stops it.
    const QTemporaryDir temporary;
    writeBytes(path(QStringLiteral("diary.txt")), "the diary of a photographer\n");
    const QString link = temporary.filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(path(QStringLiteral("diary.txt")), link));
    const QString document = path(QStringLiteral("through-link.ps"));
    writeBytes(document, postScript("{ (" + QFile::encodeName(link) + ") (r) file 100 string readstring pop pop "
                                    "1 0 0 setrgbcolor 0 0 40 40 rectfill showpage quit } stopped pop clear"));
    const int shared = ::memfd_create("result", MFD_CLOEXEC);
    QVERIFY(shared >= 0);
    QProcess helper;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("TMPDIR"), temporary.path());
    variables.insert(QStringLiteral("MAGICK_TMPDIR"), temporary.path());
    helper.setProcessEnvironment(variables);
    helper.setChildProcessModifier([shared] { ::dup2(shared, 3); });
    helper.start(SandboxDecoder::program(), {"--budget", "1000000", "--threads", "1", "--seconds", "60", "--parent",
                                             QString::number(::getpid()), "--documents", "--", document});
    QVERIFY(helper.waitForFinished(60000));
    QCOMPARE(helper.exitCode(), 0);
    const Result<Magick::Image> received = PictureTransfer::receive(shared, document, 1000000);
    QVERIFY2(received, qPrintable(received.error()));
    const Magick::Image &image = received.value();
    ::close(shared);
    QVERIFY2(!isRed(image.pixelColor(20, image.rows() - 20)), "the private file was read through the link");
}

QTEST_GUILESS_MAIN(TestDecodeSandbox)
#include "tst_decodesandbox.moc"

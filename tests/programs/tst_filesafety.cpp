#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/batch/conversionjob.h"
#include "engine/picture/picturepipeline.h"
#include "engine/files/safefile.h"
#include "testutils.h"

using namespace TestUtils;

// The calls that make a conversion durable, as the system sees them: this
// program's own fsync and unlink stand in front of the C library's, note the
// call while `recording`, and pass it on.
namespace {

QMutex callsLock;
QStringList calls;
bool recording = false;

QString pathOfDescriptor(int fd)
{
    return QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget();
}

void note(const QString &call)
{
    QMutexLocker lock(&callsLock);
    if (recording)
        calls.append(call);
}

template <typename Function>
Function real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int fd)
{
    note(QStringLiteral("sync ") + pathOfDescriptor(fd));
    return real<int (*)(int)>("fsync")(fd);
}

extern "C" int unlink(const char *path)
{
    note(QStringLiteral("remove ") + QFile::decodeName(path));
    return real<int (*)(const char *)>("unlink")(path);
}

class TestFileSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void linkedSourceGivesRegularFile_data();
    void linkedSourceGivesRegularFile();
    void replacedLinkBecomesRegularFile_data();
    void replacedLinkBecomesRegularFile();
    void folderSyncedBeforeSourceGoes_data();
    void folderSyncedBeforeSourceGoes();
    void unremovableSourceIsReported_data();
    void unremovableSourceIsReported();
    void commitsWithoutProc_data();
    void commitsWithoutProc();

private:
    QTemporaryDir m_dir;
    QString m_in;
    QString m_out;
    int m_case = 0;
};

namespace {

bool isLink(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Re-encodes the source to the target in the format its suffix names, the way a batch does.
PictureResult encodeTo(const QString &source, const QString &target, bool deleteSource)
{
    const ConversionJob job;
    Result<RenderedPicture> picture = PicturePipeline::render(source, job);
    if (!picture)
        return PicturePipeline::failed(picture.error());
    const auto output = PicturePipeline::encode(picture.value(), QFileInfo(target).suffix(), target, source, job);
    if (!output)
        return PicturePipeline::failed(output.error());
    return PicturePipeline::placeOutput(*output.value(), source, deleteSource);
}

} // namespace

void TestFileSafety::initTestCase()
{
    initImageLibrary();
}

void TestFileSafety::init()
{
    ++m_case;
    m_in = m_dir.filePath(QStringLiteral("in%1").arg(m_case));
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(m_case));
    QDir().mkpath(m_in);
    QDir().mkpath(m_out);
}

void TestFileSafety::linkedSourceGivesRegularFile_data()
{
    QTest::addColumn<bool>("relative");
    QTest::addColumn<bool>("deleteSource");
    QTest::addColumn<bool>("copy");

    QTest::newRow("copy through an absolute link") << false << false << true;
    QTest::newRow("copy through a relative link") << true << false << true;
    QTest::newRow("move an absolute link") << false << true << true;
    QTest::newRow("move a relative link") << true << true << true;
    QTest::newRow("encode a relative link, delete source") << true << true << false;
}

void TestFileSafety::linkedSourceGivesRegularFile()
{
    QFETCH(bool, relative);
    QFETCH(bool, deleteSource);
    QFETCH(bool, copy);

    const QString real = m_in + "/real.png";
    writeEncoded(real, makePicture(30, 20), "PNG");
    const QByteArray bytes = fileBytes(real);
    const QString link = m_in + "/link.png";
    QVERIFY(QFile::link(relative ? QStringLiteral("real.png") : real, link));
    const QString target = m_out + (copy ? "/link.png" : "/encoded.png");

    const PictureResult result = copy ? PicturePipeline::copyPicture(link, target, deleteSource)
                                      : encodeTo(link, target, deleteSource);
    QVERIFY2(result.status == StatusConverted, qPrintable(result.message));
    QVERIFY(!isLink(target));
    QVERIFY(QFileInfo(target).isFile());
    if (copy)
        QCOMPARE(fileBytes(target), bytes);
    else
        QVERIFY(samePixels(readEncoded(target), readEncoded(real)));
    QCOMPARE(fileBytes(real), bytes);
    QCOMPARE(isLink(link), !deleteSource);
}

void TestFileSafety::replacedLinkBecomesRegularFile_data()
{
    QTest::addColumn<bool>("copy");
    QTest::addColumn<bool>("dangling");

    QTest::newRow("copy over a link") << true << false;
    QTest::newRow("encode over a link") << false << false;
    QTest::newRow("encode over a dangling link") << false << true;
}

void TestFileSafety::replacedLinkBecomesRegularFile()
{
    QFETCH(bool, copy);
    QFETCH(bool, dangling);

    const QString source = m_in + "/p.bmp";
    writeEncoded(source, makePicture(30, 20), "BMP");
    const QString elsewhere = m_in + "/elsewhere.txt";
    if (!dangling) {
        writeBytes(elsewhere, "keep me");
        QVERIFY(QFile::setPermissions(elsewhere, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    const QString target = m_out + "/p.bmp";
    QVERIFY(QFile::link(elsewhere, target));

    const PictureResult result =
        copy ? PicturePipeline::copyPicture(source, target, false) : encodeTo(source, target, false);
    QVERIFY2(result.status == StatusConverted, qPrintable(result.message));
    QVERIFY(!isLink(target));
    QVERIFY(samePixels(readEncoded(target), readEncoded(source)));
    QCOMPARE(modeOf(target), newFileMode());
    if (!dangling) {
        QCOMPARE(fileBytes(elsewhere), QByteArray("keep me"));
        QCOMPARE(modeOf(elsewhere), mode_t(0600));
    } else {
        QVERIFY(!QFileInfo::exists(elsewhere));
    }
}

void TestFileSafety::folderSyncedBeforeSourceGoes_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("encoded") << "encode";
    QTest::newRow("document") << "document";
    QTest::newRow("moved from a link") << "link";
    QTest::newRow("moved across file systems") << "across";
}

void TestFileSafety::folderSyncedBeforeSourceGoes()
{
    QFETCH(QString, how);

    QString in = m_in;
    std::unique_ptr<QTemporaryDir> otherFileSystem;
    if (how == "across") {
        otherFileSystem = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/kelvarine-test-XXXXXX"));
        struct stat a;
        struct stat b;
        if (!otherFileSystem->isValid() || ::stat("/dev/shm", &a) != 0
            || ::stat(QFile::encodeName(m_out).constData(), &b) != 0 || a.st_dev == b.st_dev)
            QSKIP("no second file system at hand");
        in = otherFileSystem->path();
    }
    const QString source = in + "/p.png";
    writeEncoded(source, makePicture(30, 20), "PNG");
    QString removed = source;
    if (how == "link") {
        removed = in + "/link.png";
        QVERIFY(QFile::link(source, removed));
    }

    {
        QMutexLocker lock(&callsLock);
        calls.clear();
        recording = true;
    }
    PictureResult result;
    if (how == "encode") {
        result = encodeTo(source, m_out + "/p.bmp", true);
    } else if (how == "document") {
        QList<Magick::Image> pages{readEncoded(source)};
        result = PicturePipeline::placeDocument(pages, "tif", m_out + "/p.tif", {source}, true);
    } else {
        result = PicturePipeline::copyPicture(removed, m_out + "/p.png", true);
    }
    QStringList seen;
    {
        QMutexLocker lock(&callsLock);
        recording = false;
        seen = calls;
    }
    QVERIFY2(result.status == StatusConverted, qPrintable(result.message));
    QVERIFY(!QFileInfo::exists(removed));
    const int synced = seen.indexOf("sync " + QFileInfo(m_out).canonicalFilePath());
    const int gone = seen.indexOf("remove " + removed);
    QVERIFY2(synced >= 0 && gone > synced, qPrintable(seen.join('\n')));
}

void TestFileSafety::unremovableSourceIsReported_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("encoded") << "encode";
    QTest::newRow("document") << "document";
    QTest::newRow("moved from a link") << "link";
}

void TestFileSafety::unremovableSourceIsReported()
{
    QFETCH(QString, how);

    const QString real = m_out + "/real.png";  // the link's file lies elsewhere
    const QString source = m_in + "/p.png";
    if (how == "link") {
        writeEncoded(real, makePicture(30, 20), "PNG");
        QVERIFY(QFile::link(real, source));
    } else {
        writeEncoded(source, makePicture(30, 20), "PNG");
    }
    PictureResult result;
    QString target;
    {
        ReadOnlyFolder readOnly(m_in);
        if (!readOnly.ok())
            QSKIP("cannot make a folder read-only here");
        if (how == "encode") {
            target = m_out + "/p.bmp";
            result = encodeTo(source, target, true);
        } else if (how == "document") {
            target = m_out + "/p.tif";
            QList<Magick::Image> pages{readEncoded(source)};
            result = PicturePipeline::placeDocument(pages, "tif", target, {source}, true);
        } else {
            target = m_out + "/p.png";
            result = PicturePipeline::copyPicture(source, target, true);
        }
    }
    QCOMPARE(result.status, StatusFailed);
    QVERIFY2(result.message.contains("could not be removed"), qPrintable(result.message));
    QVERIFY(QFileInfo(target).isFile());
    QVERIFY(QFileInfo::exists(source));
}

void TestFileSafety::commitsWithoutProc_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");

    QTest::newRow("encoded") << QStringList{"-f", "PNG"} << "p.png";
    QTest::newRow("copied") << QStringList{} << "p.bmp";
}

void TestFileSafety::commitsWithoutProc()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);

    // A container without /proc, whose root may not link a file by its descriptor.
    if (run("unshare", {"-m", "sh", "-c", "mount -t tmpfs none /proc"}) != 0)
        QSKIP("cannot hide /proc here (needs a mount namespace)");
    // The sanitizers' runtime reads its options and the threads to check for
    // leaks from /proc, and fails the program without it.
    if (qEnvironmentVariableIsSet("KELVARINE_SANITIZED"))
        QSKIP("a sanitized build cannot run without /proc");
    const QString source = m_in + "/p.bmp";
    writeEncoded(source, makePicture(30, 20), "BMP");
    const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");
    const QString command = QStringLiteral("mount -t tmpfs none /proc && exec setpriv --bounding-set=-dac_read_search "
                                           "--inh-caps=-dac_read_search \"$@\"");
    QByteArray log;
    const int code = run("unshare", QStringList{"-m", "sh", "-c", command, "sh", program, source, "-o", m_out, "-q"}
                                        + arguments,
                         &log);
    QVERIFY2(code == 0, log.constData());
    QCOMPARE(folderEntries(m_out), QStringList{output});
    QVERIFY(samePixels(readEncoded(m_out + '/' + output), readEncoded(source)));
}

QTEST_GUILESS_MAIN(TestFileSafety)
#include "tst_filesafety.moc"

#include "testutils.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cmath>
#include <cstdlib>

#include <unistd.h>

#include "engine/filters/filterregistry.h"
#include "engine/runtime/imagelibrary.h"
#include "engine/picture/sandboxdecoder.h"

namespace TestUtils {

void initImageLibrary()
{
    ImageLibrary::initialize(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
    // The tests are not beside the programs: the decoding helper is the build's.
    if (qEnvironmentVariableIsEmpty("KELVARINE_DECODER"))
        SandboxDecoder::setProgram(QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-decode"));
}

Magick::Image makePicture(int width, int height)
{
    Magick::Image image(Magick::Geometry(unsigned(width), unsigned(height)), Magick::Color("black"));
    image.type(Magick::TrueColorType);
    image.modifyImage();
    Magick::PixelPacket *pixels = image.getPixels(0, 0, unsigned(width), unsigned(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Magick::PixelPacket &p = pixels[y * width + x];
            const double fx = double(x) / std::max(1, width - 1);
            const double fy = double(y) / std::max(1, height - 1);
            const bool block = ((x / 16) + (y / 16)) % 5 == 0;
            p.red = Magick::Quantum(MaxRGB * fx);
            p.green = Magick::Quantum(MaxRGB * fy);
            p.blue = block ? MaxRGB : Magick::Quantum(MaxRGB * 0.5 * (1.0 + std::sin((x + 2 * y) / 9.0)));
            p.opacity = 0;
        }
    }
    image.syncPixels();
    image.depth(16);
    // Hand out the picture as it comes from a file, so that it carries the same
    // attributes (background colour, class) as what gm reads from disk.
    Magick::Blob blob;
    image.magick("MIFF");
    image.write(&blob);
    return Magick::Image(blob);
}

void writePicture(Magick::Image image, const QString &path)
{
    image.depth(16);
    image.write(QFile::encodeName(path).toStdString());
}

Magick::Image readPicture(const QString &path)
{
    Magick::Image image;
    image.read(QFile::encodeName(path).toStdString());
    return image;
}

static QByteArray samples(Magick::Image image)
{
    Magick::Blob blob;
    image.depth(16);
    image.magick("RGBA");
    image.write(&blob);
    return QByteArray(static_cast<const char *>(blob.data()), int(blob.length()));
}

bool samePixels(const Magick::Image &a, const Magick::Image &b)
{
    return maxSampleDifference(a, b) == 0;
}

int maxSampleDifference(const Magick::Image &a, const Magick::Image &b)
{
    if (a.columns() != b.columns() || a.rows() != b.rows())
        return -1;
    const QByteArray sa = samples(a);
    const QByteArray sb = samples(b);
    if (sa.size() != sb.size())
        return -1;
    const auto *pa = reinterpret_cast<const unsigned char *>(sa.constData());
    const auto *pb = reinterpret_cast<const unsigned char *>(sb.constData());
    int worst = 0;
    for (int i = 0; i + 1 < sa.size(); i += 2) {
        const int va = (pa[i] << 8) | pa[i + 1];
        const int vb = (pb[i] << 8) | pb[i + 1];
        worst = std::max(worst, std::abs(va - vb));
    }
    return worst;
}

Magick::Image gmConvert(const Magick::Image &input, const QStringList &arguments)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.miff"));
    const QString out = dir.filePath(QStringLiteral("out.miff"));
    writePicture(input, in);
    QByteArray output;
    const int code = run(QStringLiteral("gm"),
                         QStringList{QStringLiteral("convert"), in} + arguments + QStringList{out}, &output);
    if (code != 0)
        qWarning("gm convert %s failed: %s", qPrintable(arguments.join(' ')), output.constData());
    return readPicture(out);
}

namespace {

int finish(QProcess &process, const QString &program, const QStringList &arguments, QByteArray *output, int timeoutMs)
{
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

int run(const QString &program, const QStringList &arguments, QByteArray *output, int timeoutMs,
        const QString &workingDir)
{
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    return finish(process, program, arguments, output, timeoutMs);
}

int runBatch(const QStringList &arguments, const QMap<QString, QString> &environment, QByteArray *output)
{
    QProcess process;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (auto entry = environment.cbegin(); entry != environment.cend(); ++entry) {
        if (entry.value().isNull())
            variables.remove(entry.key());
        else
            variables.insert(entry.key(), entry.value());
    }
    process.setProcessEnvironment(variables);
    return finish(process, QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch"), arguments, output, 120000);
}

int quietBatch(const QStringList &arguments, QByteArray *output)
{
    QByteArray ignored;
    return runBatch(QStringList{QStringLiteral("-q")} + arguments, {}, output ? output : &ignored);
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void writeEncoded(const QString &path, Magick::Image image, const QString &magick)
{
    Magick::Blob blob;
    image.magick(magick.toStdString());
    image.write(&blob);
    writeBytes(path, QByteArray(static_cast<const char *>(blob.data()), int(blob.length())));
}

Magick::Image readEncoded(const QString &path)
{
    const QByteArray bytes = fileBytes(path);
    Magick::Image image;
    image.read(Magick::Blob(bytes.constData(), size_t(bytes.size())));
    return image;
}

int pageCount(const QString &path)
{
    const QByteArray bytes = fileBytes(path);
    std::list<Magick::Image> pages;
    Magick::readImages(&pages, Magick::Blob(bytes.constData(), size_t(bytes.size())));
    return int(pages.size());
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QMap<QString, QByteArray> folderContents(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    for (const QString &name : folderEntries(folder))
        contents.insert(name, fileBytes(folder + '/' + name));
    return contents;
}

ReadOnlyFolder::ReadOnlyFolder(const QString &folder)
    : m_folder(folder)
{
    if (geteuid() != 0) {
        m_ok = QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return;
    }
    m_immutable = run(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
    m_ok = m_immutable;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_immutable)
        run(QStringLiteral("chattr"), {QStringLiteral("-i"), m_folder});
    else
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QList<ChainEntry> chainOf(const QList<QPair<QString, QString>> &filters)
{
    QList<ChainEntry> chain;
    const FilterRegistry &registry = FilterRegistry::instance();
    for (const auto &[name, params] : filters)
        chain.append(ChainEntry{registry.filterAt(registry.indexOfFilter(name)), params});
    return chain;
}

QList<ChainEntry> flipChain()
{
    return chainOf({{QStringLiteral("Flip"), QStringLiteral("Vertical:1,Horizontal:0")}});
}

Magick::Image flipped(const QString &path)
{
    Magick::Image image = readEncoded(path);
    image.flip();
    return image;
}

ConversionJob jobFor(const QString &format, const QString &outputFolder, const QList<ChainEntry> &chain)
{
    ConversionJob job;
    job.writeFormat = format;
    job.outputFolder = outputFolder;
    job.chain = chain;
    return job;
}

void writeJpeg(const QString &path, int width, int height)
{
    writeEncoded(path, makePicture(width, height), QStringLiteral("JPEG"));
}

bool writeCameraJpeg(const QString &path, const QStringList &exif, int width, int height)
{
    initImageLibrary();
    writeJpeg(path, width, height);
    QByteArray output;
    return run(QStringLiteral("exiftool"), QStringList{QStringLiteral("-q"), QStringLiteral("-overwrite_original")} + exif
                                               + QStringList{path},
               &output)
           == 0;
}

WizardBatch::WizardBatch(QList<int> answers, QStringList renames)
{
    driver.setOverwriteQuestion([this, answers, renames](const QString &target, QString &name) {
        questions.append(target);
        offeredNames.append(name);
        const int turn = questions.size() - 1;
        name = renames.value(turn, name);
        return OverwriteAnswer(answers.value(turn, int(OverwriteNo)));
    });
    QObject::connect(&driver, &BatchDriver::resultLogged, [this](int status, const QString &path) {
        statuses.append(status);
        paths.append(path);
    });
    QObject::connect(&driver, &BatchDriver::lastError, [this](const QString &text) { errors.append(text); });
    QObject::connect(&driver, &BatchDriver::batchFinished, [this] { ended = true; });
    QObject::connect(&driver, &BatchDriver::batchAborted, [this] { ended = true; });
}

bool WizardBatch::run(const QStringList &files, const ConversionJob &job)
{
    QList<PictureEntry> pictures;
    addPictures(pictures, files);
    ended = false;
    if (!driver.startProcessing(pictures, job))
        return false;
    return waitFor([this] { return ended; }, 60000) && !driver.isRunning();
}

QList<double> meanColour(const Magick::Image &picture, int x, int y, int width, int height)
{
    Magick::Image region = picture;
    region.crop(Magick::Geometry(unsigned(width), unsigned(height), x, y));
    region.scale(Magick::Geometry("1x1!"));
    const Magick::ColorRGB c = region.pixelColor(0, 0);
    return {c.red() * 255, c.green() * 255, c.blue() * 255};
}

bool near(const QList<double> &a, const QList<double> &b, double levels)
{
    for (int i = 0; i < 3; ++i) {
        if (std::abs(a.at(i) - b.at(i)) > levels)
            return false;
    }
    return true;
}

Magick::Image quadrants(int width, int height)
{
    Magick::Image image(Magick::Geometry(unsigned(width), unsigned(height)), Magick::Color("blue"));
    image.fillColor("red");
    image.draw(Magick::DrawableRectangle(0, 0, width / 2 - 1, height / 2 - 1));
    image.fillColor("lime");
    image.draw(Magick::DrawableRectangle(width / 2, 0, width - 1, height / 2 - 1));
    image.fillColor("yellow");
    image.draw(Magick::DrawableRectangle(0, height / 2, width / 2 - 1, height - 1));
    return image;
}

QByteArray linearDng(int width, int height)
{
    QByteArray pixels;
    QDataStream samples(&pixels, QIODevice::WriteOnly);
    samples.setByteOrder(QDataStream::LittleEndian);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            samples << quint16(left ? 60000 : 4000) << quint16(4000) << quint16(left ? 4000 : 60000);
        }
    }
    struct Entry
    {
        quint16 tag;
        quint16 type;  // 1 byte, 2 ASCII, 3 short, 4 long, 10 signed rational
        quint32 count;
        quint32 value;
    };
    const int entryCount = 14;
    const quint32 dataStart = 8 + 2 + entryCount * 12 + 4;
    QByteArray data;
    auto place = [&](const QByteArray &bytes) {
        const quint32 offset = dataStart + quint32(data.size());
        data += bytes;
        return offset;
    };
    const quint32 bits = place(QByteArray::fromHex("100010001000"));
    const QByteArray model("Kelvarine Test", 15);  // with its terminating zero
    const quint32 modelAt = place(model);
    QByteArray identity;
    QDataStream matrix(&identity, QIODevice::WriteOnly);
    matrix.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < 9; ++i)
        matrix << qint32(i % 4 == 0 ? 1 : 0) << qint32(1);
    const quint32 colourMatrix = place(identity);
    const quint32 strip = place(pixels);
    const QList<Entry> entries = {
        {254, 4, 1, 0},        {256, 3, 1, quint32(width)}, {257, 3, 1, quint32(height)},
        {258, 3, 3, bits},     {259, 3, 1, 1},              {262, 3, 1, 34892},  // linear raw
        {273, 4, 1, strip},    {277, 3, 1, 3},              {278, 3, 1, quint32(height)},
        {279, 4, 1, quint32(pixels.size())}, {284, 3, 1, 1}, {50706, 1, 4, 0x0401},  // DNG 1.4
        {50708, 2, quint32(model.size()), modelAt}, {50721, 10, 9, colourMatrix}};
    QByteArray file("II*\0", 4);
    QDataStream out(&file, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(8) << quint16(entryCount);
    for (const Entry &entry : entries) {
        out << entry.tag << entry.type << entry.count;
        if (entry.type == 3 && entry.count == 1)
            out << quint16(entry.value) << quint16(0);
        else
            out << entry.value;
    }
    out << quint32(0);
    return file + data;
}

} // namespace TestUtils

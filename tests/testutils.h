#ifndef TESTUTILS_H
#define TESTUTILS_H

// What every test needs: a start-up of the image library, pictures made on the
// spot, pixel comparisons, GraphicsMagick's own tool as the reference, and
// waiting with a time limit.

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <Magick++.h>

#include <functional>

#include "engine/batch/batchdriver.h"

namespace TestUtils {

// Starts the image library as the programs do; call from initTestCase().
void initImageLibrary();

// A colourful picture with smooth gradients and hard edges, so that geometry and
// tone operations both leave a trace. Deterministic for a given size.
Magick::Image makePicture(int width, int height);

// Writes a picture losslessly at 16 bits (MIFF unless the suffix says otherwise).
void writePicture(Magick::Image image, const QString &path);
Magick::Image readPicture(const QString &path);

// True when both have the same size and the same samples at 16 bits.
bool samePixels(const Magick::Image &a, const Magick::Image &b);
// Largest difference of any sample, on the 0..65535 scale; -1 when sizes differ.
int maxSampleDifference(const Magick::Image &a, const Magick::Image &b);

// The result of GraphicsMagick's command line on a picture:
// gm convert IN <arguments> OUT, run on lossless 16-bit files.
Magick::Image gmConvert(const Magick::Image &input, const QStringList &arguments);

// Runs a program; returns its exit code, -1 when it did not finish in time.
int run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr,
        int timeoutMs = 120000, const QString &workingDir = QString());
// Runs this build's kelvarine-batch with `environment` laid over this process's
// (a null value removes that variable); output and error merged into `output`.
int runBatch(const QStringList &arguments, const QMap<QString, QString> &environment, QByteArray *output);
// kelvarine-batch with -q and the test's own environment; its output in `output` when asked for.
int quietBatch(const QStringList &arguments, QByteArray *output = nullptr);

// Spins the event loop until condition() holds or the time runs out.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 10000);

QByteArray fileBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

// Pictures in files of any name: the bytes go through this program's own file
// calls, so brackets or colons in a name are never read as the library's syntax.
void writeEncoded(const QString &path, Magick::Image image, const QString &magick);
Magick::Image readEncoded(const QString &path);
// Number of pictures (pages, frames) in a file.
int pageCount(const QString &path);

// Files in a folder, hidden ones included, sorted.
QStringList folderEntries(const QString &folder);
// Every file of a folder with its bytes, hidden ones included.
QMap<QString, QByteArray> folderContents(const QString &folder);

// A chain of installed filters by name, each with its parameter string.
QList<ChainEntry> chainOf(const QList<QPair<QString, QString>> &filters);
// The chain that turns a picture upside down, and a picture read and so turned.
QList<ChainEntry> flipChain();
Magick::Image flipped(const QString &path);
// A job that writes `format` into the folder, through the chain.
ConversionJob jobFor(const QString &format, const QString &outputFolder, const QList<ChainEntry> &chain = {});
void writeJpeg(const QString &path, int width = 40, int height = 30);
// A JPEG as a camera leaves it: `exif` are exiftool assignments such as
// "-Model=X100V" or "-DateTimeOriginal=2021:07:04 09:15:30" (exiftool writes a
// thumbnail too with "-ThumbnailImage<=FILE"). False when exiftool failed.
bool writeCameraJpeg(const QString &path, const QStringList &exif, int width = 64, int height = 48);

// One batch in the wizard's way: a driver, its pictures converted on real workers,
// and a scripted user who answers the overwrite questions in turn (No when the
// script has run out), giving the names of `renames` to Rename answers.
class WizardBatch
{
public:
    explicit WizardBatch(QList<int> answers = {}, QStringList renames = {});
    // Runs the pictures in this order; false when the batch did not end in time.
    bool run(const QStringList &files, const ConversionJob &job);

    BatchDriver driver;
    QList<int> statuses;
    QStringList paths;
    QStringList errors;
    QStringList questions;
    QStringList offeredNames;
    bool ended = false;
};

// Receives what the program opens through QDesktopServices once set as the
// handler of a scheme (setUrlHandler(scheme, &catcher, "open")): the test sees
// each address, and nothing is launched.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

// Makes a folder refuse new files for as long as it lives, also to root (by the
// immutable flag where permission bits do not bind). ok() is false when neither works.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    bool m_ok = false;
    bool m_immutable = false;
};

// Mean colour of a region on the 0..255 scale, and whether two such colours
// are within `levels` of each other in every channel.
QList<double> meanColour(const Magick::Image &picture, int x, int y, int width, int height);
bool near(const QList<double> &a, const QList<double> &b, double levels);

// Four quadrants of clearly different colours, so a turn or a mirror shows.
Magick::Image quadrants(int width, int height);

// A linear DNG as raw converters write it: TIFF inside, but with pixels that
// only the raw helper program develops. Left half red, right half blue.
QByteArray linearDng(int width, int height);

} // namespace TestUtils

#endif

// Why a picture failed, in words a person reads: the library's message without
// the place in its source where it was raised.

#include <QDir>
#include <QTest>

#include "engine/picture/picturepipeline.h"
#include "engine/runtime/imagelibrary.h"
#include "testutils.h"

using namespace TestUtils;

class TestFailureReasons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void libraryTextMadeReadable_data();
    void libraryTextMadeReadable();
    void brokenPictureFailsReadably_data();
    void brokenPictureFailsReadably();

private:
    QTemporaryDir m_dir;
};

void TestFailureReasons::initTestCase()
{
    initImageLibrary();
}

void TestFailureReasons::libraryTextMadeReadable_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("readable");

    QTest::newRow("place and empty detail")
        << "Magick: Premature end of JPEG file () reported by coders/jpeg.c:386 (JPEGDecodeMessageHandler)"
        << "Premature end of JPEG file";
    QTest::newRow("detail kept")
        << "Magick: Unable to open file (/tmp/a b.png) reported by magick/blob.c:3012 (OpenBlob)"
        << "Unable to open file (/tmp/a b.png)";
    QTest::newRow("the name only where the library puts it")
        << "Width of Magick: 0 () reported by a.c:1 (f)" << "Width of Magick: 0";
    QTest::newRow("nothing to take away") << "Improper image header (x.png)" << "Improper image header (x.png)";
    QTest::newRow("brackets inside the text stay") << "Width (0) is not valid ()" << "Width (0) is not valid";
    QTest::newRow("every line")
        << "first () reported by a.c:1 (f)\nsecond (d) reported by b.c:22 (g)" << "first\nsecond (d)";
    // Words like the library's, but not its place: kept as they are.
    QTest::newRow("reported by a person") << "reported by the user (twice)" << "reported by the user (twice)";
}

void TestFailureReasons::libraryTextMadeReadable()
{
    QFETCH(QString, what);
    QTEST(ImageLibrary::readableMessage(what.toLocal8Bit().constData()), "readable");
}

void TestFailureReasons::brokenPictureFailsReadably_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("reason");  // part of the text

    const QString whole = m_dir.filePath("whole.jpg");
    writeJpeg(whole, 300, 200);
    const QByteArray jpeg = fileBytes(whole);
    QTest::newRow("truncated JPEG") << jpeg.left(jpeg.size() / 2) << "jpg" << "Premature end of JPEG file";
    QTest::newRow("JPEG cut in its header") << jpeg.left(300) << "jpg" << "";
    QTest::newRow("no picture at all") << QByteArray(512, 'x') << "jpg" << "";
}

void TestFailureReasons::brokenPictureFailsReadably()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, suffix);
    QFETCH(QString, reason);

    const QString path = m_dir.filePath(QStringLiteral("%1.%2").arg(QTest::currentDataTag(), suffix));
    writeBytes(path, bytes);
    const Result<RenderedPicture> picture = PicturePipeline::render(path, jobFor("PNG", m_dir.path()));
    QVERIFY(!picture);
    const QString text = picture.error();
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY2(!text.contains("reported by") && !text.contains(".c:") && !text.contains("()")
                 && !text.contains("Magick:"),
             qPrintable(text));
}

QTEST_GUILESS_MAIN(TestFailureReasons)
#include "tst_failurereasons.moc"

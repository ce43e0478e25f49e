#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "metadatautils.h"
#include "testutils.h"

using namespace TestUtils;
using namespace MetadataUtils;

// Pictures whose metadata is worked on at the same time, on several jobs, keep
// all of it: the XMP of one is never lost while another is read or written.
class TestMetadataJobs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initImageLibrary();
        initExiv2();
    }
    void everyJobKeepsItsXmp_data();
    void everyJobKeepsItsXmp();
};

void TestMetadataJobs::everyJobKeepsItsXmp_data()
{
    QTest::addColumn<QString>("format");  // of the outputs; "Original" copies
    QTest::newRow("copies cleaned of the location") << "Original";
    QTest::newRow("encoded as JPEG") << "JPG";
    QTest::newRow("encoded as PNG") << "PNG";
}

void TestMetadataJobs::everyJobKeepsItsXmp()
{
    QFETCH(QString, format);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir folder(dir.path());
    QStringList sources;
    const Magick::Image picture = makePicture(160, 120);
    for (int i = 0; i < 16; ++i) {
        sources.append(folder.filePath(QStringLiteral("p%1.%2").arg(i).arg(i % 2 ? "png" : "jpg")));
        writeTagged(sources.last(), picture, i % 2 ? "PNG" : "JPEG");
    }

    QMap<int, QMap<QString, QByteArray>> outputs;
    for (const int jobs : {1, 4}) {
        const QString out = folder.filePath(QStringLiteral("out%1").arg(jobs));
        QByteArray log;
        QCOMPARE(runBatch(QStringList{"-q", "--strip-gps", "-j", QString::number(jobs), "-o", out, "-f", format}
                              + sources,
                          {}, &log),
                 0);
        for (const QString &name : folderEntries(out)) {
            const QString path = QDir(out).filePath(name);
            const QString values = exiv2Values(path).join('\n');
            QVERIFY2(values.contains(QLatin1String("Xmp.dc.creator")), qPrintable(name + " lost its XMP"));
            QVERIFY2(!values.contains(QLatin1String("SECRET")), qPrintable(name));
            outputs[jobs].insert(name, fileBytes(path));
        }
        QCOMPARE(outputs[jobs].size(), sources.size());
    }
    QVERIFY(outputs[4] == outputs[1]);
}

QTEST_GUILESS_MAIN(TestMetadataJobs)
#include "tst_metadatajobs.moc"

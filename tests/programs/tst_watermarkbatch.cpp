#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "engine/project/projectwriter.h"
#include "paramtext.h"
#include "testutils.h"

using namespace TestUtils;

// The watermark filter as kelvarine-batch runs it: its text values through the
// command line and a project file, and a logo that is not there.
class TestWatermarkBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void hostileValuesReachTheFilter_data();
    void hostileValuesReachTheFilter();
    void hostileLogoPathSurvivesAProject();
    void missingLogoFailsEachPictureAndSaysWhy();

private:
    QString m_in;
    QString m_out;
    QString m_logo;
    QTemporaryDir m_dir;
};

static QString params(int kind, const QString &text, const QString &logo)
{
    return QStringLiteral("Kind:%1,Text:%2,Font:DejaVu Sans,Size:30,Color:255000000,Opacity:100,Position:8,Margin:0,"
                          "Logo:%3,Scale:40")
        .arg(kind)
        .arg(ParamText::escaped(text), ParamText::escaped(logo));
}

void TestWatermarkBatch::initTestCase()
{
    initImageLibrary();
    QVERIFY(m_dir.isValid());
    m_in = m_dir.filePath("in");
    QVERIFY(QDir().mkpath(m_in));
    for (const char *name : {"a.png", "b.png"})
        writeEncoded(m_in + '/' + name, Magick::Image(Magick::Geometry(200, 100), Magick::Color("gray40")), "PNG");
    // A file name with every character the parameter string gives a meaning to.
    m_logo = m_dir.filePath(QStringLiteral("logo, 100%: \u00a9 \u05E9 \"x\" =1.png"));
    writeEncoded(m_logo, Magick::Image(Magick::Geometry(20, 10), Magick::Color("blue")), "PNG");
}

void TestWatermarkBatch::init()
{
    m_out = m_dir.filePath(QStringLiteral("out%1").arg(QTest::currentDataTag()).remove(' '));
    QDir(m_out).removeRecursively();
}

void TestWatermarkBatch::hostileValuesReachTheFilter_data()
{
    QTest::addColumn<QString>("params");
    QTest::newRow("text") << params(0, QStringLiteral("\u00a9 a,b:c 100% \"q\" \U0001F600\nx=y"), QString());
    QTest::newRow("logo") << params(1, QString(), m_logo);
}

void TestWatermarkBatch::hostileValuesReachTheFilter()
{
    QFETCH(QString, params);
    QByteArray said;
    const int status = quietBatch({m_in, "-o", m_out, "-f", "PNG", "--filter", "Watermark=" + params}, &said);
    QVERIFY2(status == 0, said.constData());
    for (const char *name : {"a.png", "b.png"}) {
        const Magick::Image before = readEncoded(m_in + '/' + name);
        const Magick::Image after = readEncoded(m_out + '/' + name);
        // The mark is at the bottom right; the top left is as it was.
        QVERIFY(!near(meanColour(after, 100, 50, 100, 50), meanColour(before, 100, 50, 100, 50), 2));
        QVERIFY(near(meanColour(after, 0, 0, 60, 30), meanColour(before, 0, 0, 60, 30), 0));
    }
}

void TestWatermarkBatch::hostileLogoPathSurvivesAProject()
{
    _ProjectFile project;
    project.images = {m_in + "/a.png"};
    project.filters = {{QStringLiteral("Watermark"), params(1, QString(), m_logo)}};
    project.DestPath = m_out;
    const QString file = m_dir.filePath("mark.bps");
    QVERIFY(ProjectWriter().write(file, project));
    QByteArray said;
    const int status = quietBatch({file, "-o", m_out, "-f", "PNG"}, &said);
    QVERIFY2(status == 0, said.constData());
    const Magick::Image after = readEncoded(m_out + "/a.png");
    QVERIFY(near(meanColour(after, 190, 95, 5, 5), {0, 0, 255}, 2));
}

void TestWatermarkBatch::missingLogoFailsEachPictureAndSaysWhy()
{
    const QString missing = m_dir.filePath(QStringLiteral("gone, 50%.png"));
    QByteArray said;
    const int status = runBatch({m_in, "-o", m_out, "-f", "PNG", "--filter", "Watermark=" + params(1, {}, missing)},
                                {}, &said);
    QCOMPARE(status, 1);
    const QString text = QString::fromUtf8(said);
    // Both pictures are tried and each says why it failed; nothing is written.
    QCOMPARE(text.count(missing + QStringLiteral("\" does not exist")), 2);
    QVERIFY(folderEntries(m_out).isEmpty());
}

QTEST_GUILESS_MAIN(TestWatermarkBatch)
#include "tst_watermarkbatch.moc"

#include <QDir>
#include <QFile>
#include <QTest>

#include "engine/batch/batchplanner.h"
#include "testutils.h"

using namespace TestUtils;

// The names a batch gives when they collide, and the work it takes to find them.
class TestBatchPlanner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void collidingNames_data();
    void collidingNames();
    void workGrowsWithTheBatchNotItsSquare();

private:
    QTemporaryDir m_dir;
    int m_case = 0;
};

namespace {

// Every picture decided in turn, each question answered with `answer`: the
// target's file name, or "-" for a picture that does not go ahead.
QStringList decided(BatchPlanner &planner, OverwriteAnswer answer)
{
    QStringList names;
    for (int i = 0; i < planner.count(); ++i) {
        const PicturePlan plan = planner.decide(i, [answer](const QString &, QString &) { return answer; });
        names.append(plan.proceeds() ? QFileInfo(plan.target).fileName() : QStringLiteral("-"));
    }
    return names;
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

} // namespace

void TestBatchPlanner::initTestCase()
{
    initImageLibrary();
}

void TestBatchPlanner::collidingNames_data()
{
    // Sources are "FOLDER/NAME" below the case's folder; "out" is the output
    // folder unless the case writes into "in". Existing files are made first.
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("expected");

    const QStringList four{"in/a.jpg", "in/b.jpg", "in/c.jpg", "in/d.jpg"};
    QTest::newRow("numbered in turn") << four << QStringList() << "out" << "same" << int(OverwriteYes)
                                      << QStringList{"same.png", "same (2).png", "same (3).png", "same (4).png"};
    QTest::newRow("numbers of files from before skipped")
        << four << QStringList{"out/same.png", "out/same (3).png"} << "out" << "same" << int(OverwriteYes)
        << QStringList{"same.png", "same (2).png", "same (4).png", "same (5).png"};
    QTest::newRow("file from before declined, name not taken")
        << QStringList{"in/a.jpg", "in/b.jpg"} << QStringList{"out/same.png", "out/same (2).png"} << "out"
        << "same" << int(OverwriteNo) << QStringList{"-", "-"};
    QTest::newRow("sources count as taken")
        << QStringList{"in/a.jpg", "in/b.jpg", "in/same (2).png", "in/same (4).png"} << QStringList() << "in"
        << "same" << int(OverwriteYes) << QStringList{"same.png", "same (3).png", "same (5).png", "same (6).png"};
    QTest::newRow("names apart by case only are one")
        << QStringList{"x/A.jpg", "y/a.jpg", "z/A.jpg"} << QStringList() << "out" << "[FileName]" << int(OverwriteYes)
        << QStringList{"A.png", "a (2).png", "A (3).png"};
    QTest::newRow("numbers kept per name")
        << QStringList{"x/a.jpg", "x/b.jpg", "y/a.jpg", "y/b.jpg", "z/a.jpg"} << QStringList{"out/b (2).png"}
        << "out" << "[FileName]" << int(OverwriteYes)
        << QStringList{"a.png", "b.png", "a (2).png", "b (3).png", "a (3).png"};
}

void TestBatchPlanner::collidingNames()
{
    QFETCH(QStringList, sources);
    QFETCH(QStringList, existing);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(int, answer);
    QFETCH(QStringList, expected);

    const QString root = m_dir.filePath(QString::number(++m_case));
    QList<PictureEntry> pictures;
    for (const QString &source : std::as_const(sources)) {
        const QString path = root + '/' + source;
        QDir().mkpath(QFileInfo(path).path());
        writeEncoded(path, makePicture(8, 8), path.endsWith(".png") ? "PNG" : "JPEG");
        pictures.append(PictureEntry::fromPath(path));
    }
    QDir().mkpath(root + "/out");
    for (const QString &file : std::as_const(existing))
        touch(root + '/' + file);

    ConversionJob job = jobFor("PNG", root + '/' + folder);
    job.naming = RenameOpter(name);
    BatchPlanner planner(pictures, job);
    QCOMPARE(decided(planner, OverwriteAnswer(answer)), expected);
}

void TestBatchPlanner::workGrowsWithTheBatchNotItsSquare()
{
    // Every picture gets the same name, around two files from before: each next
    // number must come from where the last one was found, not from 2 again.
    const int count = 20000;
    const QString in = m_dir.filePath("many");
    const QString out = m_dir.filePath("many-out");
    QDir().mkpath(in);
    QDir().mkpath(out);
    touch(out + "/same.png");
    touch(out + "/same (7).png");
    QList<PictureEntry> pictures;
    pictures.reserve(count);
    for (int i = 0; i < count; ++i) {
        // The name is made without reading the picture: empty files will do.
        const QString path = QStringLiteral("%1/p%2.jpg").arg(in).arg(i, 5, 10, QLatin1Char('0'));
        touch(path);
        pictures.append(PictureEntry::fromPath(path));
    }
    ConversionJob job = jobFor("PNG", out);
    job.naming = RenameOpter(QStringLiteral("same"));
    BatchPlanner planner(pictures, job);

    const QStringList names = decided(planner, OverwriteYes);
    QCOMPARE(names.first(), QStringLiteral("same.png"));
    QCOMPARE(names.at(5), QStringLiteral("same (6).png"));
    QCOMPARE(names.at(6), QStringLiteral("same (8).png"));
    QCOMPARE(names.last(), QStringLiteral("same (%1).png").arg(count + 1));
    // Each name the disk was asked about once; at most two numbers tried a picture.
    QVERIFY2(planner.diskChecks() <= count + 10, qPrintable(QString::number(planner.diskChecks())));
    QVERIFY2(planner.numberProbes() <= 2 * count + 10, qPrintable(QString::number(planner.numberProbes())));
}

QTEST_GUILESS_MAIN(TestBatchPlanner)
#include "tst_batchplanner.moc"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTest>

#include "testutils.h"

using namespace TestUtils;

// One job split into shares that run at the same time into one folder leaves
// what one run leaves; a plan that does not fit, or a job that cannot be
// shared out, is refused before anything is written.
class TestShards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sharesStartedTogetherMatchOneRun_data();
    void sharesStartedTogetherMatchOneRun();
    void dryRunShowsTheShare();
    void refusedBeforeWriting_data();
    void refusedBeforeWriting();

private:
    // The job's arguments for the output folder `out`, and that folder as it was
    // before the batch: files in the way of its names.
    QStringList job(const QString &out, const QString &policy) const;
    void prepareOutput(const QString &out) const;

    QTemporaryDir m_dir;
    QString m_in;
    QStringList m_pictures;
    int m_case = 0;
};

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");

} // namespace

void TestShards::initTestCase()
{
    initImageLibrary();
    QVERIFY2(QFileInfo::exists(program), qPrintable(program));
    m_in = m_dir.filePath("in");
    QDir().mkpath(m_in);
    // With "[FileName][Counter_0_1_1]" picture 0, "p1", and picture 10, "p",
    // are both named "p10"; pictures 1 and 11 both "p11". Sizes differ so that
    // shares finish out of turn.
    const QStringList names{"p1.jpg", "p1.png", "b.jpg", "c.jpg", "d.jpg", "e.jpg",
                            "f.jpg", "g.jpg", "h.jpg", "i.jpg", "p.jpg", "p.png"};
    for (int i = 0; i < names.size(); ++i) {
        const QString path = m_in + '/' + names.at(i);
        const int side = i % 3 == 0 ? 300 : 24 + i;
        writeEncoded(path, makePicture(side, side * 2 / 3), path.endsWith(".png") ? "PNG" : "JPEG");
        m_pictures.append(path);
    }
}

void TestShards::init()
{
    ++m_case;
}

QStringList TestShards::job(const QString &out, const QString &policy) const
{
    return m_pictures + QStringList{"-o", out, "-f", "PNG", "--name", "[FileName][Counter_0_1_1]", "--filter",
                                    "Flip=Vertical:1,Horizontal:0", "--overwrite", policy, "-q"};
}

void TestShards::prepareOutput(const QString &out) const
{
    QDir().mkpath(out);
    writeBytes(out + "/p10 (2).png", "there before");  // the numbered name is passed over
    writeBytes(out + "/c3.png", "there before");       // in the way: the policy decides
    writeBytes(out + "/notes.txt", "not the batch's");
}

void TestShards::sharesStartedTogetherMatchOneRun_data()
{
    QTest::addColumn<QString>("policy");
    QTest::addColumn<int>("jobs");

    QTest::newRow("skip, one picture at a time") << "skip" << 1;
    QTest::newRow("overwrite, two pictures at a time") << "overwrite" << 2;
}

void TestShards::sharesStartedTogetherMatchOneRun()
{
    QFETCH(QString, policy);
    QFETCH(int, jobs);

    const QString single = m_dir.filePath(QStringLiteral("single%1").arg(m_case));
    prepareOutput(single);
    QByteArray output;
    QCOMPARE(run(program, job(single, policy), &output), 0);

    const QString shared = m_dir.filePath(QStringLiteral("shared%1").arg(m_case));
    const QString planFile = m_dir.filePath(QStringLiteral("plan%1.json").arg(m_case));
    prepareOutput(shared);
    QCOMPARE(run(program, job(shared, policy) + QStringList{"--plan", planFile}, &output), 0);
    QVERIFY(QFileInfo::exists(planFile));
    QCOMPARE(folderContents(shared).size(), 3);  // planned, nothing written

    // The three shares are started before any of them has ended.
    QList<QProcess *> shares;
    for (int k = 1; k <= 3; ++k) {
        auto *process = new QProcess(this);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(program, job(shared, policy) + QStringList{"--plan", planFile, "--shard",
                                                                   QStringLiteral("%1/3").arg(k), "-j",
                                                                   QString::number(jobs)});
        shares.append(process);
    }
    for (QProcess *process : std::as_const(shares)) {
        QVERIFY(process->waitForFinished(120000));
        QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0,
                 process->readAll().constData());
        delete process;
    }

    const QMap<QString, QByteArray> expected = folderContents(single);
    const QMap<QString, QByteArray> got = folderContents(shared);
    QCOMPARE(got.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(got.value(it.key()) == it.value(), qPrintable(it.key()));
    // The names the job was built to make collide.
    QVERIFY(got.contains("p10.png"));
    QVERIFY(got.contains("p10 (3).png"));
    QVERIFY(got.contains("p11 (2).png"));
    QCOMPARE(got.value("c3.png") == "there before", policy == "skip");
}

void TestShards::dryRunShowsTheShare()
{
    const QString out = m_dir.filePath("dry");
    prepareOutput(out);
    const QString planFile = m_dir.filePath("dry.json");
    QByteArray output;
    QCOMPARE(run(program, job(out, "skip") + QStringList{"--plan", planFile}, &output), 0);
    // A file that appears after planning changes nothing: the plan decided.
    writeBytes(out + "/p10 (3).png", "written since");
    QByteArray fromPlan;
    QByteArray fromFolder;
    QCOMPARE(run(program, job(out, "skip") + QStringList{"--plan", planFile, "--shard", "2/3", "--dry-run"}, &fromPlan), 0);
    QCOMPARE(run(program, job(out, "skip") + QStringList{"--shard", "2/3", "--dry-run"}, &fromFolder), 0);
    const QByteArray expected = QStringLiteral("%1/p1.png -> %2/p11.png\n%1/d.jpg -> %2/d4.png\n"
                                               "%1/g.jpg -> %2/g7.png\n%1/p.jpg -> %2/p10 (3).png\n")
                                    .arg(m_in, out).toUtf8();
    QCOMPARE(fromPlan, expected);
    // Decided now, without the plan, the new file is passed over.
    QVERIFY2(fromFolder.endsWith(QStringLiteral("%1/p.jpg -> %2/p10 (4).png\n").arg(m_in, out).toUtf8()),
             fromFolder.constData());
    QCOMPARE(folderEntries(out), QStringList({"c3.png", "notes.txt", "p10 (2).png", "p10 (3).png"}));
}

void TestShards::refusedBeforeWriting_data()
{
    // PLAN is a plan of the job with the output folder OUT; EDITED the same plan
    // with one change; the job's own arguments come first.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");

    QTest::newRow("share 0") << QStringList{"--plan", "PLAN", "--shard", "0/3"} << "--shard takes K/N";
    QTest::newRow("share beyond N") << QStringList{"--plan", "PLAN", "--shard", "4/3"} << "--shard takes K/N";
    QTest::newRow("no N") << QStringList{"--plan", "PLAN", "--shard", "3"} << "--shard takes K/N";
    QTest::newRow("not numbers") << QStringList{"--plan", "PLAN", "--shard", "a/b"} << "--shard takes K/N";
    QTest::newRow("negative") << QStringList{"--plan", "PLAN", "--shard", "-1/3"} << "--shard takes K/N";
    QTest::newRow("share without a plan") << QStringList{"--shard", "1/3"} << "--shard needs --plan FILE";
    QTest::newRow("plan missing") << QStringList{"--plan", "GONE", "--shard", "1/3"} << "cannot read the plan";
    QTest::newRow("plan of another job") << QStringList{"--plan", "PLAN", "--shard", "1/3", "--name", "x[FileName]"}
                                         << "another job";
    QTest::newRow("plan of another policy") << QStringList{"--plan", "PLAN", "--shard", "1/3", "--overwrite", "overwrite"}
                                            << "another job";
    QTest::newRow("plan naming a file outside") << QStringList{"--plan", "EDITED", "--shard", "2/3"}
                                                << "not a file in the output folder";
    QTest::newRow("plan of a newer version") << QStringList{"--plan", "NEWER", "--shard", "1/3"} << "version 7";
    QTest::newRow("dry run writing a plan") << QStringList{"--plan", "NEW", "--dry-run"} << "--dry-run writes nothing";
    QTest::newRow("document shared out") << QStringList{"--plan", "PLAN", "--shard", "1/2", "--multipage", "-f", "TIFF"}
                                         << "multi-page document";
    QTest::newRow("document planned") << QStringList{"--plan", "NEW", "--multipage", "-f", "TIFF"} << "multi-page document";
}

void TestShards::refusedBeforeWriting()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);

    const QString out = m_dir.filePath(QStringLiteral("refused%1").arg(m_case));
    const QString plan = m_dir.filePath(QStringLiteral("refused%1.json").arg(m_case));
    QByteArray output;
    QCOMPARE(run(program, job(out, "skip") + QStringList{"--plan", plan}, &output), 0);
    QJsonObject root = QJsonDocument::fromJson(fileBytes(plan)).object();
    root["version"] = 7;
    writeBytes(plan + ".newer", QJsonDocument(root).toJson());
    root["version"] = 1;
    QJsonArray entries = root["plan"].toArray();
    QJsonObject entry = entries.at(1).toObject();
    entry["target"] = out + "/../escaped.png";
    entries[1] = entry;
    root["plan"] = entries;
    writeBytes(plan + ".edited", QJsonDocument(root).toJson());

    arguments.replaceInStrings(QRegularExpression("^PLAN$"), plan);
    arguments.replaceInStrings(QRegularExpression("^EDITED$"), plan + ".edited");
    arguments.replaceInStrings(QRegularExpression("^NEWER$"), plan + ".newer");
    arguments.replaceInStrings(QRegularExpression("^GONE$"), plan + ".gone");
    arguments.replaceInStrings(QRegularExpression("^NEW$"), plan + ".new");
    QCOMPARE(run(program, job(out, "skip") + arguments, &output), 2);
    QVERIFY2(output.contains(reason.toUtf8()), output.constData());
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY(!QFileInfo::exists(plan + ".new"));
    QVERIFY(!QFileInfo::exists(m_dir.filePath("escaped.png")));
}

QTEST_GUILESS_MAIN(TestShards)
#include "tst_shards.moc"

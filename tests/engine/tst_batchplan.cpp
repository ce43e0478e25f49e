#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "engine/batch/batchplan.h"
#include "engine/batch/batchrunner.h"
#include "testutils.h"

using namespace TestUtils;

// A written plan is read back as it was decided, and a plan file that does not
// fit its job, or names a file outside its folder, is refused with the reason.
class TestBatchPlan : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readBackAsDecided();
    void hostilePlanRefused_data();
    void hostilePlanRefused();
    void shares_data();
    void shares();

private:
    // Four pictures in one folder that is also the output folder; every name
    // collides, and "same (2).png" was there before.
    std::unique_ptr<BatchRunner> runner() const;
    QJsonObject written() const;

    QTemporaryDir m_dir;
    QString m_work;
    QList<PictureEntry> m_pictures;
};

namespace {

const QList<int> everyPicture{0, 1, 2, 3};

// Sets (or, for an undefined value, removes) the value at a path such as "plan/1/target".
QJsonValue changed(const QJsonValue &value, QStringList path, const QJsonValue &replacement)
{
    if (path.isEmpty())
        return replacement;
    const QString step = path.takeFirst();
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        const int at = step.toInt();
        if (path.isEmpty() && replacement.isUndefined())
            array.removeAt(at);
        else
            array[at] = changed(array.at(at), path, replacement);
        return array;
    }
    QJsonObject object = value.toObject();
    if (path.isEmpty() && replacement.isUndefined())
        object.remove(step);
    else
        object[step] = changed(object.value(step), path, replacement);
    return object;
}

} // namespace

void TestBatchPlan::initTestCase()
{
    initImageLibrary();
    m_work = m_dir.filePath("work");
    QDir().mkpath(m_work);
    for (const QString name : {"d.jpg", "c.jpg", "b.jpg", "a.jpg"}) {
        writeJpeg(m_work + '/' + name, 8, 8);
        m_pictures.append(PictureEntry::fromPath(m_work + '/' + name));
    }
    writeBytes(m_work + "/same (2).png", "before");
}

std::unique_ptr<BatchRunner> TestBatchPlan::runner() const
{
    ConversionJob job = jobFor("PNG", m_work);
    job.naming = RenameOpter(QStringLiteral("same"));
    auto runner = std::make_unique<BatchRunner>(m_pictures, job);
    runner->setOverwritePolicy(OverwritePolicy::Skip);
    return runner;
}

QJsonObject TestBatchPlan::written() const
{
    const std::unique_ptr<BatchRunner> made = runner();
    const BatchRunner &planned = *made;
    return QJsonDocument::fromJson(BatchPlan(planned.planner(), planned.plans(), "skip").toJson()).object();
}

void TestBatchPlan::readBackAsDecided()
{
    const std::unique_ptr<BatchRunner> made = runner();
    const BatchRunner &planned = *made;
    const QList<PicturePlan> plans = planned.plans();
    QJsonObject root = written();
    // A message is shown on a terminal: it cannot carry the terminal's commands.
    root = changed(root, {"plan", "1", "message"}, "saved \x1b[2Jelsewhere").toObject();

    const Result<BatchPlan> read =
        BatchPlan::fromJson(QJsonDocument(root).toJson(), planned.planner(), "skip", everyPicture);
    QVERIFY2(read, qPrintable(read ? QString() : read.error()));
    QCOMPARE(read.value().plans().size(), plans.size());
    const QStringList names{"same.png", "same (3).png", "same (4).png", "same (5).png"};
    for (int i = 0; i < plans.size(); ++i) {
        const PicturePlan &back = read.value().plans().at(i);
        QCOMPARE(back.source, plans.at(i).source);
        QCOMPARE(back.target, m_work + '/' + names.at(i));
        QCOMPARE(back.target, plans.at(i).target);
        QCOMPARE(back.mode, plans.at(i).mode);
        QCOMPARE(back.extension, plans.at(i).extension);
        QCOMPARE(back.status, plans.at(i).status);
        QCOMPARE(back.collision, i == 0 ? 0 : i + 2);
        if (i != 1)
            QCOMPARE(back.message, plans.at(i).message);
    }
    QVERIFY(!read.value().plans().at(1).message.contains(QChar(0x1b)));
}

void TestBatchPlan::hostilePlanRefused_data()
{
    // A value put at a path of the written plan (undefined: removed); WORK stands
    // for the output folder, TARGET0 for the first picture's target.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("reason");

    const QJsonValue removed(QJsonValue::Undefined);
    QTest::newRow("not JSON") << "" << QJsonValue("{\"format\": ") << "not a plan";
    QTest::newRow("another format") << "format" << QJsonValue("kelvarine-project") << "not a plan of";
    QTest::newRow("newer version") << "version" << QJsonValue(2) << "version 2";
    QTest::newRow("no version") << "version" << removed << "no valid version";
    QTest::newRow("version not whole") << "version" << QJsonValue(0.5) << "no valid version";
    QTest::newRow("another job") << "job" << QJsonValue("0123") << "another job";
    QTest::newRow("picture count") << "pictures" << QJsonValue(5) << "one entry per picture";
    QTest::newRow("entry missing") << "plan/3" << removed << "one entry per picture";
    QTest::newRow("plan not a list") << "plan" << QJsonValue("all") << "one entry per picture";
    QTest::newRow("index out of place") << "plan/1/index" << QJsonValue(2) << "not the picture at this place";
    QTest::newRow("another source") << "plan/1/source" << QJsonValue("WORK/a.jpg") << "not the picture at this place";
    QTest::newRow("target above the folder") << "plan/1/target" << QJsonValue("WORK/../x.png") << "not a file in the output folder";
    QTest::newRow("target elsewhere") << "plan/1/target" << QJsonValue("/tmp/x.png") << "not a file in the output folder";
    QTest::newRow("target in a subfolder") << "plan/1/target" << QJsonValue("WORK/sub/x.png") << "not a file in the output folder";
    QTest::newRow("target the folder") << "plan/1/target" << QJsonValue("WORK/..") << "not a file in the output folder";
    QTest::newRow("target planned twice") << "plan/1/target" << QJsonValue("TARGET0") << "planned twice";
    QTest::newRow("target another picture") << "plan/1/target" << QJsonValue("WORK/a.jpg") << "another picture of the job";
    QTest::newRow("a page") << "plan/0/mode" << QJsonValue("page") << "multi-page";
    QTest::newRow("unknown mode") << "plan/0/mode" << QJsonValue("move") << "unknown mode";
    QTest::newRow("copy the job would encode") << "plan/0/mode" << QJsonValue("copy") << "the way the plan says";
    QTest::newRow("extension not the target's") << "plan/0/extension" << QJsonValue("jpg") << "encoder's extension";
    QTest::newRow("unknown decision") << "plan/2/decision" << QJsonValue("replace") << "unknown decision";
    QTest::newRow("abort not last") << "plan/1/decision" << QJsonValue("abort") << "after an abort";
    QTest::newRow("counter the job has not") << "plan/0/counter" << QJsonValue(5) << "counter";
    QTest::newRow("collision number 1") << "plan/1/collision" << QJsonValue(1) << "collision number";
    QTest::newRow("collision number not in the name") << "plan/1/collision" << QJsonValue(7) << "collision number";
}

void TestBatchPlan::hostilePlanRefused()
{
    QFETCH(QString, path);
    QFETCH(QJsonValue, value);
    QFETCH(QString, reason);

    const QJsonObject root = written();
    QByteArray data;
    if (path.isEmpty()) {
        data = value.toString().toUtf8();
    } else {
        if (value.isString()) {
            QString text = value.toString();
            text.replace("TARGET0", root.value("plan").toArray().at(0).toObject().value("target").toString());
            value = text.replace("WORK", m_work);
        }
        data = QJsonDocument(changed(root, path.split('/'), value).toObject()).toJson();
    }
    const std::unique_ptr<BatchRunner> made = runner();
    const BatchRunner &planned = *made;
    const Result<BatchPlan> read = BatchPlan::fromJson(data, planned.planner(), "skip", everyPicture);
    QVERIFY(!read);
    QVERIFY2(read.error().contains(reason), qPrintable(read.error()));
}

void TestBatchPlan::shares_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("first of three") << 7 << 1 << 3 << QList<int>{0, 3, 6};
    QTest::newRow("last of three") << 7 << 3 << 3 << QList<int>{2, 5};
    QTest::newRow("more shares than pictures") << 2 << 3 << 3 << QList<int>{};
    QTest::newRow("one share is all") << 4 << 1 << 1 << QList<int>{0, 1, 2, 3};
    QTest::newRow("share 0") << 4 << 0 << 3 << QList<int>{};
    QTest::newRow("share beyond the count") << 4 << 4 << 3 << QList<int>{};
}

void TestBatchPlan::shares()
{
    QFETCH(int, count);
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(QList<int>, expected);
    QCOMPARE(BatchPlan::share(count, k, n), expected);
}

QTEST_GUILESS_MAIN(TestBatchPlan)
#include "tst_batchplan.moc"

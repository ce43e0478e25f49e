#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "engine/batch/worker.h"
#include "testutils.h"

// Work leaves the calling thread one way: results come back on the owner's thread,
// a cancelled task stops in the library and reports nothing.
class TestWorker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void resultsArriveOnTheOwnersThread();
    void cancelStopsTheLibraryAndDropsTheResult_data();
    void cancelStopsTheLibraryAndDropsTheResult();
};

void TestWorker::resultsArriveOnTheOwnersThread()
{
    Worker worker(2);
    QObject context;
    QList<int> results;
    QThread *taskThread = nullptr;
    for (int i = 1; i <= 4; ++i) {
        worker.start(
            &context,
            [i, &taskThread](const CancelToken &) {
                taskThread = QThread::currentThread();
                return i * i;
            },
            [&results](int square) {
                QCOMPARE(QThread::currentThread(), qApp->thread());
                results.append(square);
            });
    }
    QTRY_COMPARE(results.size(), 4);
    std::sort(results.begin(), results.end());
    QCOMPARE(results, (QList<int>{1, 4, 9, 16}));
    QVERIFY(taskThread != qApp->thread());
}

void TestWorker::cancelStopsTheLibraryAndDropsTheResult_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel") << "cancel";
    QTest::newRow("owner destroyed") << "destroy";
    QTest::newRow("detached") << "detach";
}

void TestWorker::cancelStopsTheLibraryAndDropsTheResult()
{
    QFETCH(QString, how);
    auto worker = std::make_unique<Worker>(1);
    QObject context;
    bool delivered = false;
    std::atomic<bool> started{false};
    std::atomic<bool> abandoned{false};
    const Magick::Image original = TestUtils::makePicture(3000, 2000);
    worker->start(
        &context,
        [original, &started, &abandoned](const CancelToken &token) {
            Magick::Image picture(original);
            picture.modifyImage();
            token.attach(picture);
            started = true;
            try {
                picture.oilPaint(12);  // far longer than this test waits
                abandoned = !picture.isValid();
            } catch (const Magick::Exception &) {
                abandoned = true;
            }
            return picture.columns();
        },
        [&delivered](size_t) { delivered = true; });
    QTRY_VERIFY(started.load());

    QElapsedTimer timer;
    timer.start();
    if (how == "cancel") {
        worker->cancel();
        worker->waitForDone();
    } else if (how == "destroy") {
        worker.reset();
    } else {
        worker->detach();
        QVERIFY2(timer.elapsed() < 1000, "detaching must not wait for the task");
        QTRY_VERIFY(abandoned.load());
    }
    QVERIFY(abandoned.load());
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QTest::qWait(50);
    QVERIFY(!delivered);
}

QTEST_GUILESS_MAIN(TestWorker)
#include "tst_worker.moc"

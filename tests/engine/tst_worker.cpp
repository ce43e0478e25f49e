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
    void doneComesFromTheEventLoop_data();
    void doneComesFromTheEventLoop();
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

void TestWorker::doneComesFromTheEventLoop_data()
{
    QTest::addColumn<bool>("contextGone");
    // Ended before start() returns, most likely: still never handed over from
    // within start(), where its owner is in the middle of something.
    QTest::newRow("task that ends at once") << false;
    QTest::newRow("context gone before the task ends") << true;
}

void TestWorker::doneComesFromTheEventLoop()
{
    QFETCH(bool, contextGone);
    Worker worker(1);
    auto context = std::make_unique<QObject>();
    int delivered = 0;
    bool starting = true;
    bool deliveredWhileStarting = false;
    std::atomic<bool> release{!contextGone};
    for (int i = 0; i < 20; ++i) {
        worker.start(
            context.get(),
            [&release](const CancelToken &) {
                while (!release.load())
                    QThread::msleep(1);
                return 1;
            },
            [&](int) {
                deliveredWhileStarting = deliveredWhileStarting || starting;
                ++delivered;
            });
        QThread::msleep(1);
    }
    starting = false;
    if (contextGone) {
        context.reset();
        release = true;
        worker.waitForDone();
        QTest::qWait(50);
        QCOMPARE(delivered, 0);
        return;
    }
    QVERIFY(!deliveredWhileStarting);
    QCOMPARE(delivered, 0);
    QTRY_COMPARE(delivered, 20);
}

QTEST_GUILESS_MAIN(TestWorker)
#include "tst_worker.moc"

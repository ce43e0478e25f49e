#include <QTest>

#include "engine/batch/canceltoken.h"
#include "testutils.h"

// Cancelling stops the library's work on the pictures of one token and on no others.
class TestCancelToken : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void cancelledPictureIsAbandoned_data();
    void cancelledPictureIsAbandoned();
};

void TestCancelToken::cancelledPictureIsAbandoned_data()
{
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<bool>("reset");
    QTest::newRow("running token") << false << false;
    QTest::newRow("cancelled token") << true << false;
    QTest::newRow("cancelled, then reset") << true << true;
}

void TestCancelToken::cancelledPictureIsAbandoned()
{
    QFETCH(bool, cancelled);
    QFETCH(bool, reset);
    const Magick::Image original = TestUtils::makePicture(300, 200);
    CancelToken token;
    Magick::Image attached(original);
    token.attach(attached);
    Magick::Image other(original);  // another picture, e.g. one being converted
    if (cancelled)
        token.cancel();
    if (reset)
        token.reset();

    try {
        attached.oilPaint(2);
    } catch (const Magick::Exception &) {
    }
    other.oilPaint(2);

    const bool abandoned = cancelled && !reset;
    QCOMPARE(token.isCancelled(), abandoned);
    QCOMPARE(attached.isValid() && TestUtils::samePixels(attached, other), !abandoned);
    QVERIFY(other.isValid());
    QVERIFY(!TestUtils::samePixels(other, original));
}

QTEST_GUILESS_MAIN(TestCancelToken)
#include "tst_canceltoken.moc"

#include <QTest>

#include "engine/batch/pictureentry.h"

// Adding pictures to a job: duplicates are skipped by their exact path, and the
// work grows with the number of pictures, not with its square.
class TestPictureEntry : public QObject
{
    Q_OBJECT

private slots:
    void duplicatesAreSkipped_data();
    void duplicatesAreSkipped();
    void largeListsGrowLinearly();
};

void TestPictureEntry::duplicatesAreSkipped_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("same path twice in one call") << QStringList{} << QStringList{"/p/a.jpg", "/p/b.jpg", "/p/a.jpg"}
                                                 << QStringList{"/p/a.jpg", "/p/b.jpg"};
    QTest::newRow("already listed") << QStringList{"/p/a.jpg"} << QStringList{"/p/b.jpg", "/p/a.jpg"}
                                    << QStringList{"/p/a.jpg", "/p/b.jpg"};
    // The same text, exactly, as it always was: the file system decides the rest.
    QTest::newRow("case differs") << QStringList{"/p/a.jpg"} << QStringList{"/p/A.jpg"}
                                  << QStringList{"/p/a.jpg", "/p/A.jpg"};
    QTest::newRow("other spelling of the folder") << QStringList{"/p/a.jpg"} << QStringList{"/p//a.jpg"}
                                                  << QStringList{"/p/a.jpg", "/p//a.jpg"};
    QTest::newRow("order kept") << QStringList{"/z.jpg"} << QStringList{"/c.jpg", "/a.jpg", "/b.jpg"}
                                << QStringList{"/z.jpg", "/c.jpg", "/a.jpg", "/b.jpg"};
}

void TestPictureEntry::duplicatesAreSkipped()
{
    QFETCH(QStringList, listed);
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);
    QList<PictureEntry> pictures;
    addPictures(pictures, listed);
    addPictures(pictures, added);
    QStringList paths;
    for (const PictureEntry &picture : pictures)
        paths.append(picture.path);
    QCOMPARE(paths, expected);
}

void TestPictureEntry::largeListsGrowLinearly()
{
    // A project of 20 000 pictures loaded into a list that holds them already,
    // then a folder of 20 000 new ones: a scan of the list for every path would
    // make 4 * 10^8 comparisons; a lookup makes about one per duplicate.
    constexpr int count = 20000;
    QStringList listed;
    QStringList fresh;
    for (int i = 0; i < count; ++i) {
        listed.append(QStringLiteral("/photos/2024/IMG_%1.JPG").arg(i, 5, 10, QLatin1Char('0')));
        fresh.append(QStringLiteral("/photos/2025/IMG_%1.JPG").arg(i, 5, 10, QLatin1Char('0')));
    }
    QList<PictureEntry> pictures;
    qint64 comparisons = -1;
    addPictures(pictures, listed, &comparisons);
    QCOMPARE(pictures.size(), count);
    QVERIFY2(comparisons <= count / 10, qPrintable(QString::number(comparisons)));

    addPictures(pictures, listed + fresh, &comparisons);
    QCOMPARE(pictures.size(), 2 * count);
    QCOMPARE(pictures.last().path, fresh.last());
    // Every duplicate is found by comparing it once with its twin.
    QVERIFY2(comparisons >= count && comparisons <= 2 * count, qPrintable(QString::number(comparisons)));
}

QTEST_GUILESS_MAIN(TestPictureEntry)
#include "tst_pictureentry.moc"

// Step 1's list on the real window and engine: the pictures' facts and
// thumbnails arriving from the background, sorting by a column (the job
// follows), the count and size line, and the mark on a picture that cannot be
// read.

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTreeWidget>

#include "gui/views/picturefeed.h"
#include "gui/views/picturetable.h"
#include "gui/views/thumbnails.h"
#include "gui/views/wizardviews.h"
#include "gui/wizard/step1page.h"
#include "wizardtestutils.h"

using namespace TestUtils;
using namespace WizardTest;

namespace {

QTreeWidget *listOf(Tamsorel &window)
{
    return window.form().treeWidget;
}

bool settled(Tamsorel &window)
{
    return waitFor([&] { return !window.step1().table().feed().isBusy(); }, 60000);
}

// Job, list and Step 2 box name the same pictures in the same order.
QStringList jobOrder(Tamsorel &window)
{
    QStringList names;
    const QList<PictureEntry> &pictures = window.state().pictures;
    for (int i = 0; i < pictures.size(); ++i) {
        if (PictureTable::pathOf(listOf(window)->topLevelItem(i)) != pictures.at(i).path
            || window.form().step2_listPics->itemText(i) != pictures.at(i).path)
            return {"out of step at " + QString::number(i)};
        names.append(QFileInfo(pictures.at(i).path).fileName());
    }
    return names;
}

// Whether the row shows a picture rather than the empty placeholder.
bool showsThumbnail(QTreeWidgetItem *row)
{
    const QImage icon = row->icon(0).pixmap(Thumbnails::edge).toImage();
    return !icon.isNull() && icon.pixelColor(icon.width() / 2, icon.height() / 2).alpha() > 0;
}

void clickHeader(QTreeWidget *list, int column)
{
    QHeaderView *header = list->header();
    for (int section = 0; section < header->count(); ++section)
        header->resizeSection(section, 80);  // every title within the window
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2));
}

} // namespace

class TestStep1Page : public HomeTestCase
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(setUpHome()); }
    void factsAndThumbnails();
    void sortingReordersTheJob_data();
    void sortingReordersTheJob();
    void summaryFollowsTheList();
    void unreadablePictureIsMarked_data();
    void unreadablePictureIsMarked();
    void addingNeverWaitsForPictures();
};

void TestStep1Page::factsAndThumbnails()
{
    const QString camera = m_home.filePath("camera.jpg");
    QVERIFY2(writeCameraJpeg(camera, {"-Model=X100V", "-DateTimeOriginal=2021:07:04 09:15:30"}, 64, 48),
             "exiftool (libimage-exiftool-perl) writes the EXIF");
    Tamsorel window;
    window.step1().addPictures({camera, m_pictures + "/b.tif", m_pictures + "/a.png"});
    QVERIFY(settled(window));

    QTreeWidget *list = listOf(window);
    QCOMPARE(list->columnCount(), int(PictureTable::ColumnCount));
    QCOMPARE(list->headerItem()->text(PictureTable::NameColumn), QStringLiteral("Name"));
    QTreeWidgetItem *photo = list->topLevelItem(0);
    QCOMPARE(photo->text(PictureTable::PixelsColumn), QStringLiteral("64 × 48"));
    QCOMPARE(photo->text(PictureTable::CameraColumn), QStringLiteral("X100V"));
    QCOMPARE(photo->text(PictureTable::TakenColumn),
             QLocale().toString(QDateTime(QDate(2021, 7, 4), QTime(9, 15, 30)), QLocale::ShortFormat));
    QCOMPARE(photo->text(PictureTable::SizeColumn), QLocale().formattedDataSize(QFileInfo(camera).size()));
    // A 16-bit TIFF goes through the decoding helper, a PNG through the toolkit: both get one.
    QCOMPARE(list->topLevelItem(1)->text(PictureTable::PixelsColumn), QStringLiteral("300 × 200"));
    QVERIFY(list->topLevelItem(2)->text(PictureTable::TakenColumn).isEmpty());
    for (int row = 0; row < 3; ++row)
        QVERIFY2(showsThumbnail(list->topLevelItem(row)), qPrintable(QString::number(row)));

    // Made once while the program runs: a second window takes them from the cache.
    const int made = window.step1().table().feed().thumbnailsMade();
    QCOMPARE(made, 3);
    Tamsorel again;
    again.step1().addPictures({camera, m_pictures + "/b.tif", m_pictures + "/a.png"});
    QVERIFY(settled(again));
    QCOMPARE(again.step1().table().feed().thumbnailsMade(), 0);
    QVERIFY(showsThumbnail(listOf(again)->topLevelItem(1)));
}

void TestStep1Page::sortingReordersTheJob_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");

    // Text order would put "9 × 9" after "10 × 10" and "2024-…" dates by their day.
    QTest::newRow("name, as a person reads numbers") << int(PictureTable::NameColumn)
                                                     << QStringList{"p2.jpg", "p10.jpg", "q1.jpg"};
    QTest::newRow("pixel count, not text") << int(PictureTable::PixelsColumn)
                                           << QStringList{"p10.jpg", "q1.jpg", "p2.jpg"};
    QTest::newRow("date taken, not text") << int(PictureTable::TakenColumn)
                                          << QStringList{"q1.jpg", "p2.jpg", "p10.jpg"};
    QTest::newRow("file size in bytes") << int(PictureTable::SizeColumn) << QStringList{"p10.jpg", "q1.jpg", "p2.jpg"};
}

void TestStep1Page::sortingReordersTheJob()
{
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    const QString folder = m_home.filePath("sorting");
    QDir().mkpath(folder);
    // p10: 9x9, taken latest; q1: 40x30, taken first; p2: 300x200, in between.
    QVERIFY(writeCameraJpeg(folder + "/p10.jpg", {"-DateTimeOriginal=2024:12:01 08:00:00"}, 9, 9));
    QVERIFY(writeCameraJpeg(folder + "/q1.jpg", {"-DateTimeOriginal=2023:02:15 08:00:00"}, 40, 30));
    QVERIFY(writeCameraJpeg(folder + "/p2.jpg", {"-DateTimeOriginal=2024:03:09 08:00:00"}, 300, 200));

    Tamsorel window;
    window.resize(900, 600);
    window.show();
    window.step1().addPictures({folder + "/q1.jpg", folder + "/p10.jpg", folder + "/p2.jpg"});
    QVERIFY(settled(window));

    QTreeWidget *list = listOf(window);
    clickHeader(list, column);
    QCOMPARE(jobOrder(window), ascending);
    clickHeader(list, column);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(jobOrder(window), descending);

    // The names' counters follow the order shown: what the batch writes too.
    QTemporaryDir out;
    window.form().step3_outputFolder->setText(out.path());
    window.state().formateStr = QStringLiteral("[Counter_1_1_1]_[FileName]");
    selectFormat(window, QStringLiteral("PNG"));
    ModalAnswers modal;
    closeWhenDone(modal);
    window.form().pbProcess->click();
    QVERIFY(modal.done());
    QStringList expected;
    for (int i = 0; i < descending.size(); ++i)
        expected.append(QString::number(i + 1) + '_' + QString(descending.at(i)).replace(".jpg", ".png"));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), expected);
}

void TestStep1Page::summaryFollowsTheList()
{
    Tamsorel window;
    auto *summary = window.findChild<QLabel *>("step1_lbSummary");
    QVERIFY(summary);
    const QStringList paths{m_pictures + "/a.png", m_pictures + "/b.tif", m_pictures + "/c.jpg"};
    qint64 bytes = 0;
    for (const QString &path : paths)
        bytes += QFileInfo(path).size();
    window.step1().addPictures(paths);
    QVERIFY(waitFor([&] { return summary->text().startsWith("3 pictures"); }));
    QCOMPARE(summary->text(), QStringLiteral("3 pictures, ") + QLocale().formattedDataSize(bytes));

    listOf(window)->topLevelItem(1)->setSelected(true);
    window.step1().removeSelected();
    QVERIFY(waitFor([&] { return summary->text().startsWith("2 pictures"); }));
    window.step1().removeAll();
    QVERIFY(waitFor([&] { return summary->text() == QStringLiteral("0 pictures, ") + QLocale().formattedDataSize(0); }));
}

void TestStep1Page::unreadablePictureIsMarked_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("previewed");

    QByteArray jpeg = fileBytes(m_pictures + "/c.jpg");
    const QByteArray cut = jpeg.left(jpeg.size() / 2);
    // The toolkit would show the first half and grey: the library says why not.
    QTest::newRow("JPEG cut short, previewed") << "cut.jpg" << cut << true;
    QTest::newRow("JPEG cut short, in the list only") << "cut2.jpg" << cut << false;
    // A camera's JPEG carries a thumbnail, whose own end marker lies near the
    // start: the picture is cut within its scan all the same.
    const QString camera = m_home.filePath(QStringLiteral("camera-source.jpg"));
    const QString thumb = m_home.filePath(QStringLiteral("thumb-source.jpg"));
    writeBytes(thumb, jpeg);
    QVERIFY2(writeCameraJpeg(camera, {"-ThumbnailImage<=" + thumb}, 320, 240),
             "exiftool (libimage-exiftool-perl) writes the EXIF");
    const QByteArray photo = fileBytes(camera);
    const qsizetype scan = photo.lastIndexOf("\xFF\xDA");
    QVERIFY(photo.indexOf("\xFF\xD9") < scan);
    QTest::newRow("camera JPEG with a thumbnail, cut short") << "cutcamera.jpg" << photo.left((scan + photo.size()) / 2)
                                                             << true;
    QTest::newRow("text named .png") << "text.png" << QByteArray("no picture here\n") << true;
    QTest::newRow("empty file") << "empty.jpg" << QByteArray() << false;
}

void TestStep1Page::unreadablePictureIsMarked()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, previewed);
    const QString path = m_home.filePath(fileName);
    writeBytes(path, bytes);

    Tamsorel window;
    window.resize(900, 600);
    window.show();
    window.step1().addPictures({m_pictures + "/a.png", path});
    QTreeWidget *list = listOf(window);
    if (previewed)
        list->setCurrentItem(list->topLevelItem(1));
    PictureTable &table = window.step1().table();
    QVERIFY(waitFor([&] { return table.isMarked(path); }, 60000));
    QVERIFY(settled(window));
    QVERIFY(!table.isMarked(m_pictures + "/a.png"));

    QTreeWidgetItem *row = list->topLevelItem(1);
    const QString tip = row->toolTip(PictureTable::NameColumn);
    QVERIFY2(tip.startsWith("This picture cannot be read: ") && tip.size() > 30, qPrintable(tip));
    QVERIFY(!row->icon(PictureTable::NameColumn).isNull());
    // The entry stays in the job; the batch reports it when it comes to it.
    QCOMPARE(window.state().pictures.size(), 2);
}

void TestStep1Page::addingNeverWaitsForPictures()
{
    // 300 pictures: not one is read on the way in; they arrive afterwards, all of them.
    const QString folder = m_home.filePath("many");
    QDir().mkpath(folder);
    const QString seed = m_pictures + "/c.jpg";
    for (int i = 0; i < 300; ++i)
        QVERIFY(QFile::copy(seed, folder + QStringLiteral("/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0'))));

    Tamsorel window;
    window.step1().addFolder(folder);
    PictureFeed &feed = window.step1().table().feed();
    QCOMPARE(listOf(window)->topLevelItemCount(), 300);
    QCOMPARE(feed.factsRead(), 0);
    QCOMPARE(feed.thumbnailsMade(), 0);
    QVERIFY(settled(window));
    QCOMPARE(feed.factsRead(), 300);
    for (int row = 0; row < 300; row += 37)
        QCOMPARE(listOf(window)->topLevelItem(row)->text(PictureTable::PixelsColumn), QStringLiteral("120 × 80"));
}

QTEST_MAIN(TestStep1Page)
#include "tst_step1page.moc"

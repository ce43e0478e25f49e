#include <QAction>
#include <QDir>
#include <QTest>
#include <QTreeWidget>

#include "gui/naming/dlgrename.h"
#include "testutils.h"

// The custom naming dialog on its real form: templates built from the controls,
// controls set from templates, and the preview the engine gives a real file.
class TestDlgRename : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buildsTemplate_data();
    void buildsTemplate();
    void loadsTemplate_data();
    void loadsTemplate();
    void previewNamesSample();
    void deleteAndInsertKeywords();
    void resetNeverLeavesEmptyTemplate();
    void listsNamesOfFirstPictures();
    void cameraKeywords();

private:
    QTemporaryDir m_dir;
    QString m_sample;
};

void TestDlgRename::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath("Trip"));
    m_sample = m_dir.filePath("Trip/IMG_0001.JPG");
    TestUtils::writeBytes(m_sample, "not read, only named");
}

void TestDlgRename::buildsTemplate_data()
{
    QTest::addColumn<QString>("text");
    // case row, extension lower, start, step, digits, date use, date row, time as, time row
    QTest::addColumn<QList<int>>("controls");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("format");

    const QList<int> defaults{0, 1, 1, 1, 2, 0, 0, 0, 0};
    QTest::newRow("folder and counter with defaults")
        << "[FolderName]_[Counter]" << defaults << "" << "" << "[FolderName]_[Counter_1_1_2][Case_0_1][Replace__]";
    QTest::newRow("empty text names every picture default")
        << "" << defaults << "" << "" << "default[Case_0_1][Replace__]";
    QTest::newRow("blank text too") << "   " << defaults << "" << "" << "default[Case_0_1][Replace__]";
    QTest::newRow("every counter keyword gets the numbers")
        << "[Counter]-[Counter]" << QList<int>{0, 1, 7, 3, 3, 0, 0, 0, 0} << "" << ""
        << "[Counter_7_3_3]-[Counter_7_3_3][Case_0_1][Replace__]";
    QTest::newRow("date rows")
        << "[FileName] [DateTime]" << QList<int>{0, 1, 1, 1, 2, 1, 10, 2, 1} << "" << ""
        << "[FileName] [Date_1_10_2_1][Case_0_1][Replace__]";
    QTest::newRow("case and search and replace")
        << "[FileName]" << QList<int>{3, 0, 1, 1, 2, 0, 0, 0, 0} << "IMG" << "Holiday"
        << "[FileName][Case_3_0][Replace_IMG_Holiday]";
    QTest::newRow("percent signs stay literal")
        << "%1 [Counter] %2" << defaults << "%1" << "%2" << "%1 [Counter_1_1_2] %2[Case_0_1][Replace_%1_%2]";
}

void TestDlgRename::buildsTemplate()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, controls);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, format);

    DlgRename dialog;
    dialog.ui.case_cbCase->setCurrentIndex(controls[0]);
    dialog.ui.case_ckCaseExt->setChecked(controls[1] != 0);
    dialog.ui.counter_sbStart->setValue(controls[2]);
    dialog.ui.counter_sbStep->setValue(controls[3]);
    dialog.ui.counter_sbDigits->setValue(controls[4]);
    dialog.ui.date_cbUse->setCurrentIndex(controls[5]);
    dialog.ui.date_cbFormat->setCurrentIndex(controls[6]);
    dialog.ui.date_cbTimeAs->setCurrentIndex(controls[7]);
    dialog.ui.date_cbTimeFormat->setCurrentIndex(controls[8]);
    dialog.ui.txtSearch->setText(search);
    dialog.ui.txtReplace->setText(replacement);
    dialog.ui.txtFormat->setText(text);
    QCOMPARE(dialog.format(), format);
}

void TestDlgRename::loadsTemplate_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("controls");  // as in buildsTemplate
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("rebuilt");

    QTest::newRow("dialog template comes back whole")
        << "[FolderName]_[Counter_1_1_2][Case_0_1][Replace__]" << "[FolderName]_[Counter]"
        << QList<int>{0, 1, 1, 1, 2, 0, 0, 0, 0} << "" << "" << "[FolderName]_[Counter_1_1_2][Case_0_1][Replace__]";
    QTest::newRow("date preset opens as DateTime")
        << "[Date_0_0_0_0]" << "[DateTime]" << QList<int>{0, 1, 1, 1, 2, 0, 0, 0, 0} << "" << ""
        << "[Date_0_0_0_0][Case_0_1][Replace__]";
    QTest::newRow("every tag")
        << "[Case_2_0][FileName]-[Counter_7_3_3] [Date_1_10_2_1][Replace_IMG_Holiday]"
        << "[FileName]-[Counter] [DateTime]" << QList<int>{2, 0, 7, 3, 3, 1, 10, 2, 1} << "IMG" << "Holiday"
        << "[FileName]-[Counter_7_3_3] [Date_1_10_2_1][Case_2_0][Replace_IMG_Holiday]";
    QTest::newRow("search text ends at its first underscore")
        << "[FileName][Case_0_1][Replace_a_b_c]" << "[FileName]" << QList<int>{0, 1, 1, 1, 2, 0, 0, 0, 0} << "a"
        << "c" << "[FileName][Case_0_1][Replace_a_c]";
    QTest::newRow("numbers beyond the rows keep the engine's meaning")
        << "[Date_5_40_7_9][Case_9_1]" << "[DateTime]" << QList<int>{0, 1, 1, 1, 2, 1, 0, 1, 0} << "" << ""
        << "[Date_1_0_1_0][Case_0_1][Replace__]";
    QTest::newRow("counter numbers beyond the boxes are clamped")
        << "[Counter_9999999_0_500]" << "[Counter]" << QList<int>{0, 1, 999999, 1, 99, 0, 0, 0, 0} << "" << ""
        << "[Counter_999999_1_99][Case_0_1][Replace__]";
    QTest::newRow("date taken is row 2")
        << "[Date_2_10_1_0]" << "[DateTime]" << QList<int>{0, 1, 1, 1, 2, 2, 10, 1, 0} << "" << ""
        << "[Date_2_10_1_0][Case_0_1][Replace__]";
    QTest::newRow("malformed tags stay literal")
        << "[Counter_1_a_2][Case_12_1]" << "[Counter_1_a_2][Case_12_1]" << QList<int>{0, 1, 1, 1, 2, 0, 0, 0, 0}
        << "" << "" << "[Counter_1_a_2][Case_12_1][Case_0_1][Replace__]";
}

void TestDlgRename::loadsTemplate()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QList<int>, controls);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, rebuilt);

    DlgRename dialog;
    dialog.loadFormat(format);
    QCOMPARE(dialog.ui.txtFormat->text(), text);
    const QList<int> shown{dialog.ui.case_cbCase->currentIndex(),     int(dialog.ui.case_ckCaseExt->isChecked()),
                           dialog.ui.counter_sbStart->value(),        dialog.ui.counter_sbStep->value(),
                           dialog.ui.counter_sbDigits->value(),       dialog.ui.date_cbUse->currentIndex(),
                           dialog.ui.date_cbFormat->currentIndex(),   dialog.ui.date_cbTimeAs->currentIndex(),
                           dialog.ui.date_cbTimeFormat->currentIndex()};
    QCOMPARE(shown, controls);
    QCOMPARE(dialog.ui.txtSearch->text(), search);
    QCOMPARE(dialog.ui.txtReplace->text(), replacement);
    QCOMPARE(dialog.format(), rebuilt);

    // What the dialog builds, it opens unchanged.
    DlgRename again;
    again.loadFormat(rebuilt);
    QCOMPARE(again.format(), rebuilt);
}

void TestDlgRename::previewNamesSample()
{
    DlgRename dialog;
    dialog.loadFormat("[FolderName]_[Counter_1_1_2][Case_2_1][Replace__]");
    QCOMPARE(dialog.preview(), QString());  // no sample yet
    dialog.setSample(m_sample, 4);
    QCOMPARE(dialog.preview(), QStringLiteral("TRIP_05.jpg"));
    dialog.ui.counter_sbDigits->setValue(3);
    QCOMPARE(dialog.preview(), QStringLiteral("TRIP_005.jpg"));
    dialog.setSample(m_dir.filePath("Trip/gone.jpg"), 0);
    QCOMPARE(dialog.preview(), QString());
}

void TestDlgRename::deleteAndInsertKeywords()
{
    DlgRename dialog;
    dialog.ui.txtFormat->setText("[FileName]-copy");
    dialog.ui.pbDel->click();
    QCOMPARE(dialog.ui.txtFormat->text(), QStringLiteral("[FileName]"));
    dialog.ui.pbDel->click();
    QCOMPARE(dialog.ui.txtFormat->text(), QString());
    QCOMPARE(dialog.format(), QStringLiteral("default[Case_0_1][Replace__]"));

    dialog.ui.txtFormat->setText("[FileName]-x");
    dialog.ui.txtFormat->setSelection(11, 1);
    dialog.ui.actionCounter->trigger();
    dialog.ui.actionDate_Time->trigger();
    QCOMPARE(dialog.ui.txtFormat->text(), QStringLiteral("[FileName]-[Counter][DateTime]"));
    QCOMPARE(dialog.format(), QStringLiteral("[FileName]-[Counter_1_1_2][Date_0_0_0_0][Case_0_1][Replace__]"));
}

void TestDlgRename::resetNeverLeavesEmptyTemplate()
{
    DlgRename dialog;
    dialog.loadFormat("[Case_3_0][FolderName][Replace_a_b]");
    dialog.ui.pbReset->click();
    QCOMPARE(dialog.format(), QStringLiteral("[FileName][Case_0_1][Replace__]"));
    dialog.ui.pbReset->click();  // nothing left to change
    QCOMPARE(dialog.format(), QStringLiteral("[FileName][Case_0_1][Replace__]"));
}

void TestDlgRename::listsNamesOfFirstPictures()
{
    QList<PictureEntry> pictures;
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths.append(m_dir.filePath(QStringLiteral("Trip/DSC%1.JPG").arg(i)));
        TestUtils::writeBytes(paths.last(), "named only");
    }
    paths.insert(3, m_dir.filePath("Trip/gone.jpg"));  // deleted since it was added
    addPictures(pictures, paths);

    DlgRename dialog;
    dialog.loadFormat("[FolderName]_[Counter_1_1_2][Case_0_1][Replace__]");
    dialog.setJobPictures(pictures);
    QTreeWidget *names = dialog.namesList();
    QCOMPARE(names->topLevelItemCount(), DlgRename::listedPictures);
    QCOMPARE(names->topLevelItem(0)->text(0), QStringLiteral("DSC0.JPG"));
    QCOMPARE(names->topLevelItem(0)->text(1), QStringLiteral("Trip_01.jpg"));
    // The counter counts the job's pictures, the one that cannot be named too.
    QCOMPARE(names->topLevelItem(3)->text(1), QString());
    QVERIFY(!names->topLevelItem(3)->toolTip(1).isEmpty());
    QCOMPARE(names->topLevelItem(7)->text(0), QStringLiteral("DSC6.JPG"));
    QCOMPARE(names->topLevelItem(7)->text(1), QStringLiteral("Trip_08.jpg"));

    // Every change of a control renames the list at once.
    dialog.ui.counter_sbStart->setValue(100);
    QCOMPARE(names->topLevelItem(7)->text(1), QStringLiteral("Trip_107.jpg"));
    dialog.setJobPictures({});
    QCOMPARE(names->topLevelItemCount(), 0);
}

void TestDlgRename::cameraKeywords()
{
    const QString photo = m_dir.filePath("Trip/camera.jpg");
    QVERIFY2(TestUtils::writeCameraJpeg(photo, {"-Model=X100V", "-ISO=800", "-DateTimeOriginal=2020:02:29 23:59:58"}),
             "exiftool (libimage-exiftool-perl) writes the EXIF");
    DlgRename dialog;
    QCOMPARE(dialog.ui.date_cbUse->itemText(2), QStringLiteral("Date taken"));
    dialog.ui.txtFormat->clear();
    auto *model = dialog.findChild<QAction *>("actionCamera_CameraModel");
    auto *iso = dialog.findChild<QAction *>("actionCamera_ISO");
    QVERIFY(model && iso);
    model->trigger();
    dialog.ui.txtFormat->insert("_ISO");
    iso->trigger();
    dialog.ui.txtFormat->insert("_");
    dialog.ui.actionDate_Time->trigger();
    dialog.ui.date_cbUse->setCurrentIndex(2);
    dialog.ui.date_cbFormat->setCurrentIndex(10);
    dialog.ui.date_cbTimeAs->setCurrentIndex(2);
    QCOMPARE(dialog.format(), QStringLiteral("[CameraModel]_ISO[ISO]_[Date_2_10_2_0][Case_0_1][Replace__]"));
    dialog.setSample(photo, 0);
    QCOMPARE(dialog.preview(), QStringLiteral("X100V_ISO800_2020-02-29.jpg"));
}

QTEST_MAIN(TestDlgRename)
#include "tst_dlgrename.moc"

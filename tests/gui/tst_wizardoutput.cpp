// What the wizard writes, on the real engine under the offscreen platform, is
// what kelvarine-batch writes for the same job, byte for byte: plain
// conversions, the output options of Step 3, and documents behind their box.

#include <QDir>
#include <QGraphicsPixmapItem>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

#include "gui/process/dlgprocess.h"
#include "gui/process/wizardbatch.h"
#include "gui/views/imageview.h"
#include "gui/views/wizardviews.h"
#include "gui/wizard/step1page.h"
#include "wizardtestutils.h"

using namespace TestUtils;
using namespace WizardTest;

class TestWizardOutput : public WizardTest::HomeTestCase
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(setUpHome()); }

    void sameBytesAsBatch()
    {
        QTemporaryDir work;
        const QString wizardOut = work.filePath(QStringLiteral("wizard"));
        const QString batchOut = work.filePath(QStringLiteral("batch"));
        QVERIFY(QDir().mkpath(wizardOut));
        const QStringList sources{m_pictures + QStringLiteral("/a.png"), m_pictures + QStringLiteral("/b.tif"),
                                  m_pictures + QStringLiteral("/c.jpg")};
        Tamsorel window;
        window.step1().addPictures(sources);
        window.form().step3_outputFolder->setText(wizardOut);
        selectFormat(window, QStringLiteral("JPG"));
        ModalAnswers modal;
        closeWhenDone(modal);
        window.form().pbProcess->click();
        QVERIFY(modal.done());
        const QString log = window.batch().dialog().logText();
        QVERIFY2(log.contains(QLatin1String("Process completed without errors.\nConverted: ")), qPrintable(log));

        QByteArray output;
        QCOMPARE(run(batchProgram, QStringList{"-q", "-o", batchOut, "-f", "JPG"} + sources, &output), 0);
        const QStringList written = QDir(wizardOut).entryList(QDir::Files);
        QCOMPARE(written, (QStringList{"a.jpg", "b.jpg", "c.jpg"}));
        QCOMPARE(QDir(batchOut).entryList(QDir::Files), written);
        for (const QString &name : written)
            QVERIFY2(fileBytes(wizardOut + QLatin1Char('/') + name) == fileBytes(batchOut + QLatin1Char('/') + name),
                     qPrintable(name));
    }

    void outputOptionsReachTheBatch()
    {
        // The Step 3 controls of the written files give what kelvarine-batch
        // makes with the same options.
        QTemporaryDir work;
        const QString wizardOut = work.filePath(QStringLiteral("wizard"));
        const QString batchOut = work.filePath(QStringLiteral("batch"));
        QVERIFY(QDir().mkpath(wizardOut));
        const QStringList sources{m_pictures + QStringLiteral("/a.png"), m_pictures + QStringLiteral("/c.jpg")};
        Tamsorel window;
        window.step1().addPictures(sources);
        Ui::TamsorelClass &ui = window.form();
        ui.step3_outputFolder->setText(wizardOut);
        selectFormat(window, QStringLiteral("WEBP"));
        ui.step3_sb_quality->setValue(90);
        ui.step3_cb_stripMetadata->setChecked(true);
        ui.step3_cb_autoOrient->setChecked(true);
        ModalAnswers modal;
        closeWhenDone(modal);
        ui.pbProcess->click();
        QVERIFY(modal.done());

        QByteArray output;
        QCOMPARE(run(batchProgram,
                     QStringList{"-q", "-o", batchOut, "-f", "WEBP", "--quality", "90", "--strip-metadata", "--auto-orient"}
                         + sources,
                     &output),
                 0);
        const QStringList written = QDir(wizardOut).entryList(QDir::Files);
        QCOMPARE(written, (QStringList{"a.webp", "c.webp"}));
        for (const QString &name : written)
            QVERIFY2(fileBytes(wizardOut + QLatin1Char('/') + name) == fileBytes(batchOut + QLatin1Char('/') + name),
                     qPrintable(name));
    }

    void documentsNeedTheCheckBox_data()
    {
        QTest::addColumn<bool>("allowed");
        QTest::newRow("box off: the document is refused") << false;
        QTest::newRow("box on: the document is converted") << true;
    }

    void documentsNeedTheCheckBox()
    {
        // PostScript runs in Ghostscript: Step 3's box is the user's consent,
        // and the wizard honours it as kelvarine-batch honours --allow-documents.
        QFETCH(bool, allowed);
        if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty())
            QSKIP("Ghostscript (gs) is not installed");
        QTemporaryDir work;
        const QString source = work.filePath(QStringLiteral("flyer.ps"));
        writeBytes(source, "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 40 30\n0.5 setgray 0 0 40 30 rectfill showpage\n");
        const QString wizardOut = work.filePath(QStringLiteral("wizard"));
        const QString batchOut = work.filePath(QStringLiteral("batch"));
        QVERIFY(QDir().mkpath(wizardOut));
        Tamsorel window;
        window.show();
        Ui::TamsorelClass &ui = window.form();
        ui.step3_cb_allowDocuments->setChecked(allowed);
        window.step1().addPictures({source});
        ui.treeWidget->setCurrentItem(ui.treeWidget->topLevelItem(0));
        // The preview follows the same choice.
        ImageView &view = window.views().step1();
        if (allowed) {
            QVERIFY(waitFor([&] { return view.pixmapItem && view.pixmapItem->pixmap().width() == 40; }));
        } else {
            QTest::qWait(500);
            QVERIFY(!view.pixmapItem || view.pixmapItem->pixmap().isNull());
        }
        ui.step3_outputFolder->setText(wizardOut);
        selectFormat(window, QStringLiteral("PNG"));
        ModalAnswers modal;
        closeWhenDone(modal);
        ui.pbProcess->click();
        QVERIFY(modal.done());

        QStringList arguments{"-q", "-o", batchOut, "-f", "PNG", source};
        if (allowed)
            arguments.prepend(QStringLiteral("--allow-documents"));
        QByteArray output;
        QCOMPARE(run(batchProgram, arguments, &output), allowed ? 0 : 1);
        const QStringList expected = allowed ? QStringList{QStringLiteral("flyer.png")} : QStringList();
        QCOMPARE(QDir(wizardOut).entryList(QDir::Files), expected);
        QCOMPARE(QDir(batchOut).entryList(QDir::Files), expected);
        if (allowed)
            QCOMPARE(fileBytes(wizardOut + QStringLiteral("/flyer.png")), fileBytes(batchOut + QStringLiteral("/flyer.png")));
    }
};

QTEST_MAIN(TestWizardOutput)
#include "tst_wizardoutput.moc"

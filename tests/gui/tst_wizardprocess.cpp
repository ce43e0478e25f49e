// Processing in the wizard on the real engine, under the offscreen platform: the
// checks before a batch, the Step 3 controls, the process log and its cancel,
// every answer to the overwrite question through a real batch, and what the
// wizard does once a batch has ended.

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include "gui/process/dlgoverwrite.h"
#include "gui/process/dlgprocess.h"
#include "gui/process/wizardbatch.h"
#include "gui/wizard/step1page.h"
#include "wizardtestutils.h"

using namespace TestUtils;
using namespace WizardTest;

class TestWizardProcess : public WizardTest::HomeTestCase
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(setUpHome()); }

    void processChecks_data()
    {
        QTest::addColumn<int>("pictureCount");
        QTest::addColumn<bool>("useSourceFolder");
        QTest::addColumn<QString>("folder");  // relative to the home folder; "-" for an empty field
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("stored");

        const QString question = QStringLiteral("The output directory doesn't exists! Would you create it?");
        QTest::newRow("no pictures, source folder") << 0 << true << "out" << QList<int>{QMessageBox::Ok}
                                                    << QStringList{"No images to convert!"} << false << false;
        QTest::newRow("source folder, empty field") << 1 << true << "-" << QList<int>{} << QStringList{} << true
                                                    << false;
        QTest::newRow("empty field") << 1 << false << "-" << QList<int>{QMessageBox::Ok}
                                     << QStringList{"Set an output directory!"} << false << false;
        QTest::newRow("blank field") << 1 << false << "   " << QList<int>{QMessageBox::Ok}
                                     << QStringList{"Set an output directory!"} << false << false;
        QTest::newRow("existing folder") << 1 << false << "pictures" << QList<int>{} << QStringList{} << true << false;
        QTest::newRow("new nested folder, OK") << 1 << false << "new/nested" << QList<int>{QMessageBox::Ok}
                                               << QStringList{question} << true << true;
        QTest::newRow("new nested folder, Cancel") << 1 << false << "other/nested" << QList<int>{QMessageBox::Cancel}
                                                   << QStringList{question} << false << false;
        QTest::newRow("folder cannot be created")
            << 1 << false << "pictures/a.png/sub" << QList<int>{QMessageBox::Ok, QMessageBox::Ok}
            << QStringList{question, "The directory cannot be created!"} << false << false;
    }

    void processChecks()
    {
        QFETCH(int, pictureCount);
        QFETCH(bool, useSourceFolder);
        QFETCH(QString, folder);
        QFETCH(QList<int>, answers);
        QFETCH(bool, started);

        QSettings(AppSettings::defaultFile(), QSettings::IniFormat).remove(SettingsKeys::SaveDirectory);
        Tamsorel window;
        const QString source = m_home.filePath(QStringLiteral("checks"));
        QVERIFY(QDir().mkpath(source));
        writePicture(makePicture(16, 16), source + QStringLiteral("/p.png"));
        if (pictureCount > 0)
            window.step1().addPictures({source + QStringLiteral("/p.png")});
        const QString path = folder == QLatin1String("-") ? QString()
                             : folder.trimmed().isEmpty() ? folder
                                                          : m_home.filePath(folder);
        window.form().step3_outputFolder->setText(path);
        window.form().step3_cb_useSourceFolder->setChecked(useSourceFolder);
        selectFormat(window, QStringLiteral("JPG"));

        ModalAnswers modal;
        for (int answer : answers)
            modal.press(QMessageBox::StandardButton(answer));
        if (started)
            closeWhenDone(modal);
        QSignalSpy logStarted(&window.batch().driver(), &BatchDriver::logStarted);
        window.form().pbProcess->click();

        QVERIFY(modal.done());
        QTEST(modal.texts, "messages");
        QCOMPARE(logStarted.count(), started ? 1 : 0);
        QFETCH(bool, stored);
        QCOMPARE(settingsValue(SettingsKeys::SaveDirectory), stored ? path : QString());
        if (stored)
            QVERIFY(QFileInfo(path).isDir());
        else if (!path.isEmpty() && folder.contains(QLatin1String("nested")))
            QVERIFY(!QFileInfo::exists(path));
        if (started) {
            const QString outputFolder = useSourceFolder ? source : path;
            QVERIFY(QFileInfo(outputFolder + QStringLiteral("/p.jpg")).isFile());
            QVERIFY(QFile::remove(outputFolder + QStringLiteral("/p.jpg")));
        }
    }

    void outputFolderControls()
    {
        // However the box is set, the folder controls follow it.
        Tamsorel window;
        Ui::TamsorelClass &ui = window.form();
        ui.step3_cb_useSourceFolder->setChecked(true);
        QVERIFY(!ui.step3_outputFolder->isEnabled());
        QVERIFY(!ui.step3_pb_selectOutput->isEnabled());
        ui.step3_cb_useSourceFolder->click();
        QVERIFY(ui.step3_outputFolder->isEnabled());
        QVERIFY(ui.step3_pb_selectOutput->isEnabled());

        // The multi-page box follows the format.
        selectFormat(window, QStringLiteral("TIFF"));
        QVERIFY(ui.step3_cb_singleDoc->isEnabled());
        ui.step3_cb_singleDoc->setChecked(true);
        selectFormat(window, QStringLiteral("JPEG"));
        QVERIFY(!ui.step3_cb_singleDoc->isEnabled());
        QVERIFY(!ui.step3_cb_singleDoc->isChecked());
    }

    void processLog_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QList<int>>("statuses");
        QTest::addColumn<QStringList>("errors");  // sent before the result of the same index
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("button");

        const QString start3 = QStringLiteral("Processing 3 images with 2 graphical filter per image.\n\n");
        QTest::newRow("three converted") << 3 << QList<int>{1, 1, 1} << QStringList{}
                                         << start3 + "Process completed without errors." << "3/3" << "OK";
        QTest::newRow("one of three fails")
            << 3 << QList<int>{1, -1, 1} << QStringList{"", "Error: no decoder\nsecond line", ""}
            << start3 + "-Failed to load /p/1.jpg\nError: no decoder\nsecond line\n"
                        "Warning: Process completed with 1 errors.                              "
                        "For details see the log above."
            << "3/3" << "OK";
        QTest::newRow("skipped pictures are no errors") << 3 << QList<int>{2, 1, 2} << QStringList{}
                                                        << start3 + "Process completed without errors." << "3/3"
                                                        << "OK";
        QTest::newRow("interrupted at 2 of 5")
            << 5 << QList<int>{1, 3} << QStringList{}
            << "Processing 5 images with 2 graphical filter per image.\n\nProcess interrupted by the user." << "1/5"
            << "Cancel";
    }

    void processLog()
    {
        QFETCH(int, total);
        QFETCH(QList<int>, statuses);
        QFETCH(QStringList, errors);
        DlgProcess dialog;
        dialog.startLog(total, 2);
        for (int i = 0; i < statuses.size(); ++i) {
            if (!errors.value(i).isEmpty())
                dialog.setLastError(errors.at(i));
            dialog.addResult(statuses.at(i), QStringLiteral("/p/%1.jpg").arg(i));
        }
        QTEST(dialog.logText(), "log");
        // The error text is indented under its picture's line, nothing else is.
        const QTextDocument *log = dialog.findChild<QTextEdit *>(QStringLiteral("textEdit"))->document();
        for (QTextBlock block = log->begin(); block.isValid(); block = block.next())
            QCOMPARE(block.blockFormat().leftMargin() > 0, block.text().startsWith(QLatin1String("Error")) ||
                                                               block.text() == QLatin1String("second line"));
        QTEST(dialog.counterText(), "counter");
        QTEST(dialog.buttonText(), "button");
    }

    void summaryAndOpenFolder_data()
    {
        QTest::addColumn<int>("converted");
        QTest::addColumn<int>("renamed");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<int>("failed");
        QTest::addColumn<QString>("folder");  // "there", "gone" or "none"
        QTest::addColumn<QString>("end");

        QTest::newRow("written, some renamed") << 3 << 1 << 0 << 0 << "there"
                                               << "Converted: 3 (renamed: 1), skipped: 0, failed: 0.";
        QTest::newRow("mixed") << 1 << 0 << 2 << 1 << "there" << "Converted: 1 (renamed: 0), skipped: 2, failed: 1.";
        QTest::newRow("nothing written")
            << 0 << 0 << 3 << 1 << "there" << "Converted: 0 (renamed: 0), skipped: 3, failed: 1.\nNo picture was written.";
        QTest::newRow("folder gone") << 2 << 0 << 0 << 0 << "gone" << "Converted: 2 (renamed: 0), skipped: 0, failed: 0.";
        QTest::newRow("no folder") << 2 << 0 << 0 << 0 << "none" << "Converted: 2 (renamed: 0), skipped: 0, failed: 0.";
    }

    void summaryAndOpenFolder()
    {
        QFETCH(int, converted);
        QFETCH(int, renamed);
        QFETCH(int, skipped);
        QFETCH(int, failed);
        QFETCH(QString, folder);
        QTemporaryDir work;
        const QString path = folder == "none" ? QString() : work.filePath(QStringLiteral("out"));
        if (folder == "there")
            QVERIFY(QDir().mkpath(path));

        DlgProcess dialog;
        dialog.startLog(converted + skipped + failed, 1);
        dialog.show();
        QAbstractButton *open = dialog.findChild<QAbstractButton *>(QStringLiteral("pushOpenFolder"));
        QVERIFY(open);
        QVERIFY(!open->isVisible());
        BatchSummary summary;
        summary.converted = converted;
        summary.renamed = renamed;
        summary.skipped = skipped;
        summary.failed = failed;
        dialog.showSummary(summary, path);
        QFETCH(QString, end);
        QVERIFY2(dialog.logText().endsWith(end), qPrintable(dialog.logText()));
        QCOMPARE(open->isVisible(), folder == "there");
        if (folder != "there")
            return;
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        open->click();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
        // A new batch in the same window starts without the last one's button.
        dialog.startLog(1, 0);
        QVERIFY(!open->isVisible());
    }

    void processCancel()
    {
        DlgProcess dialog;
        QSignalSpy stopped(&dialog, &DlgProcess::stopProcess);
        dialog.startLog(2, 0);
        dialog.show();
        QAbstractButton *cancel = dialog.findChild<QAbstractButton *>(QStringLiteral("pushAbort"));
        {
            ModalAnswers modal;
            modal.press(QMessageBox::No);
            cancel->click();
            QVERIFY(modal.done());
            QCOMPARE(modal.texts, QStringList{"Picture processing not completed. Abort the operation?"});
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(stopped.count(), 0);
        {
            ModalAnswers modal;
            modal.press(QMessageBox::Yes);
            cancel->click();
            QVERIFY(modal.done());
        }
        QVERIFY(!dialog.isVisible());
        QCOMPARE(stopped.count(), 1);

        // Done: closing asks nothing.
        dialog.startLog(1, 0);
        dialog.addResult(1, QStringLiteral("/p/0.jpg"));
        dialog.show();
        cancel->click();
        QVERIFY(!dialog.isVisible());
    }

    void overwriteAnswers_data()
    {
        QTest::addColumn<int>("pictureCount");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("outcome");  // file: "old" kept, "new" written, "none" absent
        QTest::addColumn<QString>("logLine");  // how the log ends

        const QString done = QStringLiteral("Process completed without errors.\n");
        const QString nothing = QStringLiteral("\nNo picture was written.");
        QTest::newRow("Yes") << 1 << QStringList{"click:pbYes"} << QStringList{"p0.jpg:new"}
                             << done + "Converted: 1 (renamed: 0), skipped: 0, failed: 0.";
        QTest::newRow("No") << 1 << QStringList{"click:pbNo"} << QStringList{"p0.jpg:old"}
                            << done + "Converted: 0 (renamed: 0), skipped: 1, failed: 0." + nothing;
        QTest::newRow("Escape answers No") << 1 << QStringList{"escape"} << QStringList{"p0.jpg:old"}
                                           << done + "Converted: 0 (renamed: 0), skipped: 1, failed: 0." + nothing;
        QTest::newRow("window closed answers No") << 1 << QStringList{"close"} << QStringList{"p0.jpg:old"}
                                                  << done + "Converted: 0 (renamed: 0), skipped: 1, failed: 0." + nothing;
        QTest::newRow("Rename, empty and slash refused")
            << 1 << QStringList{"click:pbRename", "input: ", "box", "input:a/b", "box", "input:holiday"}
            << QStringList{"p0.jpg:old", "holiday.jpg:new"} << done + "Converted: 1 (renamed: 1), skipped: 0, failed: 0.";
        QTest::newRow("Rename cancelled, then Yes")
            << 1 << QStringList{"click:pbRename", "input-cancel", "click:pbYes"} << QStringList{"p0.jpg:new"}
            << done + "Converted: 1 (renamed: 0), skipped: 0, failed: 0.";
        QTest::newRow("Yes to All") << 2 << QStringList{"click:pbYesAll"} << QStringList{"p0.jpg:new", "p1.jpg:new"}
                                    << done + "Converted: 2 (renamed: 0), skipped: 0, failed: 0.";
        // Nothing was written: the end must not read as if it had been.
        QTest::newRow("No to All") << 2 << QStringList{"click:pbNoAll"} << QStringList{"p0.jpg:old", "p1.jpg:old"}
                                   << done + "Converted: 0 (renamed: 0), skipped: 2, failed: 0." + nothing;
        QTest::newRow("Abort") << 2 << QStringList{"click:pbAbort", "yes"} << QStringList{"p0.jpg:old", "p1.jpg:old"}
                               << "Process interrupted by the user.";
        QTest::newRow("Abort declined, then No")
            << 1 << QStringList{"click:pbAbort", "no", "click:pbNo"} << QStringList{"p0.jpg:old"}
            << done + "Converted: 0 (renamed: 0), skipped: 1, failed: 0." + nothing;
    }

    void overwriteAnswers()
    {
        QFETCH(int, pictureCount);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, outcome);

        QTemporaryDir work;
        const QString out = work.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(out));
        Tamsorel window;
        for (int i = 0; i < pictureCount; ++i) {
            const QString source = work.filePath(QStringLiteral("p%1.png").arg(i));
            writePicture(makePicture(32, 24), source);
            window.step1().addPictures({source});
            writeBytes(out + QStringLiteral("/p%1.jpg").arg(i), "old");
        }
        window.form().step3_outputFolder->setText(out);
        selectFormat(window, QStringLiteral("JPG"));

        ModalAnswers modal;
        for (const QString &step : steps) {
            if (step.startsWith(QLatin1String("click:"))) {
                modal.click(step.mid(6));
            } else if (step == QLatin1String("escape") || step == QLatin1String("close")) {
                modal.expect([step](QWidget *widget) {
                    if (!qobject_cast<DlgOverwrite *>(widget))
                        return false;
                    ModalAnswers::later(widget, [widget, step] {
                        if (step == QLatin1String("escape"))
                            QTest::keyClick(widget, Qt::Key_Escape);
                        else
                            widget->close();
                    });
                    return true;
                });
            } else if (step.startsWith(QLatin1String("input"))) {
                modal.expect([step](QWidget *widget) {
                    auto *input = qobject_cast<QInputDialog *>(widget);
                    if (!input)
                        return false;
                    ModalAnswers::later(input, [input, step] {
                        if (step == QLatin1String("input-cancel")) {
                            input->reject();
                        } else {
                            input->setTextValue(step.mid(6));
                            input->accept();
                        }
                    });
                    return true;
                });
            } else {
                modal.press(step == QLatin1String("yes") ? QMessageBox::Yes
                            : step == QLatin1String("no") ? QMessageBox::No
                                                          : QMessageBox::Ok);
            }
        }
        const bool aborted = steps.contains(QStringLiteral("yes"));
        if (!aborted)
            closeWhenDone(modal);
        window.form().pbProcess->click();
        QVERIFY(modal.done());

        for (const QString &expectation : outcome) {
            const QString file = out + QLatin1Char('/') + expectation.section(QLatin1Char(':'), 0, 0);
            const QString state = expectation.section(QLatin1Char(':'), 1);
            if (state == QLatin1String("old"))
                QCOMPARE(fileBytes(file), QByteArray("old"));
            else
                QCOMPARE(int(readPicture(file).columns()), 32);
        }
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), qMax(pictureCount, outcome.size()));
        QFETCH(QString, logLine);
        QVERIFY2(window.batch().dialog().logText().endsWith(logLine), qPrintable(window.batch().dialog().logText()));
        QCOMPARE(window.batch().dialog().isVisible(), false);
    }

    void outputFolderOpenedAfterTheBatch_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("openFolder");
        QTest::addColumn<bool>("useSourceFolder");
        QTest::addColumn<bool>("opened");

        QTest::newRow("finished, folder opened") << false << true << false << true;
        QTest::newRow("finished, source folder opened") << false << true << true << true;
        QTest::newRow("finished, folder left closed") << false << false << false << false;
        QTest::newRow("aborted, folder never opened") << true << true << false << false;
    }

    void outputFolderOpenedAfterTheBatch()
    {
        // The wizard's own business after a batch: the folder shown when the box
        // asks for it and the batch ran to its end, and the format remembered.
        QFETCH(bool, existing);
        QFETCH(bool, openFolder);
        QFETCH(bool, useSourceFolder);
        QFETCH(bool, opened);
        QTemporaryDir work;
        const QString in = work.filePath(QStringLiteral("in"));
        const QString out = work.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(out));
        const QStringList sources{in + QStringLiteral("/a.png"), in + QStringLiteral("/b.png")};
        for (const QString &source : sources)
            writePicture(makePicture(24, 16), source);
        if (existing)
            writeBytes(out + QStringLiteral("/a.jpg"), "old");

        QSettings(AppSettings::defaultFile(), QSettings::IniFormat).remove(SettingsKeys::LastWriteFormat);
        Tamsorel window;
        Ui::TamsorelClass &ui = window.form();
        window.step1().addPictures(sources);
        ui.step3_outputFolder->setText(out);
        ui.step3_cb_useSourceFolder->setChecked(useSourceFolder);
        selectFormat(window, QStringLiteral("JPG"));
        ui.step3_cb_openOutputFolder->setChecked(openFolder);

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        ModalAnswers modal;
        if (existing) {
            modal.click(QStringLiteral("pbAbort"));
            modal.press(QMessageBox::Yes);
        } else {
            closeWhenDone(modal);
        }
        ui.pbProcess->click();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(modal.done());

        const QList<QUrl> expected{QUrl::fromLocalFile(useSourceFolder ? in : out)};
        QCOMPARE(catcher.urls, opened ? expected : QList<QUrl>{});
        QCOMPARE(settingsValue(SettingsKeys::LastWriteFormat), QString::number(ui.comboWFormats->currentIndex()));
    }
};

QTEST_MAIN(TestWizardProcess)
#include "tst_wizardprocess.moc"

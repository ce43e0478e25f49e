// The wizard on the real engine, under the offscreen platform: step navigation,
// the picture list, the checks before processing, the process log, every answer
// to the overwrite question through a real batch, help, updates and about.

#include <QScrollBar>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <QUrl>

#include "gui/wizard/accelerators.h"
#include "engine/project/appsettings.h"
#include "gui/help/dlgabout.h"
#include "gui/process/dlgoverwrite.h"
#include "gui/process/dlgprocess.h"
#include "engine/filters/filterregistry.h"
#include "guitestutils.h"
#include "gui/help/helpcommands.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step3page.h"
#include "gui/wizard/tamsorel.h"
#include "testutils.h"
#include "ui_tamsorel.h"
#include "gui/process/wizardbatch.h"
#include "gui/views/wizardviews.h"

using namespace TestUtils;

namespace {

const QString batchProgram = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");

// Receives the pages the help commands open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

void checkAligned(Tamsorel &window)
{
    const QList<PictureEntry> &pictures = window.state().pictures;
    Ui::TamsorelClass &ui = window.form();
    QCOMPARE(ui.treeWidget->topLevelItemCount(), pictures.size());
    QCOMPARE(ui.step2_listPics->count(), pictures.size());
    for (int i = 0; i < pictures.size(); ++i) {
        QCOMPARE(ui.treeWidget->topLevelItem(i)->text(0), pictures.at(i).name);
        QCOMPARE(ui.treeWidget->topLevelItem(i)->text(1), pictures.at(i).type);
        QCOMPARE(ui.treeWidget->topLevelItem(i)->text(2), pictures.at(i).folder);
        QCOMPARE(ui.step2_listPics->itemText(i), pictures.at(i).path);
    }
}

QStringList names(const QList<PictureEntry> &pictures)
{
    QStringList result;
    for (const PictureEntry &picture : pictures)
        result.append(QFileInfo(picture.path).fileName());
    return result;
}

// Answers the process dialog once its batch has ended: its button reads "OK".
void closeWhenDone(ModalAnswers &answers)
{
    answers.expect([](QWidget *widget) {
        auto *dialog = qobject_cast<DlgProcess *>(widget);
        if (!dialog || dialog->isRunning())
            return false;
        QAbstractButton *button = widget->findChild<QAbstractButton *>(QStringLiteral("pushAbort"));
        ModalAnswers::later(button, [button] { button->click(); });
        return true;
    });
}

void selectFormat(Tamsorel &window, const QString &name)
{
    QComboBox *combo = window.form().comboWFormats;
    for (int row = 0; row < combo->count(); ++row) {
        if (combo->itemText(row).startsWith(name + QStringLiteral(" - "))) {
            combo->setCurrentIndex(row);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no format ") + name));
}

} // namespace

class TestWizard : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_pictures;  // a.png, b.tif, c.jpg: real pictures of different kinds

    QString settingsValue(const QString &key)
    {
        return QSettings(AppSettings::defaultFile(), QSettings::IniFormat).value(key).toString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
        QCoreApplication::setApplicationVersion(QStringLiteral("7.6.5"));
        initImageLibrary();
        FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
        m_pictures = m_home.filePath(QStringLiteral("pictures"));
        QVERIFY(QDir().mkpath(m_pictures));
        writePicture(makePicture(96, 64), m_pictures + QStringLiteral("/a.png"));
        writePicture(makePicture(300, 200), m_pictures + QStringLiteral("/b.tif"));  // 16-bit: not for the toolkit
        Magick::Image jpeg = makePicture(120, 80);
        jpeg.depth(8);
        jpeg.write(QFile::encodeName(m_pictures + QStringLiteral("/c.jpg")).toStdString());
    }

    void navigation_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("nextEnabled");
        QTest::addColumn<bool>("backEnabled");

        QTest::newRow("start") << QStringList{} << 0 << true << false;
        QTest::newRow("next") << QStringList{"pbNext"} << 1 << true << true;
        QTest::newRow("next twice") << QStringList{"pbNext", "pbNext"} << 2 << false << true;
        QTest::newRow("next on the last step does nothing") << QStringList{"pbNext", "pbNext", "pbNext"} << 2
                                                            << false << true;
        QTest::newRow("back on the first step does nothing") << QStringList{"pbBack"} << 0 << true << false;
        QTest::newRow("next, next, back") << QStringList{"pbNext", "pbNext", "pbBack"} << 1 << true << true;
        QTest::newRow("step button") << QStringList{"pbStep_Setup"} << 2 << false << true;
        QTest::newRow("step button back") << QStringList{"pbStep_Setup", "pbStep_AddPhotos"} << 0 << true << false;
        QTest::newRow("current step's button again") << QStringList{"pbStep_AddFilters", "pbStep_AddFilters"} << 1
                                                     << true << true;
        QTest::newRow("menu step 3") << QStringList{"actionStep3_Setup"} << 2 << false << true;
        QTest::newRow("menu step 2 from step 3") << QStringList{"pbStep_Setup", "actionStep2_Add_Filters"} << 1 << true
                                                 << true;
        QTest::newRow("menu step 1 from step 2") << QStringList{"pbNext", "actionStep1_Add_Pictures"} << 0 << true
                                                 << false;
        // Nothing to process: a message, and the step stays.
        QTest::newRow("process refused") << QStringList{"pbNext", "pbStep_Process"} << 1 << true << true;
    }

    void navigation()
    {
        QFETCH(QStringList, actions);
        Tamsorel window;
        ModalAnswers modal;
        if (actions.contains(QStringLiteral("pbStep_Process")))
            modal.press(QMessageBox::Ok);
        for (const QString &name : actions) {
            if (auto *button = window.findChild<QAbstractButton *>(name))
                button->click();
            else
                window.findChild<QAction *>(name)->trigger();
        }
        Ui::TamsorelClass &ui = window.form();
        QFETCH(int, step);
        QCOMPARE(window.currentStep(), step);
        QCOMPARE(ui.stackedWidget->currentIndex(), step);
        QTEST(ui.pbNext->isEnabled(), "nextEnabled");
        QTEST(ui.pbBack->isEnabled(), "backEnabled");
        const QList<QAbstractButton *> buttons{ui.pbStep_AddPhotos, ui.pbStep_AddFilters, ui.pbStep_Setup,
                                               ui.pbStep_Process};
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(buttons.at(i)->isChecked(), i == step);
    }

    void pictureList()
    {
        Tamsorel window;
        Step1Page &step1 = window.step1();
        const QString folder = m_home.filePath(QStringLiteral("folder"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
        for (const char *name : {"k.png", "m.JPG", "l.tif", "z.png"})
            writePicture(makePicture(8, 8), folder + QLatin1Char('/') + QLatin1String(name));
        writeBytes(folder + QStringLiteral("/notes.txt"), "not a picture");
        writePicture(makePicture(8, 8), folder + QStringLiteral("/sub/deep.png"));

        const QString a = m_pictures + QStringLiteral("/a.png");
        const QString c = m_pictures + QStringLiteral("/c.jpg");
        step1.addPictures({c, a, c});
        step1.addPictures({a});
        QCOMPARE(names(window.state().pictures), (QStringList{"c.jpg", "a.png"}));
        checkAligned(window);

        step1.addFolder(folder);
        step1.addFolder(folder);  // nothing new
        QCOMPARE(names(window.state().pictures), (QStringList{"c.jpg", "a.png", "z.png", "m.JPG", "l.tif", "k.png"}));
        checkAligned(window);
        QCOMPARE(settingsValue(SettingsKeys::LastDir), folder + QLatin1Char('/'));

        QSignalSpy removed(&step1, &Step1Page::picturesRemoved);
        step1.removeSelected();  // nothing selected
        QCOMPARE(window.state().pictures.size(), 6);
        QCOMPARE(removed.count(), 0);

        QTreeWidget *list = window.form().treeWidget;
        for (int row : {0, 2, 5})
            list->topLevelItem(row)->setSelected(true);
        step1.removeSelected();
        QCOMPARE(names(window.state().pictures), (QStringList{"a.png", "m.JPG", "l.tif"}));
        checkAligned(window);
        QCOMPARE(removed.count(), 1);

        step1.removeAll();
        QVERIFY(window.state().pictures.isEmpty());
        checkAligned(window);
    }

    void addPaths_data()
    {
        QTest::addColumn<bool>("drop");
        QTest::newRow("dropped on the list") << true;
        QTest::newRow("command line") << false;
    }

    void addPaths()
    {
        QFETCH(bool, drop);
        Tamsorel window;
        const QString folder = m_home.filePath(QStringLiteral("dropped"));
        QVERIFY(QDir().mkpath(folder));
        writePicture(makePicture(8, 8), folder + QStringLiteral("/x.png"));
        writePicture(makePicture(8, 8), folder + QStringLiteral("/y.png"));
        writeBytes(folder + QStringLiteral("/readme.txt"), "text");
        const QStringList paths{m_pictures + QStringLiteral("/c.jpg"), folder, folder + QStringLiteral("/readme.txt"),
                                m_pictures + QStringLiteral("/a.png")};
        if (drop) {
            QMimeData data;
            QList<QUrl> urls;
            for (const QString &path : paths)
                urls.append(QUrl::fromLocalFile(path));
            data.setUrls(urls);
            QWidget *target = window.form().treeWidget->viewport();
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &dropped);
        } else {
            // Relative to the folder the program was started in, as a shell passes them.
            const QString previous = QDir::currentPath();
            QDir::setCurrent(m_pictures);
            window.openPaths({QStringLiteral("c.jpg"), folder, folder + QStringLiteral("/readme.txt"),
                              QStringLiteral("a.png")});
            QDir::setCurrent(previous);
        }
        QCOMPARE(names(window.state().pictures), (QStringList{"c.jpg", "y.png", "x.png", "a.png"}));
        QCOMPARE(window.state().pictures.first().path, m_pictures + QStringLiteral("/c.jpg"));
        checkAligned(window);

        // And they are processed into another format.
        QTemporaryDir out;
        window.form().step3_outputFolder->setText(out.path());
        selectFormat(window, QStringLiteral("PNG"));
        ModalAnswers modal;
        closeWhenDone(modal);
        window.form().pbProcess->click();
        QVERIFY(modal.done());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), (QStringList{"a.png", "c.png", "x.png", "y.png"}));
        QCOMPARE(int(readPicture(out.filePath(QStringLiteral("c.png"))).columns()), 120);
    }

    void preview()
    {
        Tamsorel window;
        window.resize(900, 600);
        window.show();
        const QString empty = m_home.filePath(QStringLiteral("empty.jpg"));
        writeBytes(empty, QByteArray());
        const QString gone = m_home.filePath(QStringLiteral("gone.png"));
        writePicture(makePicture(8, 8), gone);
        const QString translucent = m_home.filePath(QStringLiteral("translucent.tif"));
        Magick::Image withAlpha = makePicture(64, 48);
        withAlpha.opacity(MaxRGB / 2);
        writePicture(withAlpha, translucent);
        window.step1().addPictures({m_pictures + QStringLiteral("/b.tif"), m_pictures + QStringLiteral("/c.jpg"), empty,
                                    gone, translucent});
        QFile::remove(gone);
        ImageView &view = window.views().step1();
        QTreeWidget *list = window.form().treeWidget;

        // Through the image library (16-bit TIFF, also with transparency) and
        // through the toolkit (JPEG).
        for (int row : {0, 1, 4}) {
            list->setCurrentItem(list->topLevelItem(row));
            const QString path = window.state().pictures.at(row).path;
            const Magick::Image source = readPicture(path);
            QVERIFY(waitFor([&] {
                return view.pixmapItem && view.pixmapItem->pixmap().width() == int(source.columns());
            }));
            QCOMPARE(view.pixmapItem->pixmap().height(), int(source.rows()));
            const QColor shown = view.pixmapItem->pixmap().toImage().pixelColor(40, 30);
            const Magick::ColorRGB expected = source.pixelColor(40, 30);
            QVERIFY(qAbs(shown.redF() - expected.red()) < 0.02);
            QVERIFY(qAbs(shown.blueF() - expected.blue()) < 0.02);
            QVERIFY(qAbs(shown.alphaF() - (1.0 - expected.alpha())) < 0.02);  // the library keeps opacity
        }

        // A 0-byte file leaves the loading indicator; a file deleted since it was
        // added clears the view.
        list->setCurrentItem(list->topLevelItem(2));
        QTest::qWait(300);
        QVERIFY(!view.pixmapItem);
        QCOMPARE(view.scene->items().size(), 1);
        list->setCurrentItem(list->topLevelItem(3));
        QVERIFY(view.scene->items().isEmpty());

        // With "Show preview" off the view stays; switched on, it shows the current row.
        window.form().step1_checkShowPreview->setChecked(false);
        list->setCurrentItem(list->topLevelItem(1));
        QVERIFY(view.scene->items().isEmpty());
        window.form().step1_checkShowPreview->setChecked(true);
        QVERIFY(waitFor([&] { return view.pixmapItem != nullptr; }));
        QCOMPARE(view.pixmapItem->pixmap().width(), 120);
    }

    void zoom_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<qreal>("scale");
        QTest::newRow("zoom steps multiply") << QSize(50, 40) << QStringList{"ZoomIn", "ZoomIn"} << 1.44;
        QTest::newRow("in then out is not 100 %") << QSize(50, 40) << QStringList{"ZoomIn", "ZoomOut"} << 0.96;
        QTest::newRow("actual size") << QSize(50, 40) << QStringList{"ZoomIn", "ZoomIn", "Actual"} << 1.0;
        QTest::newRow("fit leaves a small picture at 100 %") << QSize(50, 40) << QStringList{"ZoomIn", "Fit"} << 1.0;
        QTest::newRow("fit shrinks a large picture") << QSize(4000, 100) << QStringList{"Fit"} << -1.0;
    }

    void zoom()
    {
        QFETCH(QSize, picture);
        QFETCH(QStringList, buttons);
        QFETCH(qreal, scale);
        Tamsorel window;
        window.resize(900, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ImageView &view = window.views().step1();
        QPixmap pixmap(picture);
        pixmap.fill(Qt::darkGreen);
        view.setPixmap(pixmap);
        for (const QString &button : buttons)
            window.findChild<QAbstractButton *>(QStringLiteral("step1_pb") + button)->click();
        const qreal shown = view.view->transform().m11();
        if (scale > 0) {
            QVERIFY2(qFuzzyCompare(shown, scale), qPrintable(QString::number(shown)));
        } else {
            // The whole width fits into the view.
            QVERIFY(shown < 1.0);
            QVERIFY(picture.width() * shown <= view.view->viewport()->width() + 1);
        }
        QCOMPARE(view.view->transform().m22(), view.view->transform().m11());
    }

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
        QTest::addColumn<QString>("logLine");

        QTest::newRow("Yes") << 1 << QStringList{"click:pbYes"} << QStringList{"p0.jpg:new"}
                             << "Process completed without errors.";
        QTest::newRow("No") << 1 << QStringList{"click:pbNo"} << QStringList{"p0.jpg:old"}
                            << "Process completed without errors.";
        QTest::newRow("Escape answers No") << 1 << QStringList{"escape"} << QStringList{"p0.jpg:old"}
                                           << "Process completed without errors.";
        QTest::newRow("window closed answers No") << 1 << QStringList{"close"} << QStringList{"p0.jpg:old"}
                                                  << "Process completed without errors.";
        QTest::newRow("Rename, empty and slash refused")
            << 1 << QStringList{"click:pbRename", "input: ", "box", "input:a/b", "box", "input:holiday"}
            << QStringList{"p0.jpg:old", "holiday.jpg:new"} << "Process completed without errors.";
        QTest::newRow("Rename cancelled, then Yes")
            << 1 << QStringList{"click:pbRename", "input-cancel", "click:pbYes"} << QStringList{"p0.jpg:new"}
            << "Process completed without errors.";
        QTest::newRow("Yes to All") << 2 << QStringList{"click:pbYesAll"} << QStringList{"p0.jpg:new", "p1.jpg:new"}
                                    << "Process completed without errors.";
        QTest::newRow("No to All") << 2 << QStringList{"click:pbNoAll"} << QStringList{"p0.jpg:old", "p1.jpg:old"}
                                   << "Process completed without errors.";
        QTest::newRow("Abort") << 2 << QStringList{"click:pbAbort", "yes"} << QStringList{"p0.jpg:old", "p1.jpg:old"}
                               << "Process interrupted by the user.";
        QTest::newRow("Abort declined, then No")
            << 1 << QStringList{"click:pbAbort", "no", "click:pbNo"} << QStringList{"p0.jpg:old"}
            << "Process completed without errors.";
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
        QVERIFY(window.batch().dialog().logText().endsWith(QLatin1String("Process completed without errors.")));

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

    void helpPages()
    {
        Tamsorel window;
        const QString helpDir = QCoreApplication::applicationDirPath() + QStringLiteral("/help");
        QDir(helpDir).removeRecursively();

        // Missing: said in the status bar.
        window.form().pbHelp->click();
        QVERIFY2(window.statusBar()->currentMessage().contains(QLatin1String("user_interface_step1_add_photos.htm")),
                 qPrintable(window.statusBar()->currentMessage()));

        QVERIFY(QDir().mkpath(helpDir));
        for (const QString &page : {HelpCommands::pageForStep(0), HelpCommands::pageForStep(1),
                                    HelpCommands::pageForStep(2), HelpCommands::introductionPage(),
                                    HelpCommands::tutorialPage()})
            writeBytes(helpDir + QLatin1Char('/') + page, "<html></html>");
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        window.form().pbNext->click();
        window.form().pbHelp->click();
        window.form().actionHelp_Manual->trigger();
        window.form().actionHow_to_Resize_and_Rotate_Photos->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDir(helpDir).removeRecursively();

        QCOMPARE(catcher.urls.size(), 3);
        QCOMPARE(catcher.urls.at(0), QUrl::fromLocalFile(helpDir + QStringLiteral("/user_interface_step2_add_filters.htm")));
        QCOMPARE(catcher.urls.at(1).fileName(), QStringLiteral("introduction.htm"));
        QCOMPARE(catcher.urls.at(2).fileName(), QStringLiteral("tutorials_how_to_resize_and_rotate.htm"));
    }

    void updater()
    {
        Tamsorel window;
        const QString program = HelpCommands::updaterPath();
        QFile::remove(program);
        {
            ModalAnswers modal;
            modal.press(QMessageBox::Ok);
            window.form().actionCheck_for_New_Version->trigger();
            QVERIFY(modal.done());
            QVERIFY(modal.texts.value(0).contains(QLatin1String("missing")));
        }
        // Present: started detached in the program's folder with the argument.
        const QString record = m_home.filePath(QStringLiteral("updater.txt"));
        writeBytes(program, QStringLiteral("#!/bin/sh\necho \"$1 $(pwd)\" > '%1'\n").arg(record).toUtf8());
        QFile(program).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const auto &[action, argument] :
             {std::pair{window.form().actionAuto_Update, QStringLiteral("/configure")},
              std::pair{window.form().actionCheck_for_New_Version, QStringLiteral("/checknow")}}) {
            QFile::remove(record);
            action->trigger();
            QVERIFY(waitFor([&] { return fileBytes(record).endsWith('\n'); }));
            QCOMPARE(QString::fromUtf8(fileBytes(record)).trimmed(),
                     argument + QLatin1Char(' ') + QCoreApplication::applicationDirPath());
        }
        QFile::remove(program);
    }

    void aboutBox()
    {
        DlgAbout about;
        QVERIFY(about.versionText().contains(QLatin1String("7.6.5")));
        about.show();
        QTest::mouseClick(&about, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(about.isVisible());
        QTest::mouseClick(&about, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void accessibleNames()
    {
        Tamsorel window;
        window.show();
        DlgProcess process;
        process.show();
        DlgOverwrite question;
        question.show();
        QStringList unnamed;
        auto check = [&unnamed](QWidget *top) {
            for (QWidget *widget : top->findChildren<QWidget *>()) {
                const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget)
                                     || qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractItemView *>(widget)
                                     || qobject_cast<QGraphicsView *>(widget)
                                     || qobject_cast<QAbstractSpinBox *>(widget)
                                     || qobject_cast<QAbstractSlider *>(widget);
                if (!control || qobject_cast<QScrollBar *>(widget) || qobject_cast<QHeaderView *>(widget) || !widget->isVisibleTo(top)
                    || widget->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                if (QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).trimmed().isEmpty())
                    unnamed.append(widget->objectName());
                if (!(widget->focusPolicy() & Qt::TabFocus) && widget->objectName() != QLatin1String("textEdit"))
                    unnamed.append(widget->objectName() + QStringLiteral(" (no keyboard focus)"));
            }
        };
        for (QAbstractButton *step : {window.form().pbStep_AddPhotos, window.form().pbStep_AddFilters,
                                      window.form().pbStep_Setup}) {
            step->click();
            check(&window);
        }
        check(&process);
        check(&question);
        unnamed.removeDuplicates();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    }

    void accelerators_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("project menu")
            << QStringList{"New", "Load Project", "Save Project", "Save Project As", "Save Profile", "Exit"}
            << QStringList{"&New", "&Load Project", "&Save Project", "Save &Project As", "S&ave Profile", "&Exit"};
        QTest::newRow("existing accelerator kept and reserved") << QStringList{"Step", "&Setup"}
                                                                << QStringList{"S&tep", "&Setup"};
        QTest::newRow("literal ampersand is no accelerator") << QStringList{"Search && Replace", "Save"}
                                                             << QStringList{"&Search && Replace", "S&ave"};
        QTest::newRow("no free key") << QStringList{"-", "1", "1"} << QStringList{"-", "&1", "1"};
    }

    void accelerators()
    {
        QFETCH(QStringList, texts);
        QTEST(Accelerators::assign(texts), "expected");
    }
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"

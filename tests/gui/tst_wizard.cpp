// The wizard on the real engine, under the offscreen platform: step navigation,
// the picture list, the previews, help, updates, about, and what makes the
// window usable from the keyboard.

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
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include "gui/help/dlgabout.h"
#include "gui/help/helpcommands.h"
#include "gui/process/dlgoverwrite.h"
#include "gui/process/dlgprocess.h"
#include "gui/views/wizardviews.h"
#include "gui/wizard/accelerators.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step3page.h"
#include "gui/process/wizardbatch.h"
#include "wizardtestutils.h"

using namespace TestUtils;
using namespace WizardTest;

namespace {

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

} // namespace

class TestWizard : public WizardTest::HomeTestCase
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(setUpHome()); }

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

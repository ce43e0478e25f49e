// The wizard from the keyboard and through the accessibility interface, on the
// real windows: every window's Alt keys are distinct (in English and German),
// the standard shortcuts do what their menu entries and buttons do, and an
// assistive tool's press or toggle of a step button changes the step as a click.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QScopeGuard>
#include <QTabBar>
#include <QTranslator>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "gui/filters/dlgfilters.h"
#include "gui/filters/dlgfilterset.h"
#include "gui/help/dlgabout.h"
#include "gui/help/helpcommands.h"
#include "gui/naming/dlgrename.h"
#include "gui/process/dlgoverwrite.h"
#include "gui/process/dlgprocess.h"
#include "gui/wizard/accelerators.h"
#include "gui/wizard/dlgpreferences.h"
#include "gui/wizard/step1page.h"
#include "filterinterface.h"
#include "i18n/translations.h"
#include "wizardtestutils.h"

using namespace TestUtils;
using namespace WizardTest;

namespace {

// The texts that carry an Alt key in one group: what a user sees in a window at
// once (hidden pages and widgets excluded), or the entries of one menu.
QStringList visibleMnemonicTexts(const QWidget *top)
{
    QStringList texts;
    for (const QWidget *widget : top->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(top))
            continue;
        if (auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts.append(button->text());
        else if (auto *label = qobject_cast<const QLabel *>(widget); label && label->textFormat() != Qt::RichText
                                                                      && !Qt::mightBeRichText(label->text()))
            texts.append(label->text());
        else if (auto *group = qobject_cast<const QGroupBox *>(widget))
            texts.append(group->title());
        else if (auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts.append(tabs->tabText(i));
        }
    }
    if (auto *window = qobject_cast<const QMainWindow *>(top)) {
        for (const QAction *action : window->menuBar()->actions())
            texts.append(action->text());
    }
    return texts;
}

// "S: &Save, &Search" for every key held by more than one text.
QStringList clashes(const QString &group, const QStringList &texts)
{
    QMap<QChar, QStringList> byKey;
    for (const QString &text : texts) {
        const QChar key = Accelerators::keyOf(text);
        if (!key.isNull())
            byKey[key].append(text);
    }
    QStringList found;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            found.append(QStringLiteral("%1 Alt+%2: %3").arg(group, it.key(), it.value().join(QStringLiteral(", "))));
    }
    return found;
}

QStringList menuClashes(const QMenu *menu)
{
    QStringList texts;
    QStringList found;
    for (const QAction *action : menu->actions()) {
        texts.append(action->text());
        if (action->menu())
            found += menuClashes(action->menu());
    }
    return found + clashes(menu->title(), texts);
}

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;

template <typename T>
WindowMaker plain()
{
    return [] { return std::unique_ptr<QWidget>(new T); };
}

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

class TestWizardKeys : public WizardTest::HomeTestCase
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(setUpHome()); }

    void altKeysDistinctInEveryWindow_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<int>("step");  // the main window's page; -1 for a dialog
        for (const bool german : {false, true}) {
            const char *language = german ? "German" : "English";
            for (int step = 0; step < 3; ++step)
                QTest::addRow("%s main window, step %d", language, step + 1) << german << plain<Tamsorel>() << step;
            QTest::addRow("%s filter chooser", language) << german << plain<DlgFilters>() << -1;
            QTest::addRow("%s naming dialog", language) << german << plain<DlgRename>() << -1;
            QTest::addRow("%s process dialog", language) << german << plain<DlgProcess>() << -1;
            QTest::addRow("%s overwrite question", language) << german << plain<DlgOverwrite>() << -1;
            QTest::addRow("%s about box", language) << german << plain<DlgAbout>() << -1;
            QTest::addRow("%s preferences", language)
                << german << WindowMaker([] {
                       static AppSettings settings(AppSettings::defaultFile());
                       return std::unique_ptr<QWidget>(new DlgPreferences(settings));
                   })
                << -1;
            const FilterRegistry &registry = FilterRegistry::instance();
            for (int i = 0; i < registry.count(); ++i) {
                FilterInterface *filter = registry.filterAt(i);
                QTest::addRow("%s settings of %s", language, qPrintable(FilterEntry::nameOf(filter->categoryPath())))
                    << german << WindowMaker([filter] {
                           auto dialog = std::make_unique<DlgFilterSet>();
                           dialog->setFilter(filter);
                           return std::unique_ptr<QWidget>(dialog.release());
                       })
                    << -1;
            }
        }
    }

    void altKeysDistinctInEveryWindow()
    {
        QFETCH(bool, german);
        QFETCH(WindowMaker, make);
        QFETCH(int, step);
        if (german)
            QVERIFY(Translations::install(qApp, QLocale(QLocale::German, QLocale::Germany)));
        // The other tests read English texts.
        const auto english = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });

        std::unique_ptr<QWidget> window = make();
        if (auto *wizard = qobject_cast<Tamsorel *>(window.get())) {
            QAbstractButton *const steps[] = {wizard->form().pbStep_AddPhotos, wizard->form().pbStep_AddFilters,
                                              wizard->form().pbStep_Setup};
            steps[step]->click();
            QCOMPARE(wizard->currentStep(), step);
        }
        window->show();
        QStringList found = clashes(window->objectName(), visibleMnemonicTexts(window.get()));
        for (const QMenu *menu : window->findChildren<QMenu *>()) {
            if (!menu->parentWidget() || !qobject_cast<QMenu *>(menu->parentWidget()))
                found += menuClashes(menu);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    void projectMenuShortcuts_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QKeySequence>("key");
        QTest::newRow("New") << "actionNew" << QKeySequence(Qt::CTRL | Qt::Key_N);
        QTest::newRow("Load Project") << "actionLoad_Project" << QKeySequence(Qt::CTRL | Qt::Key_O);
        QTest::newRow("Save Project") << "actionSave_Project" << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("Save Project As") << "actionSave_Project_As" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        QTest::newRow("Exit") << "actionExit" << QKeySequence(Qt::CTRL | Qt::Key_Q);
    }

    void projectMenuShortcuts()
    {
        QFETCH(QString, action);
        QFETCH(QKeySequence, key);
        Tamsorel window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *entry = window.findChild<QAction *>(action);
        QVERIFY(entry->shortcuts().contains(key));

        // The key does what the menu entry does; whatever it opens is closed again.
        QSignalSpy triggered(entry, &QAction::triggered);
        ModalAnswers modal;
        modal.expect([](QWidget *widget) {
            ModalAnswers::later(widget, [widget] { widget->close(); });
            return true;
        });
        QTest::keySequence(&window, key);
        QCOMPARE(triggered.count(), 1);
    }

    void stepKeys_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("Ctrl+PgDown is Next") << 0 << QKeySequence(Qt::CTRL | Qt::Key_PageDown) << 1;
        QTest::newRow("Alt+Right is Next") << 1 << QKeySequence(Qt::ALT | Qt::Key_Right) << 2;
        QTest::newRow("Ctrl+PgUp is Back") << 2 << QKeySequence(Qt::CTRL | Qt::Key_PageUp) << 1;
        QTest::newRow("Alt+Left is Back") << 1 << QKeySequence(Qt::ALT | Qt::Key_Left) << 0;
        QTest::newRow("Back on the first step does nothing") << 0 << QKeySequence(Qt::ALT | Qt::Key_Left) << 0;
        QTest::newRow("Next on the last step does nothing") << 2 << QKeySequence(Qt::CTRL | Qt::Key_PageDown) << 2;
    }

    void stepKeys()
    {
        QFETCH(int, from);
        QFETCH(QKeySequence, key);
        Tamsorel window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAbstractButton *const steps[] = {window.form().pbStep_AddPhotos, window.form().pbStep_AddFilters,
                                          window.form().pbStep_Setup};
        steps[from]->click();
        QTest::keySequence(&window, key);
        QTEST(window.currentStep(), "to");
        QTEST(window.form().stackedWidget->currentIndex(), "to");
    }

    void deleteRemovesOnlyFromTheFocusedList()
    {
        Tamsorel window;
        window.step1().addPictures({m_pictures + "/a.png", m_pictures + "/b.tif", m_pictures + "/c.jpg"});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTreeWidget *list = window.form().treeWidget;
        list->topLevelItem(1)->setSelected(true);

        window.form().step1_checkShowPreview->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(window.state().pictures.size(), 3);

        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(window.state().pictures.size(), 2);
        QCOMPARE(QFileInfo(window.state().pictures.at(1).path).fileName(), QStringLiteral("c.jpg"));
    }

    void f1OpensTheStepsHelp()
    {
        Tamsorel window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.form().pbNext->click();
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QTest::keyClick(&window, Qt::Key_F1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        // Opened when the manual is installed beside the test, else named in the status bar.
        const QString page = HelpCommands::pageForStep(1);
        QVERIFY2((catcher.urls.size() == 1 && catcher.urls.constFirst().fileName() == page)
                     || window.statusBar()->currentMessage().contains(page),
                 qPrintable(window.statusBar()->currentMessage()));
    }

    void picturesGivenLaterBringTheWindowForward()
    {
        Tamsorel window;
        window.show();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window.openPaths({m_pictures + "/a.png"});
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.state().pictures.size(), 1);
    }

    void stepButtonsThroughAccessibility_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("to");
        const QString press = QAccessibleActionInterface::pressAction();
        const QString toggle = QAccessibleActionInterface::toggleAction();
        QTest::newRow("toggle Add Filters") << 0 << "pbStep_AddFilters" << toggle << 1;
        QTest::newRow("toggle Setup") << 1 << "pbStep_Setup" << toggle << 2;
        QTest::newRow("toggle Add Pictures") << 2 << "pbStep_AddPhotos" << toggle << 0;
        QTest::newRow("toggle the current step keeps it") << 1 << "pbStep_AddFilters" << toggle << 1;
        QTest::newRow("press Setup") << 0 << "pbStep_Setup" << press << 2;
        QTest::newRow("press Add Pictures") << 2 << "pbStep_AddPhotos" << press << 0;
        QTest::newRow("press the current step keeps it") << 2 << "pbStep_Setup" << press << 2;
        // Nothing to process: one message, and the step stays.
        QTest::newRow("toggle Process") << 1 << "pbStep_Process" << toggle << 1;
        QTest::newRow("press Process") << 2 << "pbStep_Process" << press << 2;
    }

    void stepButtonsThroughAccessibility()
    {
        QFETCH(int, from);
        QFETCH(QString, button);
        QFETCH(QString, action);
        QFETCH(int, to);
        Tamsorel window;
        window.show();
        Ui::TamsorelClass &ui = window.form();
        QAbstractButton *const steps[] = {ui.pbStep_AddPhotos, ui.pbStep_AddFilters, ui.pbStep_Setup,
                                          ui.pbStep_Process};
        steps[from]->click();

        ModalAnswers modal;
        if (button == QLatin1String("pbStep_Process"))
            modal.press(QMessageBox::Ok);
        auto *target = window.findChild<QAbstractButton *>(button);
        QSignalSpy toggled(target, &QAbstractButton::toggled);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(target);
        QVERIFY(accessible && accessible->actionInterface());
        // A check button offers only its toggle; a tool may still ask for a press.
        if (action == QAccessibleActionInterface::toggleAction())
            QVERIFY(accessible->actionInterface()->actionNames().contains(action));
        accessible->actionInterface()->doAction(action);

        // A press is an animated click: it lands a moment later.
        QTRY_VERIFY(!toggled.isEmpty());
        QTRY_VERIFY(modal.done());
        QCOMPARE(window.currentStep(), to);
        QCOMPARE(ui.stackedWidget->currentIndex(), to);
        QCOMPARE(ui.pbNext->isEnabled(), to < 2);
        QCOMPARE(ui.pbBack->isEnabled(), to > 0);
        for (int i = 0; i < 4; ++i)
            QVERIFY2(steps[i]->isChecked() == (i == to), qPrintable(steps[i]->objectName()));
        if (button == QLatin1String("pbStep_Process"))
            QCOMPARE(modal.texts, QStringList{QStringLiteral("No images to convert!")});
    }
};

QTEST_MAIN(TestWizardKeys)
#include "tst_wizardkeys.moc"

// Work is not lost in the real wizard: unsaved changes are asked about before
// closing, New and Load; Remove All asks before emptying a list; the user's
// preferences start every fresh job; the recent projects come back.

#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTreeWidget>

#include "engine/project/projectwriter.h"
#include "gui/wizard/dlgpreferences.h"
#include "gui/wizard/projectactions.h"
#include "gui/wizard/recentprojectsmenu.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step2page.h"
#include "wizardtestutils.h"

using namespace TestUtils;
using namespace WizardTest;

namespace {

// The answers of the questions and file dialogs, in order: a message box button
// by name ("Save", "Discard", "Cancel", "Yes", "No"), "file:NAME" to save as
// NAME in the test's home, "file-cancel" to cancel a file dialog. Each message
// box's default button is recorded by the same names.
void answer(ModalAnswers &modal, const QStringList &answers, const QString &home, QStringList &defaults)
{
    static const QMap<QString, QMessageBox::StandardButton> buttons{
        {"Save", QMessageBox::Save}, {"Discard", QMessageBox::Discard}, {"Cancel", QMessageBox::Cancel},
        {"Yes", QMessageBox::Yes},   {"No", QMessageBox::No}};
    for (const QString &step : answers) {
        modal.expect([step, home, &defaults](QWidget *widget) {
            if (auto *dialog = qobject_cast<QFileDialog *>(widget)) {
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                if (step == QLatin1String("file-cancel") || !step.startsWith(QLatin1String("file:")) || !name) {
                    ModalAnswers::later(dialog, [dialog] { dialog->reject(); });
                    return true;
                }
                name->setText(home + QLatin1Char('/') + step.mid(5));
                ModalAnswers::later(dialog, [dialog] { QMetaObject::invokeMethod(dialog, "accept"); });
                return true;
            }
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box)
                return false;
            defaults.append(buttons.key(box->standardButton(box->defaultButton()), QStringLiteral("none")));
            QAbstractButton *button = box->button(buttons.value(step, QMessageBox::NoButton));
            if (!button)
                button = box->escapeButton();  // not the question the test expected: it fails on what it finds
            ModalAnswers::later(box, [button] { button->click(); });
            return true;
        });
    }
}

} // namespace

class TestWizardWork : public WizardTest::HomeTestCase
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(setUpHome()); }
    void init() { QFile::remove(AppSettings::defaultFile()); }

    void unsavedWork_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("defaults");  // the default button of each question
        QTest::addColumn<bool>("goesOn");  // the window closed, New reset the job, Load went on

        const QStringList keep{"Save"};
        QTest::newRow("fresh window closes without a question") << "" << "close" << QStringList{} << QStringList{} << true;
        QTest::newRow("pictures added, close, Cancel")
            << "pictures" << "close" << QStringList{"Cancel"} << keep << false;
        QTest::newRow("chain changed, close, Discard") << "chain" << "close" << QStringList{"Discard"} << keep << true;
        QTest::newRow("names changed, New, Cancel") << "names" << "new" << QStringList{"Cancel"} << keep << false;
        QTest::newRow("Step 3 changed, New, Discard: no second question")
            << "step3" << "new" << QStringList{"Discard"} << keep << true;
        // Load's own file dialog would stay unanswered: the test would not end.
        QTest::newRow("pictures added, Load, Save cancelled in the file dialog")
            << "pictures" << "load" << QStringList{"Save", "file-cancel"} << keep << false;
        QTest::newRow("chain changed, close, Save")
            << "chain" << "close" << QStringList{"Save", "file:saved.bps"} << keep << true;
        QTest::newRow("unchanged: New asks the old question, No by default")
            << "" << "new" << QStringList{"No"} << QStringList{"No"} << false;
        QTest::newRow("changed and changed back is no change")
            << "picture added and removed" << "close" << QStringList{} << QStringList{} << true;
        QTest::newRow("loaded project unchanged closes without a question")
            << "load project" << "close" << QStringList{} << QStringList{} << true;
        QTest::newRow("loaded project, then chain changed, close, Cancel")
            << "load project, chain" << "close" << QStringList{"Cancel"} << keep << false;
    }

    void unsavedWork()
    {
        QFETCH(QString, change);
        QFETCH(QString, command);
        QFETCH(QStringList, answers);
        const QString project = m_home.filePath(QStringLiteral("start.bps"));
        _ProjectFile start;
        start.images = {m_pictures + "/a.png"};
        start.filters = {{"Rotate", "Degree:90"}};
        start.DestPath = m_home.path();
        QVERIFY(ProjectWriter().write(project, start));
        QFile::remove(m_home.filePath(QStringLiteral("saved.bps")));

        Tamsorel window;
        window.show();
        if (change.startsWith(QLatin1String("load project")))
            QVERIFY(window.projectActions().loadProjectFile(project));
        if (change.contains(QLatin1String("picture")))
            window.step1().addPictures({m_pictures + "/c.jpg"});
        if (change.endsWith(QLatin1String("removed"))) {
            window.form().treeWidget->topLevelItem(0)->setSelected(true);
            window.step1().removeSelected();
        }
        if (change.contains(QLatin1String("chain")))
            window.step2().setChainRows({{"Black & White", ""}});
        if (change == QLatin1String("names"))
            window.step2().setNaming(1, "[FolderName]", "[FolderName]");
        if (change == QLatin1String("step3"))
            window.form().step3_cb_delSource->setChecked(true);
        const _ProjectFile before = window.projectActions().paramFile(true);

        ModalAnswers modal;
        QStringList defaults;
        answer(modal, answers, m_home.path(), defaults);
        if (command == QLatin1String("close"))
            window.close();
        else if (command == QLatin1String("new"))
            window.form().actionNew->trigger();
        else
            window.form().actionLoad_Project->trigger();

        QVERIFY(modal.done());
        QTEST(defaults, "defaults");
        QFETCH(bool, goesOn);
        const bool jobKept = window.projectActions().paramFile(true) == before;
        if (command == QLatin1String("close")) {
            QCOMPARE(window.isVisible(), !goesOn);
            QVERIFY(jobKept);
        } else {
            QCOMPARE(jobKept, !goesOn);
        }
        if (answers.contains(QStringLiteral("file:saved.bps"))) {
            const Result<ProjectJob> saved = ProjectJob::load(m_home.filePath(QStringLiteral("saved.bps")),
                                                              ProjectJob::Reading::Strict);
            QVERIFY2(saved, qPrintable(saved.error()));
            QCOMPARE(saved.value().toProject().filters, before.filters);
        }
    }

    void removeAllAsks_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("left");
        QTest::newRow("one picture goes without a question") << 1 << QStringList{} << 0;
        QTest::newRow("three pictures, No keeps them") << 3 << QStringList{"No"} << 3;
        QTest::newRow("three pictures, Yes removes them") << 3 << QStringList{"Yes"} << 0;
    }

    void removeAllAsks()
    {
        QFETCH(int, pictures);
        QFETCH(QStringList, answers);
        Tamsorel window;
        const QStringList all{m_pictures + "/a.png", m_pictures + "/b.tif", m_pictures + "/c.jpg"};
        window.step1().addPictures(all.mid(0, pictures));
        ModalAnswers modal;
        QStringList defaults;
        answer(modal, answers, m_home.path(), defaults);
        window.form().pbStep1_RemoveAll->click();
        QVERIFY(modal.done());
        // Enter on the question keeps the pictures.
        QCOMPARE(defaults, answers.isEmpty() ? QStringList{} : QStringList{"No"});
        QTEST(int(window.state().pictures.size()), "left");
        QTEST(window.form().treeWidget->topLevelItemCount(), "left");
    }

    void preferencesStartEveryFreshJob_data()
    {
        QTest::addColumn<bool>("viaDialog");
        QTest::newRow("chosen in the dialog") << true;
        QTest::newRow("read from the settings file") << false;
    }

    void preferencesStartEveryFreshJob()
    {
        QFETCH(bool, viaDialog);
        OutputDefaults wanted;
        wanted.folder = m_home.filePath(QStringLiteral("exports"));
        wanted.format = QStringLiteral("PNG");
        wanted.quality = 91;
        wanted.autoOrient = wanted.keepDate = wanted.stripGps = true;
        if (viaDialog) {
            Tamsorel window;
            ModalAnswers modal;
            modal.expect([&wanted](QWidget *widget) {
                auto *dialog = qobject_cast<DlgPreferences *>(widget);
                if (!dialog)
                    return false;
                dialog->setDefaults(wanted);
                ModalAnswers::later(dialog, [dialog] { dialog->accept(); });
                return true;
            });
            window.form().actionPreferences->trigger();
            QVERIFY(modal.done());
            // The open job stays as it was.
            QVERIFY(window.form().step3_outputFolder->text() != wanted.folder);
        } else {
            AppSettings(AppSettings::defaultFile()).setOutputDefaults(wanted);
        }
        QCOMPARE(AppSettings(AppSettings::defaultFile()).outputDefaults(), wanted);
        QCOMPARE(settingsValue(SettingsKeys::DefaultFormat), QStringLiteral("PNG"));

        auto check = [&wanted](Tamsorel &window) {
            const ProjectJob job = window.conversionJob();
            QCOMPARE(job.options.outputFolder, wanted.folder);
            QCOMPARE(job.options.writeFormat, wanted.format);
            QCOMPARE(job.options.output.quality, wanted.quality);
            QVERIFY(job.options.output.autoOrient && job.options.output.keepDate && job.options.output.stripGps);
            QVERIFY(!job.options.output.stripMetadata);
        };
        Tamsorel fresh;
        check(fresh);
        // A job with other settings, then New: the preferences again.
        fresh.form().comboWFormats->setCurrentIndex(0);
        fresh.form().step3_cb_keepDate->setChecked(false);
        fresh.form().step3_outputFolder->setText(m_home.path());
        ModalAnswers modal;
        QStringList defaults;
        answer(modal, {"Discard"}, m_home.path(), defaults);
        fresh.form().actionNew->trigger();
        QVERIFY(modal.done());
        check(fresh);
    }

    void withoutPreferencesTheOldStart_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("quality");
        QTest::newRow("nothing stored") << QString() << QString();
        QTest::newRow("unknown format and quality out of range") << "NoSuchFormat" << "500";
        QTest::newRow("quality not a number") << "Original" << "high";
    }

    void withoutPreferencesTheOldStart()
    {
        QFETCH(QString, format);
        QFETCH(QString, quality);
        {
            AppSettings settings(AppSettings::defaultFile());
            settings.setSaveDirectory(m_pictures);
            if (!format.isEmpty())
                settings.settings().setValue(SettingsKeys::DefaultFormat, format);
            if (!quality.isEmpty())
                settings.settings().setValue(SettingsKeys::DefaultQuality, quality);
        }
        Tamsorel window;
        ProjectJob job = window.conversionJob();
        // The last output folder at start, the home folder after New.
        QCOMPARE(job.options.outputFolder, m_pictures);
        QCOMPARE(job.formatRow, 0);
        QCOMPARE(job.options.output.quality, 0);
        ModalAnswers modal;
        QStringList defaults;
        answer(modal, {"Yes"}, m_home.path(), defaults);
        window.form().actionNew->trigger();
        QVERIFY(modal.done());
        job = window.conversionJob();
        QCOMPARE(job.options.outputFolder, QDir::homePath());
        QCOMPARE(job.formatRow, 0);
    }

    void recentProjects()
    {
        QStringList projects;
        for (int i = 0; i < 10; ++i) {
            _ProjectFile record;
            record.filters = {{"Rotate", QStringLiteral("Degree:%1").arg(10 * i)}};
            record.DestPath = m_home.path();
            // An "&" in a name is shown as it is, never taken for a key.
            projects.append(m_home.filePath(QStringLiteral("trip & %1.bps").arg(i)));
            QVERIFY(ProjectWriter().write(projects.last(), record));
        }
        Tamsorel window;
        for (const QString &path : projects)
            QVERIFY(window.projectActions().loadProjectFile(path));
        QVERIFY(QFile::remove(projects.at(7)));

        QMenu *recent = window.form().menuRecent_Projects;
        window.findChild<RecentProjectsMenu *>()->rebuild();
        QStringList listed;
        QStringList texts;
        for (QAction *action : recent->actions()) {
            listed.append(action->data().toString());
            texts.append(action->text());
        }
        // The last eight, newest first; the one that is gone dropped.
        const QStringList expected{projects.at(9), projects.at(8), projects.at(6), projects.at(5),
                                   projects.at(4), projects.at(3), projects.at(2)};
        QCOMPARE(listed, expected);
        QCOMPARE(texts.first(), QStringLiteral("&1 trip && 9.bps"));

        // Choosing one asks about unsaved work first; Cancel keeps the job.
        window.step2().setChainRows({{"Black & White", ""}});
        ModalAnswers modal;
        QStringList defaults;
        answer(modal, {"Cancel", "Discard"}, m_home.path(), defaults);
        recent->actions().at(2)->trigger();
        QCOMPARE(window.state().projectPath, projects.at(9));
        QCOMPARE(window.step2().chainRows().size(), 1);
        QCOMPARE(window.step2().chainRows().first().Name, QStringLiteral("Black & White"));
        recent->actions().at(2)->trigger();
        QVERIFY(modal.done());
        QCOMPARE(window.state().projectPath, projects.at(6));
        QCOMPARE(window.step2().chainRows().first().Params, QStringLiteral("Degree:60"));

        // Saving puts a project first too, and the list survives the program.
        const QString saved = m_home.filePath(QStringLiteral("saved elsewhere.bps"));
        answer(modal, {"file:saved elsewhere.bps"}, m_home.path(), defaults);
        QVERIFY(window.projectActions().saveProjectAs());
        QVERIFY(modal.done());
        QCOMPARE(AppSettings(AppSettings::defaultFile()).recentProjects().first(), saved);
        QCOMPARE(AppSettings(AppSettings::defaultFile()).recentProjects().size(), AppSettings::recentLimit);
    }
};

QTEST_MAIN(TestWizardWork)
#include "tst_wizardwork.moc"

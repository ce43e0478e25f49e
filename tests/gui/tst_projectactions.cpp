#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "engine/batch/conversionjob.h"
#include "engine/filters/filterregistry.h"
#include "guitestutils.h"
#include "gui/wizard/projectactions.h"
#include "engine/project/projectreader.h"
#include "engine/project/projectwriter.h"
#include "gui/wizard/step1page.h"
#include "gui/wizard/step2page.h"
#include "gui/wizard/step3page.h"
#include "gui/wizard/tamsorel.h"
#include "testutils.h"
#include "ui_tamsorel.h"

// The Project menu of the real main window: what is saved comes back as the same
// job, runs in kelvarine-batch as it runs in the wizard, and a failed save loses nothing.
class TestProjectActions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void saveNewLoadGivesSameJob();
    void batchRunsSavedProjectAsWizard();
    void failedSaveKeepsFileAndProject();
    void saveAsBecomesCurrentProject();
    void profileHasNoPictures();
    void unknownFilterSurvivesRoundTrip();
    void unsupportedFileChangesNothing();

private:
    // Sets up every part of a job in the wizard's controls.
    void setUpJob(const QString &outputFolder);
    // What a batch started now would do.
    struct Job
    {
        QStringList pictures;
        ProjectJob job;
        ConversionJob conversion;
        QString nameTemplate;
    };
    Job currentJob();
    void answerSaveDialog(TestUtils::ModalAnswers &answers, const QString &title, const QString &path);

    QTemporaryDir m_home;
    QStringList m_pictures;
    std::unique_ptr<Tamsorel> m_window;
};

void TestProjectActions::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    TestUtils::initImageLibrary();
    FilterRegistry::instance().loadPlugins(KELVARINE_PLUGIN_DIR);
    QVERIFY(QDir().mkpath(m_home.filePath("Trip")));
    for (const QString name : {"a.png", "b.png", "c.png"}) {
        m_pictures.append(m_home.filePath("Trip/" + name));
        TestUtils::writeEncoded(m_pictures.last(), TestUtils::makePicture(120 + 20 * int(m_pictures.size()), 90), "png");
    }
}

void TestProjectActions::init()
{
    m_window = std::make_unique<Tamsorel>();
}

void TestProjectActions::cleanup()
{
    m_window.reset();
}

void TestProjectActions::setUpJob(const QString &outputFolder)
{
    Ui::TamsorelClass &ui = m_window->form();
    m_window->step1().addPictures(m_pictures);
    m_window->step2().setChainRows({{"Resize", "Type:1,Width:50,Height:50,Radio:0,RadioBy:0"},
                                    {"Black & White", ""},
                                    {"Rotate", "Degree:90"}});
    m_window->step2().setNaming(3, "[FolderName]_[Counter_1_1_3][Case_1_1][Replace__]",
                                "[FolderName]_[Counter_1_1_3][Case_1_1][Replace__]");
    ui.step3_outputFolder->setText(outputFolder);
    ui.comboWFormats->setCurrentIndex(ui.comboWFormats->findText("PNG", Qt::MatchStartsWith));
    ui.step3_cb_openOutputFolder->setChecked(false);
}

TestProjectActions::Job TestProjectActions::currentJob()
{
    Job current;
    for (const PictureEntry &picture : m_window->state().pictures)
        current.pictures.append(picture.path);
    current.job = m_window->conversionJob();
    current.conversion = current.job.conversionJob();
    current.nameTemplate = current.conversion.naming.format();
    return current;
}

void TestProjectActions::answerSaveDialog(TestUtils::ModalAnswers &answers, const QString &title, const QString &path)
{
    answers.expect([title, path](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog)
            return false;
        if (dialog->windowTitle() != title) {
            dialog->reject();  // nothing saved: the test fails on what it finds
            return true;
        }
        // Typed as a user types it: selectFile() races with the dialog's own
        // listing of the folder, which may clear the name again.
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        if (!name)
            return false;
        name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
        return true;
    });
}

void TestProjectActions::saveNewLoadGivesSameJob()
{
    setUpJob(m_home.filePath("out"));
    Ui::TamsorelClass &ui = m_window->form();
    ui.step3_cb_delSource->setChecked(true);
    ui.comboWFormats->setCurrentIndex(ui.comboWFormats->findText("TIFF", Qt::MatchStartsWith));
    ui.step3_cb_singleDoc->setChecked(true);
    const Job saved = currentJob();
    const QString path = m_home.filePath("trip.bps");

    TestUtils::ModalAnswers answers;
    answerSaveDialog(answers, "Save Project As", path);
    m_window->form().actionSave_Project->trigger();  // no project yet: asks for a file
    QVERIFY(answers.done());
    QCOMPARE(m_window->state().projectPath, path);
    QVERIFY(m_window->windowTitle().contains("trip"));

    answers.press(QMessageBox::Yes);
    ui.actionNew->trigger();
    QVERIFY(answers.done());
    QCOMPARE(answers.texts.last(), QStringLiteral("Your setting will be discarded. Continue?"));
    const Job cleared = currentJob();
    QVERIFY(cleared.pictures.isEmpty());
    QVERIFY(cleared.conversion.chain.isEmpty());
    QCOMPARE(cleared.nameTemplate, QStringLiteral("[FileName]"));
    QCOMPARE(cleared.job.formatRow, 0);
    QVERIFY(!cleared.conversion.multiPage && !cleared.conversion.deleteSource);
    QCOMPARE(m_window->state().projectPath, QString());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Kelvarine"));

    QVERIFY(m_window->projectActions().loadProjectFile(path));
    const Job loaded = currentJob();
    QCOMPARE(loaded.pictures, saved.pictures);
    QCOMPARE(loaded.nameTemplate, saved.nameTemplate);
    QCOMPARE(loaded.conversion.chain.size(), saved.conversion.chain.size());
    for (int i = 0; i < saved.conversion.chain.size(); ++i) {
        QCOMPARE(loaded.conversion.chain[i].filter, saved.conversion.chain[i].filter);
        QCOMPARE(loaded.conversion.chain[i].params, saved.conversion.chain[i].params);
    }
    QCOMPARE(loaded.conversion.writeFormat, QStringLiteral("TIFF"));
    QCOMPARE(loaded.job.formatRow, saved.job.formatRow);
    QCOMPARE(loaded.conversion.outputFolder, saved.conversion.outputFolder);
    QCOMPARE(loaded.conversion.useSourceFolder, saved.conversion.useSourceFolder);
    QCOMPARE(loaded.conversion.multiPage, true);
    QCOMPARE(loaded.conversion.deleteSource, true);
    QCOMPARE(loaded.job.openOutputFolder, saved.job.openOutputFolder);
    QCOMPARE(ui.step2_cbPreset->currentIndex(), 3);
    QCOMPARE(m_window->state().customFormateStr, saved.nameTemplate);
}

void TestProjectActions::batchRunsSavedProjectAsWizard()
{
    const QString wizardOut = m_home.filePath("wizard-out");
    setUpJob(wizardOut);
    QVERIFY(QDir().mkpath(wizardOut));
    const QString path = m_home.filePath("batch.bps");
    QVERIFY(m_window->projectActions().writeParamFile(path, true));

    TestUtils::ModalAnswers answers;
    answers.expect([](QWidget *widget) {
        auto *button = widget->findChild<QAbstractButton *>("pushAbort");
        if (!button || button->text() != QStringLiteral("OK"))
            return false;  // still converting
        button->click();
        return true;
    });
    m_window->form().pbProcess->click();
    QVERIFY(answers.done());

    const QString batchOut = m_home.filePath("batch-out");
    QByteArray output;
    QCOMPARE(TestUtils::run(KELVARINE_BIN_DIR "/kelvarine-batch", {"-q", "-o", batchOut, path}, &output), 0);

    const QStringList written = TestUtils::folderEntries(wizardOut);
    QCOMPARE(written, QStringList({"trip_001.png", "trip_002.png", "trip_003.png"}));
    QCOMPARE(TestUtils::folderEntries(batchOut), written);
    for (const QString &name : written)
        QVERIFY2(TestUtils::fileBytes(wizardOut + '/' + name) == TestUtils::fileBytes(batchOut + '/' + name),
                 qPrintable(name));
}

void TestProjectActions::failedSaveKeepsFileAndProject()
{
    const QString folder = m_home.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/kept.bps";
    setUpJob(m_home.filePath("out"));
    QVERIFY(m_window->projectActions().writeParamFile(path, true));
    QVERIFY(m_window->projectActions().loadProjectFile(path));
    const QByteArray before = TestUtils::fileBytes(path);
    const QString title = m_window->windowTitle();

    m_window->step2().setChainRows({});
    TestUtils::ReadOnlyFolder readOnly(folder);
    QVERIFY(readOnly.ok());
    TestUtils::ModalAnswers answers;
    answers.press(QMessageBox::Ok);
    m_window->form().actionSave_Project->trigger();
    QVERIFY(answers.done());
    QCOMPARE(answers.texts, QStringList{"The project file cannot be written."});
    QCOMPARE(TestUtils::fileBytes(path), before);
    QCOMPARE(m_window->state().projectPath, path);
    QCOMPARE(m_window->windowTitle(), title);

    // Save As into the locked folder fails the same way and keeps the project.
    answerSaveDialog(answers, "Save Project As", folder + "/other.bps");
    answers.press(QMessageBox::Ok);
    m_window->form().actionSave_Project_As->trigger();
    QVERIFY(answers.done());
    QCOMPARE(m_window->state().projectPath, path);
    QVERIFY(!QFile::exists(folder + "/other.bps"));
}

void TestProjectActions::saveAsBecomesCurrentProject()
{
    setUpJob(m_home.filePath("out"));
    const QString first = m_home.filePath("first.bps");
    const QString second = m_home.filePath("second.bps");
    QVERIFY(m_window->projectActions().writeParamFile(first, true));
    QVERIFY(m_window->projectActions().loadProjectFile(first));
    const QByteArray firstBytes = TestUtils::fileBytes(first);

    TestUtils::ModalAnswers answers;
    answerSaveDialog(answers, "Save Project As", second);
    m_window->form().actionSave_Project_As->trigger();
    QVERIFY(answers.done());
    QCOMPARE(m_window->state().projectPath, second);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Kelvarine - second"));

    m_window->step2().setChainRows({{"Swirl", "Degrees:40"}});
    m_window->form().actionSave_Project->trigger();
    QCOMPARE(TestUtils::fileBytes(first), firstBytes);
    const Result<_ProjectFile> savedRead = ProjectReader().read(second);
    QVERIFY2(savedRead, qPrintable(savedRead.error()));
    const _ProjectFile &saved = savedRead.value();
    QCOMPARE(saved.filters, QList<FilterEntry>({{"Swirl", "Degrees:40"}}));
}

void TestProjectActions::profileHasNoPictures()
{
    setUpJob(m_home.filePath("out"));
    const QString profile = m_home.filePath("look.bps");
    TestUtils::ModalAnswers answers;
    answerSaveDialog(answers, "Save Profile", profile);
    m_window->form().actionSave_Profile->trigger();
    QVERIFY(answers.done());
    QCOMPARE(m_window->state().projectPath, QString());  // a profile is not the project
    const Result<_ProjectFile> savedRead = ProjectReader().read(profile);
    QVERIFY2(savedRead, qPrintable(savedRead.error()));
    const _ProjectFile &saved = savedRead.value();
    QVERIFY(saved.images.isEmpty());
    QCOMPARE(saved.filters.size(), 3);
    QCOMPARE(saved.formateStr, m_window->state().formateStr);

    // Loaded, a profile empties the picture list.
    QVERIFY(m_window->projectActions().loadProjectFile(profile));
    QVERIFY(m_window->state().pictures.isEmpty());
    QCOMPARE(m_window->form().step2_listPics->count(), 0);
    QCOMPARE(m_window->form().treeWidget->topLevelItemCount(), 0);
    QCOMPARE(m_window->step2().filterCount(), 3);
}

void TestProjectActions::unknownFilterSurvivesRoundTrip()
{
    const QString path = m_home.filePath("elsewhere.bps");
    _ProjectFile project;
    project.images = m_pictures;
    project.filters = {{"Rotate", "Degree:180"}, {"Sepia", "Tone:80"}, {"Blur", "Value:20"}};
    project.formateStr = project.customFormateStr = "[FileName]";
    project.DestPath = m_home.filePath("out");
    QVERIFY(ProjectWriter().write(path, project));

    QVERIFY(m_window->projectActions().loadProjectFile(path));
    QCOMPARE(m_window->step2().filterCount(), 3);
    QCOMPARE(m_window->step2().chain().size(), 2);
    m_window->form().actionSave_Project->trigger();
    const Result<_ProjectFile> savedRead = ProjectReader().read(path);
    QVERIFY2(savedRead, qPrintable(savedRead.error()));
    const _ProjectFile &saved = savedRead.value();
    QCOMPARE(saved.filters, project.filters);
}

void TestProjectActions::unsupportedFileChangesNothing()
{
    setUpJob(m_home.filePath("out"));
    const QString path = m_home.filePath("old.bps");
    TestUtils::writeBytes(path, "<?xml version=\"1.0\"?><Tamsorel version=\"1.0\"><Images/></Tamsorel>");
    const _ProjectFile before = m_window->projectActions().paramFile(true);

    TestUtils::ModalAnswers answers;
    answers.press(QMessageBox::Ok);
    QVERIFY(!m_window->projectActions().loadProjectFile(path));
    QVERIFY(answers.done());
    QCOMPARE(answers.texts, QStringList{"The project file is not supported."});
    QVERIFY(m_window->projectActions().paramFile(true) == before);
    QCOMPARE(m_window->state().projectPath, QString());
}

QTEST_MAIN(TestProjectActions)
#include "tst_projectactions.moc"

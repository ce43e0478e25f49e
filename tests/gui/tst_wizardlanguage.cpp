#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>

#include "engine/filters/filterregistry.h"
#include "engine/project/projectreader.h"
#include "engine/project/projectwriter.h"
#include "gui/wizard/tamsorel.h"
#include "testutils.h"
#include "i18n/translations.h"

using namespace TestUtils;

// The wizard in German: its own texts, the filter names it shows and the
// toolkit's buttons are German, and a project it saves still names its filters
// as in every other language, so that it loads anywhere and in kelvarine-batch.
class TestWizardLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void projectKeepsUntranslatedFilterNames();
    void toolkitButtonsAreGerman();

private:
    QTemporaryDir m_dir;
};

void TestWizardLanguage::initTestCase()
{
    initImageLibrary();
    QVERIFY(m_dir.isValid());
    qputenv("HOME", m_dir.path().toLocal8Bit());  // the window's settings file
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(Translations::install(qApp, QLocale(QLocale::German, QLocale::Germany)));
}

void TestWizardLanguage::projectKeepsUntranslatedFilterNames()
{
    _ProjectFile project;
    project.filters = {{"Resize", "Type:0,Width:32,Height:24,Radio:0,RadioBy:0"}, {"Black & White", ""}};
    project.DestPath = m_dir.path();
    const QString path = m_dir.filePath("german.bps");
    QVERIFY(ProjectWriter().write(path, project));

    Tamsorel window;
    QCOMPARE(window.findChild<QMenu *>("menuProject")->title().remove('&'), QStringLiteral("Projekt"));
    window.openPaths({path});
    const QTreeWidget *list = window.findChild<QTreeWidget *>("treeWidget_Filter");
    QCOMPARE(list->topLevelItemCount(), 2);
    const FilterRegistry &registry = FilterRegistry::instance();
    for (int row = 0; row < 2; ++row) {
        const QString name = project.filters.at(row).Name;
        QCOMPARE(list->topLevelItem(row)->text(0), registry.displayNameOf(name));
        QVERIFY2(list->topLevelItem(row)->text(0) != name, qPrintable(name));
    }

    const QString saved = m_dir.filePath("saved.bps");
    bool written = false;
    QVERIFY(QMetaObject::invokeMethod(&window, "writeParamFile", Q_RETURN_ARG(bool, written),
                                      Q_ARG(QString, saved), Q_ARG(bool, true)));
    QVERIFY(written);
    const Result<_ProjectFile> readBack = ProjectReader().read(saved);
    QVERIFY2(readBack, qPrintable(readBack.error()));
    const _ProjectFile &read = readBack.value();
    QCOMPARE(read.filters, project.filters);
}

void TestWizardLanguage::toolkitButtonsAreGerman()
{
    const QString toolkit = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
    if (!QFile::exists(toolkit))
        QSKIP("the toolkit's German translation is not installed (qt6-translations-l10n)");
    QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Ja"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Nein"));
}

QTEST_MAIN(TestWizardLanguage)
#include "tst_wizardlanguage.moc"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTest>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "engine/project/projectreader.h"
#include "engine/project/projectwriter.h"
#include "testutils.h"
#include "i18n/translations.h"

using namespace TestUtils;

// Filters keep their names in every language: with the German translation
// installed, lookups, project files and the batch runner's --filter still use the
// untranslated names; only the texts shown to the user change.
class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFilterIsShownTranslated();
    void translatedCategoriesKeepTheirFilters_data();
    void translatedCategoriesKeepTheirFilters();
    void namesInProjectsFindTheirFilters();
    void germanBatchRunsSavedProject();

private:
    QTemporaryDir m_dir;
};

void TestTranslation::initTestCase()
{
    initImageLibrary();
    QVERIFY(m_dir.isValid());
    QVERIFY(Translations::install(qApp, QLocale(QLocale::German, QLocale::Germany)));
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QCOMPARE(FilterRegistry::instance().count(), 30);
}

void TestTranslation::everyFilterIsShownTranslated()
{
    const FilterRegistry &registry = FilterRegistry::instance();
    for (int i = 0; i < registry.count(); ++i) {
        const QString path = registry.categoryPaths().at(i);
        QCOMPARE(registry.filterAt(i)->categoryPath(), path);
        QVERIFY2(registry.displayCategoryPath(i) != path, qPrintable(path));
        QVERIFY2(registry.displayDescription(i) != registry.descriptions().at(i), qPrintable(path));
        QCOMPARE(registry.displayName(i), registry.displayCategoryPath(i).section('\\', 1));
        QCOMPARE(registry.displayNameOf(registry.filterAt(i)->name()), registry.displayName(i));
    }
    QCOMPARE(registry.displayNameOf(QStringLiteral("No Such Filter")), QStringLiteral("No Such Filter"));
}

void TestTranslation::translatedCategoriesKeepTheirFilters_data()
{
    QTest::addColumn<QString>("category");
    QTest::newRow("Transform") << "Transform";
    QTest::newRow("Touch-Up") << "Touch-Up";
    QTest::newRow("Effects") << "Effects";
}

// The chooser groups filters by the translated text before the backslash: a
// category translated two ways would split into two groups.
void TestTranslation::translatedCategoriesKeepTheirFilters()
{
    QFETCH(QString, category);
    const FilterRegistry &registry = FilterRegistry::instance();
    QSet<QString> shown;
    QSet<QString> others;
    for (int i = 0; i < registry.count(); ++i) {
        const QString translated = registry.displayCategoryPath(i).section('\\', 0, 0);
        if (registry.categoryPaths().at(i).section('\\', 0, 0) == category)
            shown.insert(translated);
        else
            others.insert(translated);
    }
    QCOMPARE(shown.size(), 1);
    QVERIFY(!others.contains(*shown.begin()));
}

void TestTranslation::namesInProjectsFindTheirFilters()
{
    _ProjectFile project;
    project.filters = {{"Resize", "Type:0,Width:32,Height:24,Radio:0,RadioBy:0"}, {"Black & White", ""},
                       {"Hue/Saturation", "Hue:10,Saturation:100,Lightness:100"}};
    const QString path = m_dir.filePath("names.bps");
    QVERIFY(ProjectWriter().write(path, project));
    const Result<_ProjectFile> readBack = ProjectReader().read(path);
    QVERIFY2(readBack, qPrintable(readBack.error()));
    const _ProjectFile &read = readBack.value();
    const FilterRegistry &registry = FilterRegistry::instance();
    for (const FilterEntry &entry : std::as_const(read.filters)) {
        const int index = registry.indexOfFilter(entry.Name);
        QVERIFY2(index >= 0, qPrintable(entry.Name));
        QCOMPARE(registry.filterAt(index)->name(), entry.Name);
    }
}

// The batch runner takes its language from the environment, as a user's shell gives it.
void TestTranslation::germanBatchRunsSavedProject()
{
    const QString pictures = m_dir.filePath("pictures");
    const QString output = m_dir.filePath("output");
    QVERIFY(QDir().mkpath(pictures));
    writeEncoded(pictures + "/bunt.png", makePicture(64, 48), "PNG");

    _ProjectFile project;
    project.images = {pictures + "/bunt.png"};
    project.filters = {{"Resize", "Type:0,Width:32,Height:24,Radio:0,RadioBy:0"}, {"Black & White", ""}};
    project.formateStr = "[FileName]_klein";
    project.DestPath = output;
    const QStringList formats = FormatCatalog::instance().comboEntries();
    for (int row = 0; row < formats.size(); ++row) {
        if (FormatCatalog::formatName(formats.at(row)) == "PNG")
            project.FormatIndex = row;
    }
    QVERIFY(project.FormatIndex > 0);
    const QString path = m_dir.filePath("deutsch.bps");
    QVERIFY(ProjectWriter().write(path, project));

    qputenv("LANGUAGE", "de");
    qputenv("LC_ALL", "de_DE.UTF-8");
    QByteArray said;
    const int status = run(QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch"),
                           {path, "--filter", "Rotate=Degree:90", "-q"}, &said);
    qunsetenv("LANGUAGE");
    qunsetenv("LC_ALL");
    QVERIFY2(status == 0, said.constData());

    const Magick::Image result = readEncoded(output + "/bunt_klein.png");
    QCOMPARE(int(result.columns()), 24);
    QCOMPARE(int(result.rows()), 32);
    Magick::Image gray = result;
    gray.type(Magick::GrayscaleType);
    QVERIFY(samePixels(result, gray));
}

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"

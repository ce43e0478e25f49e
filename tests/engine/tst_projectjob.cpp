#include <QDir>
#include <QTest>

#include "engine/filters/filterregistry.h"
#include "engine/picture/formatcatalog.h"
#include "engine/project/projectjob.h"
#include "engine/project/projectwriter.h"
#include "testutils.h"

Q_DECLARE_METATYPE(_ProjectFile)

// The one translation between a project record and a job, used by the wizard and
// by kelvarine-batch alike: what a record says comes back from the job unchanged,
// and what it cannot mean is either read as the wizard shows it or refused, with
// the reason, for an unattended run.
class TestProjectJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void options_data();
    void options();
    void chainRows();
    void loadResolvesAndRefuses();

private:
    int rowOf(const QString &format) const;
};

int TestProjectJob::rowOf(const QString &format) const
{
    const QStringList entries = FormatCatalog::instance().comboEntries();
    for (int row = 0; row < entries.size(); ++row) {
        if (FormatCatalog::formatName(entries.at(row)) == format)
            return row;
    }
    return -1;
}

void TestProjectJob::initTestCase()
{
    TestUtils::initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(FilterRegistry::instance().indexOfFilter(QStringLiteral("Rotate")) >= 0);
}

void TestProjectJob::options_data()
{
    QTest::addColumn<_ProjectFile>("project");
    QTest::addColumn<_ProjectFile>("back");         // the record the job gives back
    QTest::addColumn<QString>("writeFormat");      // what the batch writes
    QTest::addColumn<QString>("strictRefusal");    // empty: an unattended run takes it

    const int tiff = rowOf(QStringLiteral("TIFF"));
    _ProjectFile all;
    all.formateStr = QStringLiteral("[FolderName]_[Counter_1_1_3]");
    all.customFormateStr = QStringLiteral("[FileName]_x");
    all.index = 4;
    all.UseSourcePath = 1;
    all.DestPath = QStringLiteral("/out/put");
    all.FormatIndex = tiff;
    all.Multipage = all.OpenOutputFolder = all.DeleteSource = 1;
    all.setOutputOptions(OutputOptions{85, true, true, true, true, true});
    QTest::newRow("every option set") << all << all << "TIFF" << "";

    _ProjectFile plain;
    plain.formateStr = plain.customFormateStr = QStringLiteral("[FileName]");
    QTest::newRow("every option off") << plain << plain << "Original" << "";

    _ProjectFile odd = plain;
    odd.formateStr = QStringLiteral("<![CDATA[x]]> & \r\n");
    odd.customFormateStr = QStringLiteral("  ");
    odd.DestPath = QStringLiteral("C:\\Users\\me\\Pictures");
    odd.index = 99;  // beyond the preset box: the wizard shows the user's own template
    QTest::newRow("text that needs escaping, preset row beyond the box") << odd << odd << "Original" << "";

    _ProjectFile empty;
    _ProjectFile named = empty;
    named.formateStr = QStringLiteral("[FileName]");
    QTest::newRow("empty template names by the file name") << empty << named << "Original" << "";

    _ProjectFile quality = plain;
    quality.Quality = 101;
    QTest::newRow("quality out of range takes the default") << quality << plain << "Original" << "";

    _ProjectFile two = plain;
    two.Multipage = 2;
    QTest::newRow("switch of 2 runs as off")
        << two << plain << "Original" << "the property Multipage has the value \"2\", not 0 or 1";

    _ProjectFile negative = plain;
    negative.AllowDocuments = -1;
    QTest::newRow("negative switch runs as off")
        << negative << plain << "Original" << "the property AllowDocuments has the value \"-1\", not 0 or 1";

    _ProjectFile far = plain;
    far.FormatIndex = 2147483647;
    QTest::newRow("format row beyond the list is kept, not run")
        << far << far << "Original" << "no output format at row 2147483647";

    _ProjectFile below = plain;
    below.FormatIndex = -1;
    QTest::newRow("negative format row") << below << below << "Original" << "no output format at row -1";
}

void TestProjectJob::options()
{
    QFETCH(_ProjectFile, project);
    QFETCH(_ProjectFile, back);
    QFETCH(QString, writeFormat);
    QFETCH(QString, strictRefusal);

    const Result<ProjectJob> lenient = ProjectJob::fromProject(project, ProjectJob::Reading::Lenient);
    QVERIFY2(lenient, qPrintable(lenient.error()));
    const ProjectJob &job = lenient.value();
    QVERIFY(job.toProject() == back);

    const ConversionJob conversion = job.conversionJob();
    QCOMPARE(conversion.writeFormat, writeFormat);
    QCOMPARE(conversion.naming.format(), back.formateStr);
    QCOMPARE(conversion.useSourceFolder, back.UseSourcePath == 1);
    QCOMPARE(conversion.outputFolder, back.DestPath);
    QCOMPARE(conversion.multiPage, back.Multipage == 1);
    QCOMPARE(conversion.deleteSource, back.DeleteSource == 1);
    QVERIFY(conversion.output == back.outputOptions());

    const Result<ProjectJob> strict = ProjectJob::fromProject(project, ProjectJob::Reading::Strict);
    QCOMPARE(strict.error(), strictRefusal);
    if (strict)
        QVERIFY(strict.value().toProject() == back);
}

void TestProjectJob::chainRows()
{
    // A row whose filter is not installed here is kept for the file but not run;
    // an installed one is stored under the name its plug-in gives it.
    _ProjectFile project;
    project.filters = {{"Rotate", "Degree:90"}, {"Sepia", "Tone:80"}, {"Rotate", ""}};
    const ProjectJob job = ProjectJob::fromProject(project, ProjectJob::Reading::Lenient).value();
    QCOMPARE(job.filters, project.filters);
    const ConversionJob conversion = job.conversionJob();
    QCOMPARE(conversion.chain.size(), 2);
    QCOMPARE(conversion.chain.at(0).params, QStringLiteral("Degree:90"));
    QCOMPARE(conversion.chain.at(1).params, QString());
    QCOMPARE(job.toProject().filters, project.filters);
}

void TestProjectJob::loadResolvesAndRefuses()
{
    QTemporaryDir dir;
    _ProjectFile project;
    project.images = {QStringLiteral("pics/a.jpg"), QStringLiteral("/abs/b.jpg")};
    project.DestPath = QStringLiteral("../out");
    project.FormatIndex = 1;
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("trip"))));
    const QString path = dir.filePath(QStringLiteral("trip/job.bps"));
    QVERIFY(ProjectWriter().write(path, project));

    const Result<ProjectJob> job = ProjectJob::load(path, ProjectJob::Reading::Strict);
    QVERIFY2(job, qPrintable(job.error()));
    QCOMPARE(job.value().pictures, QStringList({dir.filePath(QStringLiteral("trip/pics/a.jpg")), "/abs/b.jpg"}));
    QCOMPARE(job.value().options.outputFolder, dir.filePath(QStringLiteral("out")));

    TestUtils::writeBytes(path, "<Tamsorel version=\"1.0.0\"><Property Name=\"Multipage\">yes</Property></Tamsorel>");
    QCOMPARE(ProjectJob::load(path, ProjectJob::Reading::Strict).error(),
             QStringLiteral("the property Multipage has the value \"yes\", not a whole number in range"));
    QVERIFY(ProjectJob::load(path, ProjectJob::Reading::Lenient));
    QCOMPARE(ProjectJob::load(dir.filePath(QStringLiteral("missing.bps")), ProjectJob::Reading::Lenient).error(),
             QStringLiteral("The project file is not supported."));
}

QTEST_GUILESS_MAIN(TestProjectJob)
#include "tst_projectjob.moc"

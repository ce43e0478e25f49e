#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include "engine/filters/filterregistry.h"
#include "filterinterface.h"
#include "engine/picture/formatcatalog.h"
#include "metadatautils.h"
#include "engine/project/projectwriter.h"
#include "engine/naming/renameopter.h"
#include "testutils.h"

using namespace TestUtils;

Q_DECLARE_METATYPE(OutputOptions)

namespace {

const QString program = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");
const QString flipParams = QStringLiteral("Vertical:1,Horizontal:0");

// Every file under a folder with its bytes, by path relative to it.
QMap<QString, QByteArray> tree(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(folder);
    for (const QString &name : folderEntries(folder)) {
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isDir()) {
            const QMap<QString, QByteArray> inner = tree(path);
            for (auto it = inner.begin(); it != inner.end(); ++it)
                contents.insert(name + '/' + it.key(), it.value());
        } else {
            contents.insert(name, fileBytes(path));
        }
    }
    return contents;
}

// Where two folders' files part: the first file missing on one side or whose
// bytes differ, with the offset; empty when they are the same.
QString firstDifference(const QMap<QString, QByteArray> &actual, const QMap<QString, QByteArray> &expected)
{
    if (actual.keys() != expected.keys())
        return QStringLiteral("files %1 against %2").arg(actual.keys().join(' '), expected.keys().join(' '));
    for (auto it = actual.begin(); it != actual.end(); ++it) {
        const QByteArray &other = expected.value(it.key());
        if (it.value() == other)
            continue;
        qsizetype at = 0;
        while (at < it.value().size() && at < other.size() && it.value().at(at) == other.at(at))
            ++at;
        return QStringLiteral("%1 differs from byte %2 (%3 against %4 bytes): %5 against %6")
            .arg(it.key())
            .arg(at)
            .arg(it.value().size())
            .arg(other.size())
            .arg(QString::fromLatin1(it.value().mid(at, 40).toHex()), QString::fromLatin1(other.mid(at, 40).toHex()));
    }
    return QString();
}

// The status kelvarine-batch printed for each picture, in order, up to the first
// picture it did not reach.
QList<int> printedStatuses(const QByteArray &output, const QStringList &sources)
{
    const QString text = QString::fromLocal8Bit(output);
    QList<int> statuses;
    for (const QString &source : sources) {
        const QString path = QDir::toNativeSeparators(source);
        if (text.contains("converted " + path + " ->"))
            statuses.append(StatusConverted);
        else if (text.contains("skipped " + path + ":"))
            statuses.append(StatusSkipped);
        else if (text.contains("failed " + path + ":"))
            statuses.append(StatusFailed);
        else if (text.contains("aborted at " + path + ":"))
            statuses.append(StatusAborted);
        else
            break;
    }
    return statuses;
}

// kelvarine-batch on a project saved with the wizard's job, several pictures at
// once; its output, and its exit code in `exitCode`.
QByteArray runProgram(const QString &projectPath, const QStringList &paths, const ConversionJob &job,
                      const QString &policy, int *exitCode)
{
    _ProjectFile project;
    project.images = paths;
    for (const ChainEntry &entry : job.chain)
        project.filters.append(FilterEntry{entry.filter->name(), entry.params});
    project.formateStr = job.naming.format();
    project.customFormateStr = project.formateStr;
    project.DestPath = job.outputFolder;
    const QStringList formats = FormatCatalog::instance().comboEntries();
    for (int row = 0; row < formats.size(); ++row) {
        if (FormatCatalog::formatName(formats.at(row)) == job.writeFormat)
            project.FormatIndex = row;
    }
    project.Multipage = job.multiPage ? 1 : 0;
    project.DeleteSource = job.deleteSource ? 1 : 0;
    project.setOutputOptions(job.output);
    QByteArray output;
    *exitCode = ProjectWriter().write(projectPath, project)
                    ? run(program, {projectPath, "--overwrite", policy, "-j", "2"}, &output)
                    : -1;
    return output;
}

} // namespace

class TestParity : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameFilesAndStatuses_data();
    void sameFilesAndStatuses();
    void answeredQuestionsSameFiles_data();
    void answeredQuestionsSameFiles();

private:
    QTemporaryDir m_dir;
    int m_case = 0;
};

void TestParity::initTestCase()
{
    initImageLibrary();
    MetadataUtils::initExiv2();
    QVERIFY2(QFileInfo::exists(program), qPrintable(program));
    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    QVERIFY(registry.indexOfFilter(QStringLiteral("Flip")) >= 0);
    // What the wizard shows in its previews must not reach a batch: only the
    // job's own chain counts, and the registry keeps none of its own.
}

void TestParity::sameFilesAndStatuses_data()
{
    QTest::addColumn<QStringList>("sources");   // relative to the input folder, in batch order
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<bool>("multiPage");
    QTest::addColumn<QString>("naming");
    QTest::addColumn<bool>("deleteSource");
    QTest::addColumn<QStringList>("existing");  // files in the output folder before the batch
    QTest::addColumn<QString>("policy");
    QTest::addColumn<OutputOptions>("options");

    const QStringList twoFolders{"x/p.png", "y/p.png", "q.png"};
    QTest::newRow("single, colliding names, existing target skipped")
        << twoFolders << "PNG" << true << false << "[FileName]" << false << QStringList{"q.png"} << "skip" << OutputOptions();
    QTest::newRow("single, colliding names, existing target replaced, sources deleted")
        << twoFolders << "PNG" << true << false << "[FileName]" << true << QStringList{"q.png", "p.png"}
        << "overwrite" << OutputOptions();
    QTest::newRow("single, names alike up to the first dot")
        << QStringList{"2023.05.01 party.png", "2023.06.12 beach.png", "2023.07.04 picnic.png"} << "JPG" << true
        << false << "[FileName]" << false << QStringList{"2023 (2).jpg"} << "skip" << OutputOptions();
    QTest::newRow("single, one fixed name, abort at an existing target")
        << QStringList{"a.png", "b.png", "c.png"} << "BMP" << true << false << "[FileName]" << false
        << QStringList{"b.bmp"} << "abort" << OutputOptions();
    QTest::newRow("copy, colliding names, existing target replaced")
        << QStringList{"x/p.jpg", "y/p.jpg", "q.jpg"} << "Original" << false << false << "[FileName]" << false
        << QStringList{"p.jpg"} << "overwrite" << OutputOptions();
    QTest::newRow("copy, moved, counter names")
        << QStringList{"x/p.jpg", "y/p.jpg"} << "JPG" << false << false << "pic[Counter_1_1_2]" << true
        << QStringList{"pic01.jpg"} << "skip" << OutputOptions();
    QTest::newRow("multi-page, existing document replaced")
        << QStringList{"a.png", "b.jpg", "c.png"} << "TIFF" << true << true << "doc" << true
        << QStringList{"doc.tiff"} << "overwrite" << OutputOptions();
    QTest::newRow("multi-page, existing document kept")
        << QStringList{"a.png", "b.png"} << "TIFF" << true << true << "[FileName]" << false
        << QStringList{"a.tiff"} << "skip" << OutputOptions();
    QTest::newRow("multi-page with copies beside it")
        << QStringList{"a.png", "b.tiff", "c.png"} << "TIFF" << false << true << "[FileName]" << false
        << QStringList{} << "skip" << OutputOptions();
    QTest::newRow("multi-page, a copy took the document's name")
        << QStringList{"x/a.tiff", "a.png", "c.png"} << "TIFF" << false << true << "[FileName]" << true
        << QStringList{} << "skip" << OutputOptions();
    QTest::newRow("single, quality, metadata, orientation and date options")
        << QStringList{"a.png", "b.png"} << "JPG" << true << false << "[FileName]" << false << QStringList{}
        << "skip" << OutputOptions{92, true, true, true, true};
    // Copies that are cleaned, or encoded for their quality or orientation.
    QTest::newRow("copy, location removed, sources deleted")
        << QStringList{"x/p.jpg", "q.png", "r.tiff", "s.webp", "t.gif"} << "Original" << false << false
        << "[FileName]" << true << QStringList{} << "skip" << OutputOptions{0, false, true, false, false};
    QTest::newRow("copy, stripped, existing target replaced")
        << QStringList{"p.jpg", "q.png"} << "Original" << false << false << "[FileName]" << false
        << QStringList{"p.jpg"} << "overwrite" << OutputOptions{0, true, false, false, false};
    // Pictures that carry EXIF: both front ends name them from the camera's values.
    QTest::newRow("single, names from the camera")
        << QStringList{"p.jpg", "q.png"} << "JPG" << false << false << "[CameraModel]_[Lens]_[ISO]_[FileName]" << false
        << QStringList{} << "skip" << OutputOptions{0, false, true, false, false};
    QTest::newRow("copy with chosen quality and orientation")
        << QStringList{"p.jpg", "q.png"} << "Original" << false << false << "[FileName]" << false << QStringList{}
        << "skip" << OutputOptions{60, false, true, true, false};
}

void TestParity::sameFilesAndStatuses()
{
    QFETCH(OutputOptions, options);
    QFETCH(QStringList, sources);
    QFETCH(QString, format);
    QFETCH(bool, filtered);
    QFETCH(bool, multiPage);
    QFETCH(QString, naming);
    QFETCH(bool, deleteSource);
    QFETCH(QStringList, existing);
    QFETCH(QString, policy);

    ++m_case;
    // The same pictures and the same output folder twice: one for each front end.
    QStringList paths[2];
    QString in[2];
    QString out[2];
    for (int side = 0; side < 2; ++side) {
        const QString root = m_dir.filePath(QStringLiteral("case%1/%2").arg(m_case).arg(side));
        in[side] = root + "/in";
        out[side] = root + "/out";
        QDir().mkpath(out[side]);
        for (int i = 0; i < sources.size(); ++i) {
            const QString path = in[side] + '/' + sources.at(i);
            QDir().mkpath(QFileInfo(path).path());
            const QString suffix = QFileInfo(path).suffix().toUpper();
            if (options.stripGps || options.stripMetadata)
                MetadataUtils::writeTagged(path, makePicture(30 + 7 * i, 20 + i), suffix == "JPG" ? "JPEG" : suffix);
            else
                writeEncoded(path, makePicture(30 + 7 * i, 20 + i), suffix);
            paths[side].append(path);
        }
        for (const QString &name : existing)
            writeBytes(out[side] + '/' + name, "existing " + name.toUtf8());
    }

    // The wizard's way, its user answering as the policy does.
    ConversionJob job;
    job.writeFormat = format;
    job.outputFolder = out[0];
    job.multiPage = multiPage;
    job.deleteSource = deleteSource;
    job.naming = RenameOpter(naming);
    job.output = options;
    if (filtered) {
        FilterRegistry &registry = FilterRegistry::instance();
        job.chain = {ChainEntry{registry.filterAt(registry.indexOfFilter(QStringLiteral("Flip"))), flipParams}};
    }
    const int answer = policy == "overwrite" ? OverwriteYes : policy == "abort" ? OverwriteAbort : OverwriteNo;
    WizardBatch wizard(QList<int>(sources.size() + 1, answer));
    QVERIFY(wizard.run(paths[0], job));

    // kelvarine-batch's way, from a project saved with the same job, several
    // pictures at once.
    job.outputFolder = out[1];
    int exitCode = -1;
    const QByteArray output =
        runProgram(m_dir.filePath(QStringLiteral("case%1/job.bps").arg(m_case)), paths[1], job, policy, &exitCode);
    QVERIFY2(exitCode == (policy == "abort" ? 3 : 0), output.constData());

    QCOMPARE(printedStatuses(output, paths[1]), wizard.statuses);
    const QString outputs = firstDifference(tree(out[1]), tree(out[0]));
    QVERIFY2(outputs.isEmpty(), qPrintable(outputs));
    const QString leftSources = firstDifference(tree(in[1]), tree(in[0]));
    QVERIFY2(leftSources.isEmpty(), qPrintable(leftSources));
    QVERIFY(!tree(out[0]).isEmpty());
    // A picture saved under another name says so on both sides.
    QCOMPARE(int(output.count("Saved as ")), int(wizard.errors.join('\n').count("Saved as ")));
}

void TestParity::answeredQuestionsSameFiles_data()
{
    QTest::addColumn<QList<int>>("answers");   // one per question, in turn; No once they run out
    QTest::addColumn<QStringList>("renames");  // the new names of Rename answers, in turn
    QTest::addColumn<QString>("policy");       // kelvarine-batch's equivalent, if it has one

    const int yes = OverwriteYes, no = OverwriteNo, rename = OverwriteRename;
    QTest::newRow("Yes and No in turn") << QList<int>{yes, no, yes, no} << QStringList{} << "";
    QTest::newRow("Yes to All") << QList<int>{OverwriteYesToAll} << QStringList{} << "overwrite";
    QTest::newRow("No to All") << QList<int>{OverwriteNoToAll} << QStringList{} << "skip";
    QTest::newRow("No, then Yes to All") << QList<int>{no, OverwriteYesToAll} << QStringList{} << "";
    QTest::newRow("Yes, then No to All") << QList<int>{yes, OverwriteNoToAll} << QStringList{} << "";
    // The second name is taken too: asked again, then a free one.
    QTest::newRow("Rename, to a taken name, then free; then Yes")
        << QList<int>{rename, rename, yes} << QStringList{"taken", "fresh"} << "";
    QTest::newRow("Rename onto a later picture's name")
        << QList<int>{rename, no, no} << QStringList{"p5"} << "";
    QTest::newRow("Yes, then Abort") << QList<int>{yes, OverwriteAbort} << QStringList{} << "";
    QTest::newRow("Abort at once") << QList<int>{OverwriteAbort} << QStringList{} << "abort";
}

void TestParity::answeredQuestionsSameFiles()
{
    // The same answers to the same questions leave the same files and log
    // whether the wizard converts one picture at a time or several at once; where
    // a policy says the same, kelvarine-batch leaves them too.
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, renames);
    QFETCH(QString, policy);

    ++m_case;
    const QString root = m_dir.filePath(QStringLiteral("case%1").arg(m_case));
    const QStringList existing{"p1.png", "p2.png", "p4.png", "p6.png", "taken.png"};
    QList<QStringList> paths;
    QStringList outs;
    QList<QStringList> questions;
    QList<QList<int>> statuses;
    const int sides = policy.isEmpty() ? 2 : 3;
    for (int side = 0; side < sides; ++side) {
        const QString in = root + QStringLiteral("/in%1").arg(side);
        outs.append(root + QStringLiteral("/out%1").arg(side));
        QDir().mkpath(in);
        QDir().mkpath(outs.last());
        paths.append(QStringList());
        for (int i = 0; i < 8; ++i) {
            paths.last().append(in + QStringLiteral("/p%1.png").arg(i));
            writeEncoded(paths.last().last(), makePicture(60 + 9 * i, 40 + 3 * i), "PNG");
        }
        for (const QString &name : existing)
            writeBytes(outs.last() + '/' + name, "existing " + name.toUtf8());
    }
    ConversionJob job = jobFor("PNG", QString(), {ChainEntry{FilterRegistry::instance().filterAt(
                                                      FilterRegistry::instance().indexOfFilter("Flip")),
                                                  flipParams}});
    for (int side = 0; side < 2; ++side) {
        WizardBatch wizard(answers, renames);
        wizard.driver.setJobs(side == 0 ? 1 : 4);
        job.outputFolder = outs.at(side);
        QVERIFY(wizard.run(paths.at(side), job));
        statuses.append(wizard.statuses);
        questions.append(wizard.questions);
        questions.last().replaceInStrings(outs.at(side), "OUT");
    }
    QCOMPARE(statuses.at(1), statuses.at(0));
    QCOMPARE(questions.at(1), questions.at(0));
    QVERIFY(questions.at(0).size() >= std::min<qsizetype>(answers.size(), 2));
    const QString between = firstDifference(tree(outs.at(1)), tree(outs.at(0)));
    QVERIFY2(between.isEmpty(), qPrintable(between));
    for (const QString &name : existing) {
        const bool kept = fileBytes(outs.at(0) + '/' + name) == "existing " + name.toUtf8();
        QVERIFY(kept || QFileInfo(outs.at(0) + '/' + name).size() > 100);
    }
    if (policy.isEmpty())
        return;

    job.outputFolder = outs.at(2);
    int exitCode = -1;
    const QByteArray output = runProgram(root + "/job.bps", paths.at(2), job, policy, &exitCode);
    QVERIFY2(exitCode == (policy == "abort" ? 3 : 0), output.constData());
    QCOMPARE(printedStatuses(output, paths.at(2)), statuses.at(0));
    const QString withProgram = firstDifference(tree(outs.at(2)), tree(outs.at(0)));
    QVERIFY2(withProgram.isEmpty(), qPrintable(withProgram));
}

QTEST_GUILESS_MAIN(TestParity)
#include "tst_parity.moc"

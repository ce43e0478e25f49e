#include <QDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include "engine/project/projectreader.h"
#include "engine/project/projectwriter.h"
#include "testutils.h"

using TestUtils::fileBytes;
using TestUtils::writeBytes;

Q_DECLARE_METATYPE(_ProjectFile)

namespace {

_ProjectFile sampleProject()
{
    _ProjectFile project;
    project.images = {"/photos/2012/IMG_0001.JPG", "/photos/Trip & Tour/<b> \"quoted\" 'single'.png",
                      QString::fromUtf8("/photos/Ærø/Øresund ÿ 日本.tif")};
    project.filters = {{"Resize", "Type:1,Width:50,Height:50,Radio:0,RadioBy:0"},
                       {"Rotate", "Degree:90"},
                       {"Gray", ""}};
    project.formateStr = "[Case_3_1][FolderName]-[Counter_1_1_3][Replace_a&b_<c>]";
    project.customFormateStr = "[FileName]_[Date_0_10_1_1]";
    project.index = 3;
    project.UseSourcePath = 1;
    project.DestPath = "/out/R&D <new>";
    project.FormatIndex = 46;
    project.Multipage = 1;
    project.OpenOutputFolder = 1;
    project.DeleteSource = 1;
    return project;
}

// A record whose every field differs from what any file here holds, to see
// that a refused file changes nothing.
QByteArray projectText(const QByteArray &version, const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE Tamsorel>\n<Tamsorel version=\"" + version + "\">\n"
           + body + "</Tamsorel>\n";
}

// Makes writes beyond `bytes` fail in this process, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void fileLayout();
    void readsHandWrittenFiles_data();
    void readsHandWrittenFiles();
    void refusesUnsupportedFiles_data();
    void refusesUnsupportedFiles();
    void sizeLimit();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void filterNameFromCategoryPath_data();
    void filterNameFromCategoryPath();
    void relativePathsFromProjectFolder_data();
    void relativePathsFromProjectFolder();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestProjectFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestProjectFile::roundTrip_data()
{
    QTest::addColumn<_ProjectFile>("project");
    QTest::newRow("whole project") << sampleProject();

    _ProjectFile profile = sampleProject();
    profile.images.clear();
    QTest::newRow("profile without pictures") << profile;

    QTest::newRow("new record") << _ProjectFile();

    _ProjectFile odd;
    odd.images = {"/a\tb/c\nd.jpg", "  leading and trailing blanks  ", ""};
    odd.filters = {{"Levels", "Black:0,White:255"}, {"", "]]> & </Filter>"}};
    odd.formateStr = "<![CDATA[x]]>";
    odd.customFormateStr = "  ";
    odd.DestPath = "C:\\Users\\me\\Pictures";
    odd.index = -1;
    odd.FormatIndex = 2147483647;
    odd.Multipage = 2;
    QTest::newRow("text that needs escaping") << odd;

    // A folder name may hold a carriage return; XML reading would turn it into
    // a line feed or lose it, so the text must not carry it bare.
    _ProjectFile returns;
    returns.images = {"/in\r/a.jpg"};
    returns.filters = {{"Rotate\r", "Degree:90\r"}, {"Gray", "\r\n"}};
    returns.formateStr = "[FileName]\r\n[Counter_1_1_2]";
    returns.customFormateStr = "\r";
    returns.DestPath = "/out\r/x\r";
    QTest::newRow("carriage returns in text") << returns;

    _ProjectFile output;
    output.setOutputOptions(OutputOptions{85, true, true, true, true});
    QTest::newRow("output options") << output;
}

void TestProjectFile::roundTrip()
{
    QFETCH(_ProjectFile, project);
    const QString file = path("job.bps");
    QVERIFY(ProjectWriter().write(file, project));
    const Result<_ProjectFile> readBack = ProjectReader().read(file);
    QVERIFY2(readBack, qPrintable(readBack.error()));
    const _ProjectFile &read = readBack.value();
    QCOMPARE(read.images, project.images);
    QCOMPARE(read.filters.size(), project.filters.size());
    QCOMPARE(read.DestPath, project.DestPath);
    QVERIFY(read == project);
}

void TestProjectFile::fileLayout()
{
    // Other programs and older versions read these files: declaration, document
    // type, four-space indentation and the order of elements are fixed.
    _ProjectFile project;
    project.images = {"/p/a.jpg"};
    project.filters = {{"Rotate", "Degree:90"}};
    project.formateStr = "[FileName]";
    project.customFormateStr = "[FileName]";
    project.DestPath = "/out";
    project.FormatIndex = 46;
    QVERIFY(ProjectWriter().write(path("layout.bps"), project));
    QCOMPARE(QString::fromUtf8(fileBytes(path("layout.bps"))),
             QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<!DOCTYPE Tamsorel>\n"
                            "<Tamsorel version=\"1.0.0\">\n"
                            "    <Images>\n"
                            "        <Image Path=\"/p/a.jpg\"/>\n"
                            "    </Images>\n"
                            "    <Filters>\n"
                            "        <Filter Name=\"Rotate\">Degree:90</Filter>\n"
                            "    </Filters>\n"
                            "    <Properties Class=\"Rename\">\n"
                            "        <Property Name=\"index\">0</Property>\n"
                            "        <Property Name=\"formateStr\">[FileName]</Property>\n"
                            "        <Property Name=\"customFormateStr\">[FileName]</Property>\n"
                            "    </Properties>\n"
                            "    <Properties Class=\"Output\">\n"
                            "        <Property Name=\"UseSourcePath\">0</Property>\n"
                            "        <Property Name=\"DestPath\">/out</Property>\n"
                            "        <Property Name=\"OpenOutputFolder\">0</Property>\n"
                            "        <Property Name=\"DeleteSource\">0</Property>\n"
                            "    </Properties>\n"
                            "    <Properties Class=\"Format\">\n"
                            "        <Property Name=\"FormatIndex\">46</Property>\n"
                            "        <Property Name=\"Multipage\">0</Property>\n"
                            "    </Properties>\n"
                            "    <Properties Class=\"Picture\">\n"
                            "        <Property Name=\"Quality\">0</Property>\n"
                            "        <Property Name=\"StripMetadata\">0</Property>\n"
                            "        <Property Name=\"StripGps\">0</Property>\n"
                            "        <Property Name=\"AutoOrient\">0</Property>\n"
                            "        <Property Name=\"KeepDate\">0</Property>\n"
                            "        <Property Name=\"AllowDocuments\">0</Property>\n"
                            "    </Properties>\n"
                            "</Tamsorel>\n"));
}

void TestProjectFile::readsHandWrittenFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<_ProjectFile>("expected");

    _ProjectFile options;
    options.formateStr = "[FileName]";
    options.index = 2;
    options.DestPath = "/out & <more>";
    options.FormatIndex = 72;
    options.Multipage = 1;
    options.DeleteSource = 1;
    const QByteArray renameProperties = "<Property Name=\"formateStr\">[FileName]</Property>"
                                        "<Property Name=\"index\">2</Property>";
    const QByteArray rename = "<Properties Class=\"Rename\">" + renameProperties + "</Properties>\n";
    const QByteArray output = "<Properties Class=\"Output\"><Property Name=\"DeleteSource\">1</Property>"
                              "<Property Name=\"DestPath\">/out &amp; &lt;more&gt;</Property></Properties>\n";
    const QByteArray format = "<Properties Class=\"Format\"><Property Name=\"Multipage\">1</Property>"
                              "<Property Name=\"FormatIndex\">72</Property></Properties>\n";
    QTest::newRow("properties in another order") << projectText("1.0.0", rename + output + format) << options;
    QTest::newRow("groups swapped") << projectText("1.0.0", format + output + rename) << options;
    QTest::newRow("properties in the wrong group")
        << projectText("1.0.0", "<Properties Class=\"Format\">" + renameProperties + "</Properties>" + output + format)
        << options;

    QTest::newRow("missing numbers read 0")
        << projectText("1.0.0", "<Properties><Property Name=\"DestPath\">/out</Property></Properties>")
        << [] { _ProjectFile p; p.DestPath = "/out"; return p; }();
    QTest::newRow("text that is no number reads 0")
        << projectText("1.0.0", "<Property Name=\"FormatIndex\">seven</Property><Property Name=\"index\"> 3\n</Property>"
                                "<Property Name=\"Multipage\">1x</Property>")
        << [] { _ProjectFile p; p.index = 3; return p; }();
    QTest::newRow("filter with empty text and pictures")
        << projectText("1.0.0", "<Images><Image Path=\"/a.jpg\"/><Image Path=\"/b&#38;c.jpg\"/></Images>"
                                "<Filters><Filter Name=\"Gray\"/><Filter Name=\"Rotate\">Degree:90</Filter></Filters>")
        << [] { _ProjectFile p; p.images = {"/a.jpg", "/b&c.jpg"}; p.filters = {{"Gray", ""}, {"Rotate", "Degree:90"}}; return p; }();
    QTest::newRow("unknown elements and properties are passed over")
        << projectText("1.0.0", "<!-- note --><Extra a=\"1\"><Image Path=\"/deep.jpg\"/></Extra>"
                                "<Property Name=\"Colour\">red</Property><Property>x</Property>")
        << [] { _ProjectFile p; p.images = {"/deep.jpg"}; return p; }();
    QTest::newRow("output options; a quality out of range is the default")
        << projectText("1.0.0", "<Properties Class=\"Picture\"><Property Name=\"Quality\">101</Property>"
                                "<Property Name=\"StripGps\">1</Property><Property Name=\"AutoOrient\">2</Property>"
                                "</Properties>")
        << [] { _ProjectFile p; p.setOutputOptions(OutputOptions{0, false, true, false, false}); return p; }();
    QTest::newRow("documents allowed")
        << projectText("1.0.0", "<Properties Class=\"Picture\"><Property Name=\"AllowDocuments\">1</Property>"
                                "</Properties>")
        << [] { OutputOptions o; o.allowDocuments = true; _ProjectFile p; p.setOutputOptions(o); return p; }();
    QTest::newRow("no document type")
        << QByteArray("<Tamsorel version=\"1.0.0\"><Property Name=\"index\">1</Property></Tamsorel>")
        << [] { _ProjectFile p; p.index = 1; return p; }();
}

void TestProjectFile::readsHandWrittenFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(_ProjectFile, expected);
    writeBytes(path("hand.bps"), content);
    const Result<_ProjectFile> readBack = ProjectReader().read(path("hand.bps"));
    QVERIFY2(readBack, qPrintable(readBack.error()));
    const _ProjectFile &read = readBack.value();
    QCOMPARE(read.images, expected.images);
    QCOMPARE(read.DestPath, expected.DestPath);
    QVERIFY(read == expected);
}

void TestProjectFile::refusesUnsupportedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray body = "<Images><Image Path=\"/a.jpg\"/></Images>"
                            "<Property Name=\"formateStr\">x</Property>\n";

    QTest::newRow("version 1.0") << projectText("1.0", body);
    QTest::newRow("version with a trailing blank") << projectText("1.0.0 ", body);
    QTest::newRow("no version") << QByteArray("<Tamsorel>" + body + "</Tamsorel>");
    QTest::newRow("another root element") << QByteArray("<Project version=\"1.0.0\">" + body + "</Project>");
    QTest::newRow("root name in another case") << QByteArray("<tamsorel version=\"1.0.0\">" + body + "</tamsorel>");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not XML") << QByteArray("Type:1,Width:50\n");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("mismatched tags") << projectText("1.0.0", "<Images><Image Path=\"/a.jpg\"></Images>");
    QTest::newRow("text after the root") << projectText("1.0.0", body) + "<Tamsorel version=\"1.0.0\"/>";
    QTest::newRow("element inside a property") << projectText("1.0.0", "<Property Name=\"DestPath\">/o<b/>ut</Property>");

    const QByteArray whole = projectText("1.0.0", body);
    QTest::newRow("truncated in the middle") << whole.left(whole.size() / 2);
    QTest::newRow("truncated before the end tag") << whole.left(whole.lastIndexOf("</Tamsorel>"));

    QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE Tamsorel [\n<!ENTITY lol \"lol\">\n";
    laughs += "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n";
    for (int i = 2; i <= 9; ++i)
        laughs += QStringLiteral("<!ENTITY lol%1 \"%2\">\n").arg(i).arg(QStringLiteral("&lol%1;").arg(i - 1).repeated(10)).toUtf8();
    laughs += "]>\n<Tamsorel version=\"1.0.0\"><Property Name=\"DestPath\">&lol9;</Property></Tamsorel>\n";
    QTest::newRow("billion laughs") << laughs;
    QTest::newRow("entity declared but not used")
        << QByteArray("<!DOCTYPE Tamsorel [<!ENTITY home \"/root\">]>\n<Tamsorel version=\"1.0.0\"/>");
    QTest::newRow("parameter entity")
        << QByteArray("<!DOCTYPE Tamsorel [<!ENTITY % p \"x\">]>\n<Tamsorel version=\"1.0.0\"/>");
    QTest::newRow("external document type")
        << QByteArray("<!DOCTYPE Tamsorel SYSTEM \"/etc/passwd\">\n<Tamsorel version=\"1.0.0\">"
                      "<Image Path=\"&secret;\"/></Tamsorel>");
    QTest::newRow("undeclared entity") << projectText("1.0.0", "<Property Name=\"DestPath\">&nbsp;</Property>");
}

void TestProjectFile::refusesUnsupportedFiles()
{
    QFETCH(QByteArray, content);
    writeBytes(path("bad.bps"), content);
    const Result<_ProjectFile> read = ProjectReader().read(path("bad.bps"));
    QVERIFY(!read);
    QCOMPARE(read.error(), QStringLiteral("The project file is not supported."));
}

void TestProjectFile::sizeLimit()
{
    const ProjectReader reader;
    QVERIFY(!reader.read(path("missing.bps")));
    QVERIFY(!reader.read(m_dir->path()));

    // Blank lines before the end tag make a well-formed file of any size.
    const QByteArray head = projectText("1.0.0", "<Property Name=\"index\">1</Property>\n");
    const QByteArray tail = "</Tamsorel>\n";
    const QByteArray start = head.left(head.size() - tail.size());
    const qsizetype padding = ProjectFormat::maxFileSize - start.size() - tail.size();
    writeBytes(path("largest.bps"), start + QByteArray(padding, '\n') + tail);
    QCOMPARE(QFileInfo(path("largest.bps")).size(), ProjectFormat::maxFileSize);
    const Result<_ProjectFile> largest = reader.read(path("largest.bps"));
    QVERIFY2(largest, qPrintable(largest.error()));
    QCOMPARE(largest.value().index, 1);

    writeBytes(path("too large.bps"), start + QByteArray(padding + 1, '\n') + tail);
    const Result<_ProjectFile> tooLarge = reader.read(path("too large.bps"));
    QVERIFY(!tooLarge);
    QCOMPARE(tooLarge.error(), QStringLiteral("The project file is not supported."));
}

void TestProjectFile::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<_ProjectFile>("project");
    QTest::addColumn<int>("sizeLimit"); // bytes a file may grow to; 0: no limit

    _ProjectFile control = sampleProject();
    control.DestPath = QStringLiteral("/out/bell\x07");
    QTest::newRow("character XML cannot hold") << control << 0;

    _ProjectFile big = sampleProject();
    for (int i = 0; i < 2000; ++i)
        big.images.append(QStringLiteral("/photos/many/IMG_%1.JPG").arg(i));
    QTest::newRow("disk full") << big << 4096;
}

void TestProjectFile::failedSaveKeepsOldFile()
{
    QFETCH(_ProjectFile, project);
    QFETCH(int, sizeLimit);
    const QString file = path("job.bps");
    QVERIFY(ProjectWriter().write(file, sampleProject()));
    const QByteArray before = fileBytes(file);

    Status written;
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit = std::make_unique<FileSizeLimit>(rlim_t(sizeLimit));
        written = ProjectWriter().write(file, project);
    }
    QVERIFY(!written);
    QCOMPARE(written.error(), QStringLiteral("The project file cannot be written."));
    QCOMPARE(fileBytes(file), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"job.bps"});
    const Result<_ProjectFile> read = ProjectReader().read(file);
    QVERIFY2(read, qPrintable(read.error()));
    QVERIFY(read.value() == sampleProject());

    QVERIFY(!ProjectWriter().write(path("no such folder/job.bps"), sampleProject()));
    QVERIFY(!QFileInfo::exists(path("no such folder")));
}

void TestProjectFile::filterNameFromCategoryPath_data()
{
    QTest::addColumn<QString>("categoryPath");
    QTest::addColumn<QString>("name");
    QTest::newRow("category and name") << "Transform\\Resize" << "Resize";
    QTest::newRow("nested categories") << "Effects\\Artistic\\Oil Paint" << "Oil Paint";
    QTest::newRow("no category") << "Resize" << "Resize";
    QTest::newRow("trailing backslash") << "Transform\\" << "";
}

void TestProjectFile::filterNameFromCategoryPath()
{
    QFETCH(QString, categoryPath);
    QFETCH(QString, name);
    QCOMPARE(FilterEntry::nameOf(categoryPath), name);
}

void TestProjectFile::relativePathsFromProjectFolder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("resolved");

    QTest::newRow("absolute stays") << "/photos/a.jpg" << "/photos/a.jpg";
    QTest::newRow("beside the project") << "a.jpg" << "/work/trip/a.jpg";
    QTest::newRow("in a subfolder") << "pics/./a.jpg" << "/work/trip/pics/a.jpg";
    QTest::newRow("in a sibling folder") << "../out" << "/work/out";
    QTest::newRow("empty stays empty") << "" << "";
}

void TestProjectFile::relativePathsFromProjectFolder()
{
    QFETCH(QString, stored);
    QFETCH(QString, resolved);

    _ProjectFile project;
    project.images = {stored, "/fixed.png"};
    project.DestPath = stored;
    project.resolvePaths("/work/trip");
    QCOMPARE(project.images, QStringList({resolved, "/fixed.png"}));
    QCOMPARE(project.DestPath, resolved);
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"

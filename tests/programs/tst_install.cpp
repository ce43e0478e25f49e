#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include "testutils.h"

using namespace TestUtils;

// The installed tree works where it lands: the build is installed into a fresh
// prefix (with a blank in its path), and the installed kelvarine-batch, which has
// no way to find the build tree, loads its plug-ins and converts a picture.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void installedBatchListsEveryFilter();
    void installedBatchConvertsPicture();
    void validatorsAcceptDesktopFiles_data();
    void validatorsAcceptDesktopFiles();

private:
    QString installed(const QString &relative) const { return m_prefix + '/' + relative; }

    QTemporaryDir m_dir{QDir::tempPath() + "/kelvarine install-XXXXXX"};
    QString m_prefix;
};

void TestInstall::initTestCase()
{
    initImageLibrary();
    QVERIFY(m_dir.isValid());
    m_prefix = m_dir.filePath("usr");
    QByteArray said;
    const int status = run(QStringLiteral(CMAKE_COMMAND),
                           {"--install", KELVARINE_BUILD_DIR, "--prefix", m_prefix}, &said, 300000);
    QVERIFY2(status == 0, said.constData());
}

void TestInstall::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    const QString data = KELVARINE_INSTALL_DATADIR;
    QTest::newRow("batch runner") << KELVARINE_INSTALL_BINDIR "/kelvarine-batch";
    QTest::newRow("a plug-in") << KELVARINE_INSTALL_PLUGINDIR "/libResizeEffect.so";
    QTest::newRow("desktop entry") << data + "/applications/kelvarine.desktop";
    QTest::newRow("icon") << data + "/icons/hicolor/scalable/apps/kelvarine.svg";
    QTest::newRow("project file type") << data + "/mime/packages/kelvarine.xml";
    QTest::newRow("software centre data") << data + "/metainfo/com.kelvarine.Kelvarine.metainfo.xml";
    QTest::newRow("batch manual page") << KELVARINE_INSTALL_MANDIR "/man1/kelvarine-batch.1.gz";
    QTest::newRow("wizard manual page") << KELVARINE_INSTALL_MANDIR "/man1/kelvarine.1.gz";
    QTest::newRow("copyright") << data + "/doc/kelvarine/copyright";
    QTest::newRow("updater") << KELVARINE_INSTALL_LIBEXECDIR "/updater";
    QTest::newRow("decoding helper") << KELVARINE_INSTALL_LIBEXECDIR "/kelvarine-decode";
    QTest::newRow("manual") << data + "/kelvarine/help/introduction.htm";
    QTest::newRow("wizard images") << data + "/kelvarine/res/icons-wizard.png";
}

void TestInstall::installedFiles()
{
    QFETCH(QString, path);
    QVERIFY2(QFileInfo(installed(path)).isFile(), qPrintable(path));
    QVERIFY2(QFileInfo(installed(path)).size() > 0, qPrintable(path));
}

void TestInstall::installedBatchListsEveryFilter()
{
    QByteArray listing;
    QCOMPARE(run(installed(KELVARINE_INSTALL_BINDIR "/kelvarine-batch"), {"--list-filters"}, &listing), 0);
    QCOMPARE(listing.trimmed().split('\n').size(), 30);
}

void TestInstall::installedBatchConvertsPicture()
{
    const QString in = m_dir.filePath("in.png");
    const QString out = m_dir.filePath("out");
    writeEncoded(in, makePicture(64, 48), "PNG");
    // A GIF is decoded by the installed decoding helper.
    const QString gif = m_dir.filePath("second.gif");
    writeEncoded(gif, makePicture(64, 48), "GIF");
    QByteArray said;
    const int status = run(installed(KELVARINE_INSTALL_BINDIR "/kelvarine-batch"),
                           {in, gif, "-o", out, "-f", "JPG", "-q", "--filter",
                            "Resize=Type:0,Width:32,Height:20,Radio:0,RadioBy:0"},
                           &said);
    QVERIFY2(status == 0, said.constData());
    const Magick::Image result = readEncoded(out + "/in.jpg");
    QCOMPARE(int(result.columns()), 32);
    QCOMPARE(int(result.rows()), 20);
    QCOMPARE(int(readEncoded(out + "/second.jpg").columns()), 32);
}

void TestInstall::validatorsAcceptDesktopFiles_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    const QString data = KELVARINE_INSTALL_DATADIR;
    QTest::newRow("desktop entry") << "desktop-file-validate"
                                   << QStringList{installed(data + "/applications/kelvarine.desktop")};
    QTest::newRow("software centre data")
        << "appstreamcli"
        << QStringList{"validate", "--no-net", installed(data + "/metainfo/com.kelvarine.Kelvarine.metainfo.xml")};
    QTest::newRow("project file type")
        << "xmllint" << QStringList{"--noout", installed(data + "/mime/packages/kelvarine.xml")};
}

void TestInstall::validatorsAcceptDesktopFiles()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + " is not installed"));
    QByteArray said;
    QVERIFY2(run(program, arguments, &said) == 0, said.constData());
    QVERIFY2(!said.contains("error"), said.constData());
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"

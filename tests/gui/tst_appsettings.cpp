#include <QDir>
#include <QTest>

#include "gui/wizard/appsettings.h"
#include "testutils.h"

class TestAppSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstRunFallsBackToHome();
    void foldersPersistAcrossRuns();
    void lastDirGetsExactlyOneSlash_data();
    void lastDirGetsExactlyOneSlash();
    void unreadableFileBehavesAsEmpty();

private:
    QTemporaryDir m_home;
};

void TestAppSettings::init()
{
    // The settings live in the home folder; give every case a fresh one.
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    QFile::remove(AppSettings::defaultFile());
}

void TestAppSettings::firstRunFallsBackToHome()
{
    QCOMPARE(AppSettings::defaultFile(), m_home.path() + "/.Kelvarine.conf");
    AppSettings settings;
    QCOMPARE(settings.saveDirectory(), QDir::homePath());
    QCOMPARE(settings.lastOpened(), QDir::homePath());
    QCOMPARE(settings.lastDir(), QDir::homePath());
}

void TestAppSettings::foldersPersistAcrossRuns()
{
    {
        AppSettings settings;
        settings.setSaveDirectory("/photos/out");
        settings.setLastOpenedFromFile("/photos/in/a b/first.jpg");
        settings.setLastDir("/photos/in");
        settings.setLastWriteFormat(17);
    }
    const QByteArray ini = TestUtils::fileBytes(AppSettings::defaultFile());
    QVERIFY2(ini.contains("General]"), ini.constData());
    AppSettings settings;
    QCOMPARE(settings.saveDirectory(), QStringLiteral("/photos/out"));
    QCOMPARE(settings.lastOpened(), QStringLiteral("/photos/in/a b"));
    QCOMPARE(settings.lastDir(), QStringLiteral("/photos/in/"));
    QCOMPARE(settings.settings().value(SettingsKeys::LastWriteFormat).toInt(), 17);
}

void TestAppSettings::lastDirGetsExactlyOneSlash_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    QTest::newRow("folder") << "/photos/2026" << "/photos/2026/";
    QTest::newRow("root") << "/" << "/";
    QTest::newRow("already ends in a slash") << "/photos/" << "/photos/";
}

void TestAppSettings::lastDirGetsExactlyOneSlash()
{
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    AppSettings settings;
    settings.setLastDir(chosen);
    QCOMPARE(settings.lastDir(), stored);
}

void TestAppSettings::unreadableFileBehavesAsEmpty()
{
    TestUtils::writeBytes(AppSettings::defaultFile(), QByteArray("\x00\xff[[[=\n", 7));
    AppSettings settings;
    QCOMPARE(settings.saveDirectory(), QDir::homePath());
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"

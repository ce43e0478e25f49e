#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QTest>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "kelvarineconfig.h"
#include "engine/runtime/resourcedir.h"
#include "testutils.h"

class TestFilterRegistry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void skipsWhatIsNotAFilter();
    void findsByDisplayNameOnly();
    void duplicatePathsBothLoadFirstWins();
    void missingFolderLeavesRegistryEmpty();
    void pluginHandsOutOneObject();
    void resourceDirSkipsBuildConfigurationFolder_data();
    void resourceDirSkipsBuildConfigurationFolder();
    void resourceDirFindsInstalledTree_data();
    void resourceDirFindsInstalledTree();
    void helperProgramFoundInBothTrees_data();
    void helperProgramFoundInBothTrees();

private:
    static QStringList realPlugins();
};

void TestFilterRegistry::initTestCase()
{
    TestUtils::initImageLibrary();
    QVERIFY(!realPlugins().isEmpty());
}

QStringList TestFilterRegistry::realPlugins()
{
    QStringList paths;
    const QDir dir(QStringLiteral(KELVARINE_PLUGIN_DIR));
    for (const QString &file : dir.entryList(QDir::Files))
        paths << dir.absoluteFilePath(file);
    return paths;
}

void TestFilterRegistry::skipsWhatIsNotAFilter()
{
    QTemporaryDir dir;
    for (const QString &plugin : realPlugins())
        QVERIFY(QFile::copy(plugin, dir.filePath(QFileInfo(plugin).fileName())));
    QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_DIR "/libnotaplugin.so"), dir.filePath("libnotaplugin.so")));
    TestUtils::writeBytes(dir.filePath("readme.txt"), "not a library\n");
    TestUtils::writeBytes(dir.filePath("libbroken.so"), QByteArray(4096, '\x7f'));

    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(dir.path());
    QCOMPARE(registry.count(), realPlugins().size());
    QCOMPARE(registry.categoryPaths().size(), registry.count());
    QCOMPARE(registry.descriptions().size(), registry.count());
    const int resize = registry.indexOfFilter(QStringLiteral("Resize"));
    QVERIFY(resize >= 0);
    QCOMPARE(registry.filterAt(resize)->name(), QStringLiteral("Resize"));
    QCOMPARE(registry.categoryPaths().at(resize), QStringLiteral("Transform\\Resize"));
    QCOMPARE(registry.descriptions().at(resize), QStringLiteral("Adjust image size using pixels or percents"));
}

void TestFilterRegistry::findsByDisplayNameOnly()
{
    QTemporaryDir dir;
    // The gaussian plug-in is copied first, but the listing order is the file
    // system's: the lookup must not depend on it.
    QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_DIR "/libtestplugin_gaussian.so"), dir.filePath("a.so")));
    QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_DIR "/libtestplugin_blur_a.so"), dir.filePath("b.so")));
    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(dir.path());
    QCOMPARE(registry.count(), 2);

    const int blur = registry.indexOfFilter(QStringLiteral("Blur"));
    QVERIFY(blur >= 0);
    QCOMPARE(registry.categoryPaths().at(blur), QStringLiteral("Effects\\Blur"));
    const int gaussian = registry.indexOfFilter(QStringLiteral("Gaussian Blur"));
    QCOMPARE(registry.categoryPaths().at(gaussian), QStringLiteral("Effects\\Gaussian Blur"));
    QCOMPARE(registry.indexOfFilter(QStringLiteral("blur")), -1);
    QCOMPARE(registry.indexOfFilter(QStringLiteral("Sharpen")), -1);
    QCOMPARE(registry.indexOfFilter(QStringLiteral("Effects")), -1);
}

void TestFilterRegistry::duplicatePathsBothLoadFirstWins()
{
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_DIR "/libtestplugin_blur_a.so"), dir.filePath("one.so")));
    QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_DIR "/libtestplugin_blur_b.so"), dir.filePath("two.so")));
    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(dir.path());
    QCOMPARE(registry.count(), 2);
    QCOMPARE(registry.categoryPaths(), QStringList({"Effects\\Blur", "Effects\\Blur"}));
    QVERIFY(registry.descriptions().contains("first blur"));
    QVERIFY(registry.descriptions().contains("second blur"));
    QCOMPARE(registry.indexOfFilter(QStringLiteral("Blur")), 0);
    QVERIFY(registry.filterAt(0) != registry.filterAt(1));
}

void TestFilterRegistry::missingFolderLeavesRegistryEmpty()
{
    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(QStringLiteral(TEST_PLUGIN_DIR));
    QVERIFY(registry.count() > 0);
    registry.loadPlugins(QStringLiteral("/nonexistent/kelvarine/plugins"));
    QCOMPARE(registry.count(), 0);
    QCOMPARE(registry.indexOfFilter(QStringLiteral("Blur")), -1);
    QCOMPARE(registry.filterAt(0), nullptr);
}

void TestFilterRegistry::pluginHandsOutOneObject()
{
    QPluginLoader first(QStringLiteral(KELVARINE_PLUGIN_DIR "/libResizeEffect.so"));
    QPluginLoader second(QStringLiteral(KELVARINE_PLUGIN_DIR "/libResizeEffect.so"));
    QObject *object = first.instance();
    QVERIFY2(object, qPrintable(first.errorString()));
    QCOMPARE(second.instance(), object);
    auto *byIid = static_cast<FilterInterface *>(object->qt_metacast(FilterInterface_iid));
    auto *byName = static_cast<FilterInterface *>(object->qt_metacast("FilterInterface"));
    QVERIFY(byIid);
    QCOMPARE(byName, byIid);
    QCOMPARE(qobject_cast<FilterInterface *>(object), byIid);
    QCOMPARE(object->qt_metacast("ResizeEffect"), static_cast<void *>(object));
}

void TestFilterRegistry::resourceDirSkipsBuildConfigurationFolder_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain folder") << "/opt/kelvarine" << "/opt/kelvarine/plugins";
    QTest::newRow("Release folder") << "/opt/kelvarine/Release" << "/opt/kelvarine/plugins";
    QTest::newRow("debug folder") << "/opt/kelvarine/debug" << "/opt/kelvarine/plugins";
    QTest::newRow("release in the middle only") << "/release/kelvarine" << "/release/kelvarine/plugins";
    QTest::newRow("name merely ending in release") << "/opt/prerelease" << "/opt/prerelease/plugins";
}

void TestFilterRegistry::resourceDirSkipsBuildConfigurationFolder()
{
    QFETCH(QString, programDir);
    QFETCH(QString, expected);
    QCOMPARE(resourceDir(QStringLiteral("plugins"), programDir), expected);
}

void TestFilterRegistry::resourceDirFindsInstalledTree_data()
{
    QTest::addColumn<QStringList>("folders");  // made under the prefix
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");     // under the prefix
    const QString plugins = QStringLiteral("bin/" KELVARINE_RELATIVE_PLUGINDIR);
    const QString res = QStringLiteral("bin/" KELVARINE_RELATIVE_DATADIR "/res");
    QTest::newRow("installed plug-ins") << QStringList{plugins} << "plugins" << plugins;
    QTest::newRow("installed resources") << QStringList{res} << "res" << res;
    QTest::newRow("build tree wins") << QStringList{plugins, "bin/plugins"} << "plugins" << "bin/plugins";
    QTest::newRow("neither: beside the program") << QStringList{} << "help" << "bin/help";
}

void TestFilterRegistry::resourceDirFindsInstalledTree()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir prefix(QDir::tempPath() + "/any prefix-XXXXXX");
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    for (const QString &folder : std::as_const(folders))
        QVERIFY(QDir(prefix.path()).mkpath(folder));
    QCOMPARE(resourceDir(name, prefix.filePath("bin")), QDir::cleanPath(prefix.filePath(expected)));
}

void TestFilterRegistry::helperProgramFoundInBothTrees_data()
{
    QTest::addColumn<QStringList>("files");  // made under the prefix
    QTest::addColumn<QString>("expected");
    const QString installed = QStringLiteral("bin/" KELVARINE_RELATIVE_LIBEXECDIR "/updater");
    QTest::newRow("installed") << QStringList{installed} << installed;
    QTest::newRow("build tree wins") << QStringList{installed, "bin/updater"} << "bin/updater";
    QTest::newRow("neither: beside the program") << QStringList{} << "bin/updater";
}

void TestFilterRegistry::helperProgramFoundInBothTrees()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir prefix(QDir::tempPath() + "/any prefix-XXXXXX");
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    for (const QString &file : std::as_const(files)) {
        QVERIFY(QDir(prefix.path()).mkpath(QFileInfo(prefix.filePath(file)).path()));
        TestUtils::writeBytes(prefix.filePath(file), "#!/bin/sh\n");
    }
    QCOMPARE(helperProgram("updater", prefix.filePath("bin")), QDir::cleanPath(prefix.filePath(expected)));
}

QTEST_GUILESS_MAIN(TestFilterRegistry)
#include "tst_filterregistry.moc"

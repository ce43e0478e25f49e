#ifndef FILTERDIALOGTEST_H
#define FILTERDIALOGTEST_H

// What the tests of the filter chooser and the settings dialog share: the real
// registry and plug-ins, widgets by object name, the pictures the views show.

#include <QFile>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include "engine/filters/filterregistry.h"
#include "filterinterface.h"
#include "testutils.h"

// The program's German texts while it lives.
class GermanTexts
{
public:
    GermanTexts()
    {
        m_installed = m_translator.load(QLocale(QLocale::German), QStringLiteral("kelvarine"), QStringLiteral("_"),
                                        QStringLiteral(":/i18n"))
            && QCoreApplication::installTranslator(&m_translator);
    }
    ~GermanTexts() { QCoreApplication::removeTranslator(&m_translator); }
    bool installed() const { return m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

class FilterDialogTest : public QObject
{
protected:
    static void loadPlugins()
    {
        TestUtils::initImageLibrary();
        FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    }

    static FilterInterface *filter(const QString &name)
    {
        const FilterRegistry &registry = FilterRegistry::instance();
        const int index = registry.indexOfFilter(name);
        return index < 0 ? nullptr : registry.filterAt(index);
    }

    // A picture file of the given size in the test's folder.
    QString pictureFile(int width, int height)
    {
        const QString path = m_dir.filePath(QStringLiteral("picture_%1x%2.miff").arg(width).arg(height));
        if (!QFile::exists(path))
            TestUtils::writePicture(TestUtils::makePicture(width, height), path);
        return path;
    }

    template <typename T>
    static T *child(const QWidget &dialog, const char *name)
    {
        T *widget = dialog.findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    static QGraphicsPixmapItem *viewItem(const QWidget &dialog, const char *name)
    {
        const auto *view = child<QGraphicsView>(dialog, name);
        for (QGraphicsItem *item : view->scene()->items()) {
            if (auto *pixmap = dynamic_cast<QGraphicsPixmapItem *>(item))
                return pixmap;
        }
        return nullptr;
    }

    static QGraphicsPixmapItem *previewItem(const QWidget &dialog) { return viewItem(dialog, "graphicsView_2"); }

    QTemporaryDir m_dir;
};

#endif

#ifndef PLUGINTESTUTILS_H
#define PLUGINTESTUTILS_H

// Loading the real, built filter plug-ins the way the program does.

#include <QPluginLoader>
#include <QString>

#include "filterinterface.h"

namespace PluginTestUtils {

// The plug-in built from the class `className` (e.g. "ResizeEffect"), or null.
inline FilterInterface *loadFilter(const QString &className)
{
    QPluginLoader loader(QStringLiteral(KELVARINE_PLUGIN_DIR "/lib") + className + QStringLiteral(".so"));
    return qobject_cast<FilterInterface *>(loader.instance());
}

// Runs the plug-in built from `className` on the picture; false when there is no such plug-in.
inline bool applyFilter(const QString &className, const QString &params, Magick::Image &image)
{
    FilterInterface *filter = loadFilter(className);
    if (!filter)
        return false;
    filter->apply(params, image);
    return true;
}

} // namespace PluginTestUtils

#endif

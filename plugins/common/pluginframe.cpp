#include "pluginframe.h"

#include <QCoreApplication>
#include <QFile>

#include <cmath>
#include <limits>

PluginFrame::PluginFrame(const FilterIdentity &identity)
    : m_identity(identity)
{
}

QString PluginFrame::categoryPath() const
{
    return QString::fromUtf8(m_identity.categoryPath);
}

int PluginFrame::settingsPage() const
{
    return m_identity.settingsPage;
}

QString PluginFrame::description() const
{
    return QString::fromUtf8(m_identity.description);
}

QString PluginFrame::name() const
{
    return categoryPath().section(QLatin1Char('\\'), 1);
}

void PluginFrame::loadImage(const QString &fileName)
{
    m_image.read(QFile::encodeName(fileName).toStdString());
}

QString PluginFrame::defaultParams() const
{
    return QString::fromLatin1(m_identity.defaultParams);
}

QString PluginFrame::summary(const QString &) const
{
    // The same lookup as the host's display names: the plug-in class's context.
    return QCoreApplication::translate(metaObject()->className(), m_identity.categoryPath)
        .section(QLatin1Char('\\'), 1);
}

int PluginFrame::wholePixels(double value)
{
    const double pixels = std::trunc(value + 0.5);
    if (std::isnan(pixels))
        return 0;
    if (pixels >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (pixels <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(pixels);
}

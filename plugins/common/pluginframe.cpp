#include "pluginframe.h"

#include <QCoreApplication>
#include <QFile>

#include <cmath>
#include <limits>

PluginFrame::PluginFrame(const char *context, const FilterIdentity &identity)
    : m_identity(identity)
{
    const QString path = QString::fromUtf8(identity.categoryPath);
    const QByteArray displayName = path.section(QLatin1Char('\\'), 1).toUtf8();
    m_categoryPath = QCoreApplication::translate(context, identity.categoryPath);
    m_description = QCoreApplication::translate(context, identity.description);
    m_name = QCoreApplication::translate(context, displayName.constData());
}

QString PluginFrame::categoryPath() const
{
    return m_categoryPath;
}

int PluginFrame::settingsPage() const
{
    return m_identity.settingsPage;
}

QString PluginFrame::description() const
{
    return m_description;
}

QString PluginFrame::name() const
{
    return m_name;
}

void PluginFrame::loadImage(const QString &fileName)
{
    m_image.read(QFile::encodeName(fileName).toStdString());
}

QString PluginFrame::defaultParams() const
{
    return QString::fromLatin1(m_identity.defaultParams);
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

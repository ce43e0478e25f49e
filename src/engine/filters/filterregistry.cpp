#include "engine/filters/filterregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

#include "filterinterface.h"
#include "filterparams.h"

namespace {

// A filter reads its string only into its own kind of record and refuses every
// other kind, so the string is readable when one kind of record takes it.
template <typename Record>
bool recordTakes(const FilterInterface *filter, const QString &params)
{
    Record record;
    return filter->parseParams(params, record);
}

template <typename... Records>
bool anyRecordTakes(const FilterInterface *filter, const QString &params)
{
    return (recordTakes<Records>(filter, params) || ...);
}

} // namespace

FilterRegistry &FilterRegistry::instance()
{
    static FilterRegistry registry;
    return registry;
}

void FilterRegistry::loadPlugins(const QString &directory)
{
    m_filters.clear();
    m_categoryPaths.clear();
    m_descriptions.clear();
    m_contexts.clear();

    const QDir dir(directory);
    const QStringList files = dir.entryList(QDir::Files, QDir::Unsorted);
    for (const QString &file : files) {
        QPluginLoader loader(dir.absoluteFilePath(file));
        QObject *object = loader.instance();
        auto *filter = qobject_cast<FilterInterface *>(object);
        if (!filter) {
            // Keep a library that is not ours from staying mapped for the whole run.
            if (loader.isLoaded())
                loader.unload();
            continue;
        }
        m_filters.append(filter);
        m_categoryPaths.append(filter->categoryPath());
        m_descriptions.append(filter->description());
        m_contexts.append(QByteArray(object->metaObject()->className()));
    }
}

QString FilterRegistry::displayCategoryPath(int index) const
{
    const QByteArray source = m_categoryPaths.value(index).toUtf8();
    return QCoreApplication::translate(m_contexts.value(index).constData(), source.constData());
}

QString FilterRegistry::displayDescription(int index) const
{
    const QByteArray source = m_descriptions.value(index).toUtf8();
    return QCoreApplication::translate(m_contexts.value(index).constData(), source.constData());
}

QString FilterRegistry::displayName(int index) const
{
    const QString path = displayCategoryPath(index);
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

QString FilterRegistry::displayNameOf(const QString &name) const
{
    const int index = indexOfFilter(name);
    return index < 0 ? name : displayName(index);
}

QStringList FilterRegistry::displayCategoryPaths() const
{
    QStringList paths;
    for (int i = 0; i < count(); ++i)
        paths.append(displayCategoryPath(i));
    return paths;
}

QStringList FilterRegistry::displayDescriptions() const
{
    QStringList descriptions;
    for (int i = 0; i < count(); ++i)
        descriptions.append(displayDescription(i));
    return descriptions;
}

int FilterRegistry::indexOfFilter(const QString &name) const
{
    const QString key = QLatin1Char('\\') + name;
    for (int i = 0; i < m_categoryPaths.size(); ++i) {
        if (m_categoryPaths.at(i).contains(key))
            return i;
    }
    return -1;
}

FilterInterface *FilterRegistry::filterAt(int index) const
{
    return m_filters.value(index, nullptr);
}

bool FilterRegistry::acceptsParams(const FilterInterface *filter, const QString &params)
{
    return filter
           && anyRecordTakes<NoParams, ResizeParams, CropParams, RollParams, FlipParams, RotateParams, LevelsParams,
                             ModulateParams, SharpenParams, ContrastParams, BorderParams, RaiseParams, ShadeParams,
                             CharcoalParams, NoiseParams, SolarizeParams, OilPaintParams, ImplodeParams,
                             GaussianBlurParams, BlurParams, SwirlParams, WaveParams, EdgeParams, SpreadParams,
                             EmbossParams, FitParams, WatermarkParams>(filter, params);
}

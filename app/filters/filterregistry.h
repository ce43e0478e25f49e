#ifndef FILTERREGISTRY_H
#define FILTERREGISTRY_H

// Every filter plug-in found at start, with its category path and description,
// and the filter chain the program is working with. Filled once on the GUI thread
// before any worker starts, read without locks afterwards.

#include <QList>
#include <QString>
#include <QStringList>

class FilterInterface;

struct ChainEntry
{
    FilterInterface *filter = nullptr;  // owned by its plug-in, never deleted
    QString params;
};

class FilterRegistry
{
public:
    static FilterRegistry &instance();

    // Loads every plug-in of the folder; files that are not filter plug-ins are
    // skipped without a word. Plug-ins stay loaded for the rest of the run.
    void loadPlugins(const QString &directory);

    // Index of the first filter whose category path holds "\" + name, or -1.
    int indexOfFilter(const QString &name) const;
    FilterInterface *filterAt(int index) const;
    int count() const { return m_filters.size(); }

    // Whether the filter can read the parameter string. A string it cannot read
    // leaves the picture as it is, so a chain from outside (a command line, a
    // project) is checked before it is run.
    static bool acceptsParams(const FilterInterface *filter, const QString &params);

    const QStringList &categoryPaths() const { return m_categoryPaths; }
    const QStringList &descriptions() const { return m_descriptions; }

    // Kept here, maintained by the wizard; a batch takes its own copy at its start.
    QList<ChainEntry> activeChain;

private:
    FilterRegistry() = default;

    QList<FilterInterface *> m_filters;
    QStringList m_categoryPaths;
    QStringList m_descriptions;
};

#endif

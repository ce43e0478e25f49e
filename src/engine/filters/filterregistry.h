#ifndef FILTERREGISTRY_H
#define FILTERREGISTRY_H

// Every filter plug-in found at start, with its category path and description.
// Filled once on the GUI thread before any worker starts, read without locks
// afterwards. A chain of filters belongs to whoever runs it (the wizard's step,
// a job), never to the registry: nothing here changes while pictures convert.
//
// Filters are identified by their untranslated texts: categoryPaths() and the
// names looked up by indexOfFilter() are the same in every language, so projects
// and command lines name filters the same way everywhere. What is shown to the
// user comes from the display variants, translated in the plug-in class's context
// with the translators installed at the time of the call.

#include <QByteArray>
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

    // Untranslated, parallel to the filter indexes.
    const QStringList &categoryPaths() const { return m_categoryPaths; }
    const QStringList &descriptions() const { return m_descriptions; }

    // Translated for showing, parallel to the filter indexes.
    QStringList displayCategoryPaths() const;
    QStringList displayDescriptions() const;
    QString displayCategoryPath(int index) const;
    QString displayDescription(int index) const;
    // The part of the translated category path after the backslash.
    QString displayName(int index) const;
    // The translated name of the filter called `name`; `name` itself when no
    // loaded filter carries it (a project naming a missing plug-in).
    QString displayNameOf(const QString &name) const;

private:
    FilterRegistry() = default;

    QList<FilterInterface *> m_filters;
    QStringList m_categoryPaths;
    QStringList m_descriptions;
    QList<QByteArray> m_contexts; // class names of the plug-in objects
};

#endif

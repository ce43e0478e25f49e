#ifndef FILTERINTERFACE_H
#define FILTERINTERFACE_H

// The contract between the program and its filter plug-ins. The program and the
// plug-ins are built separately, so the order of the virtual operations below is
// part of the contract: append, never reorder.

#include <QtPlugin>
#include <QString>
#include <Magick++.h>

#include "filterparams.h"

#define FilterInterface_iid "com.kelvarine.Filter.FilterInterface/1.0"

class FilterInterface
{
public:
    virtual ~FilterInterface() = default;

    // The identity texts are untranslated: the category path and the name identify
    // the filter in lookups, project files and command lines whatever the user's
    // language. The host translates what it shows, in the context of the plug-in's
    // class name (see FilterRegistry's display texts).
    // "Category\Display name", e.g. "Transform\Resize".
    virtual QString categoryPath() const = 0;
    // Page of the host's settings dialog that edits this filter.
    virtual int settingsPage() const = 0;
    virtual QString description() const = 0;
    // The part of the category path after the backslash, e.g. "Resize".
    virtual QString name() const = 0;
    // Reads a file into the plug-in's own image; the host never calls it and it is
    // the one operation that is not safe to call from several threads.
    virtual void loadImage(const QString &fileName) = 0;
    // Empty for filters without settings.
    virtual QString defaultParams() const = 0;
    // Runs the filter in place. An unparseable string leaves the image untouched;
    // errors of the image library are swallowed. Safe to call from any thread.
    virtual void apply(const QString &params, Magick::Image &image) = 0;
    // Fills the filter's own record (see filterparams.h); false when the string
    // does not parse or the record is of another filter. Filters without settings
    // read nothing and always answer true.
    virtual bool parseParams(const QString &params, FilterParams &record) const = 0;
    virtual QString formatParams(const FilterParams &record) const = 0;
    // The settings in `params` in words, in the user's language, for the chain list
    // ("Resize to 50 %", "Sharpen, radius 2"); the filter's shown name when it has no
    // settings worth saying or the string does not parse.
    virtual QString summary(const QString &params) const = 0;
};

Q_DECLARE_INTERFACE(FilterInterface, FilterInterface_iid)

#endif

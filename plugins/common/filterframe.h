#ifndef FILTERFRAME_H
#define FILTERFRAME_H

// The frame a filter plug-in is built on. A plug-in names its record and the
// record's fields in key order, and implements run():
//
//   using ResizeFrame = FilterFrame<ResizeParams, &ResizeParams::Type, ...>;
//   class ResizeEffect : public ResizeFrame { ... void run(...) const override; };
//
// Parsing and formatting follow from the field list: int fields read as signed
// numbers, unsigned fields as unsigned ones, and a lone int field as a float
// truncated toward zero unless the identity says it reads a whole number.
// Filters whose string does not fit that pattern override parseRecord and
// formatRecord.

#include <type_traits>

#include "paramtext.h"
#include "pluginframe.h"

template <typename Record, auto... Fields>
class FilterFrame : public PluginFrame
{
public:
    bool parseParams(const QString &params, FilterParams &record) const override
    {
        // A filter without settings reads nothing, so no string or record can fail it.
        if constexpr (std::is_same_v<Record, NoParams>) {
            Q_UNUSED(params);
            Q_UNUSED(record);
            return true;
        } else {
            auto *own = dynamic_cast<Record *>(&record);
            return own && parseRecord(params, *own);
        }
    }

    QString formatParams(const FilterParams &record) const override
    {
        auto *own = dynamic_cast<const Record *>(&record);
        return own ? formatRecord(*own) : QString();
    }

    void apply(const QString &params, Magick::Image &image) override
    {
        Record record;
        if (!parseRecord(params, record))
            return;
        guarded([&] { run(record, image); });
    }

protected:
    using PluginFrame::PluginFrame;

    // The image operation; errors of the library are handled by the caller.
    virtual void run(const Record &record, Magick::Image &image) const = 0;

    virtual bool parseRecord(const QString &params, Record &record) const
    {
        constexpr int keyCount = sizeof...(Fields);
        if constexpr (keyCount == 0) {
            Q_UNUSED(params);
            Q_UNUSED(record);
            return true;
        } else if constexpr (keyCount == 1) {
            QString value;
            if (!ParamText::singleValue(ParamText::effective(params, defaultParams()), &value))
                return false;
            (readOne(value, record.*Fields), ...);
            return true;
        } else {
            QStringList values;
            if (!ParamText::splitValues(ParamText::effective(params, defaultParams()), keyCount, &values))
                return false;
            int i = 0;
            (readField(values.at(i++), record.*Fields), ...);
            return true;
        }
    }

    virtual QString formatRecord(const Record &record) const
    {
        QString text = QString::fromLatin1(identity().formatTemplate);
        ((text = text.arg(record.*Fields)), ...);
        Q_UNUSED(record);
        return text;
    }

private:
    static void readField(const QString &value, int &field) { field = ParamText::toSigned(value); }
    static void readField(const QString &value, unsigned &field) { field = ParamText::toUnsigned(value); }

    void readOne(const QString &value, int &field) const
    {
        field = identity().oneKeyReadsWholeNumber ? ParamText::toSigned(value)
                                                  : ParamText::toTruncated(value);
    }
    void readOne(const QString &value, unsigned &field) const { field = ParamText::toUnsigned(value); }
};

#endif

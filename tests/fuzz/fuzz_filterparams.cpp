// Parameter strings of every filter plug-in, as a project file or a command line
// may hand them over. The built plug-ins are loaded the way the program loads
// them. For each filter and each input:
//  - the input as a parameter string: parsing never crashes or hangs, the
//    registry's check agrees with the parser, and the string the filter writes
//    for the record parses back to the same record and is written the same again;
//  - the input as the numbers of a record: the string the filter writes for it
//    parses back to that record.

#include <QHash>

#include <cstring>
#include <functional>
#include <memory>
#include <tuple>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"
#include "fuzzutils.h"
#include "engine/runtime/imagelibrary.h"

namespace {

// The fields a record carries through its string. Border's Type and Scale are
// read but have no effect and are always written as 0, so they are left out.
auto fields(ResizeParams &r) { return std::tie(r.Type, r.Width, r.Height, r.Radio, r.RadioBy); }
auto fields(CropParams &r) { return std::tie(r.Type, r.Width, r.Height, r.xOffset, r.yOffset); }
auto fields(RollParams &r) { return std::tie(r.Type, r.Columns, r.Rows); }
auto fields(FlipParams &r) { return std::tie(r.Vertical, r.Horizontal); }
auto fields(RotateParams &r) { return std::tie(r.Degree); }
auto fields(FitParams &r) { return std::tie(r.Width, r.Height, r.Enlarge, r.Sharpen); }
auto fields(LevelsParams &r) { return std::tie(r.Channel, r.Black, r.White, r.Mid); }
auto fields(ModulateParams &r) { return std::tie(r.Hue, r.Saturation, r.Lightness); }
auto fields(SharpenParams &r) { return std::tie(r.Channel, r.Radius, r.Sigma); }
auto fields(ContrastParams &r) { return std::tie(r.Contrast, r.Lightness); }
auto fields(BorderParams &r) { return std::tie(r.Width, r.Height, r.Red, r.Green, r.Blue); }
auto fields(RaiseParams &r) { return std::tie(r.Width, r.Raise); }
auto fields(ShadeParams &r) { return std::tie(r.Azimuth, r.Elevation, r.ColorShading); }
auto fields(CharcoalParams &r) { return std::tie(r.Radius, r.Simga); }
auto fields(NoiseParams &r) { return std::tie(r.Method); }
auto fields(SolarizeParams &r) { return std::tie(r.Value); }
auto fields(OilPaintParams &r) { return std::tie(r.Value); }
auto fields(ImplodeParams &r) { return std::tie(r.Value); }
auto fields(GaussianBlurParams &r) { return std::tie(r.Width, r.Simga); }
auto fields(BlurParams &r) { return std::tie(r.Value); }
auto fields(SwirlParams &r) { return std::tie(r.Degrees); }
auto fields(WaveParams &r) { return std::tie(r.Amplitude, r.Length); }
auto fields(EdgeParams &r) { return std::tie(r.Radius); }
auto fields(SpreadParams &r) { return std::tie(r.Amount); }
auto fields(EmbossParams &r) { return std::tie(r.Radius, r.Simga); }
auto fields(WatermarkParams &r)
{
    return std::tie(r.Kind, r.Text, r.Font, r.Size, r.Red, r.Green, r.Blue, r.Opacity, r.Position, r.Margin, r.Logo,
                    r.Scale);
}
auto fields(NoParams &) { return std::tie(); }

QString shown(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }
template <typename T>
QString shown(T number) { return QString::number(number); }

// Numbers for a record's fields, taken from the input in turn (zeros once it runs out).
class Numbers
{
public:
    Numbers(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    template <typename T>
    void next(T &value)
    {
        unsigned char bytes[sizeof(T)] = {};
        const size_t n = std::min(sizeof(T), m_size - m_used);
        std::memcpy(bytes, m_data + m_used, n);
        m_used += n;
        std::memcpy(&value, bytes, sizeof(T));
    }

    // A text of up to eight UTF-16 units, any of them: lone surrogates and
    // control characters included.
    void next(QString &text)
    {
        quint8 length = 0;
        next(length);
        text.clear();
        for (int i = 0; i < length % 9; ++i) {
            char16_t unit = 0;
            next(unit);
            text.append(QChar(unit));
        }
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_used = 0;
};

QString describe(const QString &filter, const QString &what, const QString &a, const QString &b)
{
    return filter + QLatin1String(": ") + what + QLatin1String("\n  ") + a + QLatin1String("\n  ") + b;
}

struct RecordKind
{
    std::function<std::unique_ptr<FilterParams>()> make;
    std::function<bool(FilterParams &, FilterParams &)> same;
    std::function<void(FilterParams &, Numbers &)> fill;
    std::function<QString(FilterParams &)> show;
};

template <typename Record>
RecordKind kind()
{
    RecordKind k;
    k.make = [] { return std::make_unique<Record>(); };
    k.same = [](FilterParams &a, FilterParams &b) {
        return fields(static_cast<Record &>(a)) == fields(static_cast<Record &>(b));
    };
    k.fill = [](FilterParams &record, Numbers &numbers) {
        std::apply([&](auto &...field) { (numbers.next(field), ...); }, fields(static_cast<Record &>(record)));
        if constexpr (std::is_same_v<Record, BorderParams> || std::is_same_v<Record, WatermarkParams>) {
            // A colour component is written as three digits: 0..999 is what the
            // string can carry at all (a component past 255 is full).
            auto &coloured = static_cast<Record &>(record);
            coloured.Red %= 1000;
            coloured.Green %= 1000;
            coloured.Blue %= 1000;
        }
    };
    k.show = [](FilterParams &record) {
        QStringList text;
        std::apply([&](auto &...field) { ((text << shown(field)), ...); },
                   fields(static_cast<Record &>(record)));
        return text.join(QLatin1Char(' '));
    };
    return k;
}

// By the name the filter carries in projects and on command lines.
const QHash<QString, RecordKind> &recordKinds()
{
    static const QHash<QString, RecordKind> kinds{
        {"Auto Contrast", kind<NoParams>()},     {"Blur", kind<BlurParams>()},
        {"Border", kind<BorderParams>()},        {"Charcoal", kind<CharcoalParams>()},
        {"Contrast", kind<ContrastParams>()},    {"Crop", kind<CropParams>()},
        {"Edge", kind<EdgeParams>()},            {"Emboss", kind<EmbossParams>()},
        {"Fit", kind<FitParams>()},
        {"Equalize", kind<NoParams>()},          {"Flip", kind<FlipParams>()},
        {"Gaussian Blur", kind<GaussianBlurParams>()}, {"Black & White", kind<NoParams>()},
        {"Implode", kind<ImplodeParams>()},      {"Levels", kind<LevelsParams>()},
        {"Hue/Saturation", kind<ModulateParams>()}, {"Noise", kind<NoiseParams>()},
        {"Oil Paint", kind<OilPaintParams>()},   {"Raise", kind<RaiseParams>()},
        {"Reduce Noise", kind<NoParams>()},      {"Resize", kind<ResizeParams>()},
        {"Roll", kind<RollParams>()},            {"Rotate", kind<RotateParams>()},
        {"Shade", kind<ShadeParams>()},          {"Sharpen", kind<SharpenParams>()},
        {"Solarize", kind<SolarizeParams>()},    {"Spread", kind<SpreadParams>()},
        {"Swirl", kind<SwirlParams>()},          {"Wave", kind<WaveParams>()},
        {"Watermark", kind<WatermarkParams>()},
    };
    return kinds;
}

struct Filter
{
    FilterInterface *plugin;
    const RecordKind *kind;
};
QList<Filter> filters;

void checkString(const Filter &filter, const QString &params)
{
    const QString name = filter.plugin->name();
    auto first = filter.kind->make();
    const bool parsed = filter.plugin->parseParams(params, *first);
    if (parsed != FilterRegistry::acceptsParams(filter.plugin, params))
        Fuzz::fail("the registry's check and the parser disagree", name + QLatin1String(": ") + params);
    if (!parsed)
        return;

    const QString written = filter.plugin->formatParams(*first);
    auto second = filter.kind->make();
    if (!filter.plugin->parseParams(written, *second))
        Fuzz::fail("a written string does not parse", describe(name, params, written, QString()));
    if (!filter.kind->same(*first, *second))
        Fuzz::fail("a written string parses to another record",
                   describe(name, params + QLatin1String(" -> ") + written, filter.kind->show(*first),
                            filter.kind->show(*second)));
    const QString again = filter.plugin->formatParams(*second);
    if (again != written)
        Fuzz::fail("the written string changes when written again", describe(name, params, written, again));
}

void checkRecord(const Filter &filter, const uint8_t *data, size_t size)
{
    auto record = filter.kind->make();
    Numbers numbers(data, size);
    filter.kind->fill(*record, numbers);
    const QString written = filter.plugin->formatParams(*record);
    auto back = filter.kind->make();
    if (!filter.plugin->parseParams(written, *back) || !filter.kind->same(*record, *back))
        Fuzz::fail("a record does not survive its string",
                   describe(filter.plugin->name(), written, filter.kind->show(*record), filter.kind->show(*back)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    // Each plug-in holds an image of the library from the moment it is loaded.
    ImageLibrary::initialize((*argv)[0]);
    FilterRegistry &registry = FilterRegistry::instance();
    registry.loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    for (int i = 0; i < registry.count(); ++i) {
        FilterInterface *plugin = registry.filterAt(i);
        const auto kind = recordKinds().constFind(plugin->name());
        if (kind == recordKinds().constEnd())
            Fuzz::fail("a filter without a record kind here; add it", plugin->name());
        filters.append(Filter{plugin, &kind.value()});
    }
    // Every filter, or the run proves nothing about the missing ones.
    if (filters.size() != recordKinds().size())
        Fuzz::fail("not every filter plug-in loaded from", QStringLiteral(KELVARINE_PLUGIN_DIR));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString params = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const Filter &filter : filters) {
        checkString(filter, params);
        checkRecord(filter, data, size);
    }
    return 0;
}

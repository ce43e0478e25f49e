#include "gui/filters/filterpages.h"

#include <QString>

#include <type_traits>

namespace {

template <typename Member>
struct MemberOf;

template <typename Record, typename Value>
struct MemberOf<Value Record::*>
{
    using RecordType = Record;
    using ValueType = Value;
};

int toInt(int value) { return value; }
int toInt(unsigned value) { return int(value); }
int toInt(const QString &value) { return value.toInt(); }

template <typename Value>
Value fromInt(int value)
{
    if constexpr (std::is_same_v<Value, QString>)
        return QString::number(value);
    else
        return Value(value);
}

template <auto Member>
FieldAccess field()
{
    using Record = typename MemberOf<decltype(Member)>::RecordType;
    using Value = typename MemberOf<decltype(Member)>::ValueType;
    return {[](const FilterParams &record) { return toInt(static_cast<const Record &>(record).*Member); },
            [](FilterParams &record, int value) { static_cast<Record &>(record).*Member = fromInt<Value>(value); }};
}

template <auto Member>
FieldAccess textField()
{
    using Record = typename MemberOf<decltype(Member)>::RecordType;
    return {nullptr, nullptr, [](const FilterParams &record) { return static_cast<const Record &>(record).*Member; },
            [](FilterParams &record, const QString &value) { static_cast<Record &>(record).*Member = value; }};
}

template <typename Record>
std::unique_ptr<FilterParams> record()
{
    return std::make_unique<Record>();
}

// The form's pages; the index is the one the plug-ins name.
std::vector<PageShape> makePages()
{
    std::vector<PageShape> pages;
    pages.push_back({1, record<BlurParams>,
                     {{"step1_value", field<&BlurParams::Value>(), ShowAs::Value, "step1_lbValue"}}});
    // The border's type list is hidden and its Scale has no widget: both are written as 0.
    pages.push_back({2, record<BorderParams>,
                     {{"step2_cbType", field<&BorderParams::Type>(), ShowAs::NonZero},
                      {"step2_width", field<&BorderParams::Width>()},
                      {"step2_height", field<&BorderParams::Height>()},
                      {"step2_Color", field<&BorderParams::Red>(), ShowAs::Red},
                      {"step2_Color", field<&BorderParams::Green>(), ShowAs::Green},
                      {"step2_Color", field<&BorderParams::Blue>(), ShowAs::Blue}}});
    pages.push_back({3, record<CharcoalParams>,
                     {{"step3_radius", field<&CharcoalParams::Radius>(), ShowAs::Value, "step3_lbRadius"},
                      {"step3_sigma", field<&CharcoalParams::Simga>(), ShowAs::Value, "step3_lbSigma"}}});
    pages.push_back({4, record<EdgeParams>,
                     {{"step4_radius", field<&EdgeParams::Radius>(), ShowAs::Value, "step4_lbRadius"}}});
    pages.push_back({5, record<EmbossParams>,
                     {{"step5_radius", field<&EmbossParams::Radius>(), ShowAs::Value, "step5_lbRadius"},
                      {"step5_sigma", field<&EmbossParams::Simga>(), ShowAs::Value, "step5_lbSigma"}}});
    pages.push_back({6, record<GaussianBlurParams>,
                     {{"step6_width", field<&GaussianBlurParams::Width>(), ShowAs::Value, "step6_lbWidth"},
                      {"step6_sigma", field<&GaussianBlurParams::Simga>(), ShowAs::Value, "step6_lbSigma"}}});
    pages.push_back({8, record<ImplodeParams>,
                     {{"step8_value", field<&ImplodeParams::Value>(), ShowAs::Value, "step8_lbValue"}}});
    pages.push_back({9, record<NoiseParams>, {{"step9_type", field<&NoiseParams::Method>(), ShowAs::RowOrKeep}}});
    pages.push_back({10, record<OilPaintParams>,
                     {{"step10_value", field<&OilPaintParams::Value>(), ShowAs::Value, "step10_lbValue"}}});
    pages.push_back({11, record<RaiseParams>,
                     {{"step11_width", field<&RaiseParams::Width>(), ShowAs::Value, "step11_lbWidth"},
                      {"step11_effect", field<&RaiseParams::Raise>(), ShowAs::NonZero}}});
    pages.push_back({12, record<SolarizeParams>,
                     {{"step12_value", field<&SolarizeParams::Value>(), ShowAs::Value, "step12_lbValue"}}});
    pages.push_back({13, record<ShadeParams>,
                     {{"step13_azimuth", field<&ShadeParams::Azimuth>(), ShowAs::Value, "step13_lbAzimuth"},
                      {"step13_elevation", field<&ShadeParams::Elevation>(), ShowAs::Value, "step13_lbElevation"},
                      {"step13_grayscale", field<&ShadeParams::ColorShading>(), ShowAs::NonZero}}});
    pages.push_back({14, record<SpreadParams>,
                     {{"step14_amount", field<&SpreadParams::Amount>(), ShowAs::Value, "step14_lbAmount"}}});
    pages.push_back({15, record<SwirlParams>,
                     {{"step15_degrees", field<&SwirlParams::Degrees>(), ShowAs::Value, "step15_lbDegrees"}}});
    pages.push_back({16, record<WaveParams>,
                     {{"step16_amplitude", field<&WaveParams::Amplitude>(), ShowAs::Value, "step16_lbAmplitude"},
                      {"step16_length", field<&WaveParams::Length>(), ShowAs::Value, "step16_lbLength"}}});
    pages.push_back({18, record<ContrastParams>,
                     {{"step18_contrast", field<&ContrastParams::Contrast>(), ShowAs::Value, "step18_lbContrast"},
                      {"step18_lightness", field<&ContrastParams::Lightness>(), ShowAs::Value, "step18_lbLightness"}}});
    pages.push_back({19, record<ModulateParams>,
                     {{"step19_hue", field<&ModulateParams::Hue>(), ShowAs::Value, "step19_lbHue"},
                      {"step19_saturation", field<&ModulateParams::Saturation>(), ShowAs::Value, "step19_lbSaturation"},
                      {"step19_lightness", field<&ModulateParams::Lightness>(), ShowAs::Value, "step19_lbLightness"}}});
    pages.push_back({20, record<LevelsParams>,
                     {{"step20_channel", field<&LevelsParams::Channel>(), ShowAs::RowOrFirst},
                      {"step20_black", field<&LevelsParams::Black>(), ShowAs::Value, "step20_lbBlack"},
                      {"step20_white", field<&LevelsParams::White>(), ShowAs::Value, "step20_lbWhite"},
                      {"step20_mid", field<&LevelsParams::Mid>(), ShowAs::Value, "step20_lbMid"}}});
    pages.push_back({21, record<SharpenParams>,
                     {{"step21_channel", field<&SharpenParams::Channel>(), ShowAs::RowOrFirst},
                      {"step21_radius", field<&SharpenParams::Radius>(), ShowAs::Value, "step21_lbRadius"},
                      {"step21_sigma", field<&SharpenParams::Sigma>(), ShowAs::Value, "step21_lbSigma"}}});
    pages.push_back({22, record<FlipParams>,
                     {{"step22_vertically", field<&FlipParams::Vertical>(), ShowAs::One},
                      {"step22_horizontally", field<&FlipParams::Horizontal>(), ShowAs::One}}});
    pages.push_back({23, record<CropParams>,
                     {{"step23_percents", field<&CropParams::Type>(), ShowAs::NonZero, nullptr, "step23_pixels"},
                      {"step23_width", field<&CropParams::Width>()},
                      {"step23_height", field<&CropParams::Height>()},
                      {"step23_left", field<&CropParams::xOffset>()},
                      {"step23_top", field<&CropParams::yOffset>()}},
                     {"step23_percents", true,
                      {{"step23_width", Qt::Horizontal},
                       {"step23_height", Qt::Vertical},
                       {"step23_left", Qt::Horizontal, true},
                       {"step23_top", Qt::Vertical, true}}}});
    pages.push_back({24, record<ResizeParams>,
                     {{"step24_percents", field<&ResizeParams::Type>(), ShowAs::One, nullptr, "step24_pixels"},
                      {"step24_width", field<&ResizeParams::Width>(), ShowAs::Value, nullptr, nullptr, nullptr, true},
                      {"step24_height", field<&ResizeParams::Height>(), ShowAs::Value, nullptr, nullptr, nullptr, true},
                      {"step24_radio", field<&ResizeParams::Radio>(), ShowAs::NonZero, nullptr, nullptr, nullptr, true},
                      {"step24_radio", field<&ResizeParams::RadioBy>(), ShowAs::Value, nullptr, nullptr,
                       FilterPages::leadingDimension}},
                     {"step24_percents", false, {{"step24_width", Qt::Horizontal}, {"step24_height", Qt::Vertical}}}});
    pages.push_back({25, record<RollParams>,
                     {{"step25_percents", field<&RollParams::Type>(), ShowAs::NonZero, nullptr, "step25_pixels"},
                      {"step25_columns", field<&RollParams::Columns>()},
                      {"step25_rows", field<&RollParams::Rows>()}},
                     {"step25_percents", true, {{"step25_columns", Qt::Horizontal}, {"step25_rows", Qt::Vertical}}}});
    pages.push_back({26, record<RotateParams>,
                     {{"step26_degreen", field<&RotateParams::Degree>(), ShowAs::Value, "step26_lbDegreen"}}});
    pages.push_back({27, record<FitParams>,
                     {{"step27_width", field<&FitParams::Width>()},
                      {"step27_height", field<&FitParams::Height>()},
                      {"step27_enlarge", field<&FitParams::Enlarge>(), ShowAs::One},
                      {"step27_sharpen", field<&FitParams::Sharpen>(), ShowAs::Value, "step27_lbSharpen"}}});
    pages.push_back({28, record<WatermarkParams>,
                     {{"step28_kind", field<&WatermarkParams::Kind>(), ShowAs::RowOrFirst},
                      {"step28_text", textField<&WatermarkParams::Text>()},
                      {"step28_font", textField<&WatermarkParams::Font>()},
                      {"step28_size", field<&WatermarkParams::Size>()},
                      {"step28_color", field<&WatermarkParams::Red>(), ShowAs::Red},
                      {"step28_color", field<&WatermarkParams::Green>(), ShowAs::Green},
                      {"step28_color", field<&WatermarkParams::Blue>(), ShowAs::Blue},
                      {"step28_opacity", field<&WatermarkParams::Opacity>(), ShowAs::Value, "step28_lbOpacity"},
                      {"step28_position", field<&WatermarkParams::Position>(), ShowAs::RowOrKeep},
                      {"step28_margin", field<&WatermarkParams::Margin>()},
                      {"step28_logo", textField<&WatermarkParams::Logo>()},
                      {"step28_scale", field<&WatermarkParams::Scale>()}}});
    return pages;
}

} // namespace

namespace FilterPages {

const std::vector<PageShape> &all()
{
    static const std::vector<PageShape> pages = makePages();
    return pages;
}

const PageShape *shape(int page)
{
    for (const PageShape &shape : all()) {
        if (shape.page == page)
            return &shape;
    }
    return nullptr;
}

} // namespace FilterPages

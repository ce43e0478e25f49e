#ifndef WATERMARKEFFECT_H
#define WATERMARKEFFECT_H

#include "filterframe.h"

// Lays a text or a PNG logo over the picture. Its string holds text values
// (escaped, see ParamText::escaped), so it reads and writes the string itself:
//   Kind:0,Text:© ,Font:DejaVu Sans,Size:5,Color:255255255,Opacity:50,
//   Position:8,Margin:2,Logo:,Scale:20
// A logo that is missing or cannot be read fails the picture: apply() then
// throws a std::runtime_error carrying the message for the user, which the
// host's guard around a filter turns into that picture's failure. A watermark
// silently left out would give pictures without the mark the user asked for.
using WatermarkFrame = FilterFrame<WatermarkParams>;

class WatermarkEffect : public WatermarkFrame
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FilterInterface_iid FILE "watermarkeffect.json")

public:
    WatermarkEffect();

    QString defaultParams() const override;
    QString summary(const QString &params) const override;

protected:
    void run(const WatermarkParams &p, Magick::Image &image) const override;
    bool parseRecord(const QString &params, WatermarkParams &record) const override;
    QString formatRecord(const WatermarkParams &record) const override;
};

#endif

#include "gui/filters/unitswitch.h"

#include <QSpinBox>

#include <cmath>

#include "gui/filters/filterpages.h"

namespace UnitSwitch {

int percentOf(int pixels, int dimension)
{
    return int(std::trunc(double(pixels) * 100.0 / dimension + 0.5));
}

int pixelsOf(int percent, int dimension)
{
    return int(qint64(dimension) * percent / 100);
}

namespace {

int dimensionOf(const UnitField &field, QSize picture)
{
    return field.axis == Qt::Horizontal ? picture.width() : picture.height();
}

int maximumOf(const UnitField &field, bool percent, QSize picture)
{
    const int reserve = field.offset ? 1 : 0;  // a position leaves at least one pixel
    if (percent)
        return 100 - reserve;
    return picture.isValid() ? dimensionOf(field, picture) - reserve : largestPixelValue;
}

} // namespace

void setRanges(QWidget *page, const UnitFields &units, bool percent, QSize picture)
{
    if (!units.limited)
        return;
    for (const UnitField &field : units.fields) {
        if (auto *spin = page->findChild<QSpinBox *>(QLatin1String(field.widget)))
            spin->setMaximum(maximumOf(field, percent, picture));
    }
}

void convert(QWidget *page, const UnitFields &units, bool toPercent, QSize picture)
{
    struct Held
    {
        QSpinBox *spin;
        int dimension;
        int value;
    };
    std::vector<Held> held;
    for (const UnitField &field : units.fields) {
        if (auto *spin = page->findChild<QSpinBox *>(QLatin1String(field.widget)))
            held.push_back({spin, dimensionOf(field, picture), spin->value()});
    }
    setRanges(page, units, toPercent, picture);
    if (!picture.isValid())
        return;
    for (const Held &field : held) {
        const int value = field.value;
        field.spin->setValue(toPercent ? percentOf(value, field.dimension) : pixelsOf(value, field.dimension));
    }
}

} // namespace UnitSwitch

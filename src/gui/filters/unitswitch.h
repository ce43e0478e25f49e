#ifndef UNITSWITCH_H
#define UNITSWITCH_H

// Values of a settings page given in pixels or in percent of the picture's width
// or height (filterpages.h, UnitFields): their ranges in each unit, and the
// conversion when the user switches units. Without a picture (nothing to divide
// by) values are not converted, only kept within the unit's range.
//
// Threads: GUI thread only.

#include <QSize>

struct UnitFields;
class QWidget;

namespace UnitSwitch {

// The largest value of a pixel field while no picture gives its size.
constexpr int largestPixelValue = 100000;

// A value in pixels as a percentage of the dimension, and back.
int percentOf(int pixels, int dimension);
int pixelsOf(int percent, int dimension);

// Sets the ranges of the page's fields (when the page limits them) for the unit;
// `picture` invalid: pixel fields reach largestPixelValue.
void setRanges(QWidget *page, const UnitFields &units, bool percent, QSize picture);
// Converts the page's values to the other unit, against the picture's size.
void convert(QWidget *page, const UnitFields &units, bool toPercent, QSize picture);

} // namespace UnitSwitch

#endif

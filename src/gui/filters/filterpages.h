#ifndef FILTERPAGES_H
#define FILTERPAGES_H

// What each page of the filter settings dialog edits, as data: which widget of
// the page stands for which field of the filter's record (filterparams.h), how a
// stored value shows in the widget, which label follows a slider, and which
// values switch between pixels and percent. A filter whose settings look like an
// existing page's only names that page (FilterInterface::settingsPage()); a new
// page shape is a form page and one entry in filterpages.cpp.
//
// Threads: GUI thread only (the pages are read and written through widgets).

#include <Qt>

#include <memory>
#include <vector>

#include "filterparams.h"

class QString;

// One field of a record, read and written as an int whatever its type; a text
// field (a watermark's words, a file's path) as text instead, through the pair
// at the end, which is set for text fields only.
struct FieldAccess
{
    int (*get)(const FilterParams &record);
    void (*set)(FilterParams &record, int value);
    QString (*getText)(const FilterParams &record) = nullptr;
    void (*setText)(FilterParams &record, const QString &value) = nullptr;
};

// How a stored value shows in its widget. Writing back is the widget's plain
// state: a slider's or spin box's value, a list's row, 1 or 0 for a check box or
// the percent button of a unit pair; a text field's line edit's text or the
// family of a font list.
enum class ShowAs {
    Value,       // as it is (a slider or spin box keeps it within its range)
    NonZero,     // anything but 0 checks the box, picks the second row, or percent
    One,         // only 1 does
    RowOrFirst,  // a row of the list; outside the list the first row (all channels)
    RowOrKeep,   // a row of the list; outside the list the row stays as it was
    Red,         // one component (0..255) of the colour a button shows
    Green,
    Blue,
};

struct FieldBinding
{
    const char *widget;
    FieldAccess field;
    ShowAs show = ShowAs::Value;
    const char *label = nullptr;    // shows the slider's value while it moves
    const char *pixels = nullptr;   // the other button of a pixels/percent pair (widget: the percent one)
    const char *property = nullptr; // the value is kept on the widget, not shown by it
    // The page's own handler reacts to changes of this widget (the aspect ratio
    // of the resize page); the generic connection leaves it alone.
    bool ownHandler = false;
};

// Values that are pixels or percent of the picture's width or height.
struct UnitField
{
    const char *widget;
    Qt::Orientation axis;
    bool offset = false;  // a position: at most one less than the size
};

struct UnitFields
{
    const char *percents;  // the button that stands for percent
    // Each unit keeps the values within its range (100 %, or the picture's size).
    bool limited = false;
    std::vector<UnitField> fields;
};

struct PageShape
{
    int page;  // index in the form's stacked widget
    std::unique_ptr<FilterParams> (*makeRecord)();
    std::vector<FieldBinding> fields;
    UnitFields units = {};
};

namespace FilterPages {

// The property of the resize page's keep-aspect box that holds the dimension
// edited last (0 width, 1 height), which leads when the aspect ratio is kept.
constexpr char leadingDimension[] = "leading";

// The page's description; nullptr for pages without settings.
const PageShape *shape(int page);
const std::vector<PageShape> &all();

} // namespace FilterPages

#endif

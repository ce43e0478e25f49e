#ifndef PAGEBINDER_H
#define PAGEBINDER_H

// Ties a page of the filter settings dialog to the filter's parameter string as
// its description (filterpages.h) says: the string through the plug-in's own
// parseParams into the widgets, the widgets through formatParams back into a
// string, and every change of a bound widget to one handler.
//
// Threads: GUI thread only.

#include <QColor>
#include <QString>

#include <functional>

class FilterInterface;
struct PageShape;
class QObject;
class QWidget;

namespace PageBinder {

// Fills the page's widgets; false (and nothing changed) when the filter cannot
// read the string. The caller keeps its own change handlers quiet meanwhile.
bool read(const PageShape &shape, QWidget *page, const FilterInterface &filter, const QString &params);
// The string the page's widgets stand for; `shape` nullptr: a filter without settings.
QString write(const PageShape *shape, const QWidget *page, const FilterInterface &filter);
// Calls `changed` whenever the user changes a bound widget of the page (a slider
// when it is released); a slider's label follows its value.
void connectChanges(const PageShape &shape, QWidget *page, QObject *context, const std::function<void()> &changed);

// The colour a colour button stands for, and showing one on it.
QColor colorOf(const QWidget *button);
void setColor(QWidget *button, const QColor &color);

} // namespace PageBinder

#endif

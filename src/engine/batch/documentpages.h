#ifndef DOCUMENTPAGES_H
#define DOCUMENTPAGES_H

// The multi-page document of a batch as it grows: the pages kept so far, in
// picture order, with the source each came from, and the document written from
// them once the planner says it is due. The wizard's Converter and
// kelvarine-batch's runner keep their document here alike.
//
// Threads: one thread at a time (whoever puts outputs in place, in picture order).

#include <QList>
#include <QStringList>

#include <Magick++.h>

#include <optional>

#include "engine/picture/picturepipeline.h"

class BatchPlanner;

class DocumentPages
{
public:
    // Keeps the page made from picture `source`; its result as the log tells it.
    PictureResult add(const Magick::Image &page, const QString &source);
    void clear();
    bool isEmpty() const { return m_pages.isEmpty(); }

    // Once picture `index` has ended with `status`: writes the document when it is
    // due and has pages (the pages made, also when the last picture failed: one
    // bad picture at the end does not cost the whole document), and gives its
    // result; nothing otherwise. The pages are given up once written.
    std::optional<PictureResult> placeIfDue(const BatchPlanner &planner, int index, RunStatus status);

private:
    QList<Magick::Image> m_pages;
    QStringList m_sources;
};

#endif

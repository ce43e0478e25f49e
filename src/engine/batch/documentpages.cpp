#include "engine/batch/documentpages.h"

#include "engine/batch/batchplanner.h"

PictureResult DocumentPages::add(const Magick::Image &page, const QString &source)
{
    m_pages.append(page);
    m_sources.append(source);
    PictureResult result;
    result.status = StatusConverted;
    return result;
}

void DocumentPages::clear()
{
    m_pages.clear();
    m_sources.clear();
}

std::optional<PictureResult> DocumentPages::placeIfDue(const BatchPlanner &planner, int index, RunStatus status)
{
    if (m_pages.isEmpty() || !planner.documentDue(index, status))
        return std::nullopt;
    const PictureResult result = PicturePipeline::placeDocument(m_pages, planner.documentExtension(),
                                                                planner.documentPath(), m_sources,
                                                                planner.job().deleteSource);
    clear();
    return result;
}

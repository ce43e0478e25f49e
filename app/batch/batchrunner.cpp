#include "batchrunner.h"

#include <QFileInfo>
#include <QFuture>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include "imagelibrary.h"
#include "picturetarget.h"
#include "safefile.h"

struct BatchRunner::Rendered
{
    bool ok = false;
    PictureResult failure;
    std::shared_ptr<OutputFile> output;  // Encode: written, not yet in place
    Magick::Image page;                  // Page
};

BatchRunner::BatchRunner(const QList<PictureEntry> &pictures, const ConversionJob &job)
    : m_pictures(pictures)
    , m_job(job)
{
    planAll();
}

void BatchRunner::planAll()
{
    const QString format = m_job.outputFormat();
    QString document;
    QString documentExtension;
    for (int i = 0; i < m_pictures.size(); ++i) {
        const PictureEntry &picture = m_pictures.at(i);
        Plan plan;
        plan.source = picture.path;
        const QString name = PictureTarget::newFileName(picture.path, i);
        const QString dir = m_job.outputDirFor(picture);
        if (name.isEmpty()) {
            plan.missing = true;
            plan.render = false;
        } else if (PictureTarget::copyOnly(m_job.chain.isEmpty(), format, picture.path)) {
            plan.mode = Mode::Copy;
            plan.target = PictureTarget::copyTarget(dir, name);
            // Copies are made ahead on the workers like encoded outputs; a move is
            // one rename, done when its turn comes.
            plan.render = !m_job.deleteSource;
        } else if (m_job.multiPage) {
            // The first picture that becomes a page names the document.
            if (document.isEmpty()) {
                documentExtension = PictureTarget::extension(format, name);
                document = PictureTarget::encodedTarget(dir, name, documentExtension);
            }
            plan.mode = Mode::Page;
            plan.target = document;
            plan.extension = documentExtension;
        } else {
            plan.mode = Mode::Encode;
            plan.extension = PictureTarget::extension(format, name);
            plan.target = PictureTarget::encodedTarget(dir, name, plan.extension);
        }
        m_plans.append(plan);
    }
}

QStringList BatchRunner::targets() const
{
    QStringList targets;
    for (const Plan &plan : m_plans)
        targets.append(plan.target);
    return targets;
}

BatchRunner::Rendered BatchRunner::renderOne(const Plan &plan) const
{
    Rendered rendered;
    if (plan.mode == Mode::Copy) {
        QString reason;
        rendered.output = SafeFile::copyToOutput(plan.source, plan.target, &reason);
        rendered.ok = rendered.output != nullptr;
        rendered.failure.status = StatusFailed;
        rendered.failure.message = PicturePipeline::errorText(reason);
        return rendered;
    }
    rendered.ok = PicturePipeline::guarded(rendered.failure, [&] {
        RenderedPicture picture = PicturePipeline::render(plan.source, m_job.chain, m_job.output);
        if (plan.mode == Mode::Page) {
            rendered.page = PicturePipeline::asPage(picture, plan.extension);
        } else {
            const int quality = m_job.output.qualityFor(m_job.quality(), plan.extension);
            rendered.output =
                PicturePipeline::encode(picture, plan.extension, quality, plan.target, plan.source, m_job.output);
        }
    });
    return rendered;
}

OverwriteCheck::Outcome BatchRunner::resolve(QString &target)
{
    const OverwritePolicy policy = m_policy;
    return OverwriteCheck::resolve(target, m_yesToAll, m_noToAll, [policy](const QString &, QString &) {
        switch (policy) {
        case OverwritePolicy::Overwrite:
            return int(OverwriteYes);
        case OverwritePolicy::Abort:
            return int(OverwriteAbort);
        case OverwritePolicy::Skip:
            break;
        }
        return int(OverwriteNo);
    });
}

BatchSummary BatchRunner::run(const Progress &progress)
{
    const int count = m_plans.size();

    // A target that is already there stays there while the batch runs (only a
    // deleted source could make one go), so the policy's verdict on it is known
    // now: nothing to decode for a skip, nothing at all after an abort.
    if (!m_job.deleteSource && m_policy != OverwritePolicy::Overwrite) {
        bool abortAhead = false;
        for (Plan &plan : m_plans) {
            if (abortAhead) {
                plan.render = false;
            } else if (!plan.missing && QFileInfo::exists(plan.target)) {
                plan.render = false;
                abortAhead = m_policy == OverwritePolicy::Abort;
            }
        }
    }

    QThreadPool pool;
    pool.setMaxThreadCount(m_jobs);
    ImageLibrary::setThreadLimit(std::max(1, QThread::idealThreadCount() / m_jobs));

    QList<QFuture<Rendered>> futures(count);
    int submitted = 0;
    // Enough conversions ahead to keep every worker busy while outputs are put in
    // place, few enough that finished ones do not pile up in memory.
    const int ahead = 2 * m_jobs;

    BatchSummary summary;
    QList<Magick::Image> pages;
    QStringList pageSources;
    enum { DocumentOpen, DocumentAccepted, DocumentDeclined } document = DocumentOpen;
    QString documentPath;
    QString documentExtension;

    for (int i = 0; i < count; ++i) {
        for (; submitted < std::min(count, i + 1 + ahead); ++submitted) {
            const Plan &plan = m_plans.at(submitted);
            if (plan.render)
                futures[submitted] = QtConcurrent::run(&pool, [this, plan] { return renderOne(plan); });
        }
        if (m_interrupted && m_interrupted->load()) {
            summary.aborted = true;
            break;
        }
        const Plan &plan = m_plans.at(i);
        auto rendered = [&] {
            Rendered result = futures[i].isValid() ? futures[i].result() : renderOne(plan);
            futures[i] = QFuture<Rendered>();  // the page or the output now has one owner
            return result;
        };

        PictureResult result;
        result.target = plan.target;
        OverwriteCheck::Outcome outcome = OverwriteCheck::Proceed;
        if (plan.missing) {
            result = PicturePipeline::missingSource(plan.source);
        } else if (plan.mode == Mode::Page) {
            if (document == DocumentOpen) {
                QString target = plan.target;
                outcome = resolve(target);
                document = outcome == OverwriteCheck::Proceed ? DocumentAccepted : DocumentDeclined;
                documentPath = target;
                documentExtension = plan.extension;
            }
            result.target = documentPath;
            if (document == DocumentAccepted) {
                const Rendered page = rendered();
                if (page.ok) {
                    pages.append(page.page);
                    pageSources.append(plan.source);
                    result.status = StatusConverted;
                } else {
                    result = page.failure;
                }
            }
        } else {
            QString target = plan.target;
            outcome = resolve(target);
            if (outcome == OverwriteCheck::Proceed) {
                if (plan.mode == Mode::Copy && !plan.render) {
                    result = PicturePipeline::copyPicture(plan.source, target, m_job.deleteSource);
                } else if (plan.mode == Mode::Copy && SafeFile::samePath(plan.source, target)) {
                    result.status = StatusConverted;  // the file is its own copy already
                } else {
                    const Rendered output = rendered();
                    result = output.ok ? PicturePipeline::placeOutput(*output.output, plan.source, m_job.deleteSource)
                                       : output.failure;
                }
            }
            result.target = target;
        }
        if (outcome == OverwriteCheck::Abort)
            result.status = StatusAborted;

        switch (result.status) {
        case StatusConverted:
            ++summary.converted;
            break;
        case StatusFailed:
            ++summary.failed;
            break;
        case StatusAborted:
            summary.aborted = true;
            break;
        default:
            ++summary.skipped;
        }
        if (progress)
            progress(i, result);
        if (summary.aborted)
            break;
    }

    if (summary.aborted)
        pool.clear();
    pool.waitForDone();
    futures.clear();

    if (!summary.aborted && !pages.isEmpty()) {
        const PictureResult result = PicturePipeline::placeDocument(pages, documentExtension, documentPath,
                                                                    pageSources, m_job.deleteSource);
        if (result.status == StatusFailed)
            ++summary.failed;
        if (progress)
            progress(-1, result);
    }
    ImageLibrary::setThreadLimit(0);
    return summary;
}

#include "batchplanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "picturetarget.h"
#include "safefile.h"

PictureResult PicturePlan::settled(PictureResult result) const
{
    if (result.target.isEmpty())
        result.target = target;
    if (result.status == StatusConverted && !message.isEmpty())
        result.message = result.message.isEmpty() ? message : message + QLatin1Char('\n') + result.message;
    return result;
}

PictureResult PicturePlan::result() const
{
    PictureResult result;
    result.status = status;
    result.message = message;
    result.target = target;
    return result;
}

BatchPlanner::BatchPlanner(const QList<PictureEntry> &pictures, const ConversionJob &job)
    : m_pictures(pictures)
    , m_job(job)
{
    for (const PictureEntry &picture : pictures)
        m_sources.insert(key(picture.path));
}

QString BatchPlanner::key(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

PicturePlan BatchPlanner::draft(int index) const
{
    const PictureEntry &picture = m_pictures.at(index);
    PicturePlan plan;
    plan.source = picture.path;
    QString error;
    const QString name = PictureTarget::newFileName(m_job.naming, picture.path, index, &error);
    if (name.isEmpty()) {
        plan.status = StatusFailed;
        plan.message = error.isEmpty() ? PicturePipeline::missingSource(picture.path).message
                                       : PicturePipeline::errorText(error);
        return plan;
    }
    const QString format = m_job.outputFormat();
    const QString dir = m_job.outputDirFor(picture);
    // Copy mode comes first: a picture that needs no decoding is copied on its
    // own, also in a multi-page job.
    if (PictureTarget::copyOnly(m_job.chain.isEmpty(), format, picture.path)) {
        plan.mode = PictureMode::Copy;
        plan.target = PictureTarget::copyTarget(dir, name);
        return plan;
    }
    plan.mode = m_job.multiPage ? PictureMode::Page : PictureMode::Encode;
    plan.extension = PictureTarget::extension(format, name);
    plan.target = PictureTarget::encodedTarget(dir, name, plan.extension);
    return plan;
}

PicturePlan BatchPlanner::decide(int index, const OverwriteQuestion &ask)
{
    PicturePlan plan = draft(index);
    if (!plan.proceeds())
        return plan;

    Outcome outcome = Outcome::Proceed;
    if (plan.mode == PictureMode::Page) {
        // The first picture that becomes a page names the document.
        if (m_document == Document::Open) {
            outcome = settle(plan.target, plan.message, ask);
            m_document = outcome == Outcome::Proceed ? Document::Accepted : Document::Declined;
            m_documentPath = plan.target;
            m_documentExtension = plan.extension;
        } else if (m_document == Document::Declined) {
            outcome = Outcome::Skip;
        }
        plan.target = m_documentPath;
        plan.extension = m_documentExtension;
    } else if (plan.mode == PictureMode::Copy && SafeFile::samePath(plan.source, plan.target)) {
        // A copy onto its own source is the file itself: nothing to ask.
        m_claimed.insert(key(plan.target));
    } else {
        outcome = settle(plan.target, plan.message, ask);
    }

    if (outcome == Outcome::Skip)
        plan.status = StatusSkipped;
    else if (outcome == Outcome::Abort)
        plan.status = StatusAborted;
    return plan;
}

BatchPlanner::Outcome BatchPlanner::settle(QString &target, QString &note, const OverwriteQuestion &ask)
{
    QString taken;
    for (;;) {
        if (m_claimed.contains(key(target))) {
            taken = target;
            target = PictureTarget::firstFree(target, [this](const QString &candidate) {
                return m_claimed.contains(key(candidate)) || existedBefore(candidate);
            });
        }
        if (m_yesToAll || !existedBefore(target))
            break;
        if (m_noToAll)
            return Outcome::Skip;
        QString name = PictureTarget::baseName(target);
        switch (ask ? ask(target, name) : OverwriteNo) {
        case OverwriteYes:
            break;
        case OverwriteNo:
            return Outcome::Skip;
        case OverwriteRename:
            // The new name is checked like the first one: asked about when taken.
            target = PictureTarget::withBaseName(target, name);
            continue;
        case OverwriteYesToAll:
            m_yesToAll = true;
            break;
        case OverwriteNoToAll:
            m_noToAll = true;
            return Outcome::Skip;
        case OverwriteAbort:
            return Outcome::Abort;
        }
        break;
    }
    if (!taken.isEmpty()) {
        note = QCoreApplication::translate("Converter", "Saved as %1: an earlier picture of this batch was saved as %2")
                   .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(taken));
    }
    m_claimed.insert(key(target));
    return Outcome::Proceed;
}

bool BatchPlanner::existedBefore(const QString &target) const
{
    // A source counts as there before the batch even once an earlier picture has
    // removed it: whether a later target is asked about must not depend on timing.
    return QFileInfo::exists(target) || m_sources.contains(key(target));
}

bool BatchPlanner::documentDue(int index, RunStatus status) const
{
    return index == m_pictures.size() - 1 && status != StatusAborted && m_document == Document::Accepted;
}

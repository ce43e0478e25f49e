#include "engine/batch/batchplanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "engine/picture/picturekind.h"
#include "engine/picture/picturetarget.h"
#include "engine/files/safefile.h"

PictureResult PicturePlan::settled(PictureResult result) const
{
    if (result.target.isEmpty())
        result.target = target;
    if (result.status != StatusConverted)
        return result;
    QStringList lines = result.notes;
    if (!message.isEmpty())
        lines.prepend(message);
    if (!result.message.isEmpty())
        lines.append(result.message);
    result.message = lines.join(QLatin1Char('\n'));
    result.notes.clear();
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

QString BatchPlanner::key(const QString &path) const
{
    // One folder can be named by several paths (a link to it, ".."): one key for
    // all of them, or two pictures would share one output unnoticed. The file's
    // own name stays as it is; an output replaces a link, it never follows one.
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    auto known = m_folders.constFind(folder);
    if (known == m_folders.cend()) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();  // empty while it does not exist
        known = m_folders.insert(folder, canonical.isEmpty() ? QDir::cleanPath(folder) : canonical);
    }
    // Compared without case: on a memory card or a shared drive "P.jpg" and
    // "p.jpg" are one file.
    return QDir(known.value()).filePath(info.fileName()).toCaseFolded();
}

PicturePlan BatchPlanner::draft(int index) const
{
    const PictureEntry &picture = m_pictures.at(index);
    PicturePlan plan;
    plan.source = picture.path;
    const Result<QString> named = PictureTarget::newFileName(m_job.naming, picture.path, index);
    if (!named) {
        plan.status = StatusFailed;
        plan.message = PicturePipeline::errorText(named.error());
        return plan;
    }
    const QString &name = named.value();
    const QString format = m_job.outputFormat();
    const QString dir = m_job.outputDirFor(picture);
    // Copy mode comes first: a picture that needs no decoding is copied on its
    // own, also in a multi-page job.
    if (PictureTarget::copyOnly(m_job.chain.isEmpty(), format, picture.path, m_job.output)) {
        plan.mode = PictureMode::Copy;
        plan.cleansCopy = PictureTarget::cleansCopy(m_job.output, picture.path);
        plan.target = PictureTarget::copyTarget(dir, name);
        // A copy is made, and its source may be removed, without decoding: the
        // header must show a picture, or a project could move any file it names.
        const Status picturesOnly = PictureKind::isPictureFile(picture.path, m_job.output.allowDocuments);
        if (!picturesOnly) {
            plan.status = StatusFailed;
            plan.message = PicturePipeline::errorText(picturesOnly.error());
        }
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
            outcome = settle(plan.source, plan.target, plan.message, plan.collision, ask);
            m_document = outcome == Outcome::Proceed ? Document::Accepted : Document::Declined;
            m_documentPath = plan.target;
            m_documentExtension = plan.extension;
        } else if (m_document == Document::Declined) {
            outcome = Outcome::Skip;
        }
        plan.target = m_documentPath;
        plan.extension = m_documentExtension;
    } else if (plan.mode == PictureMode::Copy && !plan.cleansCopy && SafeFile::samePath(plan.source, plan.target)) {
        // A copy onto its own source is the file itself: nothing to ask. One that
        // changes the file replaces it, as an encoded output would.
        m_claimed.insert(key(plan.target));
    } else {
        outcome = settle(plan.source, plan.target, plan.message, plan.collision, ask);
    }

    if (outcome == Outcome::Skip)
        plan.status = StatusSkipped;
    else if (outcome == Outcome::Abort)
        plan.status = StatusAborted;
    return plan;
}

BatchPlanner::Outcome BatchPlanner::settle(const QString &source, QString &target, QString &note, int &collision,
                                           const OverwriteQuestion &ask)
{
    QString taken;
    bool aSource = false;
    for (;;) {
        if (takenInBatch(target, source)) {
            taken = target;
            aSource = !m_claimed.contains(key(target));
            int &number = m_nextNumber[target];
            target = PictureTarget::firstFree(target, number, [this](const QString &candidate) {
                ++m_numberProbes;
                return m_claimed.contains(key(candidate)) || existedBefore(candidate);
            });
            collision = number;
            // The one found is claimed below unless the answer is a new name; then
            // it is tried again next time, which finds it taken or free as it is.
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
            collision = 0;
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
        note = (aSource ? QCoreApplication::translate("Converter", "Saved as %1: %2 is a picture of this batch")
                        : QCoreApplication::translate("Converter",
                                                      "Saved as %1: an earlier picture of this batch was saved as %2"))
                   .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(taken));
    }
    m_claimed.insert(key(target));
    return Outcome::Proceed;
}

bool BatchPlanner::takenInBatch(const QString &target, const QString &source) const
{
    // Another picture's source is the picture the batch is to convert: replacing
    // it would lose that picture, or hand it this one's output instead, depending
    // on which of the two is read first.
    const QString path = key(target);
    return m_claimed.contains(path) || (m_sources.contains(path) && path != key(source));
}

bool BatchPlanner::existedBefore(const QString &target) const
{
    // A source counts as there before the batch even once an earlier picture has
    // removed it: whether a later target is asked about must not depend on timing.
    // A link that points nowhere is a file in the way all the same.
    if (m_sources.contains(key(target)))
        return true;
    auto known = m_onDisk.constFind(target);
    if (known == m_onDisk.cend()) {
        ++m_diskChecks;
        const QFileInfo info(target);
        known = m_onDisk.insert(target, info.exists() || info.isSymLink());
    }
    return known.value();
}

bool BatchPlanner::documentDue(int index, RunStatus status) const
{
    return index == m_pictures.size() - 1 && status != StatusAborted && m_document == Document::Accepted;
}

#include "engine/batch/batchdriver.h"

#include <QTimer>

BatchDriver::BatchDriver(QObject *parent)
    : QObject(parent)
    , m_jobs(BatchRunner::recommendedJobs())
{
}

BatchDriver::~BatchDriver() = default;

bool BatchDriver::startProcessing(const QList<PictureEntry> &pictures, const ConversionJob &job)
{
    stopProcess();
    retire();
    if (pictures.isEmpty())
        return false;

    m_pictures = pictures;
    m_heldIndex = -1;
    emit statusMessage(tr("Processing..."), 0);
    emit logStarted(pictures.size(), job.chain.size());

    m_runner = std::make_unique<BatchRunner>(pictures, job);
    m_runner->setJobs(std::min<int>(m_jobs, pictures.size()));
    m_runner->setOverwriteQuestion(m_question ? m_question : [](const QString &, QString &) { return OverwriteNo; });
    BatchRunner *runner = m_runner.get();
    m_runner->start(
        this,
        [this, runner](int index, const PictureResult &result) {
            if (runner == m_runner.get())
                report(index, result);
        },
        [this, runner] {
            if (runner == m_runner.get())
                ended();
        });
    return true;
}

void BatchDriver::report(int index, const PictureResult &result)
{
    if (index >= 0 && index == m_pictures.size() - 1 && m_runner->planner().job().multiPage) {
        // The document may come right after: the last picture and the document
        // make one entry of the log.
        m_heldIndex = index;
        m_held = result;
        return;
    }
    if (index < 0) {
        QStringList messages;
        if (!m_held.message.isEmpty())
            messages.append(m_held.message);
        // A document written as planned says nothing of its own.
        if (result.status != StatusConverted && !result.message.isEmpty())
            messages.append(result.message);
        const int held = m_heldIndex;
        m_heldIndex = -1;
        // A document that was not written is the last picture's outcome too.
        log(held, result.status == StatusConverted ? m_held.status : result.status, messages);
        return;
    }
    log(index, result.status, result.message.isEmpty() ? QStringList() : QStringList{result.message});
}

void BatchDriver::log(int index, RunStatus status, const QStringList &messages)
{
    const PictureEntry &picture = m_pictures.at(index);
    emit statusMessage(picture.name, 5000);
    if (!messages.isEmpty())
        emit lastError(messages.join(QLatin1Char('\n')));
    emit resultLogged(status, picture.path);
}

void BatchDriver::ended()
{
    if (m_heldIndex >= 0) {
        const int held = m_heldIndex;
        m_heldIndex = -1;
        log(held, m_held.status, m_held.message.isEmpty() ? QStringList() : QStringList{m_held.message});
    }
    if (m_runner->summary().aborted) {
        emit statusMessage(tr("Processing Aborted!"), 5000);
        emit batchAborted();
        return;
    }
    emit statusMessage(tr("Processing finished!"), 5000);
    emit batchFinished();
}

void BatchDriver::errorMessage(const QString &text)
{
    emit lastError(text);
}

void BatchDriver::stopProcess()
{
    if (!m_runner || !m_runner->isRunning())
        return;
    const int stoppedAt = m_runner->stop();
    if (stoppedAt >= 0)
        emit resultLogged(StatusAborted, m_pictures.at(stoppedAt).path);
    emit statusMessage(tr("Aborted!"), 5000);
}

void BatchDriver::retire()
{
    if (!m_runner)
        return;
    m_retired.push_back(std::move(m_runner));
    QTimer::singleShot(0, this, [this] { m_retired.clear(); });
}

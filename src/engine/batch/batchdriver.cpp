#include "engine/batch/batchdriver.h"

#include "engine/picture/picturetarget.h"

BatchDriver::BatchDriver(QObject *parent)
    : QObject(parent)
    , m_converter(this)
{
    connect(&m_converter, &Converter::nextConversion, this, &BatchDriver::nextConversion);
    connect(&m_converter, &Converter::requestOverwrite, this, &BatchDriver::overwriteDialog);
    connect(&m_converter, &Converter::errorMessage, this, &BatchDriver::errorMessage);
}

bool BatchDriver::startProcessing(const QList<PictureEntry> &pictures, const ConversionJob &job)
{
    if (m_runPending) {
        // The last batch still has a picture in work. Reconfiguring the converter
        // now would change what its worker is reading: let it end (a run waiting
        // for an answer ends at once), and deliver its result to the batch it
        // belongs to, which goes no further.
        m_aborted = true;
        m_converter.stop();
        m_converter.wait();
    }
    if (pictures.isEmpty())
        return false;

    m_pictures = pictures;
    m_aborted = false;
    m_running = true;
    emit statusMessage(tr("Processing..."), 0);
    m_processIndex = 0;

    m_converter.setBatch(pictures, job);

    processNext();
    emit logStarted(pictures.size(), job.chain.size());
    return true;
}

void BatchDriver::processNext()
{
    const PictureEntry &picture = m_pictures.at(m_processIndex);
    emit statusMessage(picture.name, 5000);
    m_converter.setJob(m_processIndex);
    // Cleared here, before the run starts: a stop that comes once it has started
    // is the user's, and must not be lost.
    m_converter.clearStop();
    m_runPending = true;
    m_converter.start();
}

void BatchDriver::nextConversion(int status)
{
    m_runPending = false;
    emit resultLogged(RunStatus(status), m_pictures.value(m_processIndex).path);
    if (m_aborted)
        return;
    if (status == StatusAborted) {
        m_running = false;
        emit statusMessage(tr("Processing Aborted!"), 5000);
        emit batchAborted();
        return;
    }
    ++m_processIndex;
    if (m_processIndex >= m_pictures.size()) {
        m_running = false;
        emit statusMessage(tr("Processing finished!"), 5000);
        emit batchFinished();
        return;
    }
    processNext();
}

void BatchDriver::overwriteDialog(const QString &newPath)
{
    // A question of a run that a stop has ended since is not put to the user.
    if (m_converter.pendingQuestion() != newPath)
        return;
    QString name = PictureTarget::baseName(newPath);
    const OverwriteAnswer answer = m_question ? m_question(newPath, name) : OverwriteNo;
    m_converter.answerOverwrite(name, answer);
}

void BatchDriver::errorMessage(const QString &text)
{
    emit lastError(text);
}

void BatchDriver::stopProcess()
{
    m_converter.stop();
    m_aborted = true;
    m_running = false;
    emit statusMessage(tr("Aborted!"), 5000);
}

#include "batchdriver.h"

#include <QCoreApplication>
#include <QDir>

#include "appsettings.h"
#include "picturetarget.h"

BatchDriver::BatchDriver(AppSettings *settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_converter(this)
{
    connect(&m_converter, &Converter::nextConversion, this, &BatchDriver::nextConversion);
    connect(&m_converter, &Converter::requestOverwrite, this, &BatchDriver::overwriteDialog);
    connect(&m_converter, &Converter::errorMessage, this, &BatchDriver::errorMessage);
}

bool BatchDriver::startProcessing(const QList<PictureEntry> &pictures, const ConversionJob &job)
{
    if (m_runPending) {
        // The user stopped the last batch while a picture was in work. Reconfiguring
        // the converter now would change what its worker is reading: let it end, and
        // deliver its result to the batch it belongs to.
        m_converter.wait();
        QCoreApplication::sendPostedEvents(&m_converter, QEvent::MetaCall);
    }
    if (pictures.isEmpty())
        return false;

    m_pictures = pictures;
    m_job = job;
    m_aborted = false;
    m_running = true;
    emit statusMessage(tr("Processing..."), 0);
    m_processIndex = 0;

    m_converter.reset();
    m_converter.setChain(job.chain);
    m_converter.setOutputOptions(job.output);
    m_converter.setYesToAll(false);
    m_converter.setMultiPage(job.multiPage, pictures.size());

    processNext();
    emit logStarted(pictures.size(), job.chain.size());
    return true;
}

void BatchDriver::processNext()
{
    if (m_settings)
        m_settings->setLastWriteFormat(m_job.formatRow);
    const PictureEntry &picture = m_pictures.at(m_processIndex);
    emit statusMessage(picture.name, 5000);
    m_converter.setJob(picture.path, m_job.outputFormat(), m_job.quality(), m_job.outputDirFor(picture),
                       m_processIndex, m_job.deleteSource);
    m_runPending = true;
    m_converter.start(QThread::InheritPriority);
}

void BatchDriver::nextConversion(int status)
{
    m_runPending = false;
    emit resultLogged(status, m_pictures.value(m_processIndex).path);
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
        openOutputFolder();
        return;
    }
    processNext();
}

void BatchDriver::overwriteDialog(const QString &newPath)
{
    QString name = PictureTarget::baseName(newPath);
    const int code = m_question ? m_question(newPath, name) : int(OverwriteNo);
    m_converter.answerOverwrite(name, code);
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

void BatchDriver::openOutputFolder()
{
    if (!m_job.openOutputFolder || m_pictures.isEmpty())
        return;
    const QString folder = m_job.useSourceFolder ? m_pictures.first().folder : m_job.outputFolder;
    if (QDir(folder).exists())
        emit openFolder(folder);
}

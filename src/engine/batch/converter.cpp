#include "engine/batch/converter.h"

#include "engine/batch/documentpages.h"
#include "engine/batch/picturework.h"

struct Converter::Batch
{
    BatchPlanner planner;
    DocumentPages document;
    PicturePlan plan;
};

Converter::Report Converter::convert(Batch &batch, OverwriteWait &question, int index)
{
    Report report;
    const auto tell = [&report](const PictureResult &result) {
        report.status = result.status;
        if (!result.message.isEmpty())
            report.messages.append(result.message);
    };
    if (index < 0 || index >= batch.planner.count())
        return report;

    const ConversionJob &job = batch.planner.job();
    PicturePlan &plan = batch.plan;
    plan = batch.planner.decide(index, [&question](const QString &target, QString &name) {
        return question.ask(target, name);
    });
    // A stop is seen here, once the question is settled; a run past this point
    // finishes normally.
    if (!plan.proceeds())
        tell(plan.result());
    else if (question.isStopped())
        report.status = StatusSkipped;
    else if (plan.mode == PictureMode::Copy && !plan.cleansCopy)
        tell(PictureWork::copyInTurn(plan, job.deleteSource));
    else
        tell(PictureWork::place(plan, PictureWork::prepare(plan, job), job.deleteSource, batch.document));

    if (!question.isStopped()) {
        const std::optional<PictureResult> document = batch.document.placeIfDue(batch.planner, index, report.status);
        if (document && document->status != StatusConverted)
            tell(*document);
    }
    return report;
}

Converter::Converter(QObject *parent)
    : QObject(parent)
    , m_batch(std::make_shared<Batch>())
    , m_question(std::make_shared<OverwriteWait>())
{
    // Direct: the question leaves from the worker, as the run asks it.
    connect(m_question.get(), &OverwriteWait::asked, this, &Converter::requestOverwrite, Qt::DirectConnection);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &Converter::conversionCompleted);
}

Converter::~Converter()
{
    // A run about to ask a question nobody will answer any more must not keep the
    // program from ending: it is told Abort.
    m_question->stop();
    m_question->close();
    m_worker.waitForDone();
}

void Converter::setBatch(const QList<PictureEntry> &pictures, const ConversionJob &job)
{
    m_batch->planner = BatchPlanner(pictures, job);
    reset();
}

void Converter::reset()
{
    m_batch->document.clear();
    m_batch->plan = PicturePlan();
}

void Converter::setYesToAll(bool yes)
{
    m_batch->planner.setYesToAll(yes);
}

void Converter::setJob(int pictureIndex)
{
    m_pictureIndex = pictureIndex;
}

bool Converter::isCopyOnly() const
{
    return m_batch->plan.mode == PictureMode::Copy;
}

QString Converter::documentTarget() const
{
    return m_batch->planner.documentPath();
}

void Converter::start()
{
    emit started();
    m_running = true;
    m_run = m_worker.start([batch = m_batch, question = m_question, index = m_pictureIndex](const CancelToken &) {
        return convert(*batch, *question, index);
    });
    m_watcher.setFuture(m_run);
}

void Converter::wait()
{
    m_worker.waitForDone();
    conversionCompleted();
}

void Converter::conversionCompleted()
{
    // Once per run: wait() may have delivered it already.
    if (!m_running || !m_run.isFinished())
        return;
    m_running = false;
    const Report report = m_run.result();
    m_status = report.status;
    // The last picture of a document can fail, and the document after it: the log
    // gets one message per picture, telling both.
    if (!report.messages.isEmpty())
        emit errorMessage(report.messages.join(QLatin1Char('\n')));
    emit nextConversion(m_status);
}

void Converter::stop()
{
    m_question->stop();
}

void Converter::clearStop()
{
    m_question->clearStop();
}

QString Converter::pendingQuestion() const
{
    return m_question->pending();
}

void Converter::answerOverwrite(const QString &name, int code)
{
    m_question->answer(name, code);
}

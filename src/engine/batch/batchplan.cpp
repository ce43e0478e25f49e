#include "engine/batch/batchplan.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <cmath>

#include "filterinterface.h"

namespace {

const QLatin1String formatName("kelvarine-batch-plan");

// Far more than any entry needs: a larger file is refused before it is read.
constexpr qint64 bytesPerPicture = 16 * 1024;

const char *modeName(PictureMode mode)
{
    switch (mode) {
    case PictureMode::Copy:
        return "copy";
    case PictureMode::Page:
        return "page";
    case PictureMode::Encode:
        break;
    }
    return "encode";
}

const char *decisionName(RunStatus status)
{
    switch (status) {
    case StatusSkipped:
        return "skip";
    case StatusAborted:
        return "abort";
    case StatusFailed:
        return "fail";
    case StatusConverted:
        break;
    }
    return "convert";
}

std::optional<RunStatus> decisionFrom(const QString &name)
{
    for (RunStatus status : {StatusConverted, StatusSkipped, StatusAborted, StatusFailed}) {
        if (name == QLatin1String(decisionName(status)))
            return status;
    }
    return std::nullopt;
}

// A whole number in the JSON, within int.
std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::floor(number) || std::fabs(number) > 2147483647.0)
        return std::nullopt;
    return qint64(number);
}

// A message from the file is shown on a terminal: no control characters but line breaks.
QString printable(QString text)
{
    for (QChar &c : text) {
        if ((c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) && c != QLatin1Char('\n'))
            c = QChar::ReplacementCharacter;
    }
    return text;
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

BatchPlan::BatchPlan(const BatchPlanner &planner, const QList<PicturePlan> &plans, const QString &policy)
    : m_job(jobKey(planner.pictures(), planner.job(), policy))
    , m_policy(policy)
    , m_outputFolder(planner.job().useSourceFolder ? QString() : planner.job().outputFolder)
    , m_pictureCount(planner.count())
    , m_plans(plans)
{
    for (int i = 0; i < plans.size(); ++i)
        m_counters.append(planner.job().naming.counterValue(i));
}

QString BatchPlan::jobKey(const QList<PictureEntry> &pictures, const ConversionJob &job, const QString &policy)
{
    // Written as JSON so that no path or parameter can pass for two fields.
    QJsonArray paths;
    for (const PictureEntry &picture : pictures)
        paths.append(picture.path);
    QJsonArray chain;
    for (const ChainEntry &entry : job.chain)
        chain.append(QJsonArray{entry.filter ? entry.filter->name() : QString(), entry.params});
    const OutputOptions &output = job.output;
    const QJsonObject described{
        {"pictures", paths},
        {"folder", job.useSourceFolder ? QJsonValue() : QJsonValue(job.outputFolder)},
        {"format", job.writeFormat},
        {"naming", job.naming.format()},
        {"chain", chain},
        {"multipage", job.multiPage},
        {"delete", job.deleteSource},
        {"output", QJsonArray{output.quality, output.stripMetadata, output.stripGps, output.autoOrient,
                              output.keepDate, output.allowDocuments}},
        {"overwrite", policy},
    };
    const QByteArray bytes = QJsonDocument(described).toJson(QJsonDocument::Compact);
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QByteArray BatchPlan::toJson() const
{
    QJsonArray entries;
    for (int i = 0; i < m_plans.size(); ++i) {
        const PicturePlan &plan = m_plans.at(i);
        const std::optional<qint32> counter = m_counters.value(i);
        entries.append(QJsonObject{
            {"index", i},
            {"source", plan.source},
            {"mode", QLatin1String(modeName(plan.mode))},
            {"target", plan.target},
            {"extension", plan.extension},
            {"cleans_copy", plan.cleansCopy},
            {"decision", QLatin1String(decisionName(plan.status))},
            {"message", plan.message},
            {"collision", plan.collision},
            {"counter", counter ? QJsonValue(*counter) : QJsonValue()},
        });
    }
    const QJsonObject root{
        {"format", formatName},
        {"version", currentVersion},
        {"job", m_job},
        {"overwrite", m_policy},
        {"output_folder", m_outputFolder.isEmpty() ? QJsonValue() : QJsonValue(m_outputFolder)},
        {"pictures", m_pictureCount},
        {"plan", entries},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Status BatchPlan::write(const QString &path) const
{
    // Whole or not at all: shares that start while it is written must not read half a plan.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson()) < 0 || !file.commit())
        return Failure{tr("cannot write the plan %1: %2").arg(QDir::toNativeSeparators(path), file.errorString())};
    return {};
}

Result<BatchPlan> BatchPlan::read(const QString &path, const BatchPlanner &planner, const QString &policy,
                                  const QList<int> &share)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{tr("cannot read the plan %1: %2").arg(QDir::toNativeSeparators(path), file.errorString())};
    if (file.size() > 64 * 1024 + bytesPerPicture * planner.count())
        return Failure{tr("the plan %1 is far larger than a plan of this job").arg(QDir::toNativeSeparators(path))};
    const Result<BatchPlan> plan = fromJson(file.readAll(), planner, policy, share);
    if (!plan)
        return Failure{tr("the plan %1: %2").arg(QDir::toNativeSeparators(path), plan.error())};
    return plan;
}

Result<BatchPlan> BatchPlan::fromJson(const QByteArray &data, const BatchPlanner &planner, const QString &policy,
                                      const QList<int> &share)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return Failure{tr("not a plan (no JSON object)")};
    const QJsonObject root = document.object();
    if (root.value("format").toString() != formatName)
        return Failure{tr("not a plan of kelvarine-batch")};
    const std::optional<qint64> version = wholeNumber(root.value("version"));
    if (!version || *version < 1)
        return Failure{tr("the plan has no valid version")};
    if (*version > currentVersion)
        return Failure{tr("the plan is of version %1, this program reads version %2 at most")
                           .arg(*version).arg(currentVersion)};

    const ConversionJob &job = planner.job();
    const QList<PictureEntry> &pictures = planner.pictures();
    BatchPlan plan;
    plan.m_policy = policy;
    plan.m_job = jobKey(pictures, job, policy);
    plan.m_pictureCount = pictures.size();
    plan.m_outputFolder = job.useSourceFolder ? QString() : job.outputFolder;
    if (root.value("job").toString() != plan.m_job)
        return Failure{tr("the plan was made for another job (other pictures, folder, settings or --overwrite): "
                          "make it again with --plan")};

    const QJsonArray entries = root.value("plan").toArray();
    if (wholeNumber(root.value("pictures")) != qint64(pictures.size()) || entries.size() > pictures.size())
        return Failure{tr("the plan does not have one entry per picture")};

    QSet<QString> targets;
    QSet<QString> sources;
    for (const PictureEntry &picture : pictures)
        sources.insert(QDir::cleanPath(picture.path).toCaseFolded());
    const QSet<int> drafted(share.cbegin(), share.cend());

    for (int i = 0; i < entries.size(); ++i) {
        const QString where = tr("entry %1: ").arg(i);
        const QJsonObject entry = entries.at(i).toObject();
        const PictureEntry &picture = pictures.at(i);
        if (wholeNumber(entry.value("index")) != qint64(i) || entry.value("source").toString() != picture.path)
            return Failure{where + tr("not the picture at this place of the job")};

        PicturePlan read;
        read.source = picture.path;
        const QString mode = entry.value("mode").toString();
        if (mode == QLatin1String("copy"))
            read.mode = PictureMode::Copy;
        else if (mode == QLatin1String("encode"))
            read.mode = PictureMode::Encode;
        else if (mode == QLatin1String("page"))
            return Failure{where + tr("a page of a multi-page document, which one run writes alone")};
        else
            return Failure{where + tr("unknown mode \"%1\"").arg(mode)};
        const std::optional<RunStatus> decision = decisionFrom(entry.value("decision").toString());
        if (!decision)
            return Failure{where + tr("unknown decision \"%1\"").arg(entry.value("decision").toString())};
        read.status = *decision;
        if (read.status == StatusAborted && i != entries.size() - 1)
            return Failure{where + tr("pictures are planned after an abort")};
        read.target = entry.value("target").toString();
        read.extension = entry.value("extension").toString();
        read.cleansCopy = entry.value("cleans_copy").toBool();
        read.message = printable(entry.value("message").toString());
        const std::optional<qint64> collision = wholeNumber(entry.value("collision"));
        if (!collision || *collision < 0 || *collision == 1)
            return Failure{where + tr("no valid collision number")};
        read.collision = int(*collision);
        const std::optional<qint32> counter = job.naming.counterValue(i);
        const QJsonValue counterValue = entry.value("counter");
        if (counter ? wholeNumber(counterValue) != qint64(*counter) : !counterValue.isNull())
            return Failure{where + tr("the counter is not the job's")};

        // Only a picture that cannot be named has no target.
        if (read.target.isEmpty() && read.status == StatusFailed) {
            plan.m_plans.append(read);
            plan.m_counters.append(counter);
            continue;
        }
        const QString folder = job.outputDirFor(picture);
        const QString name = fileNameOf(read.target);
        if (read.target != folder + QLatin1Char('/') + name || name.isEmpty() || name == QLatin1String(".")
            || name == QLatin1String("..") || name.contains(QChar(0)))
            return Failure{where + tr("the target %1 is not a file in the output folder %2")
                                       .arg(QDir::toNativeSeparators(read.target), QDir::toNativeSeparators(folder))};
        const QString key = QDir::cleanPath(read.target).toCaseFolded();
        const bool ownSource = key == QDir::cleanPath(picture.path).toCaseFolded();
        if (read.proceeds()) {
            if (targets.contains(key))
                return Failure{where + tr("the target %1 is planned twice").arg(QDir::toNativeSeparators(read.target))};
            if (sources.contains(key) && !ownSource)
                return Failure{where + tr("the target %1 is another picture of the job")
                                           .arg(QDir::toNativeSeparators(read.target))};
            targets.insert(key);
        }
        if (read.collision > 0 && !name.contains(QStringLiteral(" (%1)").arg(read.collision)))
            return Failure{where + tr("the target does not carry its collision number")};
        if (read.mode == PictureMode::Encode
            && (read.extension.isEmpty() || !name.endsWith(QLatin1Char('.') + read.extension)))
            return Failure{where + tr("the target does not end in its encoder's extension")};

        if (read.proceeds() && drafted.contains(i)) {
            // The job decides how a picture is made; the plan only where it goes.
            const PicturePlan fresh = planner.draft(i);
            if (fresh.proceeds()
                && (fresh.mode != read.mode || fresh.extension != read.extension || fresh.cleansCopy != read.cleansCopy))
                return Failure{where + tr("the job does not make this picture the way the plan says")};
        }
        plan.m_plans.append(read);
        plan.m_counters.append(counter);
    }
    if (entries.size() < pictures.size() && (entries.isEmpty() || plan.m_plans.last().status != StatusAborted))
        return Failure{tr("the plan does not have one entry per picture")};
    return plan;
}

QList<int> BatchPlan::share(int count, int k, int shares)
{
    QList<int> indexes;
    if (shares < 1 || k < 1 || k > shares)
        return indexes;
    for (int i = k - 1; i < count; i += shares)
        indexes.append(i);
    return indexes;
}

#include "apps/kelvarine-batch/progressreport.h"

#include <QCoreApplication>
#include <QDir>

#include <unistd.h>

namespace {

QString duration(qint64 seconds)
{
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

ProgressReport::ProgressReport(int total, bool quiet, FILE *stream)
    : m_stream(stream)
    , m_bar(!quiet && isatty(fileno(stream)))
    , m_quiet(quiet)
    , m_total(total)
{
    m_clock.start();
    if (m_bar)
        drawBar();
}

void ProgressReport::picture(const QString &source, const PictureResult &result)
{
    ++m_done;
    switch (result.status) {
    case StatusConverted:
        // A picture saved under another name than planned is told even when
        // quiet: a user looking for the planned name would not find it.
        if (!result.message.isEmpty())
            line(tr("converted %1 -> %2 (%3)").arg(shown(source), shown(result.target), result.message));
        else if (!m_bar && !m_quiet)
            line(tr("converted %1 -> %2").arg(shown(source), shown(result.target)));
        break;
    case StatusFailed:
        ++m_failed;
        line(tr("failed %1: %2").arg(shown(source), result.message));
        break;
    case StatusAborted:
        --m_done;
        line(tr("aborted at %1: %2 exists").arg(shown(source), shown(result.target)));
        break;
    case StatusSkipped:
        if (!m_bar && !m_quiet)
            line(tr("skipped %1: %2 exists").arg(shown(source), shown(result.target)));
        break;
    }
    if (m_bar)
        drawBar();
}

void ProgressReport::document(const PictureResult &result)
{
    if (result.status == StatusConverted) {
        if (!m_quiet)
            line(tr("wrote %1").arg(shown(result.target)));
    } else {
        ++m_failed;
        line(tr("failed %1: %2").arg(shown(result.target), result.message));
    }
    if (m_bar)
        drawBar();
}

void ProgressReport::finish(int converted, int skipped, int failed, bool aborted)
{
    if (m_bar)
        std::fputc('\n', m_stream);
    if (m_quiet && failed == 0 && !aborted)
        return;
    QString summary = tr("%1 converted, %2 skipped, %3 failed").arg(converted).arg(skipped).arg(failed);
    if (aborted)
        summary += tr(", aborted");
    std::fprintf(m_stream, "%s\n", summary.toLocal8Bit().constData());
    std::fflush(m_stream);
}

void ProgressReport::line(const QString &text)
{
    // On a terminal the bar's line is cleared first, so the message stands above it.
    if (m_bar)
        std::fputs("\r\033[K", m_stream);
    std::fprintf(m_stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(m_stream);
}

void ProgressReport::drawBar()
{
    constexpr int width = 30;
    const int filled = m_total > 0 ? width * m_done / m_total : width;
    QString bar = QString(filled, QLatin1Char('#')) + QString(width - filled, QLatin1Char('-'));
    QString text = QStringLiteral("[%1] %2/%3").arg(bar).arg(m_done).arg(m_total);
    if (m_failed > 0)
        text += tr("  %1 failed").arg(m_failed);
    if (m_done > 0 && m_done < m_total) {
        const qint64 left = m_clock.elapsed() * (m_total - m_done) / m_done / 1000;
        text += tr("  %1 left").arg(duration(left));
    }
    std::fprintf(m_stream, "\r\033[K%s", text.toLocal8Bit().constData());
    std::fflush(m_stream);
}

#ifndef PROGRESSREPORT_H
#define PROGRESSREPORT_H

// What kelvarine-batch tells while it works, on standard error: a progress bar
// with counts and the estimated time left when that is a terminal, one line per
// picture otherwise (a log, a pipe). Failures are always told, with their reason.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include <cstdio>

#include "engine/picture/picturepipeline.h"

class ProgressReport
{
    Q_DECLARE_TR_FUNCTIONS(ProgressReport)

public:
    ProgressReport(int total, bool quiet, FILE *stream = stderr);

    void picture(const QString &source, const PictureResult &result);
    void document(const PictureResult &result);
    // Ends the bar's line; a summary line when anything was converted or failed.
    void finish(int converted, int skipped, int failed, bool aborted);

private:
    void line(const QString &text);
    void drawBar();

    FILE *m_stream;
    bool m_bar;
    bool m_quiet;
    int m_total;
    int m_done = 0;
    int m_failed = 0;
    QElapsedTimer m_clock;
};

#endif

#ifndef OUTPUTFLAGS_H
#define OUTPUTFLAGS_H

// The options of kelvarine-batch that decide what the written files carry
// (quality, metadata, orientation, dates) and
// whether documents are read; they override the project's.

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "engine/batch/outputoptions.h"
#include "engine/result.h"

class OutputFlags
{
public:
    OutputFlags();
    void addTo(QCommandLineParser &parser) const;
    // Refused, with a message for the user, when a value cannot be used.
    Status apply(const QCommandLineParser &parser, OutputOptions &options) const;

private:
    QCommandLineOption m_quality;
    QCommandLineOption m_stripMetadata;
    QCommandLineOption m_stripGps;
    QCommandLineOption m_autoOrient;
    QCommandLineOption m_keepDate;
    QCommandLineOption m_allowDocuments;
};

#endif

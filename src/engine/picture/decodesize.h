#ifndef DECODESIZE_H
#define DECODESIZE_H

// How large a picture must be decoded for the chain it goes through. A chain
// that begins by fitting the picture into a box ("Fit") never needs more than
// twice the pixels of its result: a JPEG decoder can then hand over the picture at 1/2, 1/4 or
// 1/8 of its size, in a fraction of the time and the memory, and the fine
// resampling of the filter still has twice the pixels it keeps. Every front end
// (preview, wizard, kelvarine-batch, the decoding helper) asks here, so all decode
// alike. Plain values, safe from any thread.

#include <QList>
#include <QSize>
#include <QString>

struct ChainEntry;

class DecodeSize
{
public:
    // No reduction: the whole picture.
    DecodeSize() = default;
    // Fitting into a box of width x height pixels, whichever way the picture turns.
    DecodeSize(int width, int height);

    // What the chain asks for: reduced only when its first filter is Fit with a
    // box of some area (a filter that is not installed asks for nothing).
    static DecodeSize forChain(const QList<ChainEntry> &chain);

    bool isWhole() const { return m_box.isEmpty(); }
    QSize box() const { return m_box; }

    // The least size to ask the decoder for, a picture stored as columns x rows:
    // twice the pixels the box keeps of it (each side times the square root of
    // two), and a pixel more for the rounding, in both directions. The box is tried both ways, since the picture may yet be turned
    // upright from its EXIF orientation. An empty size when that is no smaller
    // than the picture: nothing to gain.
    QSize request(long long columns, long long rows) const;

    // "WxH" for the decoding helper's command line, and back; anything else
    // reads as the whole picture.
    QString toArgument() const;
    static DecodeSize fromArgument(const QString &text);

private:
    QSize m_box;
};

#endif

#include "engine/picture/decodesize.h"

#include <algorithm>
#include <cmath>

#include "filterinterface.h"
#include "engine/filters/filterregistry.h"

namespace {

// The filter whose box limits the decoding, by its untranslated name.
const QLatin1String fitName("Fit");

// How much more than its result the fine resampling is given: at least twice its
// pixels, so each side at least the square root of two. Lanczos from there keeps
// the detail a whole decode would give, and a 24 MP photograph fitted into 1600
// pixels is decoded at half its size, which a margin of twice each side (3200 of
// its 6000) would never allow: the decoder only halves.
constexpr double margin = 1.4142135623730951;

} // namespace

DecodeSize::DecodeSize(int width, int height)
{
    if (width > 0 && height > 0)
        m_box = QSize(width, height);
}

DecodeSize DecodeSize::forChain(const QList<ChainEntry> &chain)
{
    if (chain.isEmpty() || !chain.first().filter || chain.first().filter->name() != fitName)
        return {};
    FitParams params;
    if (!chain.first().filter->parseParams(chain.first().params, params))
        return {};
    return DecodeSize(params.Width, params.Height);
}

QSize DecodeSize::request(long long columns, long long rows) const
{
    if (isWhole() || columns <= 0 || rows <= 0)
        return {};
    const double c = double(columns);
    const double r = double(rows);
    const double w = m_box.width();
    const double h = m_box.height();
    // The larger of the two scales: turned or not, the result is no larger.
    const double scale = std::max(std::min(w / c, h / r), std::min(w / r, h / c));
    const double wantColumns = std::ceil(margin * (scale * c + 1.0));
    const double wantRows = std::ceil(margin * (scale * r + 1.0));
    if (wantColumns >= c || wantRows >= r)
        return {};
    return QSize(int(wantColumns), int(wantRows));
}

QString DecodeSize::toArgument() const
{
    return isWhole() ? QString() : QStringLiteral("%1x%2").arg(m_box.width()).arg(m_box.height());
}

DecodeSize DecodeSize::fromArgument(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return {};
    bool wide = false;
    bool high = false;
    const int width = parts.at(0).toInt(&wide);
    const int height = parts.at(1).toInt(&high);
    return wide && high ? DecodeSize(width, height) : DecodeSize();
}

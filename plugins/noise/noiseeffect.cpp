#include "noiseeffect.h"

#include "summarytext.h"

static const FilterIdentity filterIdentity = {
    QT_TRANSLATE_NOOP("NoiseEffect", "Effects\\Noise"),
    QT_TRANSLATE_NOOP("NoiseEffect", "Noise special effect"),
    9,
    "Method:0",
    "Method:%1"};

// The settings page's methods in its order; uniform noise is not offered.
static const Magick::NoiseType noiseTypes[] = {
    Magick::GaussianNoise,
    Magick::MultiplicativeGaussianNoise,
    Magick::ImpulseNoise,
    Magick::LaplacianNoise,
    Magick::PoissonNoise,
};

NoiseEffect::NoiseEffect()
    : NoiseFrame(filterIdentity)
{
}

void NoiseEffect::run(const NoiseParams &p, Magick::Image &image) const
{
    // A method the page does not offer would reach the library as a noise type
    // it does not have; such a string leaves the picture alone.
    if (p.Method < 0 || p.Method >= int(std::size(noiseTypes)))
        return;
    image.addNoise(noiseTypes[p.Method]);
}

QString NoiseEffect::summary(const QString &params) const
{
    NoiseParams p;
    if (!parseRecord(params, p))
        return PluginFrame::summary(params);
    switch (p.Method) {
    case 0:
        return tr("Noise: Gaussian");
    case 1:
        return tr("Noise: multiplicative Gaussian");
    case 2:
        return tr("Noise: impulse");
    case 3:
        return tr("Noise: Laplacian");
    case 4:
        return tr("Noise: Poisson");
    default:
        return tr("Noise: no change");  // run() adds none of a kind it does not know
    }
}

#ifndef PLUGINFRAME_H
#define PLUGINFRAME_H

// What every filter plug-in shares apart from its settings record: the identity
// strings, the plug-in's own image and the guard around the image library.
// FilterFrame (filterframe.h) adds the settings; a plug-in adds its operation.

#include <QObject>

#include <cmath>

#include "filterinterface.h"

// The fixed facts of one filter. The texts are the untranslated source texts,
// marked with QT_TRANSLATE_NOOP in the plug-in class's context, where the program
// finds their translations for what it shows.
struct FilterIdentity
{
    const char *categoryPath;   // "Category\Display name", UTF-8
    const char *description;
    int settingsPage;
    const char *defaultParams;  // "" for filters without settings
    const char *formatTemplate; // "Key:%1,Key:%2", "" for filters without settings
    // One-key filters read their value as a float truncated toward zero,
    // except the few that read a whole number.
    bool oneKeyReadsWholeNumber = false;
};

class PluginFrame : public QObject, public FilterInterface
{
    Q_OBJECT
    Q_INTERFACES(FilterInterface)

public:
    QString categoryPath() const override;
    int settingsPage() const override;
    QString description() const override;
    QString name() const override;
    void loadImage(const QString &fileName) override;
    QString defaultParams() const override;
    // The shown name; a filter whose settings say something overrides it.
    QString summary(const QString &params) const override;

protected:
    explicit PluginFrame(const FilterIdentity &identity);

    const FilterIdentity &identity() const { return m_identity; }

    // A computed size in whole pixels: add 0.5, then cut toward zero. Sizes beyond
    // int are pinned to its range so that the library, not the arithmetic, refuses them.
    static int wholePixels(double value);

    // A sample value given on the 0..255 scale, on the scale of the library's build
    // (MaxRGB). Settings were chosen for 8-bit samples; a 16-bit build handed them
    // unchanged would read 255 as nearly black.
    static constexpr double fromEightBit(double value) { return value * (double(MaxRGB) / 255.0); }

    // Given no radius (0 or less), the library widens a Gaussian kernel step by step
    // until its tail no longer counts, however small the picture. That search slows
    // with sigma: sigma 300 takes seconds, a mistyped huge sigma never ends. Past 100,
    // ten times the most a settings page offers, the operation is left undone.
    static bool kernelSearchRunsAway(double radius, double sigma)
    {
        return radius <= 0.0 && std::abs(sigma) > 100.0;
    }

    // A kernel costs the square of its radius for every pixel: Emboss with radius
    // 100000 asks for gigabytes and half a minute on a thumbnail before it fails.
    // A radius beyond ten times the most a settings page offers (`pageMaximum`, on
    // the scale the operation takes) is no setting anyone chose; the operation is
    // left undone.
    static bool radiusBeyondAnyPage(double radius, double pageMaximum)
    {
        return std::abs(radius) > 10.0 * pageMaximum;
    }

    // Runs an image operation; errors and warnings of the library end it quietly,
    // leaving the image as the library left it. Other exceptions pass.
    template <typename Operation>
    static void guarded(Operation &&operation)
    {
        try {
            operation();
        } catch (const Magick::Error &) {
        } catch (const Magick::Warning &) {
        }
    }

private:
    const FilterIdentity m_identity;
    Magick::Image m_image;
};

#endif

#ifndef FILTERPARAMS_H
#define FILTERPARAMS_H

// The settings of each filter as numbers, one field per key of its parameter
// string and in the same order. The settings dialog fills these from its widgets
// and the plug-ins read and write them; only the parameter string is ever stored.
// Field names are the keys of the string, "Simga" included: stored projects use it.

#include <QString>

struct FilterParams
{
    virtual ~FilterParams() = default;
};

// Filters without settings take this record and ignore it.
struct NoParams : FilterParams {};

// Transform

struct ResizeParams : FilterParams
{
    int Type = 0;       // 1 = percent, anything else = pixels
    int Width = 0;
    int Height = 0;
    int Radio = 0;      // 1 = keep the aspect ratio (pixel sizes only)
    int RadioBy = 0;    // 0 = the width leads, anything else = the height leads
};

struct CropParams : FilterParams
{
    int Type = 0;       // 0 = pixels, anything else = percent
    int Width = 0;
    int Height = 0;
    int xOffset = 0;
    int yOffset = 0;
};

struct RollParams : FilterParams
{
    int Type = 0;       // 0 = pixels, anything else = percent
    int Columns = 0;
    int Rows = 0;
};

struct FlipParams : FilterParams
{
    int Vertical = 0;   // 1 = top to bottom
    int Horizontal = 0; // 1 = left to right
};

struct RotateParams : FilterParams
{
    int Degree = 0;
};

struct FitParams : FilterParams
{
    int Width = 0;      // the box in pixels; a picture keeps its shape within it
    int Height = 0;
    int Enlarge = 0;    // 1 = a smaller picture is enlarged to the box as well
    int Sharpen = 0;    // output sharpening, 0 (none) to 100
};

// Touch-up

struct LevelsParams : FilterParams
{
    int Channel = 0;    // 0 all, 1 red, 2 green, 3 blue; others mean all
    int Black = 0;      // percent of the sample range
    int White = 0;      // percent of the sample range
    int Mid = 0;        // gamma in tenths
};

struct ModulateParams : FilterParams
{
    int Hue = 0;        // change in percent, 0 = unchanged
    int Saturation = 0;
    int Lightness = 0;
};

struct SharpenParams : FilterParams
{
    int Channel = 0;
    int Radius = 0;
    int Sigma = 0;      // tenths
};

struct ContrastParams : FilterParams
{
    int Contrast = 0;   // black point, 0..255
    int Lightness = 0;  // lowers the white point from 255
};

// Effects

struct BorderParams : FilterParams
{
    QString Type;       // read, never used; always written as 0
    unsigned Width = 0;
    unsigned Height = 0;
    unsigned Red = 0;   // the three come from one nine-digit "Color" item
    unsigned Green = 0;
    unsigned Blue = 0;
    bool Scale = false; // read, never used; always written as 0
};

struct RaiseParams : FilterParams
{
    unsigned Width = 0;
    unsigned Raise = 0; // 0 = lowered, anything else = raised
};

struct ShadeParams : FilterParams
{
    unsigned Azimuth = 0;
    unsigned Elevation = 0;
    unsigned ColorShading = 0;
};

struct CharcoalParams : FilterParams
{
    unsigned Radius = 0; // tenths
    unsigned Simga = 0;  // tenths
};

struct NoiseParams : FilterParams
{
    int Method = 0;     // 0 Gaussian, 1 multiplicative Gaussian, 2 impulse, 3 Laplacian, 4 Poisson
};

struct SolarizeParams : FilterParams
{
    int Value = 0;
};

struct OilPaintParams : FilterParams
{
    int Value = 0;      // radius in tenths
};

struct ImplodeParams : FilterParams
{
    int Value = 0;      // factor in tenths
};

struct GaussianBlurParams : FilterParams
{
    unsigned Width = 0;
    unsigned Simga = 0; // tenths
};

struct BlurParams : FilterParams
{
    int Value = 0;      // sigma in tenths, 1..100
};

struct SwirlParams : FilterParams
{
    int Degrees = 0;
};

struct WaveParams : FilterParams
{
    unsigned Amplitude = 0;
    unsigned Length = 0; // wave length in tens of pixels
};

struct EdgeParams : FilterParams
{
    int Radius = 0;
};

struct SpreadParams : FilterParams
{
    int Amount = 0;
};

struct EmbossParams : FilterParams
{
    unsigned Radius = 0; // tenths
    unsigned Simga = 0;  // tenths
};

// A text or a picture file laid over the picture. Text, Font and Logo are plain
// text here; in the string they are escaped (ParamText::escaped), so any words
// or path survive it.
struct WatermarkParams : FilterParams
{
    int Kind = 0;           // 0 = the text, 1 = the picture file (Logo)
    QString Text;
    QString Font;           // a font family; the nearest the system has is used
    unsigned Size = 0;      // text height in percent of the picture's shorter side
    unsigned Red = 0;       // the three come from one nine-digit "Color" item
    unsigned Green = 0;
    unsigned Blue = 0;
    unsigned Opacity = 0;   // percent: 0 leaves the picture as it is
    int Position = 0;       // 0..8, rows from the top: 0 top left, 4 centre, 8 bottom right
    unsigned Margin = 0;    // distance from the edges in percent of the shorter side
    QString Logo;           // path of a PNG file
    unsigned Scale = 0;     // logo width in percent of the picture's width
};

#endif

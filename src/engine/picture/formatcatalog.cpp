#include "engine/picture/formatcatalog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <Magick++.h>

namespace {

// The formats offered for writing, in the order of the format list. The order is
// part of the project file (its format index), so entries are only ever appended.
const char writeFormatSource[] =
    "8BIM - (Photoshop resource format);"
    "8BIMTEXT - (Photoshop resource text format);"
    "8BIMWTEXT - (Photoshop resource wide text format);"
    "APP1 - (Raw application information);"
    "APP1JPEG - (Raw JPEG binary data);"
    "ART - (PFS: 1st Publisher);"
    "AVS - (AVS X image);"
    "BIE - (Joint Bi-level Image experts Group interchange format);"
    "BIGTIFF - (Tagged Image File Format (64-bit offsets));"
    "BMP - (Microsoft Windows bitmap image);"
    "CALS - (Continuous Acquisition and Life-cycle Support Type 1 image);"
    "CIN - (Cineon Image File);"
    "CLIPBOARD - (Windows System Clipboard);"
    "CMYK - (Raw cyan, magenta, yellow, and black samples);"
    "CMYKA - (Raw cyan, magenta, yellow, black, and opacity samples);"
    "DCX - (ZSoft IBM PC multi-page Paintbrush);"
    "DPX - (SMPTE 268M-2003 (DPX 2.0));"
    "EPDF - (Encapsulated Portable Document Format);"
    "EPI - (Adobe Encapsulated PostScript Interchange format);"
    "EPS - (Adobe Encapsulated PostScript);"
    "EPSF - (Adobe Encapsulated PostScript);"
    "EPSI - (Adobe Encapsulated PostScript Interchange format);"
    "EPT - (Adobe Encapsulated PostScript with MS-DOS TIFF preview);"
    "EPT2 - (Adobe Level II Encapsulated PostScript with MS-DOS TIFF preview);"
    "EPT3 - (Adobe Level III Encapsulated PostScript with MS-DOS TIFF preview);"
    "EXIF - (Exif digital camera binary data);"
    "FAX - (Group 3 FAX (Not TIFF Group3 FAX!));"
    "FITS - (Flexible Image Transport System);"
    "FPX - (FlashPix Format);"
    "GIF - (CompuServe graphics interchange format);"
    "GIF87 - (CompuServe graphics interchange format);"
    "GRAY - (Raw gray samples);"
    "ICB - (Truevision Targa image);"
    "ICC - (ICC Color Profile);"
    "ICM - (ICC Color Profile);"
    "IPTC - (IPTC Newsphoto);"
    "IPTCTEXT - (IPTC Newsphoto text format);"
    "IPTCWTEXT - (IPTC Newsphoto text format);"
    "J2C - (JPEG-2000 Code Stream Syntax);"
    "JBG - (Joint Bi-level Image experts Group interchange format);"
    "JBIG - (Joint Bi-level Image experts Group interchange format);"
    "JNG - (JPEG Network Graphics);"
    "JP2 - (JPEG-2000 JP2 File Format Syntax);"
    "JPC - (JPEG-2000 Code Stream Syntax);"
    "JPEG - (Joint Photographic Experts Group JFIF format);"
    "JPG - (Joint Photographic Experts Group JFIF format);"
    "MAP - (Colormap intensities and indices);"
    "MAT - (MATLAB Level 5.0-7.0 image formats);"
    "MIFF - (Magick Image File Format);"
    "MNG - (Multiple-image Network Graphics);"
    "MONO - (Bi-level bitmap in least-significant-byte first order);"
    "MPC - (Magick Persistent Cache image format);"
    "MSL - (Magick Scripting Language);"
    "MTV - (MTV Raytracing image format);"
    "MVG - (Magick Vector Graphics);"
    "NULL - (Constant image of uniform color);"
    "OTB - (On-the-air bitmap);"
    "P7 - (Xv thumbnail format);"
    "PAL - (16bit/pixel interleaved YUV);"
    "PALM - (Palm pixmap);"
    "PAM - (Portable Arbitrary Map format);"
    "PBM - (Portable bitmap format (black/white));"
    "PCD - (Photo CD);"
    "PCDS - (Photo CD);"
    "PCT - (Apple Macintosh QuickDraw/PICT);"
    "PCX - (ZSoft IBM PC Paintbrush);"
    "PDB - (Palm Database ImageViewer Format);"
    "PDF - (Portable Document Format);"
    "PGM - (Portable graymap format (gray scale));"
    "PICON - (Personal Icon);"
    "PICT - (Apple Macintosh QuickDraw/PICT);"
    "PNG - (Portable Network Graphics);"
    "PNG24 - (24-bit RGB PNG, opaque only);"
    "PNG32 - (32-bit RGBA PNG, semitransparency OK);"
    "PNG8 - (8-bit indexed PNG, binary transparency only);"
    "PNM - (Portable anymap);"
    "PPM - (Portable pixmap format (color));"
    "PS - (Adobe PostScript);"
    "PSD - (Adobe Photoshop bitmap);"
    "PTIF - (Pyramid encoded TIFF);"
    "RAS - (SUN Rasterfile);"
    "RGB - (Raw red, green, and blue samples);"
    "RGBA - (Raw red, green, blue, and matte samples);"
    "SGI - (Irix RGB image);"
    "SUN - (SUN Rasterfile);"
    "TEXT - (ASCII Text);"
    "TGA - (Truevision Targa image);"
    "TIFF - (Tagged Image File Format);"
    "TXT - (ASCII Text);"
    "UYVY - (16bit/pixel interleaved YUV);"
    "VDA - (Truevision Targa image);"
    "VICAR - (VICAR rasterfile format);"
    "VID - (Visual Image Directory);"
    "VIFF - (Khoros Visualization image);"
    "VST - (Truevision Targa image);"
    "WBMP - (Wireless Bitmap (level 0) image);"
    "XBM - (X Windows system bitmap (black/white));"
    "XMP - (Adobe XML metadata);"
    "XPM - (X Windows system pixmap (color));"
    "XV - (Khoros Visualization image);"
    "YUV - (CCIR 601 4:1:1 or 4:2:2 (8-bit only));"
    "WEBP - (WebP Image Format);"
    "JXL - (JPEG XL Image Format)";

// Readable formats in file-dialog syntax. The name patterns for folders are taken
// from here too, so the two can never drift apart.
const char readFilterSource[] =
    "Microsoft Windows bitmap image(*.BMP);;"
    "Apple Macintosh QuickDraw/PICT(*.PICT;*.PCT);;"
    "CompuServe graphics interchange format(*.GIF);;"
    "JPEG-2000 JP2 File Format Syntax(*.JP2);;"
    "JPEG-2000 Code Stream Syntax(*.JPC);;"
    "Joint Photographic Experts Group JFIF format(*.JPG;*.JPEG;*.JPE);;"
    "ZSoft IBM PC Paintbrush(*.PCX);;"
    "Portable Network Graphics(*.PNG;*.PNG8;*.PNG24;*.PNG32);;"
    "Adobe Photoshop bitmap(*.PSD;*.PDD);;"
    "Irix RGB image(*.SGI);;"
    "Truevision Targa image(*.TGA;*.ICB;*.VDA;*.VST);;"
    "Tagged Image File Format(*.TIF;*.TIFF);;"
    "Wireless Bitmap (level 0) image(*.WBMP);;"
    "Hasselblad Photo RAW(*.3FR);;"
    "Sony Alpha DSLR RAW(*.ARW);;"
    "Canon Photo RAW(*.CR2;*.CRW);;"
    "Kodak Photo RAW(*.DCR);;"
    "Adobe Digital Negative(*.DNG);;"
    "Epson RAW Format(*.ERF);;"
    "Kodak Photo RAW(*.K25;*.KDC);;"
    "Minolta Photo RAW(*.MRW);;"
    "Nikon Electronic Format(*.NEF);;"
    "Olympus Photo RAW(*.ORF);;"
    "Pentax Electronic File(*.PEF);;"
    "Fuji Photo RAW(*.RAF);;"
    "Sony Photo RAW(*.SR2;*.SRF);;"
    "PFS: 1st Publisher(*.ART);;"
    "AVS X image(*.AVS);;"
    "Cineon Image File(*.CIN);;"
    "Raw cyan, magenta, yellow, and black samples(*.CMYK);;"
    "Raw cyan, magenta, yellow, black, and alpha samples(*.CMYKA);;"
    "Microsoft Cursor Icon(*.CUR);;"
    "DR Halo(*.CUT);;"
    "Digital Imaging and Communications in Medicine image(*.DCM;*.DICOM);;"
    "ZSoft IBM PC multi-page Paintbrush(*.DCX);;"
    "SMPTE 268M-2003 (DPX 2.0)(*.DPX);;"
    "Windows WIN32 API rendered Enhanced Meta File(*.EMF);;"
    "Encapsulated Portable Document Format(*.EPDF);;"
    "Adobe Encapsulated PostScript Interchange format(*.EPI);;"
    "Adobe Encapsulated PostScript(*.EPS;*.EPSF);;"
    "Adobe Encapsulated PostScript Interchange format(*.EPSI);;"
    "Adobe Encapsulated PostScript with MS-DOS TIFF preview(*.EPT);;"
    "Group 3 FAX (Not TIFF Group3 FAX!)(*.FAX);;"
    "Flexible Image Transport System(*.FITS);;"
    "FlashPix Format(*.FPX);;"
    "Raw gray samples(*.GRAY);;"
    "Microsoft Icon(*.ICO;*.ICON);;"
    "Joint Bi-level Image experts Group interchange format(*.JBIG;*.BIE;*.JBG);;"
    "JPEG Network Graphics(*.JNG);;"
    "MATLAB Level 5.0-7.0 image formats(*.MAT);;"
    "Magick Image File Format(*.MIFF);;"
    "Bi-level bitmap in least-significant-byte first order(*.MONO);;"
    "Multiple-image Network Graphics(*.MNG);;"
    "Magick Persistent Cache image format(*.MPC);;"
    "Magick Scripting Language(*.MSL);;"
    "MTV Raytracing image format(*.MTV);;"
    "Magick Vector Graphics(*.MVG);;"
    "On-the-air bitmap(*.OTB);;"
    "Xv thumbnail format(*.P7);;"
    "Palm pixmap(*.PALM);;"
    "Portable bitmap format (black/white)(*.PBM);;"
    "Photo CD(*.PCD;*.PCDS);;"
    "Palm Database ImageViewer Format(*.PDB);;"
    "Postscript Type 1 font (ASCII)(*.PFA);;"
    "Postscript Type 1 font (binary)(*.PFB);;"
    "Portable graymap format (gray scale)(*.PGM);;"
    "Personal Icon(*.PICON);;"
    "Alias/Wavefront RLE image format(*.PIX);;"
    "Portable anymap(*.PNM;*.PBM;*.PGM;*.PPM);;"
    "Portable pixmap format (color)(*.PPM);;"
    "Adobe PostScript(*.PS);;"
    "Pyramid encoded TIFF(*.PTIF);;"
    "Seattle Film Works(*.PWP);;"
    "Raw red, green, and blue samples(*.RGB);;"
    "Raw red, green, blue, and alpha samples(*.RGBA);;"
    "Alias/Wavefront image(*.RLA);;"
    "Utah Run length encoded image(*.RLE);;"
    "Scitex HandShake(*.SCT);;"
    "Seattle Film Works(*.SFW);;"
    "SUN Rasterfile(*.SUN);;"
    "Scalable Vector Graphics(*.SVG);;"
    "PSX TIM(*.TIM);;"
    "TrueType font(*.TTF);;"
    "16bit/pixel interleaved YUV(*.UYVY);;"
    "VICAR rasterfile format(*.VICAR);;"
    "Khoros Visualization image(*.VIFF);;"
    "Windows Meta File(*.WMF);;"
    "Word Perfect Graphics(*.WPG);;"
    "X Windows system bitmap (black/white)(*.XBM);;"
    "GIMP image(*.XCF);;"
    "X Windows system pixmap (color)(*.XPM);;"
    "CCIR 601 4:1:1 or 4:2:2 (8-bit only)(*.YUV);;"
    "High Efficiency Image File Format(*.HEIC;*.HEIF);;"
    "AV1 Image File Format(*.AVIF);;"
    "WebP Image Format(*.WEBP);;"
    "JPEG XL Image Format(*.JXL);;";

const QString originalName = QStringLiteral("Original");
const QString fallbackExtension = QStringLiteral("jpg");

} // namespace

const FormatCatalog &FormatCatalog::instance()
{
    static const FormatCatalog catalog;
    return catalog;
}

FormatCatalog::FormatCatalog()
{
    build();
}

void FormatCatalog::build()
{
    const QString filterText = QString::fromLatin1(readFilterSource);
    static const QRegularExpression patternGroup(QStringLiteral("\\((\\*\\.[^)]*)\\)"));
    QStringList groups;
    for (const QRegularExpressionMatch &match : patternGroup.globalMatch(filterText))
        groups.append(match.captured(1));
    const QString patternText = groups.join(QLatin1Char(';'));

    m_readPatterns = patternText.split(QLatin1Char(';'));
    m_openFilter = QStringLiteral(" (") + patternText.toLower() + QStringLiteral(");;") + filterText;
    m_writeFormatText = QString::fromLatin1(writeFormatSource);
    m_writeFormats = m_writeFormatText.split(QLatin1Char(';'));
}

QString FormatCatalog::openFilter() const
{
    // Translated when asked, not when the catalogue is built, which may be
    // before the user's language is installed.
    return QCoreApplication::translate("FormatCatalog", "All Supported Formats") + m_openFilter;
}

QStringList FormatCatalog::comboEntries() const
{
    const QString keep = QCoreApplication::translate("FormatCatalog", "Keep original image format(if possible)");
    return QStringList{QStringLiteral("%1 - %2").arg(originalName, keep)} + m_writeFormats;
}

QString FormatCatalog::formatName(const QString &entry)
{
    return entry.left(entry.indexOf(QLatin1String(" - ")));
}

bool FormatCatalog::isOriginal(const QString &name)
{
    return name.compare(originalName, Qt::CaseInsensitive) == 0;
}

QString FormatCatalog::outputExtension(const QString &name, const QString &generatedSuffix) const
{
    if (!isOriginal(name))
        return name.toLower();
    // A plain substring search, as the format list has always been searched: a
    // one-letter suffix is found somewhere and kept. An empty suffix names no
    // format at all and would leave the encoder without a name.
    if (generatedSuffix.isEmpty() || !m_writeFormatText.contains(generatedSuffix.toUpper()))
        return fallbackExtension;
    return generatedSuffix;
}

int FormatCatalog::quality(const QString &name)
{
    const QString upper = name.toUpper();
    if (upper == QLatin1String("JPG") || upper == QLatin1String("JPEG"))
        return jpegQuality;
    if (upper == QLatin1String("WEBP") || upper == QLatin1String("JXL"))
        return jpegQuality;  // photographs too, so the JPEG default
    if (upper == QLatin1String("PNG") || upper == QLatin1String("MNG"))
        return pngQuality;
    return -1;
}

namespace {

bool oneOf(const QString &extension, std::initializer_list<const char *> names)
{
    const QString lower = extension.toLower();
    return std::any_of(names.begin(), names.end(), [&](const char *name) { return lower == QLatin1String(name); });
}

} // namespace

bool FormatCatalog::holdsCmyk(const QString &extension)
{
    return isTiff(extension)
           || oneOf(extension, {"jpg", "jpeg", "jpe", "psd", "pdf", "epdf", "ps", "eps", "epsf", "epsi", "epi", "ept",
                                "ept2", "ept3", "miff", "cmyk", "cmyka"});
}

bool FormatCatalog::holdsTransparency(const QString &extension)
{
    // Formats whose encoders write opaque pixels only, and would turn every
    // transparent area into whatever colour it happens to hold (mostly black).
    return !oneOf(extension, {"jpg", "jpeg", "jpe", "png24", "ppm", "pgm", "pbm", "pnm", "pcd", "pcds", "mono", "wbmp",
                              "xbm", "fax", "otb", "rgb", "gray", "cmyk", "yuv", "uyvy", "pal", "jbg", "jbig", "bie",
                              "cals"});
}

bool FormatCatalog::isCameraRaw(const QString &suffix)
{
    return oneOf(suffix, {"3fr", "arw", "cr2", "crw", "dcr", "dng", "erf", "k25", "kdc", "mef", "mrw", "nef", "orf",
                          "pef", "raf", "sr2", "srf", "x3f"});
}

bool FormatCatalog::isTiff(const QString &extension)
{
    return oneOf(extension, {"tif", "tiff", "ptif", "bigtiff"});
}

bool FormatCatalog::takesQuality(const QString &extension)
{
    return oneOf(extension, {"jpg", "jpeg", "jpe", "webp", "jxl"});
}

FormatCatalog::MetadataCarrier FormatCatalog::metadataCarrier(const QString &extension)
{
    if (oneOf(extension, {"tif", "tiff", "webp"}))
        return MetadataCarrier::Exiv2;
    if (oneOf(extension, {"png", "png8", "png24", "png32"}))
        return MetadataCarrier::Png;
    if (oneOf(extension, {"jpg", "jpeg", "jpe"}))
        return MetadataCarrier::Jpeg;
    return MetadataCarrier::Encoder;
}

bool FormatCatalog::carriesMetadata(const QString &extension)
{
    return !oneOf(extension, {"bmp", "dib", "ppm", "pgm", "pbm", "pnm", "pam", "tga", "pcx", "xbm", "xpm", "sgi", "ras"});
}

bool FormatCatalog::decodesUpright(const QString &format)
{
    return oneOf(format, {"heic", "heif", "avif", "jxl", "dcraw"}) || isCameraRaw(format);
}

bool FormatCatalog::keepsSourceFormat(const QString &name, const QString &sourcePath)
{
    return isOriginal(name) || QFileInfo(sourcePath).suffix().compare(name, Qt::CaseInsensitive) == 0;
}

bool FormatCatalog::canHoldPages(const QString &name)
{
    if (name.isEmpty() || isOriginal(name))
        return false;
    try {
        return Magick::CoderInfo(name.toStdString()).isMultiFrame();
    } catch (const Magick::Exception &) {
        return false; // a name the library does not know
    }
}

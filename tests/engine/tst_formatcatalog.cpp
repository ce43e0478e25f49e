#include <QTest>

#include "engine/picture/formatcatalog.h"
#include "engine/batch/outputoptions.h"
#include "testutils.h"

// The format list is stored by row number in project files and its names go
// straight to the image library, so rows, names and the rules built on them
// are checked exactly.
class TestFormatCatalog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void formatListRows();
    void formatNamesAreLibraryNames();
    void readPatterns();
    void openFilter();
    void formatName_data();
    void formatName();
    void outputExtension_data();
    void outputExtension();
    void quality_data();
    void quality();
    void chosenQuality_data();
    void chosenQuality();
    void keepsSourceFormat_data();
    void keepsSourceFormat();
    void canHoldPages_data();
    void canHoldPages();
    void metadataCarrier_data();
    void metadataCarrier();
    void decodesUpright_data();
    void decodesUpright();
};

void TestFormatCatalog::formatListRows()
{
    const FormatCatalog &catalog = FormatCatalog::instance();
    QCOMPARE(catalog.writeFormats().size(), 103);
    QCOMPARE(catalog.writeFormatText(), catalog.writeFormats().join(';'));

    const QStringList entries = catalog.comboEntries();
    QCOMPARE(entries.size(), 104);
    QCOMPARE(entries.at(0), QStringLiteral("Original - Keep original image format(if possible)"));
    QCOMPARE(entries.at(1), QStringLiteral("8BIM - (Photoshop resource format)"));
    QCOMPARE(entries.at(45), QStringLiteral("JPEG - (Joint Photographic Experts Group JFIF format)"));
    QCOMPARE(entries.at(46), QStringLiteral("JPG - (Joint Photographic Experts Group JFIF format)"));
    QCOMPARE(entries.at(72), QStringLiteral("PNG - (Portable Network Graphics)"));
    QCOMPARE(entries.at(88), QStringLiteral("TIFF - (Tagged Image File Format)"));
    QCOMPARE(entries.at(101), QStringLiteral("YUV - (CCIR 601 4:1:1 or 4:2:2 (8-bit only))"));
    // Later formats come after the first 101, so stored rows keep their meaning.
    QCOMPARE(entries.at(102), QStringLiteral("WEBP - (WebP Image Format)"));
    QCOMPARE(entries.at(103), QStringLiteral("JXL - (JPEG XL Image Format)"));
}

void TestFormatCatalog::formatNamesAreLibraryNames()
{
    // Every entry must yield a distinct upper-case name, or two rows would
    // write the same format and a stored index would be ambiguous.
    QSet<QString> names;
    for (const QString &entry : FormatCatalog::instance().writeFormats()) {
        const QString name = FormatCatalog::formatName(entry);
        QVERIFY2(QRegularExpression("^[A-Z0-9]+$").match(name).hasMatch(), qPrintable(entry));
        QVERIFY2(entry.startsWith(name + " - (") && entry.endsWith(')'), qPrintable(entry));
        names.insert(name);
    }
    QCOMPARE(names.size(), 103);
}

void TestFormatCatalog::readPatterns()
{
    const QStringList &patterns = FormatCatalog::instance().readPatterns();
    QCOMPARE(patterns.size(), 120);
    QCOMPARE(patterns.first(), QStringLiteral("*.BMP"));
    QCOMPARE(patterns.at(6), QStringLiteral("*.JPG"));
    QCOMPARE(patterns.at(24), QStringLiteral("*.3FR"));
    QCOMPARE(patterns.at(114), QStringLiteral("*.YUV"));
    QCOMPARE(patterns.mid(115), QStringList({"*.HEIC", "*.HEIF", "*.AVIF", "*.WEBP", "*.JXL"}));
    for (const QString &pattern : patterns)
        QVERIFY2(pattern.startsWith("*.") && pattern == pattern.toUpper() && pattern.size() > 2, qPrintable(pattern));
    // The anymap entry repeats the three formats it covers.
    QCOMPARE(patterns.count("*.PBM"), 2);
    QCOMPARE(patterns.count("*.PGM"), 2);
    QCOMPARE(patterns.count("*.PPM"), 2);
    QCOMPARE(patterns.count("*.JPEG"), 1);
}

void TestFormatCatalog::openFilter()
{
    const QString &filter = FormatCatalog::instance().openFilter();
    QVERIFY(filter.startsWith("All Supported Formats (*.bmp;*.pict;*.pct;*.gif;*.jp2;"));
    QVERIFY(filter.endsWith(";;"));
    const QStringList entries = filter.split(";;");
    QCOMPARE(entries.size(), 1 + 96 + 1); // the empty text after the closing ";;"
    QCOMPARE(entries.at(0), "All Supported Formats (" + FormatCatalog::instance().readPatterns().join(';').toLower() + ")");
    QCOMPARE(entries.at(1), QStringLiteral("Microsoft Windows bitmap image(*.BMP)"));
    QCOMPARE(entries.at(6), QStringLiteral("Joint Photographic Experts Group JFIF format(*.JPG;*.JPEG;*.JPE)"));
    QCOMPARE(entries.at(92), QStringLiteral("CCIR 601 4:1:1 or 4:2:2 (8-bit only)(*.YUV)"));
}

void TestFormatCatalog::formatName_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::newRow("original entry") << FormatCatalog::instance().comboEntries().at(0) << "Original";
    QTest::newRow("jpeg entry") << "JPEG - (Joint Photographic Experts Group JFIF format)" << "JPEG";
    QTest::newRow("description with parentheses") << "WBMP - (Wireless Bitmap (level 0) image)" << "WBMP";
    QTest::newRow("second separator stays") << "A - B - C" << "A";
    QTest::newRow("hyphen without blanks") << "EPT-2 - (x)" << "EPT-2";
    QTest::newRow("no separator") << "PNG" << "PNG";
    QTest::newRow("empty") << "" << "";
}

void TestFormatCatalog::formatName()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QCOMPARE(FormatCatalog::formatName(entry), name);
}

void TestFormatCatalog::outputExtension_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("extension");
    QTest::newRow("JPG") << "JPG" << "png" << "jpg";
    QTest::newRow("JPEG differs from JPG") << "JPEG" << "jpg" << "jpeg";
    QTest::newRow("lower-case name from the converter") << "tiff" << "bmp" << "tiff";
    QTest::newRow("original keeps tif") << "original" << "tif" << "tif";
    QTest::newRow("original keeps the generated case") << "Original" << "BMP" << "BMP";
    QTest::newRow("original raw camera file becomes jpg") << "original" << "CR2" << "jpg";
    QTest::newRow("original nef becomes jpg") << "original" << "nef" << "jpg";
    QTest::newRow("original svg becomes jpg") << "original" << "svg" << "jpg";
    QTest::newRow("original wmf becomes jpg") << "original" << "WMF" << "jpg";
    QTest::newRow("original ico found inside PICON") << "original" << "ico" << "ico";
    QTest::newRow("original one letter found somewhere") << "original" << "A" << "A";
    QTest::newRow("original without suffix becomes jpg") << "original" << "" << "jpg";
}

void TestFormatCatalog::outputExtension()
{
    QFETCH(QString, format);
    QFETCH(QString, suffix);
    QFETCH(QString, extension);
    QCOMPARE(FormatCatalog::instance().outputExtension(format, suffix), extension);
}

void TestFormatCatalog::quality_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("quality");
    QTest::newRow("JPG") << "JPG" << 77;
    QTest::newRow("JPEG") << "JPEG" << 77;
    QTest::newRow("PNG") << "PNG" << 77;
    QTest::newRow("MNG") << "MNG" << 77;
    QTest::newRow("WEBP") << "WEBP" << 77;
    QTest::newRow("JXL") << "JXL" << 77;
    QTest::newRow("lower-case jpg") << "jpg" << 77;
    QTest::newRow("PNG8 is another format") << "PNG8" << -1;
    QTest::newRow("JPE is no write format") << "JPE" << -1;
    QTest::newRow("TIFF") << "TIFF" << -1;
    QTest::newRow("Original") << "Original" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestFormatCatalog::quality()
{
    QFETCH(QString, format);
    QFETCH(int, quality);
    QCOMPARE(FormatCatalog::quality(format), quality);
}

void TestFormatCatalog::chosenQuality_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("quality");
    QTest::newRow("JPG chosen") << "JPG" << "jpg" << 90 << 90;
    QTest::newRow("JPG default") << "JPG" << "jpg" << 0 << 77;
    QTest::newRow("WEBP chosen") << "WEBP" << "webp" << 60 << 60;
    QTest::newRow("PNG keeps its compression") << "PNG" << "png" << 90 << 77;
    QTest::newRow("original JPEG chosen") << "Original" << "jpe" << 90 << 90;
    QTest::newRow("original JPEG, picture's own") << "Original" << "jpg" << 0 << -1;
    QTest::newRow("original TIFF") << "Original" << "tif" << 90 << -1;
    QTest::newRow("out of range is the default") << "JPG" << "jpg" << 101 << 77;
}

void TestFormatCatalog::chosenQuality()
{
    QFETCH(QString, format);
    QFETCH(QString, extension);
    QFETCH(int, chosen);
    QFETCH(int, quality);
    OutputOptions options;
    options.quality = chosen;
    QCOMPARE(options.qualityFor(FormatCatalog::quality(format), extension), quality);
}

void TestFormatCatalog::keepsSourceFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("keeps");
    QTest::newRow("JPG and a.jpg") << "JPG" << "/p/a.jpg" << true;
    QTest::newRow("jpg and A.JPG") << "jpg" << "/p/A.JPG" << true;
    QTest::newRow("JPEG and a.jpg") << "JPEG" << "/p/a.jpg" << false;
    QTest::newRow("original and anything") << "original" << "/p/x.CR2" << true;
    QTest::newRow("suffix after the last dot") << "png" << "/p/a.jpg.png" << true;
    QTest::newRow("dot in the folder only") << "jpg" << "/p.jpg/readme" << false;
}

void TestFormatCatalog::keepsSourceFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, source);
    QFETCH(bool, keeps);
    QCOMPARE(FormatCatalog::keepsSourceFormat(format, source), keeps);
}

void TestFormatCatalog::canHoldPages_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("pages");
    QTest::newRow("TIFF") << "TIFF" << true;
    QTest::newRow("GIF") << "GIF" << true;
    QTest::newRow("PDF") << "PDF" << true;
    QTest::newRow("JPG") << "JPG" << false;
    QTest::newRow("BMP") << "BMP" << false;
    QTest::newRow("Original") << "Original" << false;
    QTest::newRow("unknown to the library") << "NOSUCHFORMAT" << false;
    QTest::newRow("empty") << "" << false;
}

void TestFormatCatalog::canHoldPages()
{
    QFETCH(QString, format);
    QFETCH(bool, pages);
    QCOMPARE(FormatCatalog::canHoldPages(format), pages);
}

void TestFormatCatalog::metadataCarrier_data()
{
    using Carrier = FormatCatalog::MetadataCarrier;
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("carrier");
    QTest::addColumn<bool>("tiff");
    QTest::addColumn<bool>("carriesMetadata");
    QTest::newRow("tif") << "tif" << int(Carrier::Exiv2) << true << true;
    QTest::newRow("TIFF in capitals") << "TIFF" << int(Carrier::Exiv2) << true << true;
    QTest::newRow("webp") << "webp" << int(Carrier::Exiv2) << false << true;
    QTest::newRow("png24") << "png24" << int(Carrier::Png) << false << true;
    QTest::newRow("jpe") << "jpe" << int(Carrier::Jpeg) << false << true;
    QTest::newRow("JPG in capitals") << "JPG" << int(Carrier::Jpeg) << false << true;
    QTest::newRow("gif by its encoder") << "gif" << int(Carrier::Encoder) << false << true;
    // TIFFs all the same, but left to their encoders: see metadataCarrier().
    QTest::newRow("pyramid TIFF") << "ptif" << int(Carrier::Encoder) << true << true;
    QTest::newRow("BigTIFF") << "BIGTIFF" << int(Carrier::Encoder) << true << true;
    QTest::newRow("bmp holds none") << "bmp" << int(Carrier::Encoder) << false << false;
    QTest::newRow("TGA in capitals holds none") << "TGA" << int(Carrier::Encoder) << false << false;
    QTest::newRow("no suffix") << "" << int(Carrier::Encoder) << false << true;
}

void TestFormatCatalog::metadataCarrier()
{
    QFETCH(QString, extension);
    QFETCH(int, carrier);
    QFETCH(bool, tiff);
    QFETCH(bool, carriesMetadata);
    QCOMPARE(int(FormatCatalog::metadataCarrier(extension)), carrier);
    QCOMPARE(FormatCatalog::isTiff(extension), tiff);
    QCOMPARE(FormatCatalog::carriesMetadata(extension), carriesMetadata);
}

void TestFormatCatalog::decodesUpright_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("upright");
    QTest::newRow("heic suffix") << "heic" << true;
    QTest::newRow("HEIF as read") << "HEIF" << true;
    QTest::newRow("AVIF as read") << "AVIF" << true;
    QTest::newRow("jxl suffix") << "jxl" << true;
    QTest::newRow("developed raw as read") << "DCRAW" << true;
    QTest::newRow("nef suffix") << "nef" << true;
    QTest::newRow("DNG in capitals") << "DNG" << true;
    QTest::newRow("jpg turns by its EXIF") << "jpg" << false;
    QTest::newRow("TIFF as read turns by its EXIF") << "TIFF" << false;
    QTest::newRow("empty") << "" << false;
}

void TestFormatCatalog::decodesUpright()
{
    QFETCH(QString, format);
    QFETCH(bool, upright);
    QCOMPARE(FormatCatalog::decodesUpright(format), upright);
}

QTEST_GUILESS_MAIN(TestFormatCatalog)
#include "tst_formatcatalog.moc"

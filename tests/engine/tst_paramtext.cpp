#include <QTest>

#include "filterframe.h"
#include "testutils.h"

// Frames of each reading mode, built here as a plug-in would build them.
namespace {

const FilterIdentity signedIdentity = {"Test\\Signed", "", 0, "Type:0,Columns:100,Rows:100",
                                       "Type:%1,Columns:%2,Rows:%3"};
const FilterIdentity unsignedIdentity = {"Test\\Unsigned", "", 0, "Radius:10,Simga:50", "Radius:%1,Simga:%2"};
const FilterIdentity floatIdentity = {"Test\\Float", "", 0, "Value:50", "Value:%1"};
const FilterIdentity wholeIdentity = {"Test\\Whole", "", 0, "Degree:0", "Degree:%1", true};

template <typename Record, auto... Fields>
class Frame : public FilterFrame<Record, Fields...>
{
public:
    explicit Frame(const FilterIdentity &identity)
        : FilterFrame<Record, Fields...>(identity) {}
    void run(const Record &, Magick::Image &image) const override { image.negate(); }
};

using SignedFrame = Frame<RollParams, &RollParams::Type, &RollParams::Columns, &RollParams::Rows>;
using UnsignedFrame = Frame<CharcoalParams, &CharcoalParams::Radius, &CharcoalParams::Simga>;
using FloatFrame = Frame<SolarizeParams, &SolarizeParams::Value>;
using WholeFrame = Frame<RotateParams, &RotateParams::Degree>;

// Parses with the frame of the given mode and lists the fields read.
bool parseWith(const QString &mode, const QString &params, QList<qint64> *fields)
{
    if (mode == "signed") {
        RollParams r;
        const bool ok = SignedFrame(signedIdentity).parseParams(params, r);
        *fields = {r.Type, r.Columns, r.Rows};
        return ok;
    }
    if (mode == "unsigned") {
        CharcoalParams r;
        const bool ok = UnsignedFrame(unsignedIdentity).parseParams(params, r);
        *fields = {r.Radius, r.Simga};
        return ok;
    }
    if (mode == "float") {
        SolarizeParams r;
        const bool ok = FloatFrame(floatIdentity).parseParams(params, r);
        *fields = {r.Value};
        return ok;
    }
    RotateParams r;
    const bool ok = WholeFrame(wholeIdentity).parseParams(params, r);
    *fields = {r.Degree};
    return ok;
}

} // namespace

class TestParamText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtils::initImageLibrary(); }
    void parse_data();
    void parse();
    void format_data();
    void format();
    void colour_data();
    void colour();
    void recordOfAnotherFilterIsRefused();
    void unparseableStringLeavesImageAlone_data();
    void unparseableStringLeavesImageAlone();
};

void TestParamText::parse_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("params");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<qint64>>("fields");

    using L = QList<qint64>;
    QTest::newRow("signed in key order") << "signed" << "Type:1,Columns:-20,Rows:30" << true << L{1, -20, 30};
    QTest::newRow("items count by position, not key") << "signed" << "Rows:1,Type:2,Columns:3" << true << L{1, 2, 3};
    QTest::newRow("empty string means defaults") << "signed" << "" << true << L{0, 100, 100};
    QTest::newRow("blank string means defaults") << "signed" << "   \t " << true << L{0, 100, 100};
    QTest::newRow("blanks around a number") << "signed" << "Type: 5 ,Columns:6 ,Rows: 7" << true << L{5, 6, 7};
    QTest::newRow("text that is no number reads 0") << "signed" << "Type:x,Columns:1.5,Rows:" << true << L{0, 0, 0};
    QTest::newRow("value ends at a second colon") << "signed" << "Type:3:9,Columns:4,Rows:5" << true << L{3, 4, 5};
    QTest::newRow("extra items ignored") << "signed" << "Type:1,Columns:2,Rows:3,Extra:4" << true << L{1, 2, 3};
    QTest::newRow("fewer items refused") << "signed" << "Type:1,Columns:2" << false << L{0, 0, 0};
    QTest::newRow("item without colon refused") << "signed" << "Type:1,Columns2,Rows:3" << false << L{1, 0, 0};
    QTest::newRow("empty item refused") << "signed" << "Type:1,,Rows:3" << false << L{0, 0, 0};
    QTest::newRow("unsigned reads minus as 0") << "unsigned" << "Width:-5,Simga:50" << true << L{0, 50};
    QTest::newRow("unsigned beyond int") << "unsigned" << "Radius:4000000000,Simga:1" << true << L{4000000000LL, 1};
    QTest::newRow("float truncates down") << "float" << "Value:12.9" << true << L{12};
    QTest::newRow("float truncates toward zero") << "float" << "Value:-3.7" << true << L{-3};
    QTest::newRow("float blank means default") << "float" << " " << true << L{50};
    QTest::newRow("float is not split at commas") << "float" << "Value:12,Other:3" << true << L{0};
    QTest::newRow("float beyond int reads 0") << "float" << "Value:1e20" << true << L{0};
    QTest::newRow("float not a number") << "float" << "Value:nan" << true << L{0};
    QTest::newRow("one key without colon refused") << "float" << "12" << false << L{0};
    QTest::newRow("whole number read") << "whole" << "Degree:-90" << true << L{-90};
    QTest::newRow("whole number refuses a fraction") << "whole" << "Degree:12.9" << true << L{0};
}

void TestParamText::parse()
{
    QFETCH(QString, mode);
    QFETCH(QString, params);
    QFETCH(bool, ok);
    QFETCH(QList<qint64>, fields);
    QList<qint64> read;
    QCOMPARE(parseWith(mode, params, &read), ok);
    if (ok)
        QCOMPARE(read, fields);
}

void TestParamText::format_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("defaults come back") << "Type:0,Columns:100,Rows:100" << "Type:0,Columns:100,Rows:100";
    QTest::newRow("negative numbers") << "Type:-1,Columns:-2,Rows:-3" << "Type:-1,Columns:-2,Rows:-3";
    QTest::newRow("keys written by the frame") << "A:7,B:08,C: 9" << "Type:7,Columns:8,Rows:9";
}

void TestParamText::format()
{
    QFETCH(QString, params);
    QFETCH(QString, formatted);
    SignedFrame frame(signedIdentity);
    RollParams record;
    QVERIFY(frame.parseParams(params, record));
    QCOMPARE(frame.formatParams(record), formatted);
}

void TestParamText::colour_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("red");
    QTest::addColumn<uint>("green");
    QTest::addColumn<uint>("blue");
    QTest::addColumn<QString>("written");
    QTest::newRow("black") << "000000000" << 0u << 0u << 0u << "000000000";
    QTest::newRow("three parts") << "012034056" << 12u << 34u << 56u << "012034056";
    QTest::newRow("padded on writing") << "007000255" << 7u << 0u << 255u << "007000255";
    QTest::newRow("white") << "255255255" << 255u << 255u << 255u << "255255255";
    QTest::newRow("garbage reads 0") << "abcdefghi" << 0u << 0u << 0u << "000000000";
}

void TestParamText::colour()
{
    QFETCH(QString, text);
    QFETCH(uint, red);
    QFETCH(uint, green);
    QFETCH(uint, blue);
    QFETCH(QString, written);
    unsigned r = 1, g = 1, b = 1;
    ParamText::toColour(text, &r, &g, &b);
    QCOMPARE(r, red);
    QCOMPARE(g, green);
    QCOMPARE(b, blue);
    QCOMPARE(ParamText::fromColour(r, g, b), written);
}

void TestParamText::recordOfAnotherFilterIsRefused()
{
    SignedFrame frame(signedIdentity);
    CharcoalParams other;
    QVERIFY(!frame.parseParams(QStringLiteral("Type:1,Columns:2,Rows:3"), other));
    QCOMPARE(frame.formatParams(other), QString());
}

void TestParamText::unparseableStringLeavesImageAlone_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<bool>("changed");
    QTest::newRow("valid string runs") << "Type:1,Columns:2,Rows:3" << true;
    QTest::newRow("blank runs with defaults") << " " << true;
    QTest::newRow("too few items") << "Type:1" << false;
    QTest::newRow("no colon") << "Type1,Columns2,Rows3" << false;
}

void TestParamText::unparseableStringLeavesImageAlone()
{
    QFETCH(QString, params);
    QFETCH(bool, changed);
    const Magick::Image original = TestUtils::makePicture(40, 30);
    Magick::Image image = original;
    SignedFrame(signedIdentity).apply(params, image);
    QCOMPARE(!TestUtils::samePixels(image, original), changed);
}

QTEST_GUILESS_MAIN(TestParamText)
#include "tst_paramtext.moc"

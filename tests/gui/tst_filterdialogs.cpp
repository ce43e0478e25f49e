#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>

#include "filterdialogtest.h"
#include "gui/filters/dlgfilterset.h"

// The settings dialog's pages on the real registry and plug-ins.
class TestFilterDialogs : public FilterDialogTest
{
    Q_OBJECT

private slots:
    void initTestCase();

    void settingsPageWritesBackWhatItRead_data();
    void settingsPageWritesBackWhatItRead();
    void everyKeyShowsOnItsOwnPage_data();
    void everyKeyShowsOnItsOwnPage();
    void oddValuesShowAsTheFilterReadsThem_data();
    void oddValuesShowAsTheFilterReadsThem();
    void cropUnitSwitchConvertsBothWays();
    void unitSwitchConverts_data();
    void unitSwitchConverts();
    void resizeKeepsAspectAndWritesUncheckAtOnce();
    void rotateButtonsWrap_data();
    void rotateButtonsWrap();

private:
    // A string other than the default for each filter, every value distinct.
    static const QList<QPair<QString, QString>> &otherParams();
    // The state of every widget of each page of the stacked widget.
    static QList<QVariantMap> pageStates(const QStackedWidget &pages);
};

void TestFilterDialogs::initTestCase()
{
    loadPlugins();
    QCOMPARE(FilterRegistry::instance().count(), 30);
}


const QList<QPair<QString, QString>> &TestFilterDialogs::otherParams()
{
    static const QList<QPair<QString, QString>> others = {
        {"Resize", "Type:1,Width:40,Height:60,Radio:1,RadioBy:1"},
        {"Crop", "Type:1,Width:50,Height:40,xOffset:10,yOffset:20"},
        {"Roll", "Type:1,Columns:30,Rows:70"},
        {"Flip", "Vertical:0,Horizontal:1"},
        {"Rotate", "Degree:135"},
        {"Fit", "Width:800,Height:600,Enlarge:1,Sharpen:30"},
        {"Levels", "Channel:2,Black:5,White:90,Mid:12"},
        {"Hue/Saturation", "Hue:-20,Saturation:35,Lightness:-45"},
        {"Sharpen", "Channel:3,Radius:7,Sigma:25"},
        {"Contrast", "Contrast:12,Lightness:-8"},
        {"Reduce Noise", ""},
        {"Equalize", ""},
        {"Auto Contrast", ""},
        {"Border", "Type:0,Width:15,Height:25,Color:012034056,Scale:0"},
        {"Raise", "Width:44,Raise:1"},
        {"Shade", "Azimuth:60,Elevation:45,ColorShading:0"},
        {"Charcoal", "Radius:20,Simga:70"},
        {"Noise", "Method:3"},
        {"Solarize", "Value:75"},
        {"Oil Paint", "Value:45"},
        {"Implode", "Value:80"},
        {"Gaussian Blur", "Width:3,Simga:65"},
        {"Blur", "Value:20"},
        {"Swirl", "Degrees:270"},
        {"Wave", "Amplitude:40,Length:60"},
        {"Edge", "Radius:6"},
        {"Spread", "Amount:35"},
        {"Emboss", "Radius:40,Simga:15"},
        {"Black & White", ""},
        {"Watermark", "Kind:1,Text:Anna%2C 2026,Font:DejaVu Serif,Size:9,Color:012034056,Opacity:70,Position:2,"
                      "Margin:4,Logo:/tmp/a%3Ab.png,Scale:33"},
    };
    return others;
}

void TestFilterDialogs::settingsPageWritesBackWhatItRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("other");  // a string other than the default, every value distinct

    for (const auto &[name, other] : otherParams())
        QTest::newRow(qPrintable(name)) << name << other;
}

void TestFilterDialogs::settingsPageWritesBackWhatItRead()
{
    QFETCH(QString, name);
    QFETCH(QString, other);
    FilterInterface *effect = filter(name);
    QVERIFY(effect);

    DlgFilterSet dialog;
    dialog.setFilter(effect);
    QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentIndex(), effect->settingsPage());
    QCOMPARE(dialog.windowTitle(), name);

    dialog.setParams(QStringLiteral("  "));
    QCOMPARE(dialog.params(), effect->defaultParams());
    QCOMPARE(dialog.pageParams(), effect->defaultParams());

    dialog.setParams(other);
    QCOMPARE(dialog.params(), other.isEmpty() ? effect->defaultParams() : other);
    QCOMPARE(dialog.pageParams(), dialog.params());
}

QList<QVariantMap> TestFilterDialogs::pageStates(const QStackedWidget &pages)
{
    QList<QVariantMap> states;
    for (int page = 0; page < pages.count(); ++page) {
        QVariantMap state;
        for (const QWidget *widget : pages.widget(page)->findChildren<QWidget *>()) {
            const QString name = widget->objectName();
            if (auto *slider = qobject_cast<const QAbstractSlider *>(widget))
                state[name] = slider->value();
            else if (auto *spin = qobject_cast<const QSpinBox *>(widget))
                state[name] = QStringLiteral("%1 of %2").arg(spin->value()).arg(spin->maximum());
            else if (auto *list = qobject_cast<const QComboBox *>(widget))
                state[name] = list->currentIndex();
            else if (auto *button = qobject_cast<const QAbstractButton *>(widget))
                state[name] = button->isChecked();
            else if (auto *label = qobject_cast<const QLabel *>(widget))
                state[name] = label->text();
            else if (auto *edit = qobject_cast<const QLineEdit *>(widget))
                state[name] = edit->text();
            // What a widget keeps without showing it (a colour, the dimension edited last).
            for (const QByteArray &property : widget->dynamicPropertyNames())
                state[name + QLatin1Char('.') + QString::fromLatin1(property)] = widget->property(property);
        }
        states.append(state);
    }
    return states;
}

void TestFilterDialogs::everyKeyShowsOnItsOwnPage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("changed");  // the default string with one value changed

    const FilterRegistry &registry = FilterRegistry::instance();
    for (int i = 0; i < registry.count(); ++i) {
        const FilterInterface *effect = registry.filterAt(i);
        const QString name = effect->name();
        const auto other = std::find_if(otherParams().begin(), otherParams().end(),
                                        [&name](const auto &pair) { return pair.first == name; });
        if (other == otherParams().end()) {
            QTest::newRow(qPrintable(name + QStringLiteral("/unlisted"))) << name << QStringLiteral("unlisted");
            continue;
        }
        const QStringList defaults = effect->defaultParams().split(QLatin1Char(','), Qt::SkipEmptyParts);
        const QStringList others = other->second.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (defaults.isEmpty())
            QTest::newRow(qPrintable(name + QStringLiteral("/no settings"))) << name << QString();
        for (int key = 0; key < defaults.size() && key < others.size(); ++key) {
            if (others.at(key) == defaults.at(key))
                continue;
            QStringList changed = defaults;
            changed[key] = others.at(key);
            QTest::newRow(qPrintable(name + QLatin1Char('/') + defaults.at(key).section(QLatin1Char(':'), 0, 0)))
                << name << changed.join(QLatin1Char(','));
        }
    }
}

// Over every filter the registry knows: each value read from a string shows on
// the filter's own page, is written back as it was read, and moves nothing on
// any other page. A page description that binds a value to the wrong widget, to
// a widget of another page or to none fails here.
void TestFilterDialogs::everyKeyShowsOnItsOwnPage()
{
    QFETCH(QString, name);
    QFETCH(QString, changed);
    if (changed == QLatin1String("unlisted"))
        QFAIL("the filter has no string other than its default in otherParams()");
    FilterInterface *effect = filter(name);
    QVERIFY(effect);

    DlgFilterSet dialog;
    dialog.setFilter(effect);
    dialog.setParams(QString());
    const auto &pages = *child<QStackedWidget>(dialog, "stackedWidget");
    const QList<QVariantMap> before = pageStates(pages);

    dialog.setParams(changed);
    QCOMPARE(dialog.pageParams(), changed.isEmpty() ? effect->defaultParams() : changed);
    const QList<QVariantMap> after = pageStates(pages);
    const int own = pages.currentIndex();
    for (int page = 0; page < pages.count(); ++page) {
        if (page != own)
            QVERIFY2(after.at(page) == before.at(page), qPrintable(QStringLiteral("page %1 changed").arg(page)));
    }
    if (!changed.isEmpty())
        QVERIFY2(after.at(own) != before.at(own), "the changed value shows nowhere on the filter's page");
    // A slider that moved has its number beside it.
    const QWidget *page = pages.currentWidget();
    for (const QSlider *slider : page->findChildren<QSlider *>()) {
        if (after.at(own).value(slider->objectName()) == before.at(own).value(slider->objectName()))
            continue;
        const QList<QLabel *> labels = page->findChildren<QLabel *>();
        const bool shown = std::any_of(labels.begin(), labels.end(), [&](const QLabel *label) {
            return label->text() == QString::number(slider->value())
                && before.at(own).value(label->objectName()) != label->text();
        });
        QVERIFY2(shown, qPrintable(slider->objectName() + QStringLiteral(" moved, its number did not")));
    }
}

void TestFilterDialogs::oddValuesShowAsTheFilterReadsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("first");  // what the page showed before
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");  // what the page then stands for

    QTest::newRow("channel outside the list") << "Levels" << "" << "Channel:7,Black:5,White:90,Mid:12"
                                              << "Channel:0,Black:5,White:90,Mid:12";
    QTest::newRow("negative channel") << "Sharpen" << "Channel:2,Radius:3,Sigma:10" << "Channel:-1,Radius:7,Sigma:25"
                                      << "Channel:0,Radius:7,Sigma:25";
    QTest::newRow("noise method outside the list") << "Noise" << "Method:3" << "Method:9" << "Method:3";
    QTest::newRow("raised by any number") << "Raise" << "" << "Width:44,Raise:5" << "Width:44,Raise:1";
    QTest::newRow("flip by 1 only") << "Flip" << "" << "Vertical:2,Horizontal:1" << "Vertical:0,Horizontal:1";
    QTest::newRow("shade by any number") << "Shade" << "" << "Azimuth:60,Elevation:45,ColorShading:7"
                                         << "Azimuth:60,Elevation:45,ColorShading:1";
    QTest::newRow("crop percent by any number") << "Crop" << "" << "Type:2,Width:50,Height:40,xOffset:10,yOffset:20"
                                                << "Type:1,Width:50,Height:40,xOffset:10,yOffset:20";
    QTest::newRow("resize percent by 1 only") << "Resize" << "" << "Type:2,Width:40,Height:60,Radio:1,RadioBy:1"
                                              << "Type:0,Width:40,Height:60,Radio:1,RadioBy:1";
    QTest::newRow("percent past 100") << "Roll" << "" << "Type:1,Columns:250,Rows:-5" << "Type:1,Columns:100,Rows:0";
    QTest::newRow("colour past 255") << "Border" << "" << "Type:0,Width:15,Height:25,Color:300999256,Scale:0"
                                     << "Type:0,Width:15,Height:25,Color:255255255,Scale:0";
    QTest::newRow("slider past its end") << "Blur" << "" << "Value:5000" << "Value:100";
    QTest::newRow("number that is none") << "Blur" << "Value:20" << "Value:many" << "Value:1";
    QTest::newRow("unreadable string") << "Blur" << "Value:20" << "many" << "Value:20";
    QTest::newRow("too few values") << "Charcoal" << "Radius:20,Simga:70" << "Radius:5" << "Radius:20,Simga:70";
}

// Values the widgets cannot show as they are: out of a list, out of a range, or
// a string the filter cannot read at all (then the page stays as it was).
void TestFilterDialogs::oddValuesShowAsTheFilterReadsThem()
{
    QFETCH(QString, name);
    QFETCH(QString, first);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    DlgFilterSet dialog;
    dialog.setFilter(filter(name));
    dialog.setParams(first);
    dialog.setParams(stored);
    QCOMPARE(dialog.params(), stored);
    QCOMPARE(dialog.pageParams(), shown);
}

void TestFilterDialogs::cropUnitSwitchConvertsBothWays()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Crop")));
    dialog.setParams(QStringLiteral("Type:0,Width:500,Height:250,xOffset:250,yOffset:100"));
    dialog.setImage(pictureFile(1000, 500));
    QCOMPARE(child<QLabel>(dialog, "step23_sizeShow")->text(), QStringLiteral("1000 X 500"));

    child<QRadioButton>(dialog, "step23_percents")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:1,Width:50,Height:50,xOffset:25,yOffset:20"));
    child<QRadioButton>(dialog, "step23_pixels")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:500,Height:250,xOffset:250,yOffset:100"));
}

void TestFilterDialogs::unitSwitchConverts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QSize>("picture");  // invalid: no picture to convert against
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");

    QTest::newRow("roll to percent") << "Roll" << "Type:0,Columns:250,Rows:100" << QSize(1000, 500)
                                     << "step25_percents" << "Type:1,Columns:25,Rows:20";
    QTest::newRow("roll to pixels") << "Roll" << "Type:1,Columns:25,Rows:20" << QSize(1000, 500) << "step25_pixels"
                                    << "Type:0,Columns:250,Rows:100";
    QTest::newRow("roll without picture") << "Roll" << "Type:0,Columns:250,Rows:100" << QSize() << "step25_percents"
                                          << "Type:1,Columns:100,Rows:100";
    QTest::newRow("resize to percent") << "Resize" << "Type:0,Width:500,Height:250,Radio:0,RadioBy:0"
                                       << QSize(1000, 500) << "step24_percents"
                                       << "Type:1,Width:50,Height:50,Radio:0,RadioBy:0";
    QTest::newRow("resize without picture") << "Resize" << "Type:0,Width:500,Height:250,Radio:0,RadioBy:0" << QSize()
                                            << "step24_percents" << "Type:1,Width:500,Height:250,Radio:0,RadioBy:0";
    QTest::newRow("crop rounds halves up") << "Crop" << "Type:0,Width:335,Height:333,xOffset:5,yOffset:4"
                                           << QSize(1000, 1000) << "step23_percents"
                                           << "Type:1,Width:34,Height:33,xOffset:1,yOffset:0";
    QTest::newRow("crop offsets stay inside") << "Crop" << "Type:0,Width:1000,Height:500,xOffset:999,yOffset:499"
                                              << QSize(1000, 500) << "step23_percents"
                                              << "Type:1,Width:100,Height:100,xOffset:99,yOffset:99";
    QTest::newRow("crop to pixels of the picture") << "Crop" << "Type:1,Width:100,Height:100,xOffset:99,yOffset:99"
                                                   << QSize(1000, 500) << "step23_pixels"
                                                   << "Type:0,Width:1000,Height:500,xOffset:990,yOffset:495";
}

void TestFilterDialogs::unitSwitchConverts()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    QFETCH(QSize, picture);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    DlgFilterSet dialog;
    dialog.setFilter(filter(name));
    dialog.setParams(stored);
    if (picture.isValid())
        dialog.setImage(pictureFile(picture.width(), picture.height()));
    QCOMPARE(dialog.params(), stored);
    child<QRadioButton>(dialog, button.toLatin1().constData())->click();
    QCOMPARE(dialog.params(), expected);
}

void TestFilterDialogs::resizeKeepsAspectAndWritesUncheckAtOnce()
{
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Resize")));
    dialog.setParams(QStringLiteral("Type:0,Width:400,Height:300,Radio:1,RadioBy:0"));
    dialog.setImage(pictureFile(400, 300));

    child<QSpinBox>(dialog, "step24_width")->setValue(200);
    QCOMPARE(child<QSpinBox>(dialog, "step24_height")->value(), 150);
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:200,Height:150,Radio:1,RadioBy:0"));

    child<QCheckBox>(dialog, "step24_radio")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:200,Height:150,Radio:0,RadioBy:0"));

    child<QSpinBox>(dialog, "step24_height")->setValue(100);
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:200,Height:100,Radio:0,RadioBy:1"));
    // Checking again lets the height, edited last, lead.
    child<QCheckBox>(dialog, "step24_radio")->click();
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:133,Height:100,Radio:1,RadioBy:1"));

    // A number typed and entered counts, and the dialog stays open.
    dialog.show();
    auto *width = child<QSpinBox>(dialog, "step24_width");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("80"));
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:133,Height:100,Radio:1,RadioBy:1"));
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(dialog.params(), QStringLiteral("Type:0,Width:80,Height:60,Radio:1,RadioBy:0"));
    QVERIFY(dialog.isVisible());
}

void TestFilterDialogs::rotateButtonsWrap_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left from 0") << "Degree:0" << "step26_left" << "Degree:270";
    QTest::newRow("left from 90") << "Degree:90" << "step26_left" << "Degree:0";
    QTest::newRow("right from 300") << "Degree:300" << "step26_right" << "Degree:30";
    QTest::newRow("right from 270") << "Degree:270" << "step26_right" << "Degree:360";
}

void TestFilterDialogs::rotateButtonsWrap()
{
    QFETCH(QString, stored);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    DlgFilterSet dialog;
    dialog.setFilter(filter(QStringLiteral("Rotate")));
    dialog.setParams(stored);
    child<QPushButton>(dialog, button.toLatin1().constData())->click();
    QCOMPARE(dialog.params(), expected);
}

QTEST_MAIN(TestFilterDialogs)
#include "tst_filterdialogs.moc"

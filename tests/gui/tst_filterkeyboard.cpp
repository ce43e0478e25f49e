#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>

#include "filterdialogtest.h"
#include "gui/filters/dlgfilterset.h"
#include "gui/filters/previewrun.h"

// The settings dialog driven without a mouse: Enter, quick changes and Ok, and
// the toggles an assistive tool sends.
class TestFilterKeyboard : public FilterDialogTest
{
    Q_OBJECT

private slots:
    void initTestCase();

    void enterPressesOk_data();
    void enterPressesOk();
    void okTakesTheLastChange_data();
    void okTakesTheLastChange();
    void toggleThroughAccessibilityCounts_data();
    void toggleThroughAccessibilityCounts();

private:
    // The dialog on screen and active, its first preview shown.
    bool open(DlgFilterSet &dialog, const QString &name, const QString &params)
    {
        dialog.setFilter(filter(name));
        dialog.setParams(params);
        dialog.setImage(pictureFile(64, 48));
        dialog.show();
        dialog.activateWindow();
        const auto *run = dialog.findChild<PreviewRun *>();
        return QTest::qWaitForWindowActive(&dialog)
            && TestUtils::waitFor([&] { return previewItem(dialog) && !run->isRunning(); });
    }
};

void TestFilterKeyboard::initTestCase()
{
    loadPlugins();
    QCOMPARE(FilterRegistry::instance().count(), 30);
}

void TestFilterKeyboard::enterPressesOk_data()
{
    QTest::addColumn<QString>("name");
    const FilterRegistry &registry = FilterRegistry::instance();
    for (int i = 0; i < registry.count(); ++i)
        QTest::newRow(qPrintable(registry.filterAt(i)->name())) << registry.filterAt(i)->name();
}

// Over every filter: the dialog opens with the focus on its page's first control
// (Ok for a filter without settings), and Enter there closes it with Ok.
void TestFilterKeyboard::enterPressesOk()
{
    QFETCH(QString, name);
    DlgFilterSet dialog;
    QVERIFY(open(dialog, name, QString()));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    const QWidget *page = child<QStackedWidget>(dialog, "stackedWidget")->currentWidget();
    const bool hasControls = !filter(name)->defaultParams().isEmpty();
    if (hasControls)
        QVERIFY2(page->isAncestorOf(focus), qPrintable(focus->objectName()));
    else
        QCOMPARE(focus->objectName(), QStringLiteral("pbOK"));

    QTest::keyClick(focus, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.params(), filter(name)->defaultParams());
}

void TestFilterKeyboard::okTakesTheLastChange_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");  // empty: one step to the right
    QTest::addColumn<bool>("byEnter");   // Enter on the control, else Ok pressed without moving the focus
    QTest::addColumn<QString>("expected");

    QTest::newRow("slider stepped, Enter") << "Blur" << "step1_value" << "" << true << "Value:51";
    QTest::newRow("slider stepped, Ok") << "Blur" << "step1_value" << "" << false << "Value:51";
    QTest::newRow("number typed, Ok") << "Crop" << "step23_left" << "7" << false
                                      << "Type:0,Width:100,Height:100,xOffset:7,yOffset:0";
    QTest::newRow("size typed, aspect kept, Ok") << "Resize" << "step24_width" << "32" << false
                                                 << "Type:0,Width:32,Height:24,Radio:1,RadioBy:0";
}

// A change made just before Ok, still settling or typed and not yet entered,
// is what the dialog returns.
void TestFilterKeyboard::okTakesTheLastChange()
{
    QFETCH(QString, name);
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(QString, expected);
    DlgFilterSet dialog;
    QVERIFY(open(dialog, name, name == QLatin1String("Resize") ? "Type:0,Width:64,Height:48,Radio:1,RadioBy:0" : ""));
    auto *widget = child<QWidget>(dialog, control.toLatin1().constData());
    widget->setFocus();
    if (typed.isEmpty()) {
        QTest::keyClick(widget, Qt::Key_Right);
    } else {
        qobject_cast<QSpinBox *>(widget)->selectAll();
        QTest::keyClicks(widget, typed);
    }
    if (byEnter)
        QTest::keyClick(widget, Qt::Key_Return);
    else
        child<QPushButton>(dialog, "pbOK")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.params(), expected);
}

void TestFilterKeyboard::toggleThroughAccessibilityCounts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("clickedBack");  // after a click that undoes the toggle

    QTest::newRow("flip vertically") << "Flip" << "" << "step22_vertically" << "Vertical:1,Horizontal:0"
                                     << "Vertical:0,Horizontal:0";
    QTest::newRow("flip horizontally back") << "Flip" << "Vertical:0,Horizontal:1" << "step22_horizontally"
                                            << "Vertical:0,Horizontal:0" << "Vertical:0,Horizontal:1";
    QTest::newRow("shade") << "Shade" << "" << "step13_grayscale" << "Azimuth:30,Elevation:30,ColorShading:0"
                           << "Azimuth:30,Elevation:30,ColorShading:1";
    // Keeping the aspect sets the height from the width; letting go keeps both.
    QTest::newRow("aspect kept") << "Resize" << "Type:0,Width:32,Height:10,Radio:0,RadioBy:0" << "step24_radio"
                                 << "Type:0,Width:32,Height:24,Radio:1,RadioBy:0"
                                 << "Type:0,Width:32,Height:24,Radio:0,RadioBy:0";
}

// An assistive tool's toggle of a box changes the string and previews it, once,
// as a click does.
void TestFilterKeyboard::toggleThroughAccessibilityCounts()
{
    QFETCH(QString, name);
    QFETCH(QString, params);
    QFETCH(QString, box);
    QFETCH(QString, expected);
    QFETCH(QString, clickedBack);
    DlgFilterSet dialog;
    QVERIFY(open(dialog, name, params));
    auto *run = dialog.findChild<PreviewRun *>();
    QSignalSpy previews(run, &PreviewRun::ready);
    auto *checkBox = child<QCheckBox>(dialog, box.toLatin1().constData());
    const bool wasChecked = checkBox->isChecked();

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(checkBox);
    QVERIFY(accessible && accessible->actionInterface());
    QVERIFY(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());

    QCOMPARE(checkBox->isChecked(), !wasChecked);
    QCOMPARE(dialog.params(), expected);
    QVERIFY(previews.wait(10000));
    QTest::qWait(100);
    QCOMPARE(previews.count(), 1);

    // A click after it is counted as well, and previewed once.
    checkBox->click();
    QCOMPARE(dialog.params(), clickedBack);
    QVERIFY(previews.wait(10000));
    QTest::qWait(100);
    QCOMPARE(previews.count(), 2);
}

QTEST_MAIN(TestFilterKeyboard)
#include "tst_filterkeyboard.moc"

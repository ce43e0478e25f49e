#include "gui/filters/pagebinder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

#include "filterinterface.h"
#include "gui/filters/filterpages.h"
#include "gui/filters/unitswitch.h"

namespace {

constexpr char colorProperty[] = "color";

template <typename T = QWidget>
T *widgetOf(const QWidget *page, const char *name)
{
    T *widget = page->findChild<T *>(QLatin1String(name));
    if (!widget)
        qWarning("filter settings page %s has no widget %s", qPrintable(page->objectName()), name);
    return widget;
}

bool isColor(ShowAs show)
{
    return show == ShowAs::Red || show == ShowAs::Green || show == ShowAs::Blue;
}

void showColorComponent(QWidget *button, ShowAs show, int value)
{
    QColor color = PageBinder::colorOf(button);
    const int component = qBound(0, value, 255);
    if (show == ShowAs::Red)
        color.setRed(component);
    else if (show == ShowAs::Green)
        color.setGreen(component);
    else
        color.setBlue(component);
    PageBinder::setColor(button, color);
}

int colorComponent(const QWidget *button, ShowAs show)
{
    const QColor color = PageBinder::colorOf(button);
    return show == ShowAs::Red ? color.red() : show == ShowAs::Green ? color.green() : color.blue();
}

// The row a list shows for the value; -1 keeps the row it shows.
int rowFor(ShowAs show, int value, int rows)
{
    const bool inList = value >= 0 && value < rows;
    switch (show) {
    case ShowAs::NonZero:
        return value != 0 ? 1 : 0;
    case ShowAs::One:
        return value == 1 ? 1 : 0;
    case ShowAs::RowOrFirst:
        return inList ? value : 0;
    case ShowAs::RowOrKeep:
        return inList ? value : -1;
    default:
        return value;
    }
}

bool checkedFor(ShowAs show, int value)
{
    return show == ShowAs::One ? value == 1 : value != 0;
}

// A family this system lacks shows as its nearest match; unless the user picks
// another, the stored family is written back, so that a project from another
// computer keeps its font.
constexpr char storedFamily[] = "storedFamily";
constexpr char shownFamily[] = "shownFamily";

void showFamily(QFontComboBox *fonts, const QString &family)
{
    fonts->setCurrentFont(QFont(family));
    fonts->setProperty(storedFamily, family);
    fonts->setProperty(shownFamily, fonts->currentFont().family());
}

QString familyOf(const QFontComboBox *fonts)
{
    const QString family = fonts->currentFont().family();
    return family == fonts->property(shownFamily).toString() ? fonts->property(storedFamily).toString() : family;
}

void showText(const FieldBinding &binding, QWidget *page, const QString &text)
{
    QWidget *widget = widgetOf(page, binding.widget);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setText(text);
    else if (auto *fonts = qobject_cast<QFontComboBox *>(widget))
        showFamily(fonts, text);
    else if (auto *list = qobject_cast<QComboBox *>(widget))
        list->setCurrentText(text);
}

QString textOf(const FieldBinding &binding, const QWidget *page)
{
    const QWidget *widget = widgetOf(page, binding.widget);
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (auto *fonts = qobject_cast<const QFontComboBox *>(widget))
        return familyOf(fonts);
    if (auto *list = qobject_cast<const QComboBox *>(widget))
        return list->currentText();
    return QString();
}

void show(const FieldBinding &binding, QWidget *page, const UnitFields &units, int value)
{
    QWidget *widget = widgetOf(page, binding.widget);
    if (!widget)
        return;
    if (isColor(binding.show)) {
        showColorComponent(widget, binding.show, value);
    } else if (binding.property) {
        widget->setProperty(binding.property, value);
    } else if (auto *slider = qobject_cast<QAbstractSlider *>(widget)) {
        slider->setValue(value);
    } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
        spin->setValue(value);
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        const int row = rowFor(binding.show, value, list->count());
        if (row >= 0)
            list->setCurrentIndex(row);
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        const bool checked = checkedFor(binding.show, value);
        if (!binding.pixels) {
            button->setChecked(checked);
            return;
        }
        // A unit pair: the ranges follow before the values are set.
        auto *pixels = widgetOf<QAbstractButton>(page, binding.pixels);
        if (!pixels)
            return;
        (checked ? button : pixels)->setChecked(true);
        UnitSwitch::setRanges(page, units, checked, QSize());
    }
}

int valueOf(const FieldBinding &binding, const QWidget *page)
{
    const QWidget *widget = widgetOf(page, binding.widget);
    if (!widget)
        return 0;
    if (isColor(binding.show))
        return colorComponent(widget, binding.show);
    if (binding.property)
        return widget->property(binding.property).toInt();
    if (auto *slider = qobject_cast<const QAbstractSlider *>(widget))
        return slider->value();
    if (auto *spin = qobject_cast<const QSpinBox *>(widget))
        return spin->value();
    if (auto *list = qobject_cast<const QComboBox *>(widget))
        return list->currentIndex();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->isChecked() ? 1 : 0;
    return 0;
}

} // namespace

namespace PageBinder {

bool read(const PageShape &shape, QWidget *page, const FilterInterface &filter, const QString &params)
{
    const std::unique_ptr<FilterParams> record = shape.makeRecord();
    if (!filter.parseParams(params, *record))
        return false;
    for (const FieldBinding &binding : shape.fields) {
        if (binding.field.getText)
            showText(binding, page, binding.field.getText(*record));
        else
            show(binding, page, shape.units, binding.field.get(*record));
    }
    return true;
}

QString write(const PageShape *shape, const QWidget *page, const FilterInterface &filter)
{
    if (!shape)
        return filter.formatParams(NoParams());
    const std::unique_ptr<FilterParams> record = shape->makeRecord();
    for (const FieldBinding &binding : shape->fields) {
        if (binding.field.setText)
            binding.field.setText(*record, textOf(binding, page));
        else
            binding.field.set(*record, valueOf(binding, page));
    }
    return filter.formatParams(*record);
}

// Whether the form's own connection by name takes `widget`'s `signal` to a slot
// of `context` ("on_<object>_<signal>"), which then handles the change.
static bool reachesNamedSlot(const QObject *context, const QWidget *widget, const char *signal)
{
    const QByteArray slot = "on_" + widget->objectName().toLatin1() + '_' + signal;
    return context->metaObject()->indexOfSlot(QMetaObject::normalizedSignature(slot.constData())) >= 0;
}

void connectChanges(const PageShape &shape, QWidget *page, QObject *context, const std::function<void()> &changed)
{
    for (const FieldBinding &binding : shape.fields) {
        if (binding.ownHandler || binding.property || binding.pixels || isColor(binding.show))
            continue;
        QWidget *widget = widgetOf(page, binding.widget);
        if (auto *slider = qobject_cast<QAbstractSlider *>(widget)) {
            if (binding.label) {
                if (auto *label = widgetOf<QLabel>(page, binding.label))
                    QObject::connect(slider, &QAbstractSlider::valueChanged, label, qOverload<int>(&QLabel::setNum));
            }
            if (!reachesNamedSlot(context, slider, "sliderReleased()"))
                QObject::connect(slider, &QAbstractSlider::sliderReleased, context, changed);
        } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
            if (!reachesNamedSlot(context, spin, "valueChanged(int)"))
                QObject::connect(spin, &QSpinBox::valueChanged, context, changed);
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            // Once the text is done (Return, or leaving the field), not at every key.
            if (!reachesNamedSlot(context, edit, "editingFinished()"))
                QObject::connect(edit, &QLineEdit::editingFinished, context, changed);
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            if (!reachesNamedSlot(context, list, "currentIndexChanged(int)"))
                QObject::connect(list, &QComboBox::currentIndexChanged, context, changed);
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            // A box counts when its state changes, however that happens: a click, the
            // keyboard, or an assistive tool's toggle, which emits no click.
            if (button->isCheckable()) {
                if (!reachesNamedSlot(context, button, "toggled(bool)"))
                    QObject::connect(button, &QAbstractButton::toggled, context, changed);
            } else if (!reachesNamedSlot(context, button, "clicked(bool)")
                       && !reachesNamedSlot(context, button, "clicked()")) {
                QObject::connect(button, &QAbstractButton::clicked, context, changed);
            }
        }
    }
}

QColor colorOf(const QWidget *button)
{
    const QColor color = button->property(colorProperty).value<QColor>();
    return color.isValid() ? color : QColor(Qt::black);
}

void setColor(QWidget *button, const QColor &color)
{
    button->setProperty(colorProperty, color);
    if (auto *pushButton = qobject_cast<QAbstractButton *>(button)) {
        QPixmap swatch(16, 16);
        swatch.fill(color);
        pushButton->setIcon(QIcon(swatch));
    }
}

} // namespace PageBinder

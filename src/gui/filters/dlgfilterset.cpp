#include "gui/filters/dlgfilterset.h"
#include "ui_dlgfilterset.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>

#include <cmath>

#include "engine/filters/filterregistry.h"
#include "engine/picture/picturecodec.h"
#include "filterinterface.h"
#include "gui/filters/dlgfilterprocess.h"
#include "gui/filters/filterpages.h"
#include "gui/filters/pagebinder.h"
#include "gui/filters/previewzoom.h"
#include "gui/filters/unitswitch.h"
#include "gui/views/imagepixmap.h"

namespace {

constexpr int NoSettingsPage = 0;

// Sets the widget while `ready` is off, so that no handler writes the string back.
class NotReady
{
public:
    explicit NotReady(bool &ready) : m_ready(ready), m_was(ready) { m_ready = false; }
    ~NotReady() { m_ready = m_was; }

private:
    bool &m_ready;
    const bool m_was;
};

} // namespace

DlgFilterSet::DlgFilterSet(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgFilterSetClass)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_views = std::make_unique<PreviewZoom>(ui->graphicsView_1, ui->graphicsView_2);

    for (const PageShape &shape : FilterPages::all()) {
        if (QWidget *page = ui->stackedWidget->widget(shape.page))
            PageBinder::connectChanges(shape, page, this, [this] { commitPage(); });
    }
    connectSliders();
    setupKeyboard();
    // The aspect box counts on every change of its state, also one that comes
    // without a click (an assistive tool's toggle); the click that follows a
    // toggle then finds the string as it is and runs nothing twice.
    connect(ui->step24_radio, &QAbstractButton::toggled, this, &DlgFilterSet::aspectChanged);

    ui->step2_cbType->hide();
    ui->step2_cbTypeLabel->hide();
    ui->previewCB->hide();
    PageBinder::setColor(ui->step2_Color, Qt::black);

    m_busyWindow = new DlgFilterProcess(this);
    m_preview = new PreviewRun(this);
    connect(m_busyWindow, &DlgFilterProcess::stopProcess, this, &DlgFilterSet::stopProcess);
    connect(m_preview, &PreviewRun::ready, this, &DlgFilterSet::displayImage);

    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &DlgFilterSet::commitPage);
    m_busyDelay.setSingleShot(true);
    m_busyDelay.setInterval(busyDelayMs);
    connect(&m_busyDelay, &QTimer::timeout, this, &DlgFilterSet::showBusyWindow);
}

// A run still going is cancelled and left to wind down on its own (PreviewRun);
// closing the dialog does not wait for it.
DlgFilterSet::~DlgFilterSet() = default;

void DlgFilterSet::connectSliders()
{
    // A drag counts on release (the page's own connections); every other change
    // of a slider counts once it has settled.
    for (QSlider *slider : ui->stackedWidget->findChildren<QSlider *>()) {
        connect(slider, &QSlider::valueChanged, this, [this, slider] {
            if (m_ready && !slider->isSliderDown())
                m_settle.start();
        });
        connect(slider, &QSlider::sliderReleased, &m_settle, &QTimer::stop);
    }
}

void DlgFilterSet::setupKeyboard()
{
    // Enter means Ok. The view's tools keep to Space, so that Enter never fits
    // or zooms because one of them had the focus; a focused Cancel or Reset
    // still answers Enter, as buttons do.
    for (QPushButton *tool : {ui->pbFit, ui->pbActual, ui->pbZoomIn, ui->pbZoomOut})
        tool->setAutoDefault(false);
    ui->pbOK->setDefault(true);
    for (QSpinBox *spin : ui->stackedWidget->findChildren<QSpinBox *>())
        spin->installEventFilter(this);
}

bool DlgFilterSet::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *spin = qobject_cast<QSpinBox *>(watched);
        if (spin && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            // A number typed but not yet taken: this Enter takes it, so that it is
            // previewed before the dialog closes on the next one.
            const int before = spin->value();
            spin->interpretText();
            if (spin->value() != before)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DlgFilterSet::focusFirstControl()
{
    // In Tab order, so that Tab goes on from there as the user expects.
    const QWidget *page = ui->stackedWidget->currentWidget();
    QWidget *first = ui->pbOK;  // a filter without settings
    for (QWidget *widget = nextInFocusChain(); widget != this; widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled()
            && widget->isVisibleTo(page)) {
            first = widget;
            break;
        }
    }
    first->setFocus(Qt::OtherFocusReason);
}

void DlgFilterSet::setFilter(FilterInterface *filter)
{
    m_filter = filter;
    if (!filter)
        return;
    const int page = filter->settingsPage();
    ui->stackedWidget->setCurrentIndex(page >= 0 && page < ui->stackedWidget->count() ? page : NoSettingsPage);
    setWindowTitle(FilterRegistry::instance().displayNameOf(filter->name()));
    ui->labelDes->setText(filter->description());
    focusFirstControl();
}

void DlgFilterSet::setParams(const QString &params)
{
    if (!m_filter)
        return;
    m_params = params.trimmed().isEmpty() ? m_filter->defaultParams() : params;
    NotReady notReady(m_ready);
    setPageFromParams(m_params);
}

void DlgFilterSet::setImage(const QString &path, bool allowDocuments)
{
    m_sourceImage = Magick::Image();
    m_imageSize = QSize();
    try {
        // Read as the batch reads it, so the preview is of the same picture.
        const Result<Magick::Image> image = PictureCodec::decode(path, allowDocuments);
        if (image && image.value().isValid())
            m_sourceImage = image.value();
    } catch (const std::exception &) {
        // Unreadable: the views stay empty and only the settings work.
    }
    if (m_sourceImage.isValid())
        m_imageSize = QSize(int(m_sourceImage.columns()), int(m_sourceImage.rows()));

    const QString size = m_imageSize.isValid() ? tr("%1 X %2").arg(m_imageSize.width()).arg(m_imageSize.height())
                                               : QString();
    for (QLabel *label : {ui->step23_sizeShow, ui->step24_sizeShow, ui->step25_sizeShow})
        label->setText(size);

    ImageView &original = m_views->view(PreviewPane::Original);
    if (!m_imageSize.isValid()) {
        original.clear();
        return;
    }
    m_originalPending = true;
    original.scene->setSceneRect(QRectF(QPointF(0, 0), m_imageSize));
    m_views->view(PreviewPane::Filtered).scene->setSceneRect(QRectF(QPointF(0, 0), m_imageSize));
    // The first preview waits until the dialog is on screen, so the busy window
    // never stands alone.
    if (isVisible())
        startPreview();
    else
        m_previewPending = true;
}

void DlgFilterSet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_previewPending)
        return;
    m_previewPending = false;
    QTimer::singleShot(0, this, &DlgFilterSet::startPreview);
}

void DlgFilterSet::done(int result)
{
    if (result == QDialog::Accepted) {
        // What the page shows is what Ok returns, also a change made just now.
        m_closing = true;
        takePendingEdits();
    }
    stopProcess();
    m_closing = false;
    QDialog::done(result);
}

void DlgFilterSet::takePendingEdits()
{
    for (QSpinBox *spin : ui->stackedWidget->currentWidget()->findChildren<QSpinBox *>())
        spin->interpretText();
    if (m_settle.isActive())
        commitPage();
}

void DlgFilterSet::showOriginal()
{
    if (!m_originalPending)
        return;
    m_originalPending = false;
    m_views->view(PreviewPane::Original).setPixmap(imageToPixmap(m_sourceImage));
    updateUi();
}

const PageShape *DlgFilterSet::currentShape() const
{
    return FilterPages::shape(ui->stackedWidget->currentIndex());
}

QString DlgFilterSet::pageParams() const
{
    if (!m_filter)
        return QString();
    return PageBinder::write(currentShape(), ui->stackedWidget->currentWidget(), *m_filter);
}

bool DlgFilterSet::setPageFromParams(const QString &params)
{
    const PageShape *shape = currentShape();
    return !shape || PageBinder::read(*shape, ui->stackedWidget->currentWidget(), *m_filter, params);
}

void DlgFilterSet::commitPage()
{
    m_settle.stop();
    if (!m_ready || !m_filter)
        return;
    const QString params = pageParams();
    if (params == m_params && params == m_previewParams)
        return;  // that string is being previewed or shown already
    m_params = params;
    startPreview();
}

void DlgFilterSet::startPreview()
{
    if (m_closing || !m_sourceImage.isValid())
        return;
    // The Original view is filled while the worker filters: a photograph's
    // conversion for the screen takes as long as many filters.
    if (m_originalPending)
        QTimer::singleShot(0, this, &DlgFilterSet::showOriginal);
    if (!m_filter)
        return;
    // A run still going is overtaken: it stops at its next progress report, and
    // the busy window stays until the newest run is done.
    m_preview->start(m_filter, m_params, m_sourceImage, PreviewPane::Filtered);
    m_previewParams = m_params;
    m_waiting = true;
    // The busy window waits for a run that takes its time; the clock runs from
    // the first change not yet shown, so steady quick changes still show it
    // once the picture lags behind.
    if (!m_busyWindow->isVisible() && !m_busyDelay.isActive())
        m_busyDelay.start();
}

void DlgFilterSet::showBusyWindow()
{
    if (!m_waiting || m_busyWindow->isVisible())
        return;
    m_busyWindow->setInfo(tr("Preview is being generated"));
    // Modal to this dialog until the run reports or is cancelled; no nested loop,
    // so the handler that started the run has long returned.
    m_busyWindow->open();
}

void DlgFilterSet::stopProcess()
{
    m_preview->cancel();
    m_waiting = false;
    m_previewParams.clear();
    m_busyDelay.stop();
    if (m_busyWindow->isVisible())
        m_busyWindow->done(QDialog::Rejected);
}

void DlgFilterSet::displayImage(const PreviewResult &result)
{
    // Only the newest run reports; a cancelled one never does.
    m_waiting = false;
    m_busyDelay.stop();
    m_views->view(result.pane).setPixmap(QPixmap::fromImage(result.image));
    if (m_busyWindow->isVisible())
        m_busyWindow->done(QDialog::Accepted);
}

void DlgFilterSet::updateUi()
{
    const int current = ui->tabWidget->currentIndex();
    ui->tabWidget->setCurrentIndex(1 - current);
    ui->tabWidget->setCurrentIndex(current);
    on_pbFit_clicked();
}

void DlgFilterSet::on_pbFit_clicked() { m_views->fit(); }
void DlgFilterSet::on_pbActual_clicked() { m_views->actualSize(); }
void DlgFilterSet::on_pbZoomIn_clicked() { m_views->zoom(ImageView::zoomInFactor); }
void DlgFilterSet::on_pbZoomOut_clicked() { m_views->zoom(ImageView::zoomOutFactor); }
void DlgFilterSet::on_pbOK_clicked() { accept(); }
void DlgFilterSet::on_pbCancel_clicked() { reject(); }

void DlgFilterSet::on_pbReset_clicked()
{
    if (!m_filter)
        return;
    setParams(m_filter->defaultParams());
    startPreview();
}

// Rotate

void DlgFilterSet::rotateBy(int degrees)
{
    int angle = ui->step26_degreen->value() + degrees;
    if (angle < 0)
        angle += 360;
    else if (angle > 360)
        angle -= 360;
    {
        NotReady notReady(m_ready);
        ui->step26_degreen->setValue(angle);
    }
    commitPage();
}

void DlgFilterSet::on_step26_left_clicked() { rotateBy(-90); }
void DlgFilterSet::on_step26_right_clicked() { rotateBy(90); }

// Border

void DlgFilterSet::on_step2_Color_clicked()
{
    const QColor chosen = QColorDialog::getColor(PageBinder::colorOf(ui->step2_Color), this);
    if (!chosen.isValid())
        return;
    PageBinder::setColor(ui->step2_Color, chosen);
    commitPage();
}

// Watermark

void DlgFilterSet::on_step28_color_clicked()
{
    const QColor chosen = QColorDialog::getColor(PageBinder::colorOf(ui->step28_color), this);
    if (!chosen.isValid())
        return;
    PageBinder::setColor(ui->step28_color, chosen);
    commitPage();
}

void DlgFilterSet::on_step28_browse_clicked()
{
    const QString chosen = QFileDialog::getOpenFileName(this, tr("Choose a logo"),
                                                        QFileInfo(ui->step28_logo->text()).absolutePath(),
                                                        tr("PNG pictures (*.png)"));
    if (chosen.isEmpty())
        return;
    {
        NotReady notReady(m_ready);
        ui->step28_logo->setText(chosen);
        // Choosing a logo is choosing to show it.
        ui->step28_kind->setCurrentIndex(1);
    }
    commitPage();
}

// Crop, resize and roll: units

void DlgFilterSet::unitToggled(bool checked, bool toPercent)
{
    const PageShape *shape = currentShape();
    if (!checked || !m_ready || !shape)
        return;
    {
        NotReady notReady(m_ready);
        UnitSwitch::convert(ui->stackedWidget->currentWidget(), shape->units, toPercent, m_imageSize);
    }
    commitPage();
}

void DlgFilterSet::on_step23_pixels_toggled(bool checked) { unitToggled(checked, false); }
void DlgFilterSet::on_step23_percents_toggled(bool checked) { unitToggled(checked, true); }
void DlgFilterSet::on_step24_pixels_toggled(bool checked) { unitToggled(checked, false); }
void DlgFilterSet::on_step24_percents_toggled(bool checked) { unitToggled(checked, true); }
void DlgFilterSet::on_step25_pixels_toggled(bool checked) { unitToggled(checked, false); }
void DlgFilterSet::on_step25_percents_toggled(bool checked) { unitToggled(checked, true); }

// Resize: aspect ratio

void DlgFilterSet::followAspect(int leading)
{
    if (ui->step24_radio->isChecked()) {
        const bool percent = ui->step24_percents->isChecked();
        NotReady notReady(m_ready);
        if (percent) {
            if (leading == 0)
                ui->step24_height->setValue(ui->step24_width->value());
            else
                ui->step24_width->setValue(ui->step24_height->value());
        } else if (m_imageSize.isValid()) {
            const double ratio = double(m_imageSize.width()) / m_imageSize.height();
            if (leading == 0)
                ui->step24_height->setValue(int(std::trunc(ui->step24_width->value() / ratio)));
            else
                ui->step24_width->setValue(int(std::trunc(ui->step24_height->value() * ratio)));
        }
    }
    commitPage();
}

void DlgFilterSet::dimensionEdited(int leading)
{
    if (!m_ready)
        return;
    ui->step24_radio->setProperty(FilterPages::leadingDimension, leading);
    followAspect(leading);
}

void DlgFilterSet::on_step24_width_valueChanged(int) { dimensionEdited(0); }
void DlgFilterSet::on_step24_height_valueChanged(int) { dimensionEdited(1); }

void DlgFilterSet::aspectChanged()
{
    // Checking applies the rule once; unchecking is written as it is.
    if (m_ready)
        followAspect(ui->step24_radio->property(FilterPages::leadingDimension).toInt() == 0 ? 0 : 1);
}

void DlgFilterSet::on_step24_radio_clicked(bool) { aspectChanged(); }

// The form's named slots: a change of the page, as any other.
void DlgFilterSet::on_step26_degreen_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step21_channel_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step20_channel_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step15_degrees_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step14_amount_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step12_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step11_effect_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step11_width_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step10_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step9_type_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step8_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step4_radius_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step1_value_sliderReleased() { commitPage(); }

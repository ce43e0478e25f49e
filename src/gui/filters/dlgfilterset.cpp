#include "gui/filters/dlgfilterset.h"
#include "ui_dlgfilterset.h"

#include <QColorDialog>
#include <QScrollBar>

#include <cmath>

#include "gui/filters/dlgfilterprocess.h"
#include "filterinterface.h"
#include "filterparams.h"
#include "engine/filters/filterregistry.h"
#include "gui/views/imagepixmap.h"
#include "gui/views/imageview.h"
#include "engine/picture/picturecodec.h"
#include "gui/filters/previewthread.h"

namespace {

enum Page {
    NoSettingsPage = 0, BlurPage = 1, BorderPage = 2, CharcoalPage = 3, EdgePage = 4, EmbossPage = 5,
    GaussianBlurPage = 6, GrayPage = 7, ImplodePage = 8, NoisePage = 9, OilPaintPage = 10, RaisePage = 11,
    SolarizePage = 12, ShadePage = 13, SpreadPage = 14, SwirlPage = 15, WavePage = 16, AutoContrastPage = 17,
    ContrastPage = 18, ModulatePage = 19, LevelsPage = 20, SharpenPage = 21, FlipPage = 22, CropPage = 23,
    ResizePage = 24, RollPage = 25, RotatePage = 26
};

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

// A stored channel outside the list means all channels, as it does to the filter.
int channelIndex(int channel)
{
    return channel >= 0 && channel <= 3 ? channel : 0;
}

// A value given in pixels as a percentage of the dimension, and back.
int percentOf(int value, int dimension)
{
    return int(std::trunc(double(value) * 100.0 / dimension + 0.5));
}

int pixelsOf(int percent, int dimension)
{
    return int(qint64(dimension) * percent / 100);
}

constexpr int largestPixelValue = 100000;

} // namespace

DlgFilterSet::DlgFilterSet(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgFilterSetClass)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    initGraphicsView();

    for (QGraphicsView *view : {ui->graphicsView_1, ui->graphicsView_2})
        view->setFixedSize(472, 291);
    // Both views show the same part of the picture.
    connect(ui->graphicsView_1->horizontalScrollBar(), &QScrollBar::valueChanged,
            ui->graphicsView_2->horizontalScrollBar(), &QScrollBar::setValue);
    connect(ui->graphicsView_2->horizontalScrollBar(), &QScrollBar::valueChanged,
            ui->graphicsView_1->horizontalScrollBar(), &QScrollBar::setValue);
    connect(ui->graphicsView_1->verticalScrollBar(), &QScrollBar::valueChanged,
            ui->graphicsView_2->verticalScrollBar(), &QScrollBar::setValue);
    connect(ui->graphicsView_2->verticalScrollBar(), &QScrollBar::valueChanged,
            ui->graphicsView_1->verticalScrollBar(), &QScrollBar::setValue);

    connect(ui->step1_value, &QSlider::valueChanged, this, &DlgFilterSet::updateStep1Labe);
    connect(ui->step2_width, &QSpinBox::valueChanged, this, qOverload<int>(&DlgFilterSet::updateBorderPreview));
    connect(ui->step2_height, &QSpinBox::valueChanged, this, qOverload<int>(&DlgFilterSet::updateBorderPreview));
    connect(ui->step3_radius, &QSlider::valueChanged, this, &DlgFilterSet::updateStep3Labe1);
    connect(ui->step3_sigma, &QSlider::valueChanged, this, &DlgFilterSet::updateStep3Labe2);
    connect(ui->step3_radius, &QSlider::sliderReleased, this, &DlgFilterSet::on_step3_sliderReleased);
    connect(ui->step3_sigma, &QSlider::sliderReleased, this, &DlgFilterSet::on_step3_sliderReleased);
    connect(ui->step4_radius, &QSlider::valueChanged, this, &DlgFilterSet::updateStep4Labe);
    connect(ui->step5_radius, &QSlider::valueChanged, this, &DlgFilterSet::updateStep5Labe1);
    connect(ui->step5_sigma, &QSlider::valueChanged, this, &DlgFilterSet::updateStep5Labe2);
    connect(ui->step5_radius, &QSlider::sliderReleased, this, &DlgFilterSet::on_step5_sliderReleased);
    connect(ui->step5_sigma, &QSlider::sliderReleased, this, &DlgFilterSet::on_step5_sliderReleased);
    connect(ui->step6_width, &QSlider::valueChanged, this, &DlgFilterSet::updateStep6Labe1);
    connect(ui->step6_sigma, &QSlider::valueChanged, this, &DlgFilterSet::updateStep6Labe2);
    connect(ui->step6_width, &QSlider::sliderReleased, this, &DlgFilterSet::on_step6_sliderReleased);
    connect(ui->step6_sigma, &QSlider::sliderReleased, this, &DlgFilterSet::on_step6_sliderReleased);
    connect(ui->step8_value, &QSlider::valueChanged, this, &DlgFilterSet::updateStep8Labe);
    connect(ui->step10_value, &QSlider::valueChanged, this, &DlgFilterSet::updateStep10Labe);
    connect(ui->step11_width, &QSlider::valueChanged, this, &DlgFilterSet::updateStep11Labe);
    connect(ui->step12_value, &QSlider::valueChanged, this, &DlgFilterSet::updateStep12Labe);
    connect(ui->step13_azimuth, &QSlider::valueChanged, this, &DlgFilterSet::updateStep13Labe1);
    connect(ui->step13_elevation, &QSlider::valueChanged, this, &DlgFilterSet::updateStep13Labe2);
    connect(ui->step13_azimuth, &QSlider::sliderReleased, this, &DlgFilterSet::on_step13_value_sliderReleased);
    connect(ui->step13_elevation, &QSlider::sliderReleased, this, &DlgFilterSet::on_step13_value_sliderReleased);
    connect(ui->step13_grayscale, &QCheckBox::clicked, this, &DlgFilterSet::on_step13_value_sliderReleased);
    connect(ui->step14_amount, &QSlider::valueChanged, this, &DlgFilterSet::updateStep14Labe);
    connect(ui->step15_degrees, &QSlider::valueChanged, this, &DlgFilterSet::updateStep15Labe);
    connect(ui->step16_amplitude, &QSlider::valueChanged, this, &DlgFilterSet::updateStep16Labe1);
    connect(ui->step16_length, &QSlider::valueChanged, this, &DlgFilterSet::updateStep16Labe2);
    connect(ui->step16_amplitude, &QSlider::sliderReleased, this, &DlgFilterSet::on_step16_sliderReleased);
    connect(ui->step16_length, &QSlider::sliderReleased, this, &DlgFilterSet::on_step16_sliderReleased);
    connect(ui->step18_contrast, &QSlider::valueChanged, this, &DlgFilterSet::updateStep18Labe1);
    connect(ui->step18_lightness, &QSlider::valueChanged, this, &DlgFilterSet::updateStep18Labe2);
    connect(ui->step18_contrast, &QSlider::sliderReleased, this, &DlgFilterSet::on_step18_value_sliderReleased);
    connect(ui->step18_lightness, &QSlider::sliderReleased, this, &DlgFilterSet::on_step18_value_sliderReleased);
    connect(ui->step19_hue, &QSlider::valueChanged, this, &DlgFilterSet::updateStep19Labe1);
    connect(ui->step19_saturation, &QSlider::valueChanged, this, &DlgFilterSet::updateStep19Labe2);
    connect(ui->step19_lightness, &QSlider::valueChanged, this, &DlgFilterSet::updateStep19Labe3);
    for (QSlider *slider : {ui->step19_hue, ui->step19_saturation, ui->step19_lightness})
        connect(slider, &QSlider::sliderReleased, this, &DlgFilterSet::on_step19_sliderReleased);
    connect(ui->step20_black, &QSlider::valueChanged, this, &DlgFilterSet::updateStep20Labe1);
    connect(ui->step20_white, &QSlider::valueChanged, this, &DlgFilterSet::updateStep20Labe2);
    connect(ui->step20_mid, &QSlider::valueChanged, this, &DlgFilterSet::updateStep20Labe3);
    for (QSlider *slider : {ui->step20_black, ui->step20_white, ui->step20_mid})
        connect(slider, &QSlider::sliderReleased, this, &DlgFilterSet::on_step20_sliderReleased);
    connect(ui->step21_radius, &QSlider::valueChanged, this, &DlgFilterSet::updateStep21Labe1);
    connect(ui->step21_sigma, &QSlider::valueChanged, this, &DlgFilterSet::updateStep21Labe2);
    connect(ui->step21_radius, &QSlider::sliderReleased, this, &DlgFilterSet::on_step21_sliderReleased);
    connect(ui->step21_sigma, &QSlider::sliderReleased, this, &DlgFilterSet::on_step21_sliderReleased);
    connect(ui->step22_vertically, &QCheckBox::clicked, this, &DlgFilterSet::on_step22_clicked);
    connect(ui->step22_horizontally, &QCheckBox::clicked, this, &DlgFilterSet::on_step22_clicked);
    for (QSpinBox *spin : {ui->step23_width, ui->step23_height, ui->step23_left, ui->step23_top})
        connect(spin, &QSpinBox::valueChanged, this, &DlgFilterSet::on_step23_update);
    connect(ui->step25_columns, &QSpinBox::valueChanged, this, &DlgFilterSet::on_step25_update);
    connect(ui->step25_rows, &QSpinBox::valueChanged, this, &DlgFilterSet::on_step25_update);
    connect(ui->step26_degreen, &QSlider::valueChanged, this, &DlgFilterSet::updateStep26Labe);
    connectSliders();

    ui->step2_cbType->hide();
    ui->step2_cbTypeLabel->hide();
    ui->previewCB->hide();
    setColorButton();

    m_busyWindow = new DlgFilterProcess(this);
    m_worker = new PreviewThread(this);
    connect(m_busyWindow, &DlgFilterProcess::stopProcess, this, &DlgFilterSet::stopProcess);
    connect(m_worker, &PreviewThread::closeProcessDlgSignal, this, &DlgFilterSet::closeProcessDlg);
    connect(m_worker, &PreviewThread::completeProcess, this, &DlgFilterSet::displayImage);
    connect(m_worker, &QThread::finished, this, &DlgFilterSet::runEnded);

    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &DlgFilterSet::commitPage);
}

DlgFilterSet::~DlgFilterSet()
{
    if (!m_worker->isRunning())
        return;
    // A cancelled run still winding down ends on its own; closing the dialog
    // does not wait for it.
    m_worker->abandon();
}

void DlgFilterSet::connectSliders()
{
    // A drag counts on release (the *_sliderReleased handlers); every other change
    // of a slider counts once it has settled.
    for (QSlider *slider : ui->stackedWidget->findChildren<QSlider *>()) {
        connect(slider, &QSlider::valueChanged, this, [this, slider] {
            if (m_ready && !slider->isSliderDown())
                m_settle.start();
        });
        connect(slider, &QSlider::sliderReleased, &m_settle, &QTimer::stop);
    }
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

    if (!m_imageSize.isValid()) {
        m_originalView->clear();
        return;
    }
    m_originalPending = true;
    m_originalView->scene->setSceneRect(QRectF(QPointF(0, 0), m_imageSize));
    m_previewView->scene->setSceneRect(QRectF(QPointF(0, 0), m_imageSize));
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

void DlgFilterSet::showOriginal()
{
    if (!m_originalPending)
        return;
    m_originalPending = false;
    m_originalView->setPixmap(imageToPixmap(m_sourceImage));
    updateUi();
}

QString DlgFilterSet::pageParams() const
{
    if (!m_filter)
        return QString();
    switch (ui->stackedWidget->currentIndex()) {
    case BlurPage: {
        BlurParams r;
        r.Value = ui->step1_value->value();
        return m_filter->formatParams(r);
    }
    case BorderPage: {
        BorderParams r;
        r.Type = QString::number(ui->step2_cbType->currentIndex());
        r.Width = unsigned(ui->step2_width->value());
        r.Height = unsigned(ui->step2_height->value());
        r.Red = unsigned(m_color.red());
        r.Green = unsigned(m_color.green());
        r.Blue = unsigned(m_color.blue());
        return m_filter->formatParams(r);
    }
    case CharcoalPage: {
        CharcoalParams r;
        r.Radius = unsigned(ui->step3_radius->value());
        r.Simga = unsigned(ui->step3_sigma->value());
        return m_filter->formatParams(r);
    }
    case EdgePage: {
        EdgeParams r;
        r.Radius = ui->step4_radius->value();
        return m_filter->formatParams(r);
    }
    case EmbossPage: {
        EmbossParams r;
        r.Radius = unsigned(ui->step5_radius->value());
        r.Simga = unsigned(ui->step5_sigma->value());
        return m_filter->formatParams(r);
    }
    case GaussianBlurPage: {
        GaussianBlurParams r;
        r.Width = unsigned(ui->step6_width->value());
        r.Simga = unsigned(ui->step6_sigma->value());
        return m_filter->formatParams(r);
    }
    case ImplodePage: {
        ImplodeParams r;
        r.Value = ui->step8_value->value();
        return m_filter->formatParams(r);
    }
    case NoisePage: {
        NoiseParams r;
        r.Method = ui->step9_type->currentIndex();
        return m_filter->formatParams(r);
    }
    case OilPaintPage: {
        OilPaintParams r;
        r.Value = ui->step10_value->value();
        return m_filter->formatParams(r);
    }
    case RaisePage: {
        RaiseParams r;
        r.Width = unsigned(ui->step11_width->value());
        r.Raise = unsigned(ui->step11_effect->currentIndex());
        return m_filter->formatParams(r);
    }
    case SolarizePage: {
        SolarizeParams r;
        r.Value = ui->step12_value->value();
        return m_filter->formatParams(r);
    }
    case ShadePage: {
        ShadeParams r;
        r.Azimuth = unsigned(ui->step13_azimuth->value());
        r.Elevation = unsigned(ui->step13_elevation->value());
        r.ColorShading = ui->step13_grayscale->isChecked() ? 1 : 0;
        return m_filter->formatParams(r);
    }
    case SpreadPage: {
        SpreadParams r;
        r.Amount = ui->step14_amount->value();
        return m_filter->formatParams(r);
    }
    case SwirlPage: {
        SwirlParams r;
        r.Degrees = ui->step15_degrees->value();
        return m_filter->formatParams(r);
    }
    case WavePage: {
        WaveParams r;
        r.Amplitude = unsigned(ui->step16_amplitude->value());
        r.Length = unsigned(ui->step16_length->value());
        return m_filter->formatParams(r);
    }
    case ContrastPage: {
        ContrastParams r;
        r.Contrast = ui->step18_contrast->value();
        r.Lightness = ui->step18_lightness->value();
        return m_filter->formatParams(r);
    }
    case ModulatePage: {
        ModulateParams r;
        r.Hue = ui->step19_hue->value();
        r.Saturation = ui->step19_saturation->value();
        r.Lightness = ui->step19_lightness->value();
        return m_filter->formatParams(r);
    }
    case LevelsPage: {
        LevelsParams r;
        r.Channel = ui->step20_channel->currentIndex();
        r.Black = ui->step20_black->value();
        r.White = ui->step20_white->value();
        r.Mid = ui->step20_mid->value();
        return m_filter->formatParams(r);
    }
    case SharpenPage: {
        SharpenParams r;
        r.Channel = ui->step21_channel->currentIndex();
        r.Radius = ui->step21_radius->value();
        r.Sigma = ui->step21_sigma->value();
        return m_filter->formatParams(r);
    }
    case FlipPage: {
        FlipParams r;
        r.Vertical = ui->step22_vertically->isChecked() ? 1 : 0;
        r.Horizontal = ui->step22_horizontally->isChecked() ? 1 : 0;
        return m_filter->formatParams(r);
    }
    case CropPage: {
        CropParams r;
        r.Type = ui->step23_percents->isChecked() ? 1 : 0;
        r.Width = ui->step23_width->value();
        r.Height = ui->step23_height->value();
        r.xOffset = ui->step23_left->value();
        r.yOffset = ui->step23_top->value();
        return m_filter->formatParams(r);
    }
    case ResizePage: {
        ResizeParams r;
        r.Type = ui->step24_percents->isChecked() ? 1 : 0;
        r.Width = ui->step24_width->value();
        r.Height = ui->step24_height->value();
        r.Radio = ui->step24_radio->isChecked() ? 1 : 0;
        r.RadioBy = m_lastEditedDimension;
        return m_filter->formatParams(r);
    }
    case RollPage: {
        RollParams r;
        r.Type = ui->step25_percents->isChecked() ? 1 : 0;
        r.Columns = ui->step25_columns->value();
        r.Rows = ui->step25_rows->value();
        return m_filter->formatParams(r);
    }
    case RotatePage: {
        RotateParams r;
        r.Degree = ui->step26_degreen->value();
        return m_filter->formatParams(r);
    }
    default: {
        NoParams r;
        return m_filter->formatParams(r);
    }
    }
}

bool DlgFilterSet::setPageFromParams(const QString &params)
{
    // Reads the string into the page's record and hands it to `fill` when it reads.
    auto read = [this, &params](auto record, auto fill) {
        if (!m_filter->parseParams(params, record))
            return false;
        fill(record);
        return true;
    };
    auto setUnit = [](QRadioButton *pixels, QRadioButton *percents, int type) {
        (type != 0 ? percents : pixels)->setChecked(true);
    };

    switch (ui->stackedWidget->currentIndex()) {
    case BlurPage:
        return read(BlurParams(), [&](const BlurParams &r) { ui->step1_value->setValue(r.Value); });
    case BorderPage:
        return read(BorderParams(), [&](const BorderParams &r) {
            ui->step2_cbType->setCurrentIndex(r.Type.toInt() != 0 ? 1 : 0);
            ui->step2_width->setValue(int(r.Width));
            ui->step2_height->setValue(int(r.Height));
            m_color = QColor(int(qMin(r.Red, 255u)), int(qMin(r.Green, 255u)), int(qMin(r.Blue, 255u)));
            setColorButton();
        });
    case CharcoalPage:
        return read(CharcoalParams(), [&](const CharcoalParams &r) {
            ui->step3_radius->setValue(int(r.Radius));
            ui->step3_sigma->setValue(int(r.Simga));
        });
    case EdgePage:
        return read(EdgeParams(), [&](const EdgeParams &r) { ui->step4_radius->setValue(r.Radius); });
    case EmbossPage:
        return read(EmbossParams(), [&](const EmbossParams &r) {
            ui->step5_radius->setValue(int(r.Radius));
            ui->step5_sigma->setValue(int(r.Simga));
        });
    case GaussianBlurPage:
        return read(GaussianBlurParams(), [&](const GaussianBlurParams &r) {
            ui->step6_width->setValue(int(r.Width));
            ui->step6_sigma->setValue(int(r.Simga));
        });
    case ImplodePage:
        return read(ImplodeParams(), [&](const ImplodeParams &r) { ui->step8_value->setValue(r.Value); });
    case NoisePage:
        return read(NoiseParams(), [&](const NoiseParams &r) {
            if (r.Method >= 0 && r.Method < ui->step9_type->count())
                ui->step9_type->setCurrentIndex(r.Method);
        });
    case OilPaintPage:
        return read(OilPaintParams(), [&](const OilPaintParams &r) { ui->step10_value->setValue(r.Value); });
    case RaisePage:
        return read(RaiseParams(), [&](const RaiseParams &r) {
            ui->step11_width->setValue(int(r.Width));
            ui->step11_effect->setCurrentIndex(r.Raise != 0 ? 1 : 0);
        });
    case SolarizePage:
        return read(SolarizeParams(), [&](const SolarizeParams &r) { ui->step12_value->setValue(r.Value); });
    case ShadePage:
        return read(ShadeParams(), [&](const ShadeParams &r) {
            ui->step13_azimuth->setValue(int(r.Azimuth));
            ui->step13_elevation->setValue(int(r.Elevation));
            ui->step13_grayscale->setChecked(r.ColorShading != 0);
        });
    case SpreadPage:
        return read(SpreadParams(), [&](const SpreadParams &r) { ui->step14_amount->setValue(r.Amount); });
    case SwirlPage:
        return read(SwirlParams(), [&](const SwirlParams &r) { ui->step15_degrees->setValue(r.Degrees); });
    case WavePage:
        return read(WaveParams(), [&](const WaveParams &r) {
            ui->step16_amplitude->setValue(int(r.Amplitude));
            ui->step16_length->setValue(int(r.Length));
        });
    case ContrastPage:
        return read(ContrastParams(), [&](const ContrastParams &r) {
            ui->step18_contrast->setValue(r.Contrast);
            ui->step18_lightness->setValue(r.Lightness);
        });
    case ModulatePage:
        return read(ModulateParams(), [&](const ModulateParams &r) {
            ui->step19_hue->setValue(r.Hue);
            ui->step19_saturation->setValue(r.Saturation);
            ui->step19_lightness->setValue(r.Lightness);
        });
    case LevelsPage:
        return read(LevelsParams(), [&](const LevelsParams &r) {
            ui->step20_channel->setCurrentIndex(channelIndex(r.Channel));
            ui->step20_black->setValue(r.Black);
            ui->step20_white->setValue(r.White);
            ui->step20_mid->setValue(r.Mid);
        });
    case SharpenPage:
        return read(SharpenParams(), [&](const SharpenParams &r) {
            ui->step21_channel->setCurrentIndex(channelIndex(r.Channel));
            ui->step21_radius->setValue(r.Radius);
            ui->step21_sigma->setValue(r.Sigma);
        });
    case FlipPage:
        return read(FlipParams(), [&](const FlipParams &r) {
            ui->step22_vertically->setChecked(r.Vertical == 1);
            ui->step22_horizontally->setChecked(r.Horizontal == 1);
        });
    case CropPage:
        return read(CropParams(), [&](const CropParams &r) {
            setUnit(ui->step23_pixels, ui->step23_percents, r.Type);
            const bool percent = r.Type != 0;
            ui->step23_width->setMaximum(percent ? 100 : largestPixelValue);
            ui->step23_height->setMaximum(percent ? 100 : largestPixelValue);
            ui->step23_left->setMaximum(percent ? 99 : largestPixelValue);
            ui->step23_top->setMaximum(percent ? 99 : largestPixelValue);
            ui->step23_width->setValue(r.Width);
            ui->step23_height->setValue(r.Height);
            ui->step23_left->setValue(r.xOffset);
            ui->step23_top->setValue(r.yOffset);
        });
    case ResizePage:
        return read(ResizeParams(), [&](const ResizeParams &r) {
            setUnit(ui->step24_pixels, ui->step24_percents, r.Type == 1 ? 1 : 0);
            ui->step24_width->setValue(r.Width);
            ui->step24_height->setValue(r.Height);
            ui->step24_radio->setChecked(r.Radio != 0);
            m_lastEditedDimension = r.RadioBy;
        });
    case RollPage:
        return read(RollParams(), [&](const RollParams &r) {
            setUnit(ui->step25_pixels, ui->step25_percents, r.Type);
            const bool percent = r.Type != 0;
            ui->step25_columns->setMaximum(percent ? 100 : largestPixelValue);
            ui->step25_rows->setMaximum(percent ? 100 : largestPixelValue);
            ui->step25_columns->setValue(r.Columns);
            ui->step25_rows->setValue(r.Rows);
        });
    case RotatePage:
        return read(RotateParams(), [&](const RotateParams &r) { ui->step26_degreen->setValue(r.Degree); });
    default:
        return true;
    }
}

void DlgFilterSet::commitPage()
{
    m_settle.stop();
    if (!m_ready || !m_filter)
        return;
    m_params = pageParams();
    startPreview();
}

void DlgFilterSet::startPreview()
{
    if (!m_sourceImage.isValid())
        return;
    // The Original view is filled while the worker filters: a photograph's
    // conversion for the screen takes as long as many filters.
    if (m_originalPending)
        QTimer::singleShot(0, this, &DlgFilterSet::showOriginal);
    if (!m_filter)
        return;
    m_runQueued = true;
    // A run still going (one being cancelled, or one this change overtook) hands
    // over when it ends; the busy window stays until the newest run is done.
    if (!m_runActive)
        startQueuedRun();
    if (m_busyWindow->isVisible())
        return;
    m_busyWindow->setInfo(tr("Preview is being generated"));
    m_busyWindow->exec();
}

void DlgFilterSet::startQueuedRun()
{
    if (!m_runQueued)
        return;
    m_runQueued = false;
    m_runCancelled = false;
    m_runActive = true;
    m_worker->wait();  // past finished(), the thread only tidies up
    m_worker->setup(m_filter, m_params, m_sourceImage, m_previewView.get(), false);
    m_worker->start();
}

void DlgFilterSet::runEnded()
{
    m_runActive = false;
    startQueuedRun();
}

void DlgFilterSet::stopProcess()
{
    m_runQueued = false;
    m_runCancelled = true;
    m_worker->stop();
    m_busyWindow->done(QDialog::Rejected);
}

void DlgFilterSet::closeProcessDlg()
{
    if (m_runCancelled || m_runQueued)
        return;
    m_busyWindow->done(QDialog::Accepted);
}

void DlgFilterSet::displayImage(const QImage &image, void *view, bool fitFlag)
{
    if (m_runCancelled)
        return;
    static_cast<ImageView *>(view)->setPixmap(QPixmap::fromImage(image));
    if (fitFlag)
        on_pbFit_clicked();
}

void DlgFilterSet::initGraphicsView()
{
    m_originalView = std::make_unique<ImageView>(ui->graphicsView_1);
    m_previewView = std::make_unique<ImageView>(ui->graphicsView_2);
}

void DlgFilterSet::updateUi()
{
    const int current = ui->tabWidget->currentIndex();
    ui->tabWidget->setCurrentIndex(1 - current);
    ui->tabWidget->setCurrentIndex(current);
    on_pbFit_clicked();
}

void DlgFilterSet::on_pbFit_clicked()
{
    ImageView::fitTogether(*m_originalView, *m_previewView);
}

void DlgFilterSet::on_pbActual_clicked()
{
    m_originalView->actualSize();
    m_previewView->actualSize();
}

void DlgFilterSet::on_pbZoomIn_clicked()
{
    m_originalView->zoom(ImageView::zoomInFactor);
    m_previewView->zoom(ImageView::zoomInFactor);
}

void DlgFilterSet::on_pbZoomOut_clicked()
{
    m_originalView->zoom(ImageView::zoomOutFactor);
    m_previewView->zoom(ImageView::zoomOutFactor);
}

void DlgFilterSet::on_pbOK_clicked()
{
    accept();
}

void DlgFilterSet::on_pbCancel_clicked()
{
    reject();
}

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

void DlgFilterSet::on_step26_left_clicked()
{
    rotateBy(-90);
}

void DlgFilterSet::on_step26_right_clicked()
{
    rotateBy(90);
}

void DlgFilterSet::on_step26_degreen_sliderReleased()
{
    commitPage();
}

// Border

void DlgFilterSet::setColorButton()
{
    QPixmap swatch(16, 16);
    swatch.fill(m_color);
    ui->step2_Color->setIcon(QIcon(swatch));
}

void DlgFilterSet::on_step2_Color_clicked()
{
    const QColor chosen = QColorDialog::getColor(m_color, this);
    if (!chosen.isValid())
        return;
    m_color = chosen;
    setColorButton();
    updateBorderPreview();
}

void DlgFilterSet::updateBorderPreview(int)
{
    updateBorderPreview();
}

void DlgFilterSet::updateBorderPreview()
{
    commitPage();
}

// Crop, resize and roll: units. Values are converted against the picture's size;
// without a picture (nothing to divide by) they are only kept within the unit's range.

void DlgFilterSet::switchCropUnit(bool toPercent)
{
    const int w = m_imageSize.width();
    const int h = m_imageSize.height();
    const bool convert = m_imageSize.isValid();
    const int width = ui->step23_width->value();
    const int height = ui->step23_height->value();
    const int left = ui->step23_left->value();
    const int top = ui->step23_top->value();
    {
        NotReady notReady(m_ready);
        ui->step23_width->setMaximum(toPercent ? 100 : convert ? w : largestPixelValue);
        ui->step23_height->setMaximum(toPercent ? 100 : convert ? h : largestPixelValue);
        ui->step23_left->setMaximum(toPercent ? 99 : convert ? w - 1 : largestPixelValue);
        ui->step23_top->setMaximum(toPercent ? 99 : convert ? h - 1 : largestPixelValue);
        if (convert) {
            ui->step23_width->setValue(toPercent ? percentOf(width, w) : pixelsOf(width, w));
            ui->step23_height->setValue(toPercent ? percentOf(height, h) : pixelsOf(height, h));
            ui->step23_left->setValue(toPercent ? percentOf(left, w) : pixelsOf(left, w));
            ui->step23_top->setValue(toPercent ? percentOf(top, h) : pixelsOf(top, h));
        }
    }
    commitPage();
}

void DlgFilterSet::switchResizeUnit(bool toPercent)
{
    if (m_imageSize.isValid()) {
        const int w = m_imageSize.width();
        const int h = m_imageSize.height();
        const int width = ui->step24_width->value();
        const int height = ui->step24_height->value();
        NotReady notReady(m_ready);
        ui->step24_width->setValue(toPercent ? percentOf(width, w) : pixelsOf(width, w));
        ui->step24_height->setValue(toPercent ? percentOf(height, h) : pixelsOf(height, h));
    }
    commitPage();
}

void DlgFilterSet::switchRollUnit(bool toPercent)
{
    const int w = m_imageSize.width();
    const int h = m_imageSize.height();
    const bool convert = m_imageSize.isValid();
    const int columns = ui->step25_columns->value();
    const int rows = ui->step25_rows->value();
    {
        NotReady notReady(m_ready);
        ui->step25_columns->setMaximum(toPercent ? 100 : convert ? w : largestPixelValue);
        ui->step25_rows->setMaximum(toPercent ? 100 : convert ? h : largestPixelValue);
        if (convert) {
            ui->step25_columns->setValue(toPercent ? percentOf(columns, w) : pixelsOf(columns, w));
            ui->step25_rows->setValue(toPercent ? percentOf(rows, h) : pixelsOf(rows, h));
        }
    }
    commitPage();
}

void DlgFilterSet::on_step23_pixels_toggled(bool checked)
{
    if (checked && m_ready)
        switchCropUnit(false);
}

void DlgFilterSet::on_step23_percents_toggled(bool checked)
{
    if (checked && m_ready)
        switchCropUnit(true);
}

void DlgFilterSet::on_step23_update(int)
{
    commitPage();
}

void DlgFilterSet::on_step24_pixels_toggled(bool checked)
{
    if (checked && m_ready)
        switchResizeUnit(false);
}

void DlgFilterSet::on_step24_percents_toggled(bool checked)
{
    if (checked && m_ready)
        switchResizeUnit(true);
}

void DlgFilterSet::on_step25_pixels_toggled(bool checked)
{
    if (checked && m_ready)
        switchRollUnit(false);
}

void DlgFilterSet::on_step25_percents_toggled(bool checked)
{
    if (checked && m_ready)
        switchRollUnit(true);
}

void DlgFilterSet::on_step25_update(int)
{
    commitPage();
}

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
    on_step24_update(0);
}

void DlgFilterSet::on_step24_width_valueChanged(int)
{
    if (!m_ready)
        return;
    m_lastEditedDimension = 0;
    followAspect(0);
}

void DlgFilterSet::on_step24_height_valueChanged(int)
{
    if (!m_ready)
        return;
    m_lastEditedDimension = 1;
    followAspect(1);
}

void DlgFilterSet::on_step24_radio_clicked(bool)
{
    // Checking applies the rule once; unchecking is written as it is.
    if (m_ready)
        followAspect(m_lastEditedDimension == 0 ? 0 : 1);
}

void DlgFilterSet::on_step24_update(int)
{
    commitPage();
}

// Handlers of the other pages: each writes the whole page.

void DlgFilterSet::on_step1_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step3_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step4_radius_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step5_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step6_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step8_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step9_type_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step10_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step11_width_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step11_effect_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step12_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step13_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step14_amount_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step15_degrees_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step16_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step18_value_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step19_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step20_channel_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step20_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step21_channel_currentIndexChanged(int) { commitPage(); }
void DlgFilterSet::on_step21_sliderReleased() { commitPage(); }
void DlgFilterSet::on_step22_clicked(bool) { commitPage(); }

// The number beside each slider follows it while it moves.

void DlgFilterSet::updateStep1Labe(int value) { ui->step1_lbValue->setNum(value); }
void DlgFilterSet::updateStep3Labe1(int value) { ui->step3_lbRadius->setNum(value); }
void DlgFilterSet::updateStep3Labe2(int value) { ui->step3_lbSigma->setNum(value); }
void DlgFilterSet::updateStep4Labe(int value) { ui->step4_lbRadius->setNum(value); }
void DlgFilterSet::updateStep5Labe1(int value) { ui->step5_lbRadius->setNum(value); }
void DlgFilterSet::updateStep5Labe2(int value) { ui->step5_lbSigma->setNum(value); }
void DlgFilterSet::updateStep6Labe1(int value) { ui->step6_lbWidth->setNum(value); }
void DlgFilterSet::updateStep6Labe2(int value) { ui->step6_lbSigma->setNum(value); }
void DlgFilterSet::updateStep8Labe(int value) { ui->step8_lbValue->setNum(value); }
void DlgFilterSet::updateStep10Labe(int value) { ui->step10_lbValue->setNum(value); }
void DlgFilterSet::updateStep11Labe(int value) { ui->step11_lbWidth->setNum(value); }
void DlgFilterSet::updateStep12Labe(int value) { ui->step12_lbValue->setNum(value); }
void DlgFilterSet::updateStep13Labe1(int value) { ui->step13_lbAzimuth->setNum(value); }
void DlgFilterSet::updateStep13Labe2(int value) { ui->step13_lbElevation->setNum(value); }
void DlgFilterSet::updateStep14Labe(int value) { ui->step14_lbAmount->setNum(value); }
void DlgFilterSet::updateStep15Labe(int value) { ui->step15_lbDegrees->setNum(value); }
void DlgFilterSet::updateStep16Labe1(int value) { ui->step16_lbAmplitude->setNum(value); }
void DlgFilterSet::updateStep16Labe2(int value) { ui->step16_lbLength->setNum(value); }
void DlgFilterSet::updateStep18Labe1(int value) { ui->step18_lbContrast->setNum(value); }
void DlgFilterSet::updateStep18Labe2(int value) { ui->step18_lbLightness->setNum(value); }
void DlgFilterSet::updateStep19Labe1(int value) { ui->step19_lbHue->setNum(value); }
void DlgFilterSet::updateStep19Labe2(int value) { ui->step19_lbSaturation->setNum(value); }
void DlgFilterSet::updateStep19Labe3(int value) { ui->step19_lbLightness->setNum(value); }
void DlgFilterSet::updateStep20Labe1(int value) { ui->step20_lbBlack->setNum(value); }
void DlgFilterSet::updateStep20Labe2(int value) { ui->step20_lbWhite->setNum(value); }
void DlgFilterSet::updateStep20Labe3(int value) { ui->step20_lbMid->setNum(value); }
void DlgFilterSet::updateStep21Labe1(int value) { ui->step21_lbRadius->setNum(value); }
void DlgFilterSet::updateStep21Labe2(int value) { ui->step21_lbSigma->setNum(value); }
void DlgFilterSet::updateStep26Labe(int value) { ui->step26_lbDegreen->setNum(value); }

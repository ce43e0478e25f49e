#ifndef DLGFILTERSET_H
#define DLGFILTERSET_H

// The settings of one filter, with a before/after preview of one picture.
//
//   DlgFilterSet dialog;
//   dialog.setFilter(filter);
//   dialog.setParams(storedParams);   // empty: the filter's defaults
//   dialog.setImage(picturePath);
//   if (dialog.exec() == QDialog::Accepted)
//       storedParams = dialog.params();
//
// Widgets and the parameter string are tied both ways through the plug-in's own
// parseParams and formatParams; while the dialog sets widgets itself (`ready` is
// false) no change handler writes the string back.

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QSize>
#include <QTimer>

#include <Magick++.h>

#include <memory>

namespace Ui {
class DlgFilterSetClass;
}

class DlgFilterProcess;
class FilterInterface;
struct ImageView;
class PreviewThread;
class QSlider;

class DlgFilterSet : public QDialog
{
    Q_OBJECT

public:
    explicit DlgFilterSet(QWidget *parent = nullptr);
    ~DlgFilterSet() override;

    void setFilter(FilterInterface *filter);
    void setParams(const QString &params);
    void setImage(const QString &path, bool allowDocuments = false);

    // The parameter string; after acceptance, the dialog's result.
    QString params() const { return m_params; }
    // The string the shown page's widgets stand for.
    QString pageParams() const;

    // A slider changed by keyboard, wheel or a click on its track counts once it
    // has rested this long; a drag counts when it is released.
    static constexpr int settleMs = 350;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_step26_right_clicked();
    void on_step26_left_clicked();
    void updateStep26Labe(int value);
    void on_step26_degreen_sliderReleased();
    void on_step25_pixels_toggled(bool checked);
    void on_step25_percents_toggled(bool checked);
    void on_step24_height_valueChanged(int value);
    void on_step24_width_valueChanged(int value);
    void on_step24_radio_clicked(bool checked);
    void on_step24_pixels_toggled(bool checked);
    void on_step24_percents_toggled(bool checked);
    void on_step23_percents_toggled(bool checked);
    void on_step23_pixels_toggled(bool checked);
    void on_step21_channel_currentIndexChanged(int index);
    void updateStep21Labe1(int value);
    void updateStep21Labe2(int value);
    void on_step20_channel_currentIndexChanged(int index);
    void updateStep20Labe1(int value);
    void updateStep20Labe2(int value);
    void updateStep20Labe3(int value);
    void updateStep19Labe1(int value);
    void updateStep19Labe2(int value);
    void updateStep19Labe3(int value);
    void updateStep18Labe1(int value);
    void updateStep18Labe2(int value);
    void updateStep16Labe1(int value);
    void updateStep16Labe2(int value);
    void updateStep15Labe(int value);
    void on_step15_degrees_sliderReleased();
    void updateStep14Labe(int value);
    void on_step14_amount_sliderReleased();
    void updateStep13Labe1(int value);
    void updateStep13Labe2(int value);
    void updateStep12Labe(int value);
    void on_step12_value_sliderReleased();
    void updateStep11Labe(int value);
    void on_step11_effect_currentIndexChanged(int index);
    void on_step11_width_sliderReleased();
    void updateStep10Labe(int value);
    void on_step10_value_sliderReleased();
    void on_step9_type_currentIndexChanged(int index);
    void updateStep8Labe(int value);
    void on_step8_value_sliderReleased();
    void updateStep6Labe1(int value);
    void updateStep6Labe2(int value);
    void updateStep5Labe1(int value);
    void updateStep5Labe2(int value);
    void on_step4_radius_sliderReleased();
    void updateBorderPreview(int value);
    void updateBorderPreview();
    void on_step2_Color_clicked();
    void on_pbReset_clicked();
    void updateStep1Labe(int value);
    void on_step1_value_sliderReleased();
    void on_pbZoomOut_clicked();
    void on_pbZoomIn_clicked();
    void on_pbActual_clicked();
    void on_pbFit_clicked();
    void on_pbCancel_clicked();
    void on_pbOK_clicked();
    void initGraphicsView();
    void displayImage(const QImage &image, void *view, bool fitFlag);
    void updateUi();
    void updateStep3Labe1(int value);
    void updateStep3Labe2(int value);
    void updateStep4Labe(int value);
    void stopProcess();
    void closeProcessDlg();

private:
    // Handlers of pages whose widgets share one; connected in the constructor,
    // since no single widget carries their names.
    void on_step25_update(int value);
    void on_step24_update(int value);
    void on_step23_update(int value);
    void on_step22_clicked(bool checked);
    void on_step21_sliderReleased();
    void on_step20_sliderReleased();
    void on_step19_sliderReleased();
    void on_step18_value_sliderReleased();
    void on_step16_sliderReleased();
    void on_step13_value_sliderReleased();
    void on_step6_sliderReleased();
    void on_step5_sliderReleased();
    void on_step3_sliderReleased();

    void connectSliders();
    // The shown page's widgets to the parameter string, and a preview of it.
    void commitPage();
    // Fills the shown page from the string; false when the filter cannot read it.
    bool setPageFromParams(const QString &params);
    void startPreview();
    void startQueuedRun();
    void runEnded();
    void showOriginal();
    void rotateBy(int degrees);
    // Unit switches of the crop, resize and roll pages.
    void switchCropUnit(bool toPercent);
    void switchResizeUnit(bool toPercent);
    void switchRollUnit(bool toPercent);
    // Resize: the other dimension follows the one edited last, when the aspect is kept.
    void followAspect(int leading);
    void setColorButton();

    std::unique_ptr<Ui::DlgFilterSetClass> ui;
    FilterInterface *m_filter = nullptr;
    QString m_params;
    Magick::Image m_sourceImage;
    QSize m_imageSize;
    std::unique_ptr<ImageView> m_originalView;
    std::unique_ptr<ImageView> m_previewView;
    QColor m_color = Qt::black;
    bool m_ready = true;
    int m_lastEditedDimension = 0;
    DlgFilterProcess *m_busyWindow = nullptr;
    PreviewThread *m_worker = nullptr;
    // The run in progress was cancelled: whatever it still reports is dropped.
    bool m_runCancelled = false;
    // A run waits for the worker to be free.
    bool m_runQueued = false;
    // From the start of a run until its thread's finished() has been handled.
    // The thread's own isRunning() turns false only after finished() is sent, so
    // a change landing in between would wait for a finished() already handled.
    bool m_runActive = false;
    // The dialog is not on screen yet; its first preview waits.
    bool m_previewPending = false;
    // The picture is read but not yet in the Original view.
    bool m_originalPending = false;
    QTimer m_settle;
};

#endif

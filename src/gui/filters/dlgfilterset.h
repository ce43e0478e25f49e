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
// parseParams and formatParams, as the page's description says (filterpages.h);
// while the dialog sets widgets itself (`ready` is false) no change handler
// writes the string back. The preview runs off the GUI thread (PreviewRun); a
// busy window with a Cancel button shows only when a run outlasts busyDelayMs,
// so quick changes never flash it. Closing the dialog cancels the run.
//
// Enter presses Ok wherever the focus is, except in a spin box holding a typed
// number not yet taken: there the first Enter takes the number (and previews
// it), the next one presses Ok. Ok takes what the page shows at that moment,
// also a change still settling.
//
// Threads: GUI thread only.

#include <QDialog>
#include <QImage>
#include <QSize>
#include <QTimer>

#include <Magick++.h>

#include <memory>

#include "gui/filters/previewrun.h"

namespace Ui {
class DlgFilterSetClass;
}

class DlgFilterProcess;
class FilterInterface;
struct PageShape;
class PreviewZoom;

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
    // A preview that takes longer than this shows the busy window.
    static constexpr int busyDelayMs = 400;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    // The form connects these by name. Every other widget of the pages is tied
    // to the parameter string by the page's description (filterpages.h).
    void on_step26_right_clicked();
    void on_step26_left_clicked();
    void on_step25_pixels_toggled(bool checked);
    void on_step25_percents_toggled(bool checked);
    void on_step24_height_valueChanged(int value);
    void on_step24_width_valueChanged(int value);
    void on_step24_radio_clicked(bool checked);
    void on_step24_pixels_toggled(bool checked);
    void on_step24_percents_toggled(bool checked);
    void on_step23_percents_toggled(bool checked);
    void on_step23_pixels_toggled(bool checked);
    // The slots the form's objects are named for. Each stands for "the page
    // changed": the page's own binding does the rest, and skips the signals
    // that reach one of these by name, so a change is handled once.
    void on_step26_degreen_sliderReleased();
    void on_step21_channel_currentIndexChanged(int index);
    void on_step20_channel_currentIndexChanged(int index);
    void on_step15_degrees_sliderReleased();
    void on_step14_amount_sliderReleased();
    void on_step12_value_sliderReleased();
    void on_step11_effect_currentIndexChanged(int index);
    void on_step11_width_sliderReleased();
    void on_step10_value_sliderReleased();
    void on_step9_type_currentIndexChanged(int index);
    void on_step8_value_sliderReleased();
    void on_step4_radius_sliderReleased();
    void on_step1_value_sliderReleased();
    void on_step2_Color_clicked();
    void on_step28_color_clicked();
    void on_step28_browse_clicked();
    void on_pbReset_clicked();
    void on_pbZoomOut_clicked();
    void on_pbZoomIn_clicked();
    void on_pbActual_clicked();
    void on_pbFit_clicked();
    void on_pbCancel_clicked();
    void on_pbOK_clicked();
    void displayImage(const PreviewResult &result);
    void updateUi();
    void stopProcess();
    void showBusyWindow();

private:
    void connectSliders();
    void setupKeyboard();
    // The page's first control takes the focus, so that the keyboard starts there.
    void focusFirstControl();
    // Typed numbers and settling sliders of the shown page, taken now.
    void takePendingEdits();
    // The shown page's widgets to the parameter string, and a preview of it.
    void commitPage();
    // Fills the shown page from the string; false when the filter cannot read it.
    bool setPageFromParams(const QString &params);
    const PageShape *currentShape() const;
    void startPreview();
    void showOriginal();
    void rotateBy(int degrees);
    // A unit button of the shown page was checked by the user.
    void unitToggled(bool checked, bool toPercent);
    // Resize: the other dimension follows the one edited last, when the aspect is kept.
    void dimensionEdited(int leading);
    void followAspect(int leading);
    void aspectChanged();

    std::unique_ptr<Ui::DlgFilterSetClass> ui;
    FilterInterface *m_filter = nullptr;
    QString m_params;
    Magick::Image m_sourceImage;
    QSize m_imageSize;
    std::unique_ptr<PreviewZoom> m_views;
    bool m_ready = true;
    DlgFilterProcess *m_busyWindow = nullptr;
    PreviewRun *m_preview = nullptr;
    // The dialog is not on screen yet; its first preview waits.
    bool m_previewPending = false;
    // The picture is read but not yet in the Original view.
    bool m_originalPending = false;
    QTimer m_settle;
    QTimer m_busyDelay;
    // The newest run has not reported yet.
    bool m_waiting = false;
    // Ok was pressed: edits still pending are taken, and nothing more is previewed.
    bool m_closing = false;
    // The string of the newest preview started and not cancelled: a change that
    // comes back to it (a click after a toggle of the same box) is not run twice.
    QString m_previewParams;
};

#endif

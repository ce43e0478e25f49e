#ifndef STEP2PAGE_H
#define STEP2PAGE_H

// Step 2: the filter chain, its before/after preview, and the naming group
// (Step2Names).
// Contributes the chain and the naming template to a batch.
//
// The list's rows are the chain in application order. A row keeps the name it
// was added or loaded with even when no installed filter carries it (a project
// from another machine): such a row is skipped where the chain is run, and saved
// as it is, so that the user's chain survives.
//
// Each row shows the filter's name and its settings in words (the plug-in's
// summary), which is also the row's tool tip. Entering the step shows the
// picture chosen in Step 1. A picture shown fitted (as it arrives, or after
// Best Fit) is fitted again when the views change size; a zoom of the user's
// own stays until Best Fit.
//
// Threads: GUI thread only. The Preview tab is rendered by a worker from a copy
// of the chain taken when the request is made; a new request cancels the older
// ones, so only the last request's picture is ever shown.

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QString>

#include "engine/batch/worker.h"
#include "engine/filters/filterregistry.h"
#include "engine/project/projectfile.h"
#include "gui/wizard/step2names.h"

class QTreeWidgetItem;
class WizardViews;
struct WizardState;

namespace Ui {
class TamsorelClass;
}

class Step2Page : public QObject
{
    Q_OBJECT

public:
    Step2Page(Ui::TamsorelClass &ui, WizardState &state, WizardViews &views, QWidget *window);

    // The chain as the list shows it, each entry with its own parameter string;
    // rows whose filter is not installed are left out.
    QList<ChainEntry> chain() const;
    // Every row, installed or not: the filter's name and its parameter string.
    QList<FilterEntry> chainRows() const;
    void setChainRows(const QList<FilterEntry> &rows);
    // Entries of the list, as the process log counts them.
    int filterCount() const;

    // The naming group (see Step2Names).
    QString namingTemplate() const { return m_names.namingTemplate(); }
    void setNaming(int presetRow, const QString &formateStr, const QString &customFormateStr)
    {
        m_names.setNaming(presetRow, formateStr, customFormateStr);
    }
    int presetRow() const { return m_names.presetRow(); }
    static QString presetFormat(int row) { return Step2Names::presetFormat(row); }
    void presetChanged(int row) { m_names.presetChanged(row); }
    void customTemplate() { m_names.customTemplate(); }
    void updateFilenamePreview() { m_names.updateFilenamePreview(); }

    // 0: content changed, 1: tab switched, 2: step entered.
    void refreshPreview(int mode);

    void addFilter();
    void editFilter();
    void removeFilter();
    void moveUp();
    void moveDown();
    void picsIndexChanged(int index);
    void picsTextChanged(const QString &path);
    void previousPicture();
    void nextPicture();
    void tabChanged(int index);
    void switchView();
    void zoomIn();
    void zoomOut();
    void actualSize();
    void fit();
    void displayModified(const QPixmap &pixmap);
    // A render of the Preview tab, current or cancelled, is still running.
    bool isRendering() const { return m_preview.isBusy(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildContextMenu();
    void appendRow(const FilterEntry &entry);
    void setRow(QTreeWidgetItem *item, const FilterEntry &entry);
    FilterEntry row(const QTreeWidgetItem *item) const;
    int firstSelectedRow() const;
    void moveRow(int from, int to);
    void chainChanged();
    void renderModified(const QString &path);
    void showStatus(const QString &text);
    void fitPictures();
    // Moves Step 2 to the picture newly chosen in Step 1; true when it moved.
    bool followStep1Selection();
    bool refreshesOnPictureChange() const;

    Ui::TamsorelClass &m_ui;
    WizardState &m_state;
    WizardViews &m_views;
    QWidget *m_window;
    Step2Names m_names;
    // The views show the picture fitted, not at a zoom the user chose.
    bool m_fitted = true;
    // Step 1's chosen picture changed since Step 2 last followed it.
    bool m_step1ChoiceChanged = false;

    // The Preview tab's last request.
    QString m_modifiedRequestPath;
    Worker m_preview;
};

#endif

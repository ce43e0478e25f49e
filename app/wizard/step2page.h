#ifndef STEP2PAGE_H
#define STEP2PAGE_H

// Step 2: the filter chain, its before/after preview, and the naming group.
// Contributes the chain and the naming template to a batch.
//
// Threads: GUI thread only.

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QString>

#include "filterregistry.h"

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

    // The chain as the list shows it, each entry with its own parameter string.
    QList<ChainEntry> chain() const;
    // Entries of the list, as the process log counts them.
    int filterCount() const;
    QString namingTemplate() const;

    // 0: content changed, 1: tab switched, 2: step entered.
    void refreshPreview(int mode);
    void updateFilenamePreview();

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
    void presetChanged(int row);
    void customTemplate();
    void displayModified(const QPixmap &pixmap);

private:
    Ui::TamsorelClass &m_ui;
    WizardState &m_state;
    WizardViews &m_views;
    QWidget *m_window;
};

#endif

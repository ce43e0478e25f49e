#ifndef STEP2PAGE_H
#define STEP2PAGE_H

// Step 2: the filter chain, its before/after preview, and the naming group.
// Contributes the chain and the naming template to a batch.
//
// The list's rows are the chain in application order. A row keeps the name it
// was added or loaded with even when no installed filter carries it (a project
// from another machine): such a row is skipped where the chain is run, and saved
// as it is, so that the user's chain survives.
//
// Threads: GUI thread only. The Preview tab is rendered on the global thread
// pool from a copy of the chain taken when the request is made; only the last
// request's picture is ever shown.

#include <QFuture>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <atomic>
#include <memory>

#include "engine/filters/filterregistry.h"
#include "engine/project/projectfile.h"

class CancelToken;
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
    ~Step2Page() override;  // waits for a running preview

    // The chain as the list shows it, each entry with its own parameter string;
    // rows whose filter is not installed are left out.
    QList<ChainEntry> chain() const;
    // Every row, installed or not: the filter's name and its parameter string.
    QList<FilterEntry> chainRows() const;
    void setChainRows(const QList<FilterEntry> &rows);
    // Entries of the list, as the process log counts them.
    int filterCount() const;
    QString namingTemplate() const;

    // The preset box and both templates at once, as a project or New sets them,
    // without acting as the user's choice of a preset.
    void setNaming(int presetRow, const QString &formateStr, const QString &customFormateStr);
    int presetRow() const;
    // The template of a preset row (Keep, Folder's name, Picture's date); empty for others.
    static QString presetFormat(int row);

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
    void buildContextMenu();
    void openCustomDialog();
    void appendRow(const FilterEntry &entry);
    void setRow(QTreeWidgetItem *item, const FilterEntry &entry);
    FilterEntry row(const QTreeWidgetItem *item) const;
    int firstSelectedRow() const;
    void moveRow(int from, int to);
    void chainChanged();
    void renderModified(const QString &path);
    void cancelRendering();
    void showStatus(const QString &text);

    Ui::TamsorelClass &m_ui;
    WizardState &m_state;
    WizardViews &m_views;
    QWidget *m_window;
    bool m_presetReaction = true;

    // The Preview tab's last request. Workers compare their own number with the
    // shared one, which outlives the page, and drop their result once it moved on.
    QString m_modifiedRequestPath;
    std::shared_ptr<std::atomic<quint64>> m_latestRender;
    quint64 m_renderCount = 0;
    std::shared_ptr<CancelToken> m_renderToken;
    QList<QFuture<void>> m_renders;
};

#endif

#include "gui/wizard/step1page.h"

#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QSignalBlocker>
#include <QMimeData>
#include <QUrl>

#include "gui/wizard/appsettings.h"
#include "engine/picture/formatcatalog.h"
#include "engine/batch/pictureentry.h"
#include "ui_tamsorel.h"
#include "gui/wizard/wizardstate.h"
#include "gui/views/picturetable.h"
#include "gui/views/wizardviews.h"

Step1Page::Step1Page(Ui::TamsorelClass &ui, WizardState &state, WizardViews &views, AppSettings &settings,
                     QWidget *window)
    : QObject(window)
    , m_ui(ui)
    , m_state(state)
    , m_views(views)
    , m_settings(settings)
    , m_window(window)
    , m_listViewport(ui.treeWidget->viewport())
    , m_summary(new QLabel(ui.groupBox))
    , m_table(new PictureTable(ui.treeWidget, m_summary, this))
{
    m_summary->setObjectName(QStringLiteral("step1_lbSummary"));
    m_ui.step1ListLayout->insertWidget(m_ui.step1ListLayout->indexOf(m_ui.treeWidget) + 1, m_summary);
    connect(m_table, &PictureTable::sorted, this, &Step1Page::followSortedRows);
    // A picture the preview cannot show is marked in the list, with the reason.
    connect(&m_views.loader(), &PictureLoader::unreadable, m_table, &PictureTable::markUnreadable);

    // Drops land on the list's viewport; the list itself has no model for them.
    m_ui.treeWidget->setAcceptDrops(true);
    m_listViewport->setAcceptDrops(true);
    m_listViewport->installEventFilter(this);
}

void Step1Page::addPictures(const QStringList &paths)
{
    const int before = int(m_state.pictures.size());
    ::addPictures(m_state.pictures, paths);
    const int added = int(m_state.pictures.size()) - before;
    if (added == 0)
        return;
    // All rows at once: one insertion for the list and for the box, whatever the count.
    QList<QTreeWidgetItem *> rows;
    QStringList addedPaths;
    rows.reserve(added);
    addedPaths.reserve(added);
    for (int i = before; i < m_state.pictures.size(); ++i) {
        const PictureEntry &picture = m_state.pictures.at(i);
        QTreeWidgetItem *row = m_table->makeRow(picture.path, picture.name, picture.type, picture.folder);
        row->setToolTip(PictureTable::FolderColumn, QDir::toNativeSeparators(picture.path));
        rows.append(row);
        addedPaths.append(picture.path);
    }
    m_ui.treeWidget->addTopLevelItems(rows);
    m_ui.step2_listPics->addItems(addedPaths);
    m_table->rowsAdded(addedPaths);
}

void Step1Page::followSortedRows(const QStringList &paths)
{
    // The job converts and counts the pictures in the order the list shows them:
    // what the user sorted is what the names' counters follow. The Step 2 box
    // follows too, and keeps the picture it showed.
    QHash<QString, PictureEntry> byPath;
    byPath.reserve(m_state.pictures.size());
    for (const PictureEntry &picture : std::as_const(m_state.pictures))
        byPath.insert(picture.path, picture);
    QList<PictureEntry> ordered;
    ordered.reserve(paths.size());
    for (const QString &path : paths) {
        const auto found = byPath.constFind(path);
        if (found != byPath.constEnd())
            ordered.append(found.value());
    }
    if (ordered.size() != m_state.pictures.size())
        return;  // the list and the job disagree: leave the job as it is
    const QString shown = m_ui.step2_listPics->currentText();
    m_state.pictures = ordered;
    const QSignalBlocker quiet(m_ui.step2_listPics);
    m_ui.step2_listPics->clear();
    m_ui.step2_listPics->addItems(paths);
    m_ui.step2_listPics->setCurrentIndex(qMax(0, int(paths.indexOf(shown))));
}

PictureTable &Step1Page::table()
{
    return *m_table;
}

void Step1Page::addPaths(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        if (QFileInfo(path).isDir()) {
            addPictures(files);
            files.clear();
            addPictures(folderPictures(path));
        } else if (QDir::match(FormatCatalog::instance().readPatterns(), QFileInfo(path).fileName())) {
            files.append(path);
        }
    }
    addPictures(files);
}

void Step1Page::addPhotos()
{
    const QStringList files = QFileDialog::getOpenFileNames(m_window, tr("Select Picture(s)"), m_settings.lastOpened(),
                                                            FormatCatalog::instance().openFilter());
    if (files.isEmpty())
        return;
    addPictures(files);
    m_settings.setLastOpenedFromFile(files.first());
}

void Step1Page::addFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        m_window, tr("Open Directory"), m_settings.lastDir(),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.isEmpty())
        return;
    addFolder(folder);
}

void Step1Page::addFolder(const QString &folder)
{
    m_settings.setLastDir(folder);
    addPictures(folderPictures(folder));
}

void Step1Page::removeSelected()
{
    bool removed = false;
    m_state.viewsEnabled = false;
    for (int row = m_ui.treeWidget->topLevelItemCount() - 1; row >= 0; --row) {
        if (!m_ui.treeWidget->topLevelItem(row)->isSelected())
            continue;
        m_state.pictures.removeAt(row);
        delete m_ui.treeWidget->takeTopLevelItem(row);
        m_ui.step2_listPics->removeItem(row);
        removed = true;
    }
    m_state.viewsEnabled = true;
    if (removed) {
        updateView();
        emit picturesRemoved();
    }
}

void Step1Page::removeAll()
{
    m_state.viewsEnabled = false;
    m_ui.treeWidget->clear();
    m_ui.step2_listPics->clear();
    m_state.pictures.clear();
    m_state.viewsEnabled = true;
    updateView();
    emit picturesRemoved();
}

void Step1Page::updateView()
{
    if (!m_state.viewsEnabled)
        return;
    QTreeWidgetItem *current = m_ui.treeWidget->currentItem();
    const int row = current ? m_ui.treeWidget->indexOfTopLevelItem(current) : -1;
    const int selected = int(m_ui.treeWidget->selectedItems().size());
    if (row >= 0 && row < m_state.pictures.size() && selected > 0) {
        if (m_ui.step1_checkShowPreview->isChecked())
            m_views.requestPicture(m_state.pictures.at(row).path, m_views.step1(),
                                   m_ui.step3_cb_allowDocuments->isChecked());
        return;
    }
    m_views.step1().clear();
}

void Step1Page::showPreviewChanged()
{
    if (m_ui.step1_checkShowPreview->isChecked() && !m_ui.treeWidget->selectedItems().isEmpty())
        updateView();
}

void Step1Page::openPicture(QTreeWidgetItem *item)
{
    const int row = m_ui.treeWidget->indexOfTopLevelItem(item);
    if (row >= 0 && row < m_state.pictures.size())
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_state.pictures.at(row).path));
}

void Step1Page::zoomIn()
{
    m_views.step1().zoom(ImageView::zoomInFactor);
}

void Step1Page::zoomOut()
{
    m_views.step1().zoom(ImageView::zoomOutFactor);
}

void Step1Page::actualSize()
{
    m_views.step1().actualSize();
}

void Step1Page::fit()
{
    m_views.step1().fitIfLarger();
}

bool Step1Page::eventFilter(QObject *watched, QEvent *event)
{
    // Compared, not asked: while the window is torn down the form is gone before its widgets.
    if (watched != m_listViewport)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        QStringList paths;
        for (const QUrl &url : drop->mimeData()->urls()) {
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        }
        if (paths.isEmpty())
            return false;
        drop->acceptProposedAction();
        addPaths(paths);
        return true;
    }
    default:
        return false;
    }
}

#include "gui/wizard/step1page.h"

#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "gui/wizard/appsettings.h"
#include "engine/picture/formatcatalog.h"
#include "engine/batch/pictureentry.h"
#include "ui_tamsorel.h"
#include "gui/wizard/wizardstate.h"
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
{
    // Drops land on the list's viewport; the list itself has no model for them.
    m_ui.treeWidget->setAcceptDrops(true);
    m_listViewport->setAcceptDrops(true);
    m_listViewport->installEventFilter(this);
}

void Step1Page::addPictures(const QStringList &paths)
{
    const int before = m_state.pictures.size();
    ::addPictures(m_state.pictures, paths);
    for (int i = before; i < m_state.pictures.size(); ++i) {
        const PictureEntry &picture = m_state.pictures.at(i);
        auto *row = new QTreeWidgetItem(QStringList{picture.name, picture.type, picture.folder});
        row->setToolTip(2, QDir::toNativeSeparators(picture.path));
        m_ui.treeWidget->addTopLevelItem(row);
        m_ui.step2_listPics->addItem(picture.path);
    }
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

#ifndef STEP1PAGE_H
#define STEP1PAGE_H

// Step 1: the pictures of the job. Keeps the picture list, its view (name with
// thumbnail, type, folder, and the pictures' facts, see PictureTable) and the
// Step 2 picture box aligned row for row, adds files and folders (by the
// buttons, by dropping them on the list, from the command line or a project),
// removes them, and shows the selected picture. Sorting the view by a column
// reorders the job's pictures the same way: the batch converts and counts
// them in the order the user sees.
//
// Threads: GUI thread only.

#include <QObject>
#include <QStringList>

class AppSettings;
class PictureTable;
class QLabel;
class QTreeWidgetItem;
class WizardViews;
struct WizardState;

namespace Ui {
class TamsorelClass;
}

class Step1Page : public QObject
{
    Q_OBJECT

public:
    Step1Page(Ui::TamsorelClass &ui, WizardState &state, WizardViews &views, AppSettings &settings,
              QWidget *window);

    // Appends files in order; paths already listed are skipped.
    void addPictures(const QStringList &paths);
    // Files, and the pictures of folders, as the two add buttons add them;
    // files that are not pictures by their name are left out, as the file dialog does.
    void addPaths(const QStringList &paths);

    void addPhotos();       // Add Picture(s)
    void addFolder();       // Add Folder
    void addFolder(const QString &folder);
    void removeSelected();
    void removeAll();
    void updateView();      // the selected picture into the view
    void showPreviewChanged();
    void openPicture(QTreeWidgetItem *item);
    void zoomIn();
    void zoomOut();
    void actualSize();
    void fit();

    PictureTable &table();

signals:
    // Rows went away: the Step 2 preview may show a picture that is gone.
    void picturesRemoved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Ui::TamsorelClass &m_ui;
    WizardState &m_state;
    WizardViews &m_views;
    AppSettings &m_settings;
    QWidget *m_window;
    QWidget *m_listViewport;  // where pictures are dropped
    QLabel *m_summary;        // the number of pictures and their size
    PictureTable *m_table;

    void followSortedRows(const QStringList &paths);
};

#endif

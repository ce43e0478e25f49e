#ifndef PICTURETABLE_H
#define PICTURETABLE_H

// The rows of a picture list: name (with the thumbnail), type and folder, then
// the pixel size, date taken, camera and file size that the background feed
// reads, a mark with the reason on a picture that cannot be shown, sorting by a
// click on a column header (numbers and dates as such), and a line with the
// number of pictures and their size. Rows are found by their full path, so
// results that arrive after rows went away or moved land where they belong.
//
// Threads: GUI thread only.

#include <QHash>
#include <QObject>
#include <QStringList>

#include <memory>

#include "engine/metadata/picturefacts.h"

class PictureFeed;
class QLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

class PictureTable : public QObject
{
    Q_OBJECT

public:
    enum Column { NameColumn, TypeColumn, FolderColumn, PixelsColumn, TakenColumn, CameraColumn, SizeColumn, ColumnCount };

    // Adds the columns after the list's first three, and `summary` (may be null)
    // shows the count and the size.
    PictureTable(QTreeWidget *list, QLabel *summary, QObject *parent = nullptr);

    // A row for the picture; its facts and thumbnail follow from the feed.
    QTreeWidgetItem *makeRow(const QString &path, const QString &name, const QString &type, const QString &folder);
    // After the rows of `paths` were appended to the list.
    void rowsAdded(const QStringList &paths);

    // The picture's row shows a warning icon, and why, until the picture is added again.
    void markUnreadable(const QString &path, const QString &reason);
    bool isMarked(const QString &path) const;

    // Sorts the rows by the column, in the order given; emits sorted() with the paths in their new order.
    void sortBy(int column, Qt::SortOrder order);
    static QString pathOf(const QTreeWidgetItem *item);

    PictureFeed &feed() { return *m_feed; }
    QString summaryText() const;

signals:
    void sorted(const QStringList &paths);

private:
    void headerClicked(int column);
    void showFacts(const QString &path, const PictureFacts &facts);
    void showThumbnail(const QString &path, const QImage &thumbnail);
    void preferVisibleRows();
    void updateSummary();
    QTreeWidgetItem *rowOf(const QString &path) const;

    QTreeWidget *m_list;
    QLabel *m_summary;
    PictureFeed *m_feed;
    QTimer *m_summaryTimer;
    QTimer *m_scrollTimer;
    // Every row of the list by its path; a row takes itself out when it is deleted,
    // whoever deletes it.
    std::shared_ptr<QHash<QString, QTreeWidgetItem *>> m_rows;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

#endif

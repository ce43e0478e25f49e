#include "gui/views/picturetable.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

#include "gui/views/picturefeed.h"
#include "gui/views/thumbnails.h"

namespace {

constexpr int pathRole = Qt::UserRole;
constexpr int sortKeyRole = Qt::UserRole + 1;  // a number where the text does not sort
constexpr int markedRole = Qt::UserRole + 2;

using Rows = QHash<QString, QTreeWidgetItem *>;

// Names as a person reads them: runs of digits by their value (IMG_2 before
// IMG_10), letters without regard to case. The system's collation cannot be
// relied on for the digits: without ICU it compares them as text.
bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a.at(endA).isDigit())
                ++endA;
            while (endB < b.size() && b.at(endB).isDigit())
                ++endB;
            // Leading zeros aside, the longer run is the larger number.
            qsizetype startA = i;
            qsizetype startB = j;
            while (startA + 1 < endA && a.at(startA) == QLatin1Char('0'))
                ++startA;
            while (startB + 1 < endB && b.at(startB) == QLatin1Char('0'))
                ++startB;
            if (endA - startA != endB - startB)
                return endA - startA < endB - startB;
            const int order = QStringView(a).mid(startA, endA - startA).compare(QStringView(b).mid(startB, endB - startB));
            if (order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        const char16_t x = a.at(i).toCaseFolded().unicode();
        const char16_t y = b.at(j).toCaseFolded().unicode();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

class PictureRow : public QTreeWidgetItem
{
public:
    PictureRow(const QStringList &texts, const QString &path, std::shared_ptr<Rows> rows)
        : QTreeWidgetItem(texts)
        , m_rows(std::move(rows))
    {
        setData(PictureTable::NameColumn, pathRole, path);
        m_rows->insert(path, this);
    }

    ~PictureRow() override
    {
        const QString path = PictureTable::pathOf(this);
        if (m_rows->value(path) == this)
            m_rows->remove(path);
    }

    // Numbers and dates by their value, names as a person reads them (IMG_2
    // before IMG_10); a fact not yet read or not told comes first.
    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant mine = data(column, sortKeyRole);
        const QVariant theirs = other.data(column, sortKeyRole);
        if (mine.isValid() || theirs.isValid()) {
            if (!mine.isValid() || !theirs.isValid())
                return !mine.isValid();
            return mine.toLongLong() < theirs.toLongLong();
        }
        return naturalLess(text(column), other.text(column));
    }

private:
    std::shared_ptr<Rows> m_rows;
};

// Rows keep their height whether their thumbnail has arrived or not.
QIcon placeholderIcon()
{
    static const QIcon icon = [] {
        QPixmap empty(Thumbnails::edge, Thumbnails::edge);
        empty.fill(Qt::transparent);
        return QIcon(empty);
    }();
    return icon;
}

void setSized(QTreeWidgetItem *row, qint64 bytes)
{
    if (bytes < 0)
        return;
    row->setText(PictureTable::SizeColumn, QLocale().formattedDataSize(bytes));
    row->setData(PictureTable::SizeColumn, sortKeyRole, bytes);
}

} // namespace

PictureTable::PictureTable(QTreeWidget *list, QLabel *summary, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_summary(summary)
    , m_feed(new PictureFeed([this](const QString &path) { return m_rows->contains(path); }, this))
    , m_summaryTimer(new QTimer(this))
    , m_scrollTimer(new QTimer(this))
    , m_rows(std::make_shared<Rows>())
{
    m_list->setColumnCount(ColumnCount);
    QTreeWidgetItem *header = m_list->headerItem();
    header->setText(PixelsColumn, tr("Pixels"));
    header->setText(TakenColumn, tr("Date Taken"));
    header->setText(CameraColumn, tr("Camera"));
    header->setText(SizeColumn, tr("File Size"));
    for (int column : {PixelsColumn, SizeColumn})
        header->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    m_list->setIconSize(QSize(Thumbnails::edge, Thumbnails::edge));
    // Wide enough for the thumbnail beside a camera's file name, and for a whole
    // date and time: cut short, neither tells one picture from the next.
    QHeaderView *columns = m_list->header();
    const QFontMetrics metrics = m_list->fontMetrics();
    columns->resizeSection(NameColumn, std::max(columns->sectionSize(NameColumn),
                                       Thumbnails::edge + metrics.horizontalAdvance(QStringLiteral("IMG_20250614_1732")) + 24));
    columns->resizeSection(TakenColumn, std::max(columns->sectionSize(TakenColumn),
                                                 metrics.horizontalAdvance(QStringLiteral("00 May 0000 00:00")) + 16));
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(false);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &PictureTable::headerClicked);

    connect(m_feed, &PictureFeed::factsReady, this, &PictureTable::showFacts);
    connect(m_feed, &PictureFeed::thumbnailReady, this, &PictureTable::showThumbnail);
    connect(m_feed, &PictureFeed::unreadable, this, &PictureTable::markUnreadable);

    // However the rows change (added, removed, cleared), the summary follows, once per turn.
    m_summaryTimer->setSingleShot(true);
    m_summaryTimer->setInterval(0);
    connect(m_summaryTimer, &QTimer::timeout, this, &PictureTable::updateSummary);
    QAbstractItemModel *model = m_list->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, m_summaryTimer, qOverload<>(&QTimer::start));
    connect(model, &QAbstractItemModel::modelReset, m_summaryTimer, qOverload<>(&QTimer::start));
    updateSummary();

    m_scrollTimer->setSingleShot(true);
    m_scrollTimer->setInterval(100);
    connect(m_scrollTimer, &QTimer::timeout, this, &PictureTable::preferVisibleRows);
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, m_scrollTimer, qOverload<>(&QTimer::start));
}

QString PictureTable::pathOf(const QTreeWidgetItem *item)
{
    return item ? item->data(NameColumn, pathRole).toString() : QString();
}

QTreeWidgetItem *PictureTable::makeRow(const QString &path, const QString &name, const QString &type,
                                       const QString &folder)
{
    // A picture added again is looked at afresh.
    auto *row = new PictureRow({name, type, folder}, path, m_rows);
    row->setIcon(NameColumn, placeholderIcon());
    row->setTextAlignment(PixelsColumn, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    setSized(row, QFileInfo(path).size());
    return row;
}

void PictureTable::rowsAdded(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    // New rows come last: the list is no longer in the order of a column.
    m_sortColumn = -1;
    m_list->header()->setSortIndicatorShown(false);
    m_feed->add(paths);
    preferVisibleRows();
}

QTreeWidgetItem *PictureTable::rowOf(const QString &path) const
{
    return m_rows->value(path);
}

void PictureTable::showFacts(const QString &path, const PictureFacts &facts)
{
    QTreeWidgetItem *row = rowOf(path);
    if (!row)
        return;
    if (facts.pixelSize.isValid()) {
        row->setText(PixelsColumn, QStringLiteral("%1 × %2").arg(facts.pixelSize.width()).arg(facts.pixelSize.height()));
        row->setData(PixelsColumn, sortKeyRole, qint64(facts.pixelSize.width()) * facts.pixelSize.height());
    }
    if (facts.taken.isValid()) {
        row->setText(TakenColumn, QLocale().toString(facts.taken, QLocale::ShortFormat));
        row->setData(TakenColumn, sortKeyRole, facts.taken.toMSecsSinceEpoch());
    }
    row->setText(CameraColumn, facts.cameraModel);
    setSized(row, facts.fileSize);
}

void PictureTable::showThumbnail(const QString &path, const QImage &thumbnail)
{
    QTreeWidgetItem *row = rowOf(path);
    if (row && !row->data(NameColumn, markedRole).toBool())
        row->setIcon(NameColumn, QIcon(QPixmap::fromImage(thumbnail)));
}

void PictureTable::markUnreadable(const QString &path, const QString &reason)
{
    QTreeWidgetItem *row = rowOf(path);
    if (!row)
        return;
    row->setData(NameColumn, markedRole, true);
    row->setIcon(NameColumn, m_list->style()->standardIcon(QStyle::SP_MessageBoxWarning));
    const QString text = tr("This picture cannot be read: %1").arg(reason);
    row->setToolTip(NameColumn, text);
    row->setToolTip(TypeColumn, text);
    row->setData(NameColumn, Qt::AccessibleDescriptionRole, text);
}

bool PictureTable::isMarked(const QString &path) const
{
    const QTreeWidgetItem *row = rowOf(path);
    return row && row->data(NameColumn, markedRole).toBool();
}

void PictureTable::headerClicked(int column)
{
    const Qt::SortOrder order = column == m_sortColumn && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                           : Qt::AscendingOrder;
    sortBy(column, order);
}

void PictureTable::sortBy(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    m_list->header()->setSortIndicatorShown(true);
    m_list->sortItems(column, order);
    QStringList paths;
    paths.reserve(m_list->topLevelItemCount());
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        paths.append(pathOf(m_list->topLevelItem(row)));
    emit sorted(paths);
    preferVisibleRows();
}

void PictureTable::preferVisibleRows()
{
    QTreeWidgetItem *first = m_list->itemAt(QPoint(1, 1));
    if (!first)
        return;
    QStringList paths;
    const int height = m_list->viewport()->height();
    for (QTreeWidgetItem *row = first; row && m_list->visualItemRect(row).top() < height;
         row = m_list->itemBelow(row))
        paths.append(pathOf(row));
    m_feed->prefer(paths);
}

QString PictureTable::summaryText() const
{
    const int count = m_list->topLevelItemCount();
    qint64 bytes = 0;
    for (int row = 0; row < count; ++row)
        bytes += m_list->topLevelItem(row)->data(SizeColumn, sortKeyRole).toLongLong();
    const QString size = QLocale().formattedDataSize(bytes);
    return count == 1 ? tr("1 picture, %1").arg(size) : tr("%1 pictures, %2").arg(count).arg(size);
}

void PictureTable::updateSummary()
{
    if (m_summary)
        m_summary->setText(summaryText());
}

#include "gui/views/wizardviews.h"

#include <QFileInfo>
#include <QGraphicsView>
#include <QMovie>
#include <QScrollBar>

#include "engine/runtime/resourcedir.h"

WizardViews::WizardViews(QGraphicsView *step1, QGraphicsView *original, QGraphicsView *preview, QObject *parent)
    : QObject(parent)
    , m_step1(std::make_unique<ImageView>(step1))
    , m_original(std::make_unique<ImageView>(original))
    , m_preview(std::make_unique<ImageView>(preview))
    , m_loadingMovie(new QMovie(resourceDir(QStringLiteral("res")) + QStringLiteral("/loading.gif"), QByteArray(), this))
{
    m_loadingMovie->start();
    // The Original and Preview tabs show the same picture: panning one pans the other.
    for (auto bar : {&QGraphicsView::horizontalScrollBar, &QGraphicsView::verticalScrollBar}) {
        QScrollBar *a = (original->*bar)();
        QScrollBar *b = (preview->*bar)();
        connect(a, &QScrollBar::valueChanged, b, &QScrollBar::setValue);
        connect(b, &QScrollBar::valueChanged, a, &QScrollBar::setValue);
    }
    connect(&m_loader, &PictureLoader::loaded, this, &WizardViews::displayImage);
}

WizardViews::~WizardViews() = default;

void WizardViews::showLoading(ImageView &view)
{
    view.showLoading(m_loadingMovie);
}

void WizardViews::requestPicture(const QString &path, ImageView &view, bool allowDocuments)
{
    if (!QFileInfo::exists(path)) {
        view.clear();
        return;
    }
    showLoading(view);
    m_loader.request(path, &view, allowDocuments);
}

void WizardViews::displayImage(const QPixmap &pixmap, ImageView *view)
{
    view->setPixmap(pixmap);
    if (view == m_original.get()) {
        m_original->stale = false;
        if (m_preview->stale)
            m_original->fitIfLarger();
        else
            m_original->view->setTransform(m_preview->view->transform());
    } else if (view == m_step1.get()) {
        m_step1->fitIfLarger();
    }
    emit pictureShown(view);
}

void WizardViews::displayModified(const QPixmap &pixmap)
{
    m_preview->setPixmap(pixmap);
    m_preview->stale = false;
    if (m_original->stale)
        m_preview->fitIfLarger();
    else
        m_preview->view->setTransform(m_original->view->transform());
    emit pictureShown(m_preview.get());
}

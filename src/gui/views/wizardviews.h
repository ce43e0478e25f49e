#ifndef WIZARDVIEWS_H
#define WIZARDVIEWS_H

// The three picture views of the wizard (Step 1, and Step 2's Original and
// Preview tabs), the loading indicator they share, and the loader that decodes
// pictures for them. When one Step 2 view receives a picture it takes the zoom
// of its partner, so both tabs show the same magnification.
//
// Threads: GUI thread only.

#include <QObject>
#include <QPixmap>

#include <memory>

#include "gui/views/imageview.h"
#include "gui/views/pictureloader.h"

class QGraphicsView;
class QMovie;

class WizardViews : public QObject
{
    Q_OBJECT

public:
    WizardViews(QGraphicsView *step1, QGraphicsView *original, QGraphicsView *preview, QObject *parent = nullptr);
    ~WizardViews() override;

    ImageView &step1() { return *m_step1; }
    ImageView &original() { return *m_original; }
    ImageView &preview() { return *m_preview; }

    // Shows the picture at `path` in the view: cleared when the file is missing,
    // otherwise the loading indicator until the decoded picture arrives.
    void requestPicture(const QString &path, ImageView &view, bool allowDocuments = false);
    void showLoading(ImageView &view);

    // A decoded picture for one of the views (the loader's result).
    void displayImage(const QPixmap &pixmap, ImageView *view);
    // The Preview tab's rendered picture.
    void displayModified(const QPixmap &pixmap);

    PictureLoader &loader() { return m_loader; }
    QMovie *loadingMovie() const { return m_loadingMovie; }

signals:
    void pictureShown(ImageView *view);

private:
    std::unique_ptr<ImageView> m_step1;
    std::unique_ptr<ImageView> m_original;
    std::unique_ptr<ImageView> m_preview;
    QMovie *m_loadingMovie;
    PictureLoader m_loader;
};

#endif

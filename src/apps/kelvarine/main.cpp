// kelvarine: the wizard. Shows a splash while it starts, then the main window;
// files, folders and project files named on the command line join the job.

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/runtime/imagelibrary.h"
#include "kelvarineconfig.h"
#include "gui/views/pictureloader.h"
#include "engine/runtime/resourcedir.h"
#include "gui/wizard/tamsorel.h"
#include "i18n/translations.h"

namespace {

QPoint centredOnScreen(const QSize &size)
{
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    return desktop.topLeft() + QPoint((desktop.width() - size.width()) / 2, (desktop.height() - size.height()) / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvarine"));
    QApplication::setApplicationVersion(QStringLiteral(KELVARINE_VERSION));
    Translations::install(&app);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QCoreApplication::addLibraryPath(resourceDir(QStringLiteral("plugins")));
    ImageLibrary::initialize(argv[0]);
    PictureLoader::qtReadableSuffixes();

    Tamsorel window;

    QDialog splash(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    splash.setAttribute(Qt::WA_TranslucentBackground);
    auto *layout = new QVBoxLayout(&splash);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(&splash);
    QPixmap picture(resourceDir(QStringLiteral("res")) + QStringLiteral("/splash.png"));
    if (!picture.isNull()) {
        // Shown at its own size, never stretched; only a screen smaller than the
        // picture scales it down, keeping its proportions.
        const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
        if (picture.width() > room.width() || picture.height() > room.height())
            picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        auto *image = new QLabel(frame);
        image->setPixmap(picture);
        auto *frameLayout = new QVBoxLayout(frame);
        frameLayout->setContentsMargins(0, 0, 0, 0);
        frameLayout->addWidget(image);
        splash.resize(picture.size());
    } else {
        // Without its picture the splash still says what is starting.
        frame->setStyleSheet(QStringLiteral("QFrame { background: palette(window); border: 1px solid palette(mid); }"));
        auto *name = new QLabel(QStringLiteral("<span style=\"font-size:20pt; font-weight:600;\">Kelvarine</span>"), frame);
        name->setAlignment(Qt::AlignCenter);
        (new QVBoxLayout(frame))->addWidget(name);
        splash.resize(400, 111);
    }
    layout->addWidget(frame);
    splash.move(centredOnScreen(splash.size()));
    splash.show();
    QCoreApplication::processEvents();

    QTimer::singleShot(3000, &window, [&] {
        splash.close();
        window.show();
    });

    window.move(centredOnScreen(window.size()));
    window.openPaths(QCoreApplication::arguments().mid(1));
    return QApplication::exec();
}

#include "gui/wizard/wizardicons.h"

#include <QFileInfo>
#include <QIcon>
#include <QMainWindow>
#include <QPixmap>

#include <Magick++.h>

#include "engine/picture/picturecodec.h"
#include "engine/runtime/resourcedir.h"
#include "gui/views/imagepixmap.h"
#include "ui_tamsorel.h"

namespace {

QString resourceFile(const QString &name)
{
    return resourceDir(QStringLiteral("res")) + QLatin1Char('/') + name;
}

// The program's icon is a scalable drawing; the toolkit here has no reader for
// it, the image library has.
QIcon programIcon()
{
    const QString path = resourceFile(QStringLiteral("kelvarine.svg"));
    if (!QFileInfo::exists(path))
        return {};
    QIcon icon(path);
    if (!icon.availableSizes().isEmpty())
        return icon;
    try {
        Result<Magick::Image> image = PictureCodec::decode(path);
        if (!image)
            return {};
        image.value().zoom(Magick::Geometry(64, 64));
        return QIcon(imageToPixmap(image.value()));
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace

void WizardIcons::assignTo(QMainWindow &window, Ui::TamsorelClass &form)
{
    Ui::TamsorelClass *ui = &form;
    window.setWindowIcon(programIcon());
    const QPixmap steps(resourceFile(QStringLiteral("icons-wizard.png")));
    if (!steps.isNull()) {
        const QList<QPushButton *> buttons{ui->pbStep_AddPhotos, ui->pbStep_AddFilters, ui->pbStep_Setup,
                                           ui->pbStep_Process};
        for (int i = 0; i < buttons.size(); ++i) {
            buttons.at(i)->setIcon(QIcon(steps.copy(32 * i, 0, 32, 32)));
            buttons.at(i)->setIconSize(QSize(32, 32));
        }
    }
    for (QPushButton *button : {ui->pbStep_AddPhotos, ui->pbStep_AddFilters, ui->pbStep_Setup, ui->pbStep_Process})
        button->setStyleSheet(QStringLiteral("QPushButton{text-align : left;}"));

    const QPixmap zoom(resourceFile(QStringLiteral("preview_bt.png")));
    if (!zoom.isNull()) {
        const QList<QList<QToolButton *>> pairs{{ui->step1_pbFit, ui->step2_bpFit},
                                                {ui->step1_pbActual, ui->step2_bpActual},
                                                {ui->step1_pbZoomIn, ui->step2_bpZoomIn},
                                                {ui->step1_pbZoomOut, ui->step2_bpZoomOut}};
        for (int i = 0; i < pairs.size(); ++i) {
            const QIcon icon(zoom.copy(16 * i, 0, 16, 16));
            for (QToolButton *button : pairs.at(i))
                button->setIcon(icon);
        }
    }
}

#include "gui/help/dlgabout.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMouseEvent>

#include "engine/runtime/resourcedir.h"
#include "ui_dlgabout.h"

DlgAbout::DlgAbout(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgAboutClass)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Dialog | Qt::WindowStaysOnTopHint);
    const QString background = resourceDir(QStringLiteral("res")) + QStringLiteral("/about.png");
    if (QFileInfo::exists(background))
        ui->label_2->setStyleSheet(QStringLiteral("border-image: url(%1);").arg(background));
    else
        ui->label_2->setStyleSheet(QStringLiteral("background-color: palette(base); border: 1px solid palette(mid);"));
    ui->lbVer->setText(tr("Version %1").arg(QCoreApplication::applicationVersion()));
    ui->lbUrl->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(webSite().toString()));
    ui->lbUrl->setAccessibleName(tr("Web site"));
    // The box handles the click itself: a press anywhere closes it.
    ui->lbUrl->setTextInteractionFlags(Qt::NoTextInteraction);
}

DlgAbout::~DlgAbout()
{
    delete ui;
}

QUrl DlgAbout::webSite()
{
    return QUrl(QStringLiteral("https://kelvarine.org"));
}

QString DlgAbout::versionText() const
{
    return ui->lbVer->text();
}

void DlgAbout::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (ui->lbUrl->rect().contains(ui->lbUrl->mapFrom(this, event->position().toPoint())))
        QDesktopServices::openUrl(webSite());
    accept();
}

#include "gui/filters/dlgfilterprocess.h"
#include "ui_dlgfilterprocess.h"

#include <QDir>
#include <QFileInfo>
#include <QMovie>

#include "engine/runtime/resourcedir.h"

DlgFilterProcess::DlgFilterProcess(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgFilterProcessClass)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    const QString animation = QDir(resourceDir(QStringLiteral("res"))).filePath(QStringLiteral("loading2.gif"));
    if (QFileInfo::exists(animation)) {
        m_movie = new QMovie(animation, QByteArray(), this);
        ui->lbMovie->setMovie(m_movie);
        m_movie->start();
    } else {
        ui->lbMovie->hide();
    }
}

DlgFilterProcess::~DlgFilterProcess() = default;

void DlgFilterProcess::setInfo(const QString &text)
{
    ui->lbInfo->setText(text);
}

void DlgFilterProcess::on_pbCancel_clicked()
{
    emit stopProcess();
    ui->lbInfo->setText(tr("Is canceling"));
}

void DlgFilterProcess::reject()
{
    on_pbCancel_clicked();
}

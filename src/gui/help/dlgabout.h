#ifndef DLGABOUT_H
#define DLGABOUT_H

// The about box: the program's name and version on its background picture, and
// a link to the web site. A left click anywhere closes it (after opening the web
// site when the click was on the link); Escape closes it too.
//
// Threads: GUI thread only.

#include <QDialog>
#include <QUrl>

namespace Ui {
class DlgAboutClass;
}

class DlgAbout : public QDialog
{
    Q_OBJECT

public:
    explicit DlgAbout(QWidget *parent = nullptr);
    ~DlgAbout() override;

    static QUrl webSite();
    QString versionText() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    Ui::DlgAboutClass *ui;
};

#endif

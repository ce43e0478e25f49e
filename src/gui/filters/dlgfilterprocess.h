#ifndef DLGFILTERPROCESS_H
#define DLGFILTERPROCESS_H

// The small busy window shown while a preview is rendered, with its Cancel button.

#include <QDialog>

#include <memory>

namespace Ui {
class DlgFilterProcessClass;
}

class QMovie;

class DlgFilterProcess : public QDialog
{
    Q_OBJECT

public:
    explicit DlgFilterProcess(QWidget *parent = nullptr);
    ~DlgFilterProcess() override;

    void setInfo(const QString &text);

signals:
    void stopProcess();

protected:
    // Escape cancels like the button; the window is closed by its owner.
    void reject() override;

private slots:
    void on_pbCancel_clicked();

private:
    std::unique_ptr<Ui::DlgFilterProcessClass> ui;
    QMovie *m_movie = nullptr;
};

#endif

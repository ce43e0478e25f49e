#ifndef WIZARDTESTUTILS_H
#define WIZARDTESTUTILS_H

// What the wizard's tests share: a home folder of their own with three real
// pictures of different kinds, the settings file read back, the process dialog
// closed once its batch has ended, and a format chosen by its name.

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "engine/filters/filterregistry.h"
#include "gui/process/dlgprocess.h"
#include "gui/wizard/appsettings.h"
#include "gui/wizard/tamsorel.h"
#include "guitestutils.h"
#include "testutils.h"
#include "ui_tamsorel.h"

namespace WizardTest {

inline const QString batchProgram = QStringLiteral(KELVARINE_BIN_DIR "/kelvarine-batch");

// HOME becomes `home`, so that settings and dialogs start from there; its
// "pictures" folder gets a.png, b.tif (16-bit: not for the toolkit) and c.jpg.
// Returns that folder.
inline QString prepareHome(const QTemporaryDir &home)
{
    qputenv("HOME", home.path().toLocal8Bit());
    QCoreApplication::setApplicationVersion(QStringLiteral("7.6.5"));
    TestUtils::initImageLibrary();
    FilterRegistry::instance().loadPlugins(QStringLiteral(KELVARINE_PLUGIN_DIR));
    const QString pictures = home.filePath(QStringLiteral("pictures"));
    QDir().mkpath(pictures);
    TestUtils::writePicture(TestUtils::makePicture(96, 64), pictures + QStringLiteral("/a.png"));
    TestUtils::writePicture(TestUtils::makePicture(300, 200), pictures + QStringLiteral("/b.tif"));
    Magick::Image jpeg = TestUtils::makePicture(120, 80);
    jpeg.depth(8);
    jpeg.write(QFile::encodeName(pictures + QStringLiteral("/c.jpg")).toStdString());
    return pictures;
}

// A test class of the wizard: its own home folder with the three pictures.
class HomeTestCase : public QObject
{
protected:
    bool setUpHome()
    {
        if (!m_home.isValid())
            return false;
        m_pictures = prepareHome(m_home);
        for (const char *name : {"a.png", "b.tif", "c.jpg"}) {
            if (!QFileInfo(m_pictures + QLatin1Char('/') + QLatin1String(name)).isFile())
                return false;
        }
        return true;
    }

    QTemporaryDir m_home;
    QString m_pictures;  // a.png, b.tif, c.jpg: real pictures of different kinds
};

inline QString settingsValue(const QString &key)
{
    return QSettings(AppSettings::defaultFile(), QSettings::IniFormat).value(key).toString();
}

// Answers the process dialog once its batch has ended: its button reads "OK".
inline void closeWhenDone(TestUtils::ModalAnswers &answers)
{
    answers.expect([](QWidget *widget) {
        auto *dialog = qobject_cast<DlgProcess *>(widget);
        if (!dialog || dialog->isRunning())
            return false;
        QAbstractButton *button = widget->findChild<QAbstractButton *>(QStringLiteral("pushAbort"));
        TestUtils::ModalAnswers::later(button, [button] { button->click(); });
        return true;
    });
}

inline void selectFormat(Tamsorel &window, const QString &name)
{
    QComboBox *combo = window.form().comboWFormats;
    for (int row = 0; row < combo->count(); ++row) {
        if (combo->itemText(row).startsWith(name + QStringLiteral(" - "))) {
            combo->setCurrentIndex(row);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no format ") + name));
}

} // namespace WizardTest

#endif

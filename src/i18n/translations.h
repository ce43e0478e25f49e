#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

// The program's texts in the user's language: its own translation, built into
// the program, and the toolkit's (buttons of message boxes, file and colour
// choosers) from Qt's translation folder. Both programs call install() at start,
// before anything shows or loads a text.

#include <QLocale>

class QCoreApplication;

class Translations
{
public:
    // Installs the translators for `locale` (the system's by default) on the
    // application, which owns them. True when the program's own translation for
    // that language was found; English needs none.
    static bool install(QCoreApplication *application, const QLocale &locale = QLocale());
};

#endif

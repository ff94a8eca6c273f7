#include "ui/program_look.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void ApplyProgramLook(QApplication& app) {
    // Liberation Sans keeps the proportions the layout was drawn for; DejaVu Sans runs wide.
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arial", "DejaVu Sans"});
    QFont font("MS Sans Serif");
    font.setPointSize(8);
    app.setFont(font);
}

bool InstallPolishTranslation(QCoreApplication& app) {
    // Dates and numbers in the dialogs follow the same language as their buttons.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    auto* translator = new QTranslator(&app);
    if (!translator->load("qtbase_pl", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName("Kombinator");
    // The help command opens this file, relative to the start directory.
    app.setProperty("helpFile", QStringLiteral("PLIK POMOCY.HLP"));
    InstallPolishTranslation(app);
    ApplyProgramLook(app);
}

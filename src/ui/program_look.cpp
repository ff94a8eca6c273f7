#include "ui/program_look.h"

#include <QApplication>
#include <QFont>

void ApplyProgramLook(QApplication& app) {
    // Liberation Sans keeps the proportions the layout was drawn for; DejaVu Sans runs wide.
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arial", "DejaVu Sans"});
    QFont font("MS Sans Serif");
    font.setPointSize(8);
    app.setFont(font);
}

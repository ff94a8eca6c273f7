#pragma once
// TAboutBox "Kombinator info": the program's name, tagline, version, licence and its folder of
// help and examples; modeless.

#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();

    // The folder line: elided in the middle to fit the panel, the whole path as its tooltip.
    void SetProgramFolder(const QString& folder);

private:
    QLabel* folder_ = nullptr;
};

// share/kombinator beside the program's bin folder, as installed and as in the build folder.
QString ProgramShareFolder();
// "2026-12-10": the day this program was compiled.
QString BuildDate();

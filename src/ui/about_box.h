#pragma once
// TAboutBox "Kombinator info": the program's name, tagline and contact lines; modeless.

#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();
};

#include "ui/about_box.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/artwork.h"

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QColor& color, const QRect& geometry,
                  int pixelSize = 0, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    if (pixelSize > 0 || bold) {
        QFont font = label->font();
        if (pixelSize > 0) font.setPixelSize(pixelSize);
        font.setBold(bold);
        label->setFont(font);
    }
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("AboutBox");
    setWindowTitle("Kombinator info");
    setModal(false);
    setFixedSize(294, 213);
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);

    auto* panel = new QFrame(this);
    panel->setObjectName("AboutPanel");
    panel->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    panel->setLineWidth(2);
    QPalette bevel = silver;
    bevel.setColor(QPalette::Light, Qt::white);
    bevel.setColor(QPalette::Dark, QColor(128, 128, 128));
    panel->setPalette(bevel);
    panel->setGeometry(4, 4, 285, 173);

    auto* icon = new QLabel(panel);
    icon->setObjectName("ProgramIcon");
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap::fromImage(DrawBallPicture(130, 114)));
    icon->setGeometry(8, 8, 65, 57);

    const QColor purple(128, 0, 128), navy(0, 0, 128);
    MakeLabel(panel, "ProductName", "Kombinator", purple, QRect(76, 10, 204, 40), 32, true);
    auto* tagline = MakeLabel(panel, "Version", "Narzędzie systemowe do zakładów piłkarskich", purple,
                              QRect(76, 48, 204, 30));
    tagline->setWordWrap(true);
    const char* const contact[5] = {"Program autorski, wersja 1.0",
                                    "Uwagi i pytania: kombinator@example.org",
                                    "Aktualizacje: www.example.org/kombinator",
                                    "Program rozpowszechniany bez pośredników",
                                    "Wszelkie prawa zastrzeżone"};
    for (int k = 0; k < 5; ++k)
        MakeLabel(panel, qPrintable(QString("Contact%1").arg(k + 1)), QString::fromUtf8(contact[k]), navy,
                  QRect(4, 84 + 16 * k, 277, 16));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    ok->setAutoDefault(true);
    ok->setGeometry(110, 182, 75, 25);
    connect(ok, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAboutBox::OKButtonClick() { hide(); }

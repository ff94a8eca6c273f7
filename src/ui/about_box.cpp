#include "ui/about_box.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QLocale>
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
    const QString lines[5] = {
        QString("Wersja %1, zbudowana %2").arg(KOMBINATOR_VERSION, BuildDate()),
        QString("Qt %1").arg(qVersion()),
        "Licencja GPL-3.0-or-later (wolny program)",
        "Pomoc i przykłady:",
        QString(),
    };
    QLabel* line = nullptr;
    for (int k = 0; k < 5; ++k)
        line = MakeLabel(panel, qPrintable(QString("Contact%1").arg(k + 1)), lines[k], navy,
                         QRect(4, 84 + 16 * k, 277, 16));
    folder_ = line;  // the last line names the folder
    SetProgramFolder(ProgramShareFolder());

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

void TAboutBox::SetProgramFolder(const QString& folder) {
    const QString shown = QDir::toNativeSeparators(folder);
    folder_->setText(folder_->fontMetrics().elidedText(shown, Qt::ElideMiddle, folder_->contentsRect().width()));
    folder_->setToolTip(shown);
}

QString ProgramShareFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/kombinator");
}

QString BuildDate() {
    // __DATE__ reads "Dec 10 2026" or "Dec  1 2026", in English whatever the locale.
    const QDate date = QLocale::c().toDate(QString(__DATE__).simplified(), "MMM d yyyy");
    return date.toString(Qt::ISODate);
}

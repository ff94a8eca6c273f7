#include "ui/print_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>

#include "ui/app_state.h"
#include "ui/dialog_service.h"
#include "ui/filter_widgets.h"
#include "ui/final_stage_widgets.h"
#include "ui/print_surface.h"
#include "ui/window_io.h"
#include "ui/system_list_box.h"

PrintBox::PrintBox(AppState& state, DialogService& dialogs, const SystemListBox& list, QWidget* parent)
    : QObject(parent), state_(state), dialogs_(dialogs), list_(list) {
    Panel88 = MakeStagePanel(parent, "Panel88", QRect(438, 246, 235, 235));
    MakeTitle(Panel88, "StaticText45", " Wydruk systemu ", QRect(4, 4, 196, 20));
    SpeedButton7 = MakeGlyphButton(Panel88, "SpeedButton7", PrinterGlyph(), "Wydruk systemu", QRect(204, 2, 26, 24));
    connect(SpeedButton7, &QToolButton::clicked, this, &PrintBox::SpeedButton7Click);

    Image3 = MakeLabel(Panel88, "Image3", "", QRect(58, 34, 120, 190), Qt::AlignCenter);
    Image3->setPixmap(CouponPicture(110, 186));

    Panel89 = MakeStagePanel(Panel88, "Panel89", QRect(4, 28, 227, 104));
    MakeTitle(Panel89, "StaticText46", " Ustawienia ", QRect(4, 3, 84, 17));
    // The offsets are dots of this resolution.
    ResolutionLabel = MakeLabel(Panel89, "ResolutionLabel", "", QRect(92, 3, 131, 17), Qt::AlignRight | Qt::AlignVCenter);
    MakeLabel(Panel89, "Label361", "Poziome", QRect(3, 36, 47, 20));
    MakeLabel(Panel89, "Label362", "Pionowe", QRect(4, 78, 46, 20));
    // Each edit stands under its label; PX1 and X1X2 in the upper row, the rest in the lower.
    struct OffsetPlace {
        const char* label;
        int labelNumber;
        int editNumber;
        int row;
        int column;
    };
    static const OffsetPlace places[7] = {{"PX1", 363, 46, 0, 0}, {"X1X2", 364, 21, 0, 1}, {"PY1", 365, 23, 1, 1},
                                          {"Y1Y2", 366, 24, 1, 2},  {"PYK", 367, 25, 1, 3},  {"PYZ", 368, 26, 1, 4},
                                          {"PNR", 369, 22, 1, 0}};
    for (std::size_t i = 0; i < offsetEdits_.size(); ++i) {
        const OffsetPlace& place = places[i];
        const int x = 50 + place.column * 35;
        const int y = 22 + place.row * 42;
        MakeLabel(Panel89, QString("Label%1").arg(place.labelNumber), place.label, QRect(x, y, 34, 14),
                  Qt::AlignCenter);
        QLineEdit* edit = MakeMaskedEdit(QString("MaskEdit%1").arg(place.editNumber), 4, '_', Panel89);
        edit->setGeometry(x, y + 14, 34, 20);
        offsetEdits_[i] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { ShowOffsetInMillimetres(edit); });
    }
    Button1 = MakeButton(Panel89, "Button1", "Test", QRect(124, 34, 46, 22), "Kontrolny test wydruku");
    Button2 = MakeButton(Panel89, "Button2", "Zapis", QRect(174, 34, 48, 22), "Zapis aktualnych ustawień");
    connect(Button1, &QPushButton::clicked, this, &PrintBox::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &PrintBox::Button2Click);
    Panel89->hide();

    Panel90 = MakeStagePanel(Panel88, "Panel90", QRect(4, 132, 227, 99));
    MakeTitle(Panel90, "StaticText47", " Wydruk na kuponach ", QRect(4, 3, 219, 17));
    MakeLabel(Panel90, "Label370", "Potrzebnych blankietów :", QRect(6, 22, 140, 18));
    Label371 = MakeLabel(Panel90, "Label371", "0", QRect(148, 22, 50, 18));
    MakeLabel(Panel90, "Label372", "Od", QRect(6, 44, 20, 20));
    MaskEdit27 = MakeMaskedEdit("MaskEdit27", 4, '_', Panel90);
    MaskEdit27->setGeometry(28, 44, 40, 20);
    MakeLabel(Panel90, "Label373", "Do", QRect(6, 70, 20, 20));
    MaskEdit28 = MakeMaskedEdit("MaskEdit28", 4, '_', Panel90);
    MaskEdit28->setGeometry(28, 70, 40, 20);
    RadioGroup19 = new RadioGroup("RadioGroup19", QString(), {"Z1", "Z2", "Z3", "Z4"}, 2, 19, Panel90);
    // Columns wide enough that "Z1" stands nearer its own button than "Z2".
    RadioGroup19->setGeometry(70, 42, 92, 50);
    Button3 = MakeButton(Panel90, "Button3", "Drukuj", QRect(163, 42, 60, 23), "Wydruk kuponów w podanym zakresie");
    PreviewButton = MakeButton(Panel90, "PreviewButton", "Podgląd", QRect(163, 69, 60, 23),
                               "Podgląd kuponów w podanym zakresie");
    connect(Button3, &QPushButton::clicked, this, &PrintBox::Button3Click);
    connect(PreviewButton, &QPushButton::clicked, this, &PrintBox::PreviewButtonClick);
    Panel90->hide();

    ownSurface_ = std::make_unique<QtPrintSurface>(dialogs_);
    surface_ = ownSurface_.get();
    ShowResolution();
}

void PrintBox::ShowResolution() {
    resolution_ = UsePrintResolution(ownSurface_->Printer());
    ResolutionLabel->setText(QString("Rozdzielczość: %1 dpi").arg(resolution_));
    for (QLineEdit* edit : offsetEdits_) ShowOffsetInMillimetres(edit);
}

void PrintBox::ShowOffsetInMillimetres(QLineEdit* edit) {
    bool number = false;
    const int dots = MaskedEditText(edit).trimmed().toInt(&number);
    if (!number || resolution_ <= 0) {
        edit->setToolTip(QString());
        return;
    }
    const QString mm = QLocale(QLocale::Polish, QLocale::Poland).toString(dots * 25.4 / resolution_, 'f', 1);
    edit->setToolTip(QString("%1 = %2 mm przy %3 dpi").arg(dots).arg(mm).arg(resolution_));
}

PrintBox::~PrintBox() = default;

void PrintBox::SetPrintSurface(PrintSurface* surface) { surface_ = surface ? surface : ownSurface_.get(); }

void PrintBox::Reset() {
    Label371->setText("0");
    MaskEdit27->clear();
    MaskEdit28->clear();
}

bool PrintBox::LoadPrintSettings(QString* report) {
    const kombinator::PrintSettingsLoad load = kombinator::LoadPrintSettings(std::string());
    for (int i = 0; i < kombinator::PrintOffsetCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (load.editTexts[at]) offsetEdits_[at]->setText(FromBytes(*load.editTexts[at]));
        if (i < load.loaded) printSettings_[at] = load.settings[at];
    }
    if (!load.ok) {
        if (report)
            *report = QString::fromStdString(load.error);
        else
            dialogs_.Error(QString::fromStdString(load.error));
        return false;
    }
    return true;
}

bool PrintBox::ReadPrintSettings() {
    std::array<std::string, kombinator::PrintOffsetCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = EditBytes(offsetEdits_[i]);
    const kombinator::PrintSettingsRead read = kombinator::ReadPrintSettings(texts);
    if (!read.ok) {
        ShowCoreMessage(dialogs_, read.messageKind, read.message);
        return false;
    }
    printSettings_ = read.settings;
    return true;
}

void PrintBox::Button2Click() {
    if (!ReadPrintSettings()) return;
    if (!dialogs_.ConfirmationQuestion("Zapisać aktualne ustawienia ?")) return;
    if (!MakeStartDirectoryCurrent(state_.StartDirectory, dialogs_)) return;
    const kombinator::FileResult result =
        kombinator::SavePrintSettings(FileNameBytes(state_.StartDirectory), printSettings_);
    if (!result.ok) dialogs_.Error(QString::fromStdString(result.error));
}

void PrintBox::SpeedButton7Click() {
    if (!SpeedButton7->isEnabled()) return;
    if (Panel89->isVisibleTo(Panel88)) {
        Panel89->hide();
        Panel90->hide();
        return;
    }
    Label371->setText(QString::number(kombinator::BlanksNeeded(static_cast<std::int64_t>(list_.Lines().size()))));
    ShowResolution();
    Panel89->show();
    Panel90->show();
}

bool PrintBox::BuildPages(std::vector<kombinator::CouponPage>& pages) {
    if (!ReadPrintSettings()) return false;
    kombinator::CouponPages built = kombinator::BuildCouponPages(list_.Lines(), EditBytes(MaskEdit27),
                                                                 EditBytes(MaskEdit28), RadioGroup19->ItemIndex(),
                                                                 printSettings_);
    if (!built.ok) {
        ShowCoreMessage(dialogs_, built.messageKind, built.message);
        return false;
    }
    pages = std::move(built.pages);
    return true;
}

void PrintBox::PrintPages(PrintSurface& surface, const std::vector<kombinator::CouponPage>& pages, bool ruler) {
    if (pages.empty()) return;
    const PrintSurface::JobStart start = surface.BeginJob("MS Sans Serif", 8);
    if (start == PrintSurface::JobStart::Failed) {
        // The printer's own failure is reported, never taken for a printed coupon.
        const QString problem = surface.Problem();
        dialogs_.Error(problem.isEmpty() ? QString("Printer selected is not valid") : problem);
        return;
    }
    if (start != PrintSurface::JobStart::Started) return;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) surface.NewPage();
        if (ruler) surface.DrawRuler();
        for (const kombinator::CouponText& text : pages[i]) surface.DrawText(text.x, text.y, FromBytes(text.text));
    }
    const bool handedOver = surface.EndJob();
    // The printer dialog may have chosen another printer.
    ShowResolution();
    if (!handedOver) dialogs_.Error(surface.Problem());
}

void PrintBox::Button1Click() {
    if (!ReadPrintSettings()) return;
    PrintPages(*surface_, {kombinator::BuildTestPage(printSettings_)}, true);
}

void PrintBox::Button3Click() {
    std::vector<kombinator::CouponPage> pages;
    if (!BuildPages(pages)) return;
    PrintPages(*surface_, pages, false);
}

void PrintBox::PreviewButtonClick() {
    std::vector<kombinator::CouponPage> pages;
    if (!BuildPages(pages)) return;
    // The preview shows the pages on the printer that prints them, at its resolution.
    ShowResolution();
    QPrintPreviewDialog preview(&ownSurface_->Printer(), static_cast<QWidget*>(parent()));
    preview.setWindowTitle("Podgląd wydruku");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        QtPrintSurface surface(*target);
        PrintPages(surface, pages, true);
    });
    preview.exec();
}

#include "ui/final_stage.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QSignalBlocker>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cerrno>

#include "generator/guarantee_reduction.h"
#include "generator/result_check.h"
#include "generator/simulation.h"
#include "generator/system_line.h"
#include "io/coupon_pages.h"
#include "io/offset_files.h"
#include "io/runtime_errors.h"
#include "io/system_file.h"
#include "ui/dialog_service.h"
#include "ui/final_stage_widgets.h"
#include "ui/print_surface.h"
#include "ui/sound_player.h"

namespace {

const QString SaveQuestion = QStringLiteral("Zapisać ostatni wygenerowany system ?");
const QString SaveFilter = QStringLiteral("Plik textowy(*.txt)|*.txt");
const QString OpenFilter = QStringLiteral("Pliki textowe(*.txt)|*.txt");
const QString BackWhileBusyQuestion =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy rzeczywiście chcesz teraz edytować dane ?");

QString FromBytes(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
std::string ToBytes(const QString& s) { return s.toLatin1().toStdString(); }
// File names go to the C library in the locale's encoding.
std::string FileNameBytes(const QString& s) { return QFile::encodeName(s).toStdString(); }

QFrame* MakePanel(const QString& name, QWidget* parent, const QRect& geometry,
                  QFrame::Shadow shadow = QFrame::Raised) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(1);
    panel->setGeometry(geometry);
    // Panels are opaque: the print panels cover the box's picture.
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent, const QRect& geometry,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align);
    return label;
}

// A box title: a sunken static text across the top of the box.
QLabel* MakeTitle(const QString& name, const QString& text, QWidget* parent, const QRect& geometry) {
    QLabel* title = MakeLabel(name, text, parent, geometry, Qt::AlignCenter);
    title->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    return title;
}

QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent, const QRect& geometry,
                        const QString& hint = QString()) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    return button;
}

QToolButton* MakeGlyphButton(const QString& name, const QIcon& icon, const QString& hint, QWidget* parent,
                             const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setGeometry(geometry);
    return button;
}

QListWidget* MakeListBox(const QString& name, QWidget* parent, const QRect& geometry, int rowHeight) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    list->setUniformItemSizes(true);
    list->setFocusPolicy(Qt::ClickFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setProperty("rowHeight", rowHeight);
    list->setStyleSheet(QStringLiteral("QListWidget::item { height: %1px; padding: 0px; }").arg(rowHeight));
    return list;
}

}  // namespace

FinalStage::FinalStage(AppState& state, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs) {
    setObjectName("Panel73");
    setFixedSize(673, 481);
    setAutoFillBackground(true);

    BuildTopBar();
    BuildGuaranteeBox();
    BuildSimulationBox();
    BuildSystemBox();
    BuildResultBox();
    BuildPrintBox();

    Timer11 = new QTimer(this);
    Timer11->setObjectName("Timer11");
    Timer11->setInterval(10);
    Timer12 = new QTimer(this);
    Timer12->setObjectName("Timer12");
    Timer12->setInterval(1000);
    connect(Timer11, &QTimer::timeout, this, &FinalStage::Timer11Timer);
    connect(Timer12, &QTimer::timeout, this, &FinalStage::Timer12Timer);

    simulation_ = std::make_unique<kombinator::Simulation>();
    SetPrintSurface(nullptr);
    SetSoundPlayer(nullptr);
    hide();
}

FinalStage::~FinalStage() = default;

void FinalStage::SetPrintSurface(PrintSurface* surface) {
    if (surface) {
        surface_ = surface;
        return;
    }
    if (!ownSurface_) ownSurface_ = std::make_unique<QtPrintSurface>(this);
    surface_ = ownSurface_.get();
}

void FinalStage::SetSoundPlayer(SoundPlayer* player) {
    if (player) {
        sound_ = player;
        return;
    }
    if (!ownSound_) ownSound_ = std::make_unique<QtSoundPlayer>();
    sound_ = ownSound_.get();
}

// The user's omissions come in a plain message box; a text that is not a whole number is the
// runtime's conversion report.
void FinalStage::ShowMessageOrReport(const std::string& message) {
    const QString text = QString::fromStdString(message);
    if (text.startsWith('\''))
        dialogs_.Error(text);
    else
        dialogs_.Message(text);
}

// ---------------------------------------------------------------------------------------------
// Layout

void FinalStage::BuildTopBar() {
    Panel74 = MakePanel("Panel74", this, QRect(0, 0, 673, 32));
    SpeedButton3 = MakeGlyphButton("SpeedButton3", BackGlyph(), "Powrót do poprzedniego etapu", Panel74,
                                   QRect(4, 3, 26, 26));
    SpeedButton4 = MakeGlyphButton("SpeedButton4", SaveGlyph(), "Zapis systemu", Panel74, QRect(32, 3, 26, 26));
    StaticText32 = MakeTitle("StaticText32", " GENERATOR SYSTEMÓW", Panel74, QRect(236, 6, 200, 20));
    connect(SpeedButton3, &QToolButton::clicked, this, &FinalStage::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &FinalStage::SpeedButton4Click);
}

void FinalStage::BuildGuaranteeBox() {
    Panel76 = MakePanel("Panel76", this, QRect(0, 36, 200, 150));
    MakeTitle("StaticText33", " Systemy gwarancyjne ", Panel76, QRect(4, 4, 192, 18));
    Panel77 = MakePanel("Panel77", Panel76, QRect(4, 26, 192, 120), QFrame::Sunken);
    RadioGroup17 = new RadioGroup("RadioGroup17", QString(),
                                  {"system pełny - gw 6", "system skrócony - gw 5", "system skrócony - gw 4",
                                   "system skrócony - gw 3"},
                                  1, 19, Panel77);
    RadioGroup17->setGeometry(6, 4, 180, 84);
    BitBtn1 = MakeButton("BitBtn1", "OK", Panel77, QRect(58, 91, 76, 24));
    connect(BitBtn1, &QPushButton::clicked, this, &FinalStage::BitBtn1Click);
}

void FinalStage::BuildSimulationBox() {
    Panel78 = MakePanel("Panel78", this, QRect(0, 190, 200, 291));
    MakeTitle("StaticText34", " Symulacja komputerowa ", Panel78, QRect(4, 4, 192, 18));
    Panel79 = MakePanel("Panel79", Panel78, QRect(4, 26, 192, 261), QFrame::Sunken);
    RadioGroup18 = new RadioGroup("RadioGroup18", QString(),
                                  {"rozwiązania różne o jeden", "rozwiązania różne o dwa", "rozwiązania różne o trzy",
                                   "rozwiązania różne o cztery"},
                                  1, 19, Panel79);
    RadioGroup18->setGeometry(6, 4, 180, 84);
    MakeLabel("Label351", "Liczba kombinacji:", Panel79, QRect(10, 104, 104, 21));
    MaskEdit13 = MakeMaskedEdit("MaskEdit13", 4, ' ', Panel79);
    MaskEdit13->setGeometry(116, 104, 44, 21);
    MakeLabel("Label352", "Limit czasowy:", Panel79, QRect(10, 134, 104, 21));
    MaskEdit14 = MakeMaskedEdit("MaskEdit14", 4, ' ', Panel79);
    MaskEdit14->setGeometry(116, 134, 44, 21);
    MakeLabel("Label353", "sek.", Panel79, QRect(163, 134, 26, 21));
    BitBtn2 = MakeButton("BitBtn2", "OK", Panel79, QRect(58, 170, 76, 24));
    connect(BitBtn2, &QPushButton::clicked, this, &FinalStage::BitBtn2Click);
}

void FinalStage::BuildSystemBox() {
    Panel75 = MakePanel("Panel75", this, QRect(204, 36, 230, 445));
    MakeTitle("StaticText36", " Generator systemu ", Panel75, QRect(4, 4, 222, 18));

    systemList_ = new SystemListModel(this);
    ListBox1 = new QListView(Panel75);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(4, 44, 222, 272);
    ListBox1->setModel(systemList_);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setStyleSheet(QStringLiteral("QListView::item { height: 14px; padding: 0px; }"));
    QFont listFont = ListBox1->font();
    listFont.setStyleHint(QFont::Monospace);
    listFont.setFamilies({"Liberation Mono", "DejaVu Sans Mono", "Monospace"});
    listFont.setPointSize(8);
    ListBox1->setFont(listFont);
    ListBox1->setTextElideMode(Qt::ElideNone);
    // No tab stop, but a click gives it the keys, so rows can be selected with the arrows too.
    ListBox1->setFocusPolicy(Qt::ClickFocus);
    connect(ListBox1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FinalStage::ListBox1Click);
    for (int p = 0; p < 6; ++p)
        columnHeaders_[p] = MakeLabel(QString("StaticText%1").arg(48 + p), QString("P %1").arg(p + 1), Panel75,
                                      QRect(0, 26, 30, 16), Qt::AlignLeft | Qt::AlignVCenter);
    UpdateColumnHeaders();

    Panel82 = MakePanel("Panel82", Panel75, QRect(208, 26, 16, 14));
    Panel82->setStyleSheet("QFrame#Panel82 { background: red; }");
    Panel82->hide();

    MakeLabel("StaticText37", "Liczba kombinacji", Panel75, QRect(4, 320, 108, 18), Qt::AlignCenter)
        ->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label347 = MakeLabel("Label347", "", Panel75, QRect(4, 340, 108, 18), Qt::AlignCenter);
    MakeLabel("StaticText38", "Wybrane rozw.", Panel75, QRect(118, 320, 108, 18), Qt::AlignCenter)
        ->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label348 = MakeLabel("Label348", "", Panel75, QRect(118, 340, 108, 18), Qt::AlignCenter);
    QFont counterFont = Label347->font();
    counterFont.setBold(true);
    Label347->setFont(counterFont);
    Label348->setFont(counterFont);

    Panel80 = MakePanel("Panel80", Panel75, QRect(4, 362, 222, 79));
    Panel81 = MakePanel("Panel81", Panel80, QRect(4, 4, 214, 46), QFrame::Sunken);
    for (int p = 0; p < 6; ++p) {
        const int column = p % 3;
        const int row = p / 3;
        drawnLabels_[p] = MakeLabel(QString("Label%1").arg(341 + p), "", Panel81,
                                    QRect(8 + column * 68, 3 + row * 20, 60, 18), Qt::AlignCenter);
    }
    MakeLabel("StaticText35", "Do zakończenia", Panel80, QRect(8, 55, 100, 18));
    Label349 = MakeLabel("Label349", "", Panel80, QRect(110, 55, 50, 18), Qt::AlignRight | Qt::AlignVCenter);
    MakeLabel("Label350", "sek", Panel80, QRect(166, 55, 30, 18));
    Panel80->hide();
}

void FinalStage::BuildResultBox() {
    Panel83 = MakePanel("Panel83", this, QRect(438, 36, 235, 206));
    MakeTitle("StaticText39", " Sprawdzanie wyników ", Panel83, QRect(4, 4, 227, 18));
    static const int editNumbers[12] = {15, 16, 17, 18, 19, 20, 29, 30, 31, 32, 33, 34};
    for (int p = 0; p < 6; ++p) {
        const int x = 9 + p * 37;
        MakeLabel(QString("StaticText%1").arg(p < 3 ? 40 + p : 60 + p), QString("P %1").arg(p + 1), Panel83,
                  QRect(x, 25, 35, 15), Qt::AlignCenter);
        for (int side = 0; side < 2; ++side) {
            QLineEdit* edit = MakeMaskedEdit(QString("MaskEdit%1").arg(editNumbers[2 * p + side]), 1, ' ', Panel83);
            // Home above left, away below right: a zig-zag under each header.
            edit->setGeometry(x + side * 18, 41 + side * 10, 17, 20);
            edit->setAlignment(Qt::AlignCenter);
            resultEdits_[2 * p + side] = edit;
        }
    }
    BitBtn3 = MakeButton("BitBtn3", "OK", Panel83, QRect(80, 76, 76, 24));
    connect(BitBtn3, &QPushButton::clicked, this, &FinalStage::BitBtn3Click);

    static const char* headers[4] = {" 6 ", " 5 ", " 4 ", " 3 "};
    for (int i = 0; i < 4; ++i) {
        const int x = 51 + i * 45;
        MakeLabel(QString("StaticText%1").arg(54 + i), headers[i], Panel83, QRect(x, 106, 43, 16), Qt::AlignCenter)
            ->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        hitCounters_[i] = MakeLabel(QString("Label%1").arg(354 + i), "", Panel83, QRect(x, 124, 43, 16),
                                    Qt::AlignCenter);
        hitLines_[i] = MakeListBox(QString("ListBox%1").arg(2 + i), Panel83, QRect(x, 142, 43, 30), 13);
        hitCoupons_[i] = MakeListBox(QString("ListBox%1").arg(6 + i), Panel83, QRect(x, 172, 43, 30), 13);
        // Two entries show at a time; a bar tells that more are listed.
        for (QListWidget* list : {hitLines_[i], hitCoupons_[i]}) {
            list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            list->setStyleSheet(list->styleSheet() + " QScrollBar:vertical { width: 10px; }");
        }
    }
    MakeLabel("Label358", "     Lista ", Panel83, QRect(2, 142, 48, 30));
    MakeLabel("Label359", "    Kupon ", Panel83, QRect(2, 172, 48, 30));
}

void FinalStage::BuildPrintBox() {
    Panel88 = MakePanel("Panel88", this, QRect(438, 246, 235, 235));
    MakeTitle("StaticText45", " Wydruk systemu ", Panel88, QRect(4, 4, 196, 20));
    SpeedButton7 = MakeGlyphButton("SpeedButton7", PrinterGlyph(), "Wydruk systemu", Panel88, QRect(204, 2, 26, 24));
    connect(SpeedButton7, &QToolButton::clicked, this, &FinalStage::SpeedButton7Click);

    Image3 = MakeLabel("Image3", "", Panel88, QRect(58, 34, 120, 190), Qt::AlignCenter);
    Image3->setPixmap(CouponPicture(110, 186));

    Panel89 = MakePanel("Panel89", Panel88, QRect(4, 28, 227, 104));
    MakeTitle("StaticText46", " Ustawienia ", Panel89, QRect(4, 3, 219, 17));
    MakeLabel("Label361", "Poziome", Panel89, QRect(4, 36, 46, 20));
    MakeLabel("Label362", "Pionowe", Panel89, QRect(4, 78, 46, 20));
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
    for (int i = 0; i < 7; ++i) {
        const OffsetPlace& place = places[i];
        const int x = 50 + place.column * 35;
        const int y = 22 + place.row * 42;
        MakeLabel(QString("Label%1").arg(place.labelNumber), place.label, Panel89, QRect(x, y, 34, 14),
                  Qt::AlignCenter);
        QLineEdit* edit = MakeMaskedEdit(QString("MaskEdit%1").arg(place.editNumber), 4, '_', Panel89);
        edit->setGeometry(x, y + 14, 34, 20);
        offsetEdits_[i] = edit;
    }
    Button1 = MakeButton("Button1", "Test", Panel89, QRect(124, 34, 46, 22), "Kontrolny test wydruku");
    Button2 = MakeButton("Button2", "Zapis", Panel89, QRect(174, 34, 48, 22), "Zapis aktualnych ustawień");
    connect(Button1, &QPushButton::clicked, this, &FinalStage::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &FinalStage::Button2Click);
    Panel89->hide();

    Panel90 = MakePanel("Panel90", Panel88, QRect(4, 132, 227, 99));
    MakeTitle("StaticText47", " Wydruk na kuponach ", Panel90, QRect(4, 3, 219, 17));
    MakeLabel("Label370", "Potrzebnych blankietów :", Panel90, QRect(6, 22, 140, 18));
    Label371 = MakeLabel("Label371", "0", Panel90, QRect(148, 22, 50, 18));
    MakeLabel("Label372", "Od", Panel90, QRect(6, 44, 20, 20));
    MaskEdit27 = MakeMaskedEdit("MaskEdit27", 4, '_', Panel90);
    MaskEdit27->setGeometry(28, 44, 40, 20);
    MakeLabel("Label373", "Do", Panel90, QRect(6, 70, 20, 20));
    MaskEdit28 = MakeMaskedEdit("MaskEdit28", 4, '_', Panel90);
    MaskEdit28->setGeometry(28, 70, 40, 20);
    RadioGroup19 = new RadioGroup("RadioGroup19", QString(), {"Z1", "Z2", "Z3", "Z4"}, 2, 19, Panel90);
    RadioGroup19->setGeometry(72, 42, 88, 50);
    Button3 = MakeButton("Button3", "Drukuj", Panel90, QRect(163, 42, 60, 23), "Wydruk kuponów w podanym zakresie");
    PreviewButton = MakeButton("PreviewButton", "Podgląd", Panel90, QRect(163, 69, 60, 23),
                               "Podgląd kuponów w podanym zakresie");
    connect(Button3, &QPushButton::clicked, this, &FinalStage::Button3Click);
    connect(PreviewButton, &QPushButton::clicked, this, &FinalStage::PreviewButtonClick);
    Panel90->hide();
}

// The column headers stand over the five-character groups of the lines as the list draws them.
void FinalStage::UpdateColumnHeaders() {
    const QFontMetrics metrics(ListBox1->font());
    const QString sample = FromBytes(kombinator::FormatSystemLine(kombinator::Combination{}));
    const int left = ListBox1->x() + ListBox1->frameWidth() + 3;
    for (int p = 0; p < 6; ++p) {
        const int x = left + metrics.horizontalAdvance(sample.left(5 * p));
        const int w = metrics.horizontalAdvance(sample.mid(5 * p, 3));
        columnHeaders_[p]->setGeometry(x - 4, 26, w + 8, 16);
        columnHeaders_[p]->setAlignment(Qt::AlignCenter);
    }
}

// ---------------------------------------------------------------------------------------------
// The system list

int FinalStage::SystemLineCount() const { return static_cast<int>(SystemList().size()); }

const std::vector<std::string>& FinalStage::SystemList() const { return systemList_->Lines(); }

void FinalStage::SetSystemList(std::vector<std::string> lines) {
    // Replacing the list is no selection by the user: Label348 is set by the caller.
    QSignalBlocker blocker(ListBox1->selectionModel());
    systemList_->SetLines(std::move(lines));
}

void FinalStage::AppendSystemLine(std::string line) { systemList_->Append(std::move(line)); }

void FinalStage::ListBox1Click() {
    const int row = ListBox1->currentIndex().row();
    Label348->setText(row >= 0 ? QString::number(row + 1) : QString());
}

// ---------------------------------------------------------------------------------------------
// Entering, going back, saving, opening

void FinalStage::EnterFromEditor() {
    // No run survives entering (GeneratorBusy goes to 0 below).
    Timer11->stop();
    Timer12->stop();
    simulation_->Stop();
    SetSystemList({});
    for (QLabel* label : drawnLabels_) label->clear();
    Panel80->hide();
    Label349->clear();
    Label347->clear();
    Label348->clear();
    RadioGroup17->SetItemIndex(0);
    RadioGroup18->SetItemIndex(0);
    MaskEdit13->clear();
    MaskEdit14->clear();
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    SpeedButton3->setEnabled(true);
    SpeedButton4->setEnabled(true);
    SpeedButton7->setEnabled(true);
    Panel77->setEnabled(true);
    Panel79->setEnabled(true);
    Panel89->hide();
    Panel90->hide();
    Label371->setText("0");
    MaskEdit27->clear();
    MaskEdit28->clear();
    ClearResultCheck();
    BitBtn3->setEnabled(true);
    state_.SystemSaved = 1;
    state_.GeneratorBusy = 0;
}

void FinalStage::ClearResultCheck() {
    for (QLineEdit* edit : resultEdits_) edit->clear();
    for (int i = 0; i < 4; ++i) {
        hitCounters_[i]->clear();
        hitLines_[i]->clear();
        hitCoupons_[i]->clear();
    }
}

void FinalStage::SpeedButton3Click() {
    if (!SpeedButton3->isEnabled()) return;
    if (state_.GeneratorBusy == 1) {
        if (!dialogs_.WarningQuestion(BackWhileBusyQuestion)) return;
        // The run may have ended by itself while the question was open; a finished system is
        // then offered for saving like any other.
        if (state_.GeneratorBusy == 1) {
            StopSimulation();
            // The lines drawn so far are not offered for saving.
            state_.SystemSaved = 1;
        }
    }
    if (!OfferSystemSave()) return;
    emit BackToEditor();
}

bool FinalStage::SaveSystemFile() {
    const QString name = dialogs_.SaveFileName(SaveFilter, "txt");
    if (name.isEmpty()) return true;
    const kombinator::FileResult result = kombinator::WriteSystemFile(FileNameBytes(name), SystemList());
    if (!result.ok) {
        dialogs_.Error(QString::fromStdString(result.error));
        return false;
    }
    return true;
}

bool FinalStage::OfferSystemSave() {
    if (state_.SystemSaved == 1 || SystemList().empty()) return true;
    if (dialogs_.ConfirmationQuestion(SaveQuestion)) {
        if (!SaveSystemFile()) return false;
    }
    state_.SystemSaved = 1;
    return true;
}

void FinalStage::SpeedButton4Click() {
    if (!SpeedButton4->isEnabled()) return;
    if (SystemList().empty()) {
        dialogs_.Message("Co chcesz zapisywać ? Lista jest pusta ! ");
        return;
    }
    if (!SaveSystemFile()) return;
    state_.SystemSaved = 1;
}

bool FinalStage::OpenSystemFileFromDialog() {
    const QString name = dialogs_.OpenFileName(OpenFilter, "txt");
    if (name.isEmpty()) return false;
    // The file is read whole before anything changes: a file that cannot be read leaves the
    // current system and the labels as they were.
    std::vector<std::string> lines;
    const kombinator::FileResult result = kombinator::ReadSystemFile(FileNameBytes(name), lines);
    if (!result.ok) {
        dialogs_.Error(QString::fromStdString(result.error));
        return false;
    }
    SetSystemList(std::move(lines));
    Label347->setText(QString::number(SystemList().size()));
    Label348->clear();
    Panel80->hide();
    Label349->clear();
    SpeedButton3->setEnabled(false);
    SpeedButton4->setEnabled(false);
    RadioGroup17->SetItemIndex(0);
    BitBtn1->setEnabled(false);
    RadioGroup18->SetItemIndex(0);
    MaskEdit13->clear();
    MaskEdit14->clear();
    BitBtn2->setEnabled(false);
    ClearResultCheck();
    BitBtn3->setEnabled(true);
    Panel89->hide();
    Panel90->hide();
    SpeedButton7->setEnabled(true);
    Label371->setText("0");
    MaskEdit27->clear();
    MaskEdit28->clear();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Generators

void FinalStage::SetGeneratorControlsEnabled(bool enabled) {
    Panel77->setEnabled(enabled);
    Panel79->setEnabled(enabled);
}

// After a run the stage is usable again: the generators, saving, the check and the print box.
void FinalStage::EnableAfterRun() {
    SpeedButton4->setEnabled(true);
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    SetGeneratorControlsEnabled(true);
    BitBtn3->setEnabled(true);
    Panel80->hide();
    SpeedButton7->setEnabled(true);
}

void FinalStage::StopSimulation() {
    Timer11->stop();
    Timer12->stop();
    simulation_->Stop();
    state_.GeneratorBusy = 0;
    // The drawn lines stay and can still be saved, checked and printed if the stage stays shown.
    EnableAfterRun();
}

void FinalStage::BitBtn1Click() {
    if (!BitBtn1->isEnabled() || !Panel77->isEnabled()) return;
    SetSystemList({});
    Panel82->show();
    SpeedButton3->setEnabled(false);
    SpeedButton4->setEnabled(false);
    BitBtn1->setEnabled(false);
    BitBtn2->setEnabled(false);
    SetGeneratorControlsEnabled(false);
    BitBtn3->setEnabled(false);
    const int level = kombinator::GuaranteeLevelFromIndex(RadioGroup17->ItemIndex());
    Label347->setText("0");
    Label348->clear();
    SpeedButton7->setEnabled(false);
    Panel89->hide();
    Panel90->hide();
    state_.SystemSaved = 0;
    // The reduction runs inside the click; let the busy light and the disabled boxes show first.
    repaint();

    const std::int32_t candidates = std::clamp<std::int32_t>(state_.CandidateCount, 0, kombinator::StoreCapacity);
    std::vector<std::string> lines;
    if (candidates > 0)
        lines = kombinator::GuaranteeSystem(*state_.candidates, candidates, level, *state_.system, state_.SystemCount);

    Label347->setText(QString::number(lines.size()));
    SpeedButton3->setEnabled(true);
    SpeedButton4->setEnabled(true);
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    SetGeneratorControlsEnabled(true);
    BitBtn3->setEnabled(true);
    Panel82->hide();
    SpeedButton7->setEnabled(true);
    SetSystemList(std::move(lines));
}

void FinalStage::BitBtn2Click() {
    if (!BitBtn2->isEnabled() || !Panel79->isEnabled()) return;
    const kombinator::Simulation::StartResult start = simulation_->Start(
        ToBytes(MaskedEditText(MaskEdit13)), ToBytes(MaskedEditText(MaskEdit14)), RadioGroup18->ItemIndex(),
        *state_.candidates, std::clamp<std::int32_t>(state_.CandidateCount, 0, kombinator::StoreCapacity),
        *state_.system);
    if (start.outcome == kombinator::Simulation::StartOutcome::Refused) {
        ShowMessageOrReport(start.message);
        return;
    }
    if (start.outcome != kombinator::Simulation::StartOutcome::Started) return;

    SetSystemList({});
    state_.SystemCount = 0;
    state_.GeneratorBusy = 1;
    SpeedButton4->setEnabled(false);
    BitBtn1->setEnabled(false);
    BitBtn2->setEnabled(false);
    SetGeneratorControlsEnabled(false);
    BitBtn3->setEnabled(false);
    SpeedButton7->setEnabled(false);
    Panel89->hide();
    Panel90->hide();
    Label347->setText("0");
    Label348->clear();
    Label349->setText(QString::number(simulation_->SimulationTimeLimit()));
    Panel80->show();
    Timer12->start();
    Timer11->start();
}

void FinalStage::Timer11Timer() {
    if (!simulation_->Running()) {
        Timer11->stop();
        return;
    }
    const kombinator::Simulation::DrawResult draw = simulation_->DrawTick();
    if (draw.finished) {
        Timer11->stop();
        Timer12->stop();
        FinishSimulation();
        return;
    }
    if (draw.drawn == 0) return;
    for (int p = 0; p < kombinator::PositionCount; ++p)
        drawnLabels_[p]->setText(QString::fromStdString(kombinator::DrawnScoreText(draw.drawnCombination.scores[p])));
    if (draw.accepted) {
        AppendSystemLine(draw.line);
        state_.SystemCount = simulation_->SystemCount();
        Label347->setText(QString::number(simulation_->SystemCount()));
    }
}

void FinalStage::Timer12Timer() {
    if (!simulation_->Running()) {
        Timer12->stop();
        return;
    }
    const kombinator::Simulation::CountdownResult countdown = simulation_->CountdownTick();
    if (countdown.finished) {
        Timer12->stop();
        Timer11->stop();
        Label349->setText("0");
        FinishSimulation();
        return;
    }
    Label349->setText(QString::number(countdown.secondsLeft));
}

void FinalStage::FinishSimulation() {
    simulation_->Stop();
    state_.GeneratorBusy = 0;
    if (!SystemList().empty()) state_.SystemSaved = 0;
    EnableAfterRun();
}

// ---------------------------------------------------------------------------------------------
// Result check

void FinalStage::BitBtn3Click() {
    if (!BitBtn3->isEnabled()) return;
    std::array<std::string, kombinator::ResultEditCount> texts;
    for (int i = 0; i < kombinator::ResultEditCount; ++i) texts[i] = ToBytes(MaskedEditText(resultEdits_[i]));
    // Every line is read before the lists change, so a bad line leaves the previous results whole.
    const kombinator::ResultCheck check = kombinator::CheckResults(texts, SystemList());
    if (!check.ok) {
        ShowMessageOrReport(check.message);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        const kombinator::HitList& hits = check.hits[i];
        hitLines_[i]->clear();
        hitCoupons_[i]->clear();
        for (const std::string& n : hits.lista) hitLines_[i]->addItem(QString::fromStdString(n));
        for (const std::string& at : hits.kupon) hitCoupons_[i]->addItem(QString::fromStdString(at));
        hitCounters_[i]->setText(QString::number(hits.count));
    }
    if (check.sound) {
        if (!MakeStartDirectoryCurrent()) return;
        sound_->Play(QDir(state_.StartDirectory).filePath("Gong.wav"));
    }
}

// ---------------------------------------------------------------------------------------------
// Printer offsets and printing

bool FinalStage::LoadPrintSettings() {
    const kombinator::PrintSettingsLoad load = kombinator::LoadPrintSettings(std::string());
    for (int i = 0; i < kombinator::PrintOffsetCount; ++i) {
        if (load.editTexts[i]) offsetEdits_[i]->setText(FromBytes(*load.editTexts[i]));
        if (i < load.loaded) printSettings_[i] = load.settings[i];
    }
    if (!load.ok) {
        dialogs_.Error(QString::fromStdString(load.error));
        return false;
    }
    return true;
}

bool FinalStage::ReadPrintSettings() {
    std::array<std::string, kombinator::PrintOffsetCount> texts;
    for (int i = 0; i < kombinator::PrintOffsetCount; ++i) texts[i] = ToBytes(MaskedEditText(offsetEdits_[i]));
    const kombinator::PrintSettingsRead read = kombinator::ReadPrintSettings(texts);
    if (!read.ok) {
        ShowMessageOrReport(read.message);
        return false;
    }
    printSettings_ = read.settings;
    return true;
}

bool FinalStage::MakeStartDirectoryCurrent() {
    errno = 0;
    if (QDir::setCurrent(state_.StartDirectory)) return true;
    dialogs_.Error(QString::fromStdString(kombinator::IoErrorMessage(errno != 0 ? errno : ENOENT)));
    return false;
}

void FinalStage::Button2Click() {
    if (!ReadPrintSettings()) return;
    if (!dialogs_.ConfirmationQuestion("Zapisać aktualne ustawienia ?")) return;
    if (!MakeStartDirectoryCurrent()) return;
    const kombinator::FileResult result =
        kombinator::SavePrintSettings(FileNameBytes(state_.StartDirectory), printSettings_);
    if (!result.ok) dialogs_.Error(QString::fromStdString(result.error));
}

void FinalStage::SpeedButton7Click() {
    if (!SpeedButton7->isEnabled()) return;
    if (Panel89->isVisibleTo(Panel88)) {
        Panel89->hide();
        Panel90->hide();
        return;
    }
    Label371->setText(QString::number(kombinator::BlanksNeeded(static_cast<std::int64_t>(SystemList().size()))));
    Panel89->show();
    Panel90->show();
}

bool FinalStage::BuildPages(std::vector<kombinator::CouponPage>& pages) {
    if (!ReadPrintSettings()) return false;
    kombinator::CouponPages built =
        kombinator::BuildCouponPages(SystemList(), ToBytes(MaskedEditText(MaskEdit27)), ToBytes(MaskedEditText(MaskEdit28)),
                                     RadioGroup19->ItemIndex(), printSettings_);
    if (!built.ok) {
        ShowMessageOrReport(built.message);
        return false;
    }
    pages = std::move(built.pages);
    return true;
}

void FinalStage::PrintPages(PrintSurface& surface, const std::vector<kombinator::CouponPage>& pages) {
    if (pages.empty()) return;
    const PrintSurface::JobStart start = surface.BeginJob("MS Sans Serif", 8);
    if (start == PrintSurface::JobStart::Failed) {
        // The printer's own failure is reported, never taken for a printed coupon.
        dialogs_.Error("Printer selected is not valid");
        return;
    }
    if (start != PrintSurface::JobStart::Started) return;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) surface.NewPage();
        for (const kombinator::CouponText& text : pages[i]) surface.DrawText(text.x, text.y, FromBytes(text.text));
    }
    surface.EndJob();
}

void FinalStage::Button1Click() {
    if (!ReadPrintSettings()) return;
    PrintPages(*surface_, {kombinator::BuildTestPage(printSettings_)});
}

void FinalStage::Button3Click() {
    std::vector<kombinator::CouponPage> pages;
    if (!BuildPages(pages)) return;
    PrintPages(*surface_, pages);
}

void FinalStage::PreviewButtonClick() {
    std::vector<kombinator::CouponPage> pages;
    if (!BuildPages(pages)) return;
    // The preview shows the pages on the printer that prints them, at its resolution.
    QPrinter fallback(QPrinter::HighResolution);
    auto* qtSurface = dynamic_cast<QtPrintSurface*>(surface_);
    QPrinter& printer = qtSurface ? qtSurface->Printer() : fallback;
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle("Podgląd wydruku");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        QtPrintSurface surface(*target);
        PrintPages(surface, pages);
    });
    preview.exec();
}

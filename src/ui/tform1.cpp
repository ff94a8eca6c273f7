#include "ui/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cstdio>
#include <utility>

#include "engine/filter_funnel.h"
#include "engine/filter_run.h"
#include "filters/filter_profile.h"
#include "io/results_archive.h"
#include "model/runtime_errors.h"
#include "ui/about_box.h"
#include "ui/analysis_dialog.h"
#include "ui/artwork.h"
#include "ui/backtest_dialog.h"
#include "ui/filter_editor.h"
#include "ui/final_stage.h"
#include "ui/funnel_dialog.h"
#include "ui/help_window.h"
#include "ui/intro_screen.h"
#include "ui/live_count.h"
#include "ui/qt_dialog_service.h"
#include "ui/tab_order.h"
#include "ui/window_io.h"

namespace {

const QString ApplicationTitle = QStringLiteral("Kombinator");
const QString HelpFileName = QStringLiteral("PLIK POMOCY.HLP");
const QString ProfileFilter = QStringLiteral("Profil filtrów(*.kfp)|*.kfp");

const QString QuestionNewSystem =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz tworzyć nowy system ?");
const QString QuestionBrowseSystems =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz przeglądać systemy ?");
const QString QuestionStopGenerator =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz przerwać obliczenia ?");
const QString QuestionExit = QStringLiteral("Czy chcesz zakończyć prace z programem Kombinator ?");

// The client area a 700 x 547 window with a caption and a menu bar leaves.
constexpr int ClientWidth = 692;
constexpr int ClientHeight = 501;
const QRect StageGeometry(8, 8, 673, 481);
constexpr int EditorHeight = 428;

// Panel65: a small grey panel with a maroon lamp in it.
class BusyLamp : public QFrame {
public:
    explicit BusyLamp(QWidget* parent) : QFrame(parent) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::red, 2));
        p.setBrush(QColor(128, 0, 0));
        p.drawEllipse(QRectF(rect()).adjusted(5, 5, -5, -5));
    }
};

// Sees every key before the focused control: a ShortcutOverride that `isMenuShortcut` claims is
// not offered to the control, so the shortcut goes on to the menu.
class MenuShortcutFilter : public QObject {
public:
    MenuShortcutFilter(QObject* owner, std::function<bool(QObject*, QEvent*)> isMenuShortcut)
        : QObject(owner), isMenuShortcut_(std::move(isMenuShortcut)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride || !isMenuShortcut_(watched, event)) return false;
        event->ignore();
        return true;
    }

private:
    std::function<bool(QObject*, QEvent*)> isMenuShortcut_;
};

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TForm1::TForm1(DialogService* dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs) {
    setObjectName("Form1");
    setWindowTitle(ApplicationTitle);
    if (!dialogs_) {
        ownDialogs_ = std::make_unique<QtDialogService>(this);
        dialogs_ = ownDialogs_.get();
    }
    terminate_ = [] { QCoreApplication::quit(); };
    openDocument_ = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

    BuildMenus();

    // The grey client area holds the three stages, one shown at a time.
    auto* scrollBox = new QWidget(this);
    scrollBox->setObjectName("ScrollBox1");
    scrollBox->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(scrollBox);

    intro_ = new IntroScreen(scrollBox);
    intro_->setGeometry(StageGeometry);

    panel5_ = new QWidget(scrollBox);
    panel5_->setObjectName("Panel5");
    panel5_->setGeometry(StageGeometry);
    editor_ = new FilterEditor(state_.settings, panel5_);
    editor_->setGeometry(0, 0, StageGeometry.width(), EditorHeight);
    BuildBottomBar(panel5_);
    connect(editor_, &FilterEditor::UserChanged, this, [this] { speedButton2_->setEnabled(false); });
    liveCount_ = new LiveCount(liveCountLabel_, [this] { return editor_->SettingsForRun(); }, this);
    connect(editor_, &FilterEditor::UserChanged, liveCount_, &LiveCount::Changed);

    final_ = new FinalStage(state_, *dialogs_, scrollBox);
    final_->setGeometry(StageGeometry);
    connect(final_, &FinalStage::BackToEditor, this, [this] { ShowStage(Stage::Editor); });

    ShowStage(Stage::Intro);
    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect outer(QPoint(0, 0), QSize(700, 547));
        outer.moveCenter(screen->availableGeometry().center());
        move(outer.topLeft());
    }

    OrderTabsAsOnScreen(final_);
    qApp->installEventFilter(new MenuShortcutFilter(this, [this](QObject* watched, QEvent* event) {
        return IsMenuShortcut(watched, event);
    }));

    FormCreate();
    aboutBox_ = new TAboutBox(this);
    aboutBox_->hide();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    state_.StartDirectory = QDir::currentPath();
    intro_->StartTicker();
    editor_->SetSpinnerStartPositions();
    liveCount_->LiveCountTimerTimer();
    // On success the final stage sets SystemSaved to 1 and GeneratorBusy to 0; a fault is shown
    // once the window is on screen.
    final_->LoadPrintSettings(&startupError_);
}

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption, QKeySequence shortcut,
                          void (TForm1::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (!shortcut.isEmpty()) {
            action->setShortcut(shortcut);
            menuShortcuts_.append(shortcut);
        }
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* system = bar->addMenu("System");
    system->setObjectName("System1");
    addItem(system, "Nowy1", "Nowy", QKeySequence(Qt::CTRL | Qt::Key_N), &TForm1::Nowy1Click);
    addItem(system, "Otwrz1", "Otwórz", QKeySequence(Qt::CTRL | Qt::Key_O), &TForm1::Otwrz1Click);
    system->addSeparator()->setObjectName("N1");
    addItem(system, "Zakocz1", "Zakończ", QKeySequence(Qt::CTRL | Qt::Key_Z), &TForm1::Zakocz1Click);

    QMenu* filters = bar->addMenu("Filtry");
    filters->setObjectName("Filtry1");
    addItem(filters, "ZapiszFiltry1", "Zapisz filtry…", QKeySequence(), &TForm1::ZapiszFiltry1Click);
    loadFilters_ = addItem(filters, "WczytajFiltry1", "Wczytaj filtry…", QKeySequence(), &TForm1::WczytajFiltry1Click);
    filters->addSeparator()->setObjectName("N3");
    addItem(filters, "LejekFiltrow1", "Lejek filtrów…", QKeySequence(), &TForm1::LejekFiltrow1Click);
    addItem(filters, "TestArchiwum1", "Test na archiwum wyników…", QKeySequence(), &TForm1::TestArchiwum1Click);

    QMenu* tools = bar->addMenu("Narzędzia");
    tools->setObjectName("Narzedzia1");
    analyseSystem_ = addItem(tools, "AnalizaSystemu1", "Analiza systemu…", QKeySequence(), &TForm1::AnalizaSystemu1Click);
    connect(tools, &QMenu::aboutToShow, this, &TForm1::UpdateToolsMenu);
    UpdateToolsMenu();

    QMenu* help = bar->addMenu("Pomoc");
    help->setObjectName("Pomoc1");
    addItem(help, "Plik", "Plik pomocy", QKeySequence(Qt::CTRL | Qt::Key_H), &TForm1::PlikClick);
    help->addSeparator()->setObjectName("N2");
    addItem(help, "Programinfo1", "Program info", QKeySequence(Qt::CTRL | Qt::Key_I), &TForm1::Programinfo1Click);
}

bool TForm1::SystemAnalysisAllowed() const {
    if (final_ == nullptr) return false;
    const StageMode mode = final_->Mode();
    return final_->isVisibleTo(this) && final_->SystemLineCount() >= 1 && state_.GeneratorBusy == 0 &&
           (mode == StageMode::EnteredIdle || mode == StageMode::OpenedIdle);
}

void TForm1::UpdateToolsMenu() { analyseSystem_->setEnabled(SystemAnalysisAllowed()); }

void TForm1::AnalizaSystemu1Click() {
    UpdateToolsMenu();
    if (!SystemAnalysisAllowed()) return;
    AnalysisDialog::Input input;
    input.systemList = final_->SystemList();
    // A generated or simulated system came from the candidates of the last FilterRun; an opened
    // one may have come from anywhere.
    if (final_->Mode() == StageMode::EnteredIdle)
        for (std::int32_t k = 1; k <= state_.CandidateCount && k <= kombinator::StoreCapacity; ++k)
            input.candidates.push_back(kombinator::CanonicalIndex(state_.candidates->At(k)));
    input.filters = editor_->SettingsForRun();  // the filters as the compute button would read them
    auto* dialog = new AnalysisDialog(std::move(input), *dialogs_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    dialog->Analyse();
}

QWidget* TForm1::BuildBottomBar(QWidget* parent) {
    auto* bar = new QFrame(parent);
    bar->setObjectName("BottomBar");
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setGeometry(0, EditorHeight, StageGeometry.width(), StageGeometry.height() - EditorHeight);

    speedButton1_ = new QToolButton(bar);
    speedButton1_->setObjectName("SpeedButton1");
    speedButton1_->setToolTip("Oblicz");
    speedButton1_->setAutoRaise(true);
    speedButton1_->setIcon(DrawComputeGlyph(32));
    speedButton1_->setIconSize(QSize(32, 32));
    speedButton1_->setGeometry(12, 6, 41, 41);
    connect(speedButton1_, &QToolButton::pressed, this, &TForm1::SpeedButton1MouseDown);
    speedButton1_->installEventFilter(this);
    connect(speedButton1_, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);

    panel65_ = new BusyLamp(bar);
    panel65_->setObjectName("Panel65");
    panel65_->setGeometry(64, 10, 33, 33);
    panel65_->hide();

    auto* caption = new QLabel("Aktualna liczba kombinacji w systemie : ", bar);
    caption->setObjectName("StaticText7");
    caption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    caption->setGeometry(120, 10, 232, 21);
    caption->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);

    label15_ = new QLabel(bar);
    label15_->setObjectName("Label15");
    QFont countFont = label15_->font();
    countFont.setBold(true);
    label15_->setFont(countFont);
    label15_->setGeometry(360, 10, 120, 21);
    label15_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);

    // What the settings on screen keep, counted while the user clicks; the count above stays
    // the compute button's.
    liveCountLabel_ = new QLabel(bar);
    liveCountLabel_->setObjectName("LiveCountLabel");
    liveCountLabel_->setGeometry(120, 36, 400, 15);
    liveCountLabel_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    QPalette liveColour = liveCountLabel_->palette();
    liveColour.setColor(QPalette::WindowText, QColor(0, 0, 128));
    liveCountLabel_->setPalette(liveColour);

    auto* generatorCaption = new QLabel("Generator systemów", bar);
    generatorCaption->setObjectName("GeneratorCaption");
    generatorCaption->setGeometry(530, 3, 130, 15);
    generatorCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    speedButton2_ = new QToolButton(bar);
    speedButton2_->setObjectName("SpeedButton2");
    speedButton2_->setToolTip("Etap końcowy");
    speedButton2_->setAutoRaise(true);
    QIcon next;
    next.addPixmap(DrawNextStageGlyph(26, true), QIcon::Normal);
    next.addPixmap(DrawNextStageGlyph(26, false), QIcon::Disabled);
    speedButton2_->setIcon(next);
    speedButton2_->setIconSize(QSize(26, 26));
    speedButton2_->setGeometry(578, 18, 34, 32);
    speedButton2_->setEnabled(false);
    connect(speedButton2_, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    return bar;
}

void TForm1::ShowStage(Stage stage) {
    intro_->setVisible(stage == Stage::Intro);
    panel5_->setVisible(stage == Stage::Editor);
    final_->setVisible(stage == Stage::Final);
    // Filters load into the editor on screen, never behind another stage.
    loadFilters_->setEnabled(stage == Stage::Editor);
}

void TForm1::StopIntroTicker() {
    if (intro_->Showing()) intro_->Timer1()->stop();
}

bool TForm1::StopRunningGenerator(const QString& question) {
    if (state_.GeneratorBusy != 1) return true;
    if (!dialogs_->WarningQuestion(question)) return false;
    final_->StopSimulation();
    return true;
}

void TForm1::Nowy1Click() {
    if (!StopRunningGenerator(QuestionNewSystem)) return;
    StopIntroTicker();
    if (!final_->OfferSystemSave()) return;
    intro_->Timer1()->stop();
    intro_->HidePicture();
    ShowStage(Stage::Editor);
}

void TForm1::Otwrz1Click() {
    if (!StopRunningGenerator(QuestionBrowseSystems)) return;
    StopIntroTicker();
    if (!final_->OfferSystemSave()) return;
    if (!final_->OpenSystemFileFromDialog()) return;
    intro_->HidePicture();
    ShowStage(Stage::Final);
}

void TForm1::Zakocz1Click() {
    if (!StopRunningGenerator(QuestionStopGenerator)) return;
    StopIntroTicker();
    if (!final_->OfferSystemSave()) return;
    if (!dialogs_->ConfirmationQuestion(QuestionExit)) return;
    hide();
    aboutBox_->hide();
    Terminate();
}

bool TForm1::FormCloseQuery() {
    if (!StopRunningGenerator(QuestionStopGenerator)) return false;
    StopIntroTicker();
    if (!final_->OfferSystemSave()) return false;
    return dialogs_->ConfirmationQuestion(QuestionExit);
}

void TForm1::FormClose() {
    StopIntroTicker();
    hide();
    aboutBox_->hide();
    Terminate();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Leaving through "Zakończ" has asked everything already.
    if (terminating_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

void TForm1::Terminate() {
    terminating_ = true;
    if (terminate_) terminate_();
}

void TForm1::PlikClick() {
    if (!MakeStartDirectoryCurrent(state_.StartDirectory, *dialogs_)) return;
    const QString path = QDir(state_.StartDirectory).absoluteFilePath(HelpFileName);
    if (QFileInfo(path).isFile() && openDocument_ && openDocument_(path)) return;
    // Without a help file of the user's own, or a viewer for it, the program's own guide.
    if (!help_) help_ = new HelpWindow(this);
    help_->ShowContents();
}

void TForm1::Programinfo1Click() {
    aboutBox_->show();
    aboutBox_->raise();
    aboutBox_->activateWindow();
}

void TForm1::ZapiszFiltry1Click() {
    const QString path = dialogs_->SaveFileName(ProfileFilter, "kfp");
    if (!path.isEmpty()) SaveFilterProfile(path);
}

void TForm1::WczytajFiltry1Click() {
    const QString path = dialogs_->OpenFileName(ProfileFilter, "kfp");
    if (!path.isEmpty()) LoadFilterProfile(path);
}

bool TForm1::SaveFilterProfile(const QString& path) {
    const kombinator::FileResult result = kombinator::SaveFilterProfile(LocalPath(path), editor_->SettingsForRun());
    if (!result.ok) {
        // The runtime's texts name the file as the user chose it.
        dialogs_->Error(QString::fromStdString(result.error).replace(QString::fromStdString(LocalPath(path)), path));
        return false;
    }
    return true;
}

bool TForm1::LoadFilterProfile(const QString& path) {
    const kombinator::ProfileReadResult result = kombinator::ReadFilterProfileFile(LocalPath(path));
    if (!result.ok) {
        const QString error = QString::fromStdString(result.error);
        if (result.line > 0)
            dialogs_->Message(error, ApplicationTitle);
        else
            dialogs_->Error(error);
        return false;
    }
    speedButton2_->setEnabled(false);
    editor_->ApplySettings(result.settings);
    return true;
}

void TForm1::SetTimingLog(bool on) {
    timingLog_ = on;
    liveCount_->SetTimingLog(on);
}

void TForm1::LejekFiltrow1Click() {
    const kombinator::FilterFunnelResult funnel = kombinator::FilterFunnel(editor_->SettingsForRun());
    if (!funnel.valid()) {
        dialogs_->Message(QString::fromStdString(funnel.message), ApplicationTitle);
        return;
    }
    if (!funnel_) funnel_ = new FunnelDialog(this);
    funnel_->ShowFunnel(funnel);
    funnel_->show();
    funnel_->raise();
}

void TForm1::TestArchiwum1Click() {
    const kombinator::FilterSettings settings = editor_->SettingsForRun();
    const std::string message = kombinator::ValidateFilterSettings(settings);
    if (!message.empty()) {
        dialogs_->Message(QString::fromStdString(message), ApplicationTitle);
        return;
    }
    if (!backtest_) backtest_ = new BacktestDialog(*dialogs_, this);
    const QString path = QDir(state_.StartDirectory).absoluteFilePath(QString::fromUtf8(
        kombinator::ResultsArchiveName.data(), qsizetype(kombinator::ResultsArchiveName.size())));
    backtest_->ShowArchive(backtest_->ArchivePath().isEmpty() ? path : backtest_->ArchivePath(), settings);
    backtest_->show();
    backtest_->raise();
}

void TForm1::SpeedButton1MouseDown() {
    pressClock_.start();
    // Dragging off and back onto the button presses it again; keep what the first press saw.
    if (!computePressPending_) {
        countBeforePress_ = label15_->text();
        nextStageBeforePress_ = speedButton2_->isEnabled();
    }
    computePressPending_ = true;
    speedButton2_->setEnabled(false);
    label15_->clear();
    panel65_->show();
    // The lamp must be on screen before the long synchronous run starts.
    panel65_->repaint();
    label15_->repaint();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startupError_.isEmpty()) return;
    // Once the window is mapped; the report is shown once.
    QTimer::singleShot(0, this, [this] {
        const QString error = std::exchange(startupError_, QString());
        if (!error.isEmpty()) dialogs_->Error(error);
    });
}

bool TForm1::IsMenuShortcut(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != this) return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    return menuShortcuts_.contains(pressed);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == speedButton1_) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease || type == QEvent::FocusOut)
            QTimer::singleShot(0, this, &TForm1::RestoreBarIfNotClicked);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::RestoreBarIfNotClicked() {
    // A press that ended off the button gives no click: the lamp must not stay on.
    if (!computePressPending_ || speedButton1_->isDown()) return;
    computePressPending_ = false;
    panel65_->hide();
    label15_->setText(countBeforePress_);
    speedButton2_->setEnabled(nextStageBeforePress_);
}

void TForm1::SpeedButton1Click() {
    if (!computePressPending_) SpeedButton1MouseDown();  // clicked from the keyboard or by code
    computePressPending_ = false;

    QTabWidget* tabs = editor_->PageControl();
    if (tabs) tabs->setEnabled(false);
    const kombinator::FilterSettings settings = editor_->SettingsForRun();
    const kombinator::FilterRunResult result = kombinator::FilterRun(settings, *state_.candidates);
    state_.CandidateCount = result.CandidateCount;
    if (!result.valid()) dialogs_->Message(QString::fromStdString(result.message), ApplicationTitle);

    label15_->setText(QString::number(result.CandidateCount));
    panel65_->hide();
    if (tabs) tabs->setEnabled(true);
    speedButton2_->setEnabled(result.CandidateCount >= 1 && result.CandidateCount <= kombinator::StoreCapacity);
    if (timingLog_) {
        repaint();
        std::fprintf(stderr, "kombinator: compute click %.1f ms from press to repainted window, count %d\n",
                     pressClock_.nsecsElapsed() / 1e6, result.CandidateCount);
    }
}

void TForm1::SpeedButton2Click() {
    if (!speedButton2_->isEnabled()) return;
    final_->EnterFromEditor();
    ShowStage(Stage::Final);
}

#pragma once
// TForm1, the program's one window: the three stages (intro Panel1, filter editor Panel5,
// final stage Panel73), the menus, the questions before work is lost, help and the about box.

#include <QElapsedTimer>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "ui/app_state.h"

class BacktestDialog;
class DialogService;
class FilterEditor;
class FunnelDialog;
class HelpWindow;
class LiveCount;
class FinalStage;
class IntroScreen;
class QAction;
class QLabel;
class QToolButton;
class TAboutBox;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Every question goes through `dialogs`; the real message boxes and file dialogs when null.
    explicit TForm1(DialogService* dialogs = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& State() { return state_; }
    IntroScreen* Intro() const { return intro_; }
    FilterEditor* Editor() const { return editor_; }
    FinalStage* Final() const { return final_; }
    TAboutBox* AboutBox() const { return aboutBox_; }
    LiveCount* Live() const { return liveCount_; }
    FunnelDialog* Funnel() const { return funnel_; }
    HelpWindow* Help() const { return help_; }  // nullptr until the guide is first shown
    BacktestDialog* Backtest() const { return backtest_; }

    // How the program ends once the user has confirmed it (quits the event loop by default).
    void SetTerminateAction(std::function<void()> terminate) { terminate_ = std::move(terminate); }
    // How a document is handed to the desktop's viewer; false when it could not be shown.
    void SetDocumentOpener(std::function<bool(const QString&)> open) { openDocument_ = std::move(open); }
    // Prints how long a compute click takes to stderr (asked for by KOMBINATOR_TIMING).
    void SetTimingLog(bool on);

    // Menu "System"
    void Nowy1Click();
    void Otwrz1Click();
    void Zakocz1Click();
    // Menu "Pomoc"
    void PlikClick();
    void Programinfo1Click();
    // Menu "Filtry": the whole filter editor as a filter profile file.
    void ZapiszFiltry1Click();
    void WczytajFiltry1Click();
    // Reads a profile into the editor; on any fault shows it and changes nothing.
    bool LoadFilterProfile(const QString& path);
    bool SaveFilterProfile(const QString& path);
    // "Lejek filtrów…" and "Test na archiwum wyników…": what the settings on screen do.
    void LejekFiltrow1Click();
    void TestArchiwum1Click();

    // Menu "Narzędzia": the analysis of the final stage's system in its own window.
    void AnalizaSystemu1Click();
    // Whether "Analiza systemu…" may run: the final stage shows at least one line and no
    // generator runs.
    bool SystemAnalysisAllowed() const;

    // The bottom bar of the filter editor.
    void SpeedButton1MouseDown();
    void SpeedButton1Click();
    void SpeedButton2Click();

    // The asks of a window close: true when the window may close.
    bool FormCloseQuery();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Stage { Intro, Editor, Final };

    void FormCreate();
    void BuildMenus();
    QWidget* BuildBottomBar(QWidget* parent);
    void ShowStage(Stage stage);
    // Step 1 of "Zakończ" and the window close: false when the user keeps the generator running.
    bool StopRunningGenerator(const QString& question);
    void StopIntroTicker();
    void FormClose();
    void Terminate();
    void RestoreBarIfNotClicked();
    // A menu shortcut pressed in an edit is the menu's, not the edit's (Ctrl+Z is "Zakończ").
    bool IsMenuShortcut(QObject* watched, QEvent* event) const;
    void UpdateToolsMenu();

    AppState state_;
    std::unique_ptr<DialogService> ownDialogs_;
    DialogService* dialogs_ = nullptr;

    IntroScreen* intro_ = nullptr;
    QWidget* panel5_ = nullptr;
    FilterEditor* editor_ = nullptr;
    FinalStage* final_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;

    QToolButton* speedButton1_ = nullptr;
    QToolButton* speedButton2_ = nullptr;
    QWidget* panel65_ = nullptr;
    QLabel* label15_ = nullptr;
    QLabel* liveCountLabel_ = nullptr;
    LiveCount* liveCount_ = nullptr;
    FunnelDialog* funnel_ = nullptr;
    HelpWindow* help_ = nullptr;
    BacktestDialog* backtest_ = nullptr;
    QAction* loadFilters_ = nullptr;
    QList<QKeySequence> menuShortcuts_;
    // The start-up report waits until the window is on screen, so it stands over it.
    QString startupError_;
    QAction* analyseSystem_ = nullptr;

    // Set between the press of SpeedButton1 and its click; a release off the button
    // (no click) puts the bar back as it was.
    bool computePressPending_ = false;
    QString countBeforePress_;
    bool nextStageBeforePress_ = false;
    QElapsedTimer pressClock_;

    bool terminating_ = false;
    bool timingLog_ = false;
    std::function<void()> terminate_;
    std::function<bool(const QString&)> openDocument_;
};

#pragma once
// The result check box (Panel83, " Sprawdzanie wyników "): the twelve result edits, BitBtn3,
// and the hits 6, 5, 4, 3 by line and by coupon; the gong for six hits.

#include <QObject>
#include <array>
#include <memory>
#include <optional>

#include "model/combination.h"

class DialogService;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class SoundPlayer;
class SystemListBox;
struct AppState;

class ResultCheckBox : public QObject {
    Q_OBJECT
public:
    ResultCheckBox(AppState& state, DialogService& dialogs, const SystemListBox& list, QWidget* parent);
    ~ResultCheckBox() override;

    // How the gong sounds. Not owned; nullptr restores the real one (QSoundEffect).
    void SetSoundPlayer(SoundPlayer* player);
    // Entering and opening: blank edits, no counters, empty hit lists.
    void Reset();

public slots:
    void BitBtn3Click();  // result check
    // "Dopisz do archiwum": the results of the last check appended to archiwum.txt in the start folder.
    void ArchiveButtonClick();

private:
    AppState& state_;
    DialogService& dialogs_;
    const SystemListBox& list_;
    std::unique_ptr<SoundPlayer> ownSound_;
    SoundPlayer* sound_ = nullptr;

    QFrame* Panel83 = nullptr;
    std::array<QLineEdit*, 12> resultEdits_{};  // MaskEdit15..20, MaskEdit29..34
    QPushButton* BitBtn3 = nullptr;
    QPushButton* ArchiveButton = nullptr;
    // The six results of the last check whose twelve edits were valid, until an edit changes.
    std::optional<kombinator::Combination> checkedResults_;
    std::array<QLabel*, 4> hitCounters_{};    // Label354..Label357
    std::array<QListWidget*, 4> hitLines_{};  // ListBox2..ListBox5
    std::array<QListWidget*, 4> hitCoupons_{};  // ListBox6..ListBox9
};

#pragma once
// The filter editor's four tabs (PageControl1) and the one binding layer that ties their
// several hundred controls to FilterSettings.

#include <QWidget>

#include "model/filter_settings.h"

class BlocksTab;
class FilterBinding;
class PreferencesTab;
class QTabWidget;
class ResultsTab;
class TypesTab;

class FilterEditor : public QWidget {
    Q_OBJECT
public:
    // The editor writes the bytes of `settings` (owned by TForm1) on every click.
    FilterEditor(kombinator::FilterSettings& settings, QWidget* parent = nullptr);

    // FormCreate step 3: every spinner to its start position, its text into its edit.
    void SetSpinnerStartPositions();

    // The settings for a FilterRun: the bytes, the relation boxes' ticks and the goal bounds
    // read from the edits (MaskEdit83..88, MaskEdit1..12) as the FilterRun reads them.
    kombinator::FilterSettings SettingsForRun() const;

    // Sets every control (and so every byte, switch, spinner and edit) as if the user had
    // clicked them; emits UserChanged once. Reveal timers show their controls at once.
    void ApplySettings(const kombinator::FilterSettings& settings);

    QTabWidget* PageControl() const;

    // The tabs, for their timer handlers.
    TypesTab* Types() const { return types_; }
    ResultsTab* Results() const { return results_; }
    PreferencesTab* Preferences() const { return preferences_; }
    BlocksTab* Blocks() const { return blocks_; }

signals:
    // Emitted first by every user change (TForm1 disables SpeedButton2 on it).
    void UserChanged();

private:
    kombinator::FilterSettings& settings_;
    FilterBinding* binding_;
    QTabWidget* pageControl_;
    TypesTab* types_ = nullptr;
    ResultsTab* results_ = nullptr;
    PreferencesTab* preferences_ = nullptr;
    BlocksTab* blocks_ = nullptr;
};

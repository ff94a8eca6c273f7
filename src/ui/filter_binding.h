#pragma once
// The one binding layer between the filter tabs' controls and FilterSettings. The tabs build
// their controls through it from their tables; it gives every control the same behaviour:
// UserChanged first, check boxes write their byte, family switches show and hide without
// clearing, spinner pairs keep from <= to and write their edits.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/filter_settings.h"

class QCheckBox;
class QLineEdit;
class QTimer;
class QWidget;
class RadioGroupN;
class UpDownSpinner;

class FilterBinding : public QObject {
    Q_OBJECT
public:
    // Where a control's value lives in a FilterSettings.
    using ByteRef = std::function<std::uint8_t&(kombinator::FilterSettings&)>;
    // What a family switch does to its controls: item 0 hides them, item 1 shows them.
    // `instant` (settings applied at once) shows revealed controls without their timer.
    using SwitchAction = std::function<void(int item, bool instant)>;

    struct SpinnerField {
        int upDown;    // UpDownN
        int maskEdit;  // MaskEditN
        int start;     // start position
        ByteRef value; // the bound in FilterSettings
    };

    FilterBinding(kombinator::FilterSettings& settings, QObject* parent);

    // First step of every user-change handler.
    void Changed() { emit UserChanged(); }

    // CheckBoxN; a click writes its byte (1 when now checked) unless it owns none, in which
    // case the byte is only read by Collect and set by Apply.
    QCheckBox* AddCheckBox(QWidget* parent, int number, const QString& caption, const QRect& geometry,
                           ByteRef byte, bool ownsByte = true);

    // RadioGroupN as a family switch writing `active` (1 on item 1).
    RadioGroupN* AddSwitch(QWidget* parent, int number, const QString& caption, const QString& item0,
                           const QString& item1, const QRect& geometry, ByteRef active, SwitchAction action);

    // A from/to pair of read-only two-digit edits, each with its horizontal spinner under it.
    void AddSpinnerPair(QWidget* parent, SpinnerField from, QPoint fromAt, SpinnerField to, QPoint toAt);

    // TimerN: 100 ms, disabled until its family starts it.
    static QTimer* MakeTimer(QObject* owner, int number);

    // FormCreate: every spinner to its start position and that position into its edit.
    void SetSpinnerStartPositions();

    // Reads what the controls hold but own no byte for: switches, relation ticks, edits.
    void Collect(kombinator::FilterSettings& out) const;
    // Sets check boxes, switches and spinners (and their bytes and edits) from `s`.
    void Apply(const kombinator::FilterSettings& s);

signals:
    void UserChanged();

private:
    struct BoxEntry {
        QCheckBox* box;
        ByteRef byte;
        bool ownsByte;
    };
    struct SwitchEntry {
        RadioGroupN* group;
        ByteRef active;
        SwitchAction action;
    };
    struct SpinnerEntry {
        UpDownSpinner* spinner;
        QLineEdit* edit;
        UpDownSpinner* partner;
        bool isFrom;
        int start;
        ByteRef value;
    };

    void SpinnerClick(const SpinnerEntry& entry);
    static void WriteEdit(const SpinnerEntry& entry);

    kombinator::FilterSettings& settings_;
    std::vector<BoxEntry> boxes_;
    std::vector<SwitchEntry> switches_;
    std::vector<SpinnerEntry> spinners_;
};

#pragma once
// The one binding layer between the filter tabs' controls and FilterSettings. The tabs place
// the controls of the core's filter table through it; it gives every control the same behaviour:
// UserChanged first, check boxes write their byte, family switches show and hide without
// clearing, spinner pairs keep from <= to and write their edits.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <vector>

#include "model/filter_settings.h"
#include "filters/filter_table.h"

class QCheckBox;
class QLineEdit;
class QWidget;
class RadioGroupN;
class UpDownSpinner;

class FilterBinding : public QObject {
    Q_OBJECT
public:
    // What a family switch does to its controls: item 0 hides them, item 1 shows them.
    // `instant` (settings applied at once) shows revealed controls without their timer.
    using SwitchAction = std::function<void(int item, bool instant)>;

    FilterBinding(kombinator::FilterSettings& settings, QObject* parent);

    // First step of every user-change handler.
    void Changed() { emit UserChanged(); }

    // The CheckBoxN of box i of `list`, captioned as the table says; a click writes its byte
    // unless the list owns none, in which case the byte is only read by Collect and set by Apply.
    QCheckBox* AddBox(QWidget* parent, const kombinator::FlagList& list, int i, const QRect& geometry);

    // The family's RadioGroupN, writing its switch byte (1 on item 1).
    RadioGroupN* AddSwitch(QWidget* parent, const kombinator::FamilySwitch& onOff, const QRect& geometry,
                           SwitchAction action);

    // Pair `pair` of `bounds`: read-only two-digit edits, each with its horizontal spinner under it,
    // starting at the bounds of a default FilterSettings; edits and spinners `width` pixels wide.
    void AddSpinnerPair(QWidget* parent, const kombinator::BoundsList& bounds, int pair, QPoint fromAt, QPoint toAt,
                        int width = 28);

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
        kombinator::SettingsByte byte;
        bool ownsByte;
    };
    struct SwitchEntry {
        RadioGroupN* group;
        kombinator::SettingsByte active;
        SwitchAction action;
    };
    struct SpinnerEntry {
        UpDownSpinner* spinner;
        QLineEdit* edit;
        UpDownSpinner* partner;
        bool isFrom;
        int start;
        kombinator::SettingsByte value;
    };

    void SpinnerClick(const SpinnerEntry& entry);
    static void WriteEdit(const SpinnerEntry& entry);

    kombinator::FilterSettings& settings_;
    std::vector<BoxEntry> boxes_;
    std::vector<SwitchEntry> switches_;
    std::vector<SpinnerEntry> spinners_;
};

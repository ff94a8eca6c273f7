#include "ui/filter_binding.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>
#include <string>

#include "model/strict_int.h"
#include "ui/filter_widgets.h"

namespace {
constexpr int EditHeight = 19;
constexpr int SpinnerHeight = 15;
}  // namespace

FilterBinding::FilterBinding(kombinator::FilterSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

QCheckBox* FilterBinding::AddBox(QWidget* parent, const kombinator::FlagList& list, int i, const QRect& geometry) {
    auto* box = new QCheckBox(QString::fromStdString(kombinator::BoxCaption(list, i)), parent);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(list.firstBox + i));
    box->setGeometry(geometry);
    const BoxEntry entry{box, kombinator::BoxByte(list, i), list.ownsByte};
    boxes_.push_back(entry);
    connect(box, &QCheckBox::clicked, this, [this, entry] {
        Changed();
        if (entry.ownsByte) kombinator::ByteOf(settings_, entry.byte) = entry.box->isChecked() ? 1 : 0;
    });
    return box;
}

RadioGroupN* FilterBinding::AddSwitch(QWidget* parent, const kombinator::FamilySwitch& onOff, const QRect& geometry,
                                      SwitchAction action) {
    auto* group = new RadioGroupN(QString::fromStdString(onOff.caption), QString::fromStdString(onOff.off),
                                  QString::fromStdString(onOff.on), parent);
    group->setObjectName(QStringLiteral("RadioGroup%1").arg(onOff.radioGroup));
    group->setGeometry(geometry);
    const kombinator::SettingsByte active = onOff.active;
    switches_.push_back({group, active, action});
    connect(group, &RadioGroupN::Click, this, [this, group, active, action] {
        Changed();
        kombinator::ByteOf(settings_, active) = group->ItemIndex() == 1 ? 1 : 0;
        action(group->ItemIndex(), false);
    });
    return group;
}

void FilterBinding::AddSpinnerPair(QWidget* parent, const kombinator::BoundsList& bounds, int pair, QPoint fromAt,
                                   QPoint toAt, int width) {
    static const kombinator::FilterSettings startUp;
    UpDownSpinner* spinners[2];
    QLineEdit* edits[2];
    int starts[2];
    const QPoint at[2] = {fromAt, toAt};
    for (int k = 0; k < 2; ++k) {
        const int i = 2 * pair + k;
        const auto index = static_cast<std::size_t>(i);
        starts[k] = kombinator::ByteOf(startUp, bounds.Bound(i));
        edits[k] = new QLineEdit(parent);
        edits[k]->setObjectName(QStringLiteral("MaskEdit%1").arg(bounds.maskEdits[index]));
        edits[k]->setReadOnly(true);
        edits[k]->setMaxLength(2);
        edits[k]->setAlignment(Qt::AlignCenter);
        edits[k]->setFocusPolicy(Qt::NoFocus);
        edits[k]->setGeometry(at[k].x(), at[k].y(), width, EditHeight);
        spinners[k] = new UpDownSpinner(parent, 0, 36);
        spinners[k]->setObjectName(QStringLiteral("UpDown%1").arg(bounds.upDowns[index]));
        spinners[k]->setGeometry(at[k].x(), at[k].y() + EditHeight, width, SpinnerHeight);
        // The design carries the start positions; the edits stay blank until FormCreate.
        spinners[k]->SetPosition(starts[k]);
    }
    for (int k = 0; k < 2; ++k) {
        spinners_.push_back({spinners[k], edits[k], spinners[1 - k], k == 0, starts[k], bounds.Bound(2 * pair + k)});
        const SpinnerEntry entry = spinners_.back();
        connect(spinners[k], &UpDownSpinner::Click, this, [this, entry] { SpinnerClick(entry); });
    }
}

void FilterBinding::SpinnerClick(const SpinnerEntry& entry) {
    Changed();
    const int partner = entry.partner->Position();
    if (entry.isFrom ? entry.spinner->Position() > partner : entry.spinner->Position() < partner)
        entry.spinner->SetPosition(partner);
    WriteEdit(entry);
}

void FilterBinding::WriteEdit(const SpinnerEntry& entry) {
    entry.edit->setText(QString::number(entry.spinner->Position()));
}

void FilterBinding::SetSpinnerStartPositions() {
    for (const SpinnerEntry& entry : spinners_) {
        entry.spinner->SetPosition(entry.start);
        WriteEdit(entry);
    }
}

void FilterBinding::Collect(kombinator::FilterSettings& out) const {
    for (const BoxEntry& entry : boxes_)
        if (!entry.ownsByte) kombinator::ByteOf(out, entry.byte) = entry.box->isChecked() ? 1 : 0;
    for (const SwitchEntry& entry : switches_)
        kombinator::ByteOf(out, entry.active) = entry.group->ItemIndex() == 1 ? 1 : 0;
    for (const SpinnerEntry& entry : spinners_) {
        const std::string text = entry.edit->text().toStdString();
        const auto value = kombinator::ParseStrictInt(kombinator::TrimBlanks(text));
        // The edits only ever hold the spinner's position; before FormCreate fills them the
        // spinner itself is the value.
        const int bound = value && *value >= 0 && *value <= 36 ? *value : entry.spinner->Position();
        kombinator::ByteOf(out, entry.value) = static_cast<std::uint8_t>(bound);
    }
}

void FilterBinding::Apply(const kombinator::FilterSettings& s) {
    for (const BoxEntry& entry : boxes_) {
        const bool checked = kombinator::ByteOf(s, entry.byte) != 0;
        entry.box->setChecked(checked);
        if (entry.ownsByte) kombinator::ByteOf(settings_, entry.byte) = checked ? 1 : 0;
    }
    for (const SwitchEntry& entry : switches_) {
        const int item = kombinator::ByteOf(s, entry.active) != 0 ? 1 : 0;
        entry.group->SetItemIndex(item);
        kombinator::ByteOf(settings_, entry.active) = static_cast<std::uint8_t>(item);
        entry.action(item, true);
    }
    for (const SpinnerEntry& entry : spinners_) {
        entry.spinner->SetPosition(kombinator::ByteOf(s, entry.value));
        WriteEdit(entry);
    }
}

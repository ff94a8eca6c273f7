#include "ui/filter_binding.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <string>

#include "io/strict_int.h"
#include "ui/filter_widgets.h"

namespace {
constexpr int EditWidth = 28;
constexpr int EditHeight = 19;
constexpr int SpinnerHeight = 15;
}  // namespace

FilterBinding::FilterBinding(kombinator::FilterSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

QCheckBox* FilterBinding::AddCheckBox(QWidget* parent, int number, const QString& caption, const QRect& geometry,
                                      ByteRef byte, bool ownsByte) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(number));
    box->setGeometry(geometry);
    boxes_.push_back({box, byte, ownsByte});
    connect(box, &QCheckBox::clicked, this, [this, box, byte, ownsByte] {
        Changed();
        if (ownsByte) byte(settings_) = box->isChecked() ? 1 : 0;
    });
    return box;
}

RadioGroupN* FilterBinding::AddSwitch(QWidget* parent, int number, const QString& caption, const QString& item0,
                                      const QString& item1, const QRect& geometry, ByteRef active,
                                      SwitchAction action) {
    auto* group = new RadioGroupN(caption, item0, item1, parent);
    group->setObjectName(QStringLiteral("RadioGroup%1").arg(number));
    group->setGeometry(geometry);
    switches_.push_back({group, active, action});
    connect(group, &RadioGroupN::Click, this, [this, group, active, action] {
        Changed();
        active(settings_) = group->ItemIndex() == 1 ? 1 : 0;
        action(group->ItemIndex(), false);
    });
    return group;
}

void FilterBinding::AddSpinnerPair(QWidget* parent, SpinnerField from, QPoint fromAt, SpinnerField to,
                                   QPoint toAt) {
    UpDownSpinner* pair[2];
    QLineEdit* edits[2];
    const SpinnerField* fields[2] = {&from, &to};
    const QPoint at[2] = {fromAt, toAt};
    for (int i = 0; i < 2; ++i) {
        edits[i] = new QLineEdit(parent);
        edits[i]->setObjectName(QStringLiteral("MaskEdit%1").arg(fields[i]->maskEdit));
        edits[i]->setReadOnly(true);
        edits[i]->setMaxLength(2);
        edits[i]->setAlignment(Qt::AlignCenter);
        edits[i]->setFocusPolicy(Qt::NoFocus);
        edits[i]->setGeometry(at[i].x(), at[i].y(), EditWidth, EditHeight);
        pair[i] = new UpDownSpinner(parent, 0, 36);
        pair[i]->setObjectName(QStringLiteral("UpDown%1").arg(fields[i]->upDown));
        pair[i]->setGeometry(at[i].x(), at[i].y() + EditHeight, EditWidth, SpinnerHeight);
        // The design carries the start positions; the edits stay blank until FormCreate.
        pair[i]->SetPosition(fields[i]->start);
    }
    for (int i = 0; i < 2; ++i) {
        spinners_.push_back({pair[i], edits[i], pair[1 - i], i == 0, fields[i]->start, fields[i]->value});
        const SpinnerEntry entry = spinners_.back();
        connect(pair[i], &UpDownSpinner::Click, this, [this, entry] { SpinnerClick(entry); });
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

QTimer* FilterBinding::MakeTimer(QObject* owner, int number) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(QStringLiteral("Timer%1").arg(number));
    timer->setInterval(100);
    return timer;
}

void FilterBinding::SetSpinnerStartPositions() {
    for (const SpinnerEntry& entry : spinners_) {
        entry.spinner->SetPosition(entry.start);
        WriteEdit(entry);
    }
}

void FilterBinding::Collect(kombinator::FilterSettings& out) const {
    for (const BoxEntry& entry : boxes_)
        if (!entry.ownsByte) entry.byte(out) = entry.box->isChecked() ? 1 : 0;
    for (const SwitchEntry& entry : switches_) entry.active(out) = entry.group->ItemIndex() == 1 ? 1 : 0;
    for (const SpinnerEntry& entry : spinners_) {
        const std::string text = entry.edit->text().toStdString();
        const auto value = kombinator::ParseStrictInt(kombinator::TrimBlanks(text));
        // The edits only ever hold the spinner's position; before FormCreate fills them the
        // spinner itself is the value.
        const int bound = value && *value >= 0 && *value <= 36 ? *value : entry.spinner->Position();
        entry.value(out) = static_cast<std::uint8_t>(bound);
    }
}

void FilterBinding::Apply(const kombinator::FilterSettings& s) {
    kombinator::FilterSettings in = s;  // the ByteRefs address a mutable object
    for (const BoxEntry& entry : boxes_) {
        const bool checked = entry.byte(in) != 0;
        entry.box->setChecked(checked);
        if (entry.ownsByte) entry.byte(settings_) = checked ? 1 : 0;
    }
    for (const SwitchEntry& entry : switches_) {
        const int item = entry.active(in) != 0 ? 1 : 0;
        entry.group->SetItemIndex(item);
        entry.active(settings_) = static_cast<std::uint8_t>(item);
        entry.action(item, true);
    }
    for (const SpinnerEntry& entry : spinners_) {
        entry.spinner->SetPosition(entry.value(in));
        WriteEdit(entry);
    }
}

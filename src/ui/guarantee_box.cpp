#include "ui/guarantee_box.h"

#include <QPushButton>
#include <algorithm>
#include <string>
#include <vector>

#include "generator/guarantee_reduction.h"
#include "ui/app_state.h"
#include "ui/final_stage.h"
#include "ui/final_stage_widgets.h"
#include "ui/system_list_box.h"

GuaranteeBox::GuaranteeBox(FinalStage& stage, AppState& state, QWidget* parent)
    : QObject(parent), stage_(stage), state_(state) {
    Panel76 = MakeStagePanel(parent, "Panel76", QRect(0, 36, 200, 150));
    MakeTitle(Panel76, "StaticText33", " Systemy gwarancyjne ", QRect(4, 4, 192, 18));
    Panel77 = MakeStagePanel(Panel76, "Panel77", QRect(4, 26, 192, 120), QFrame::Sunken);
    RadioGroup17 = new RadioGroup("RadioGroup17", QString(),
                                  {"system pełny - gw 6", "system skrócony - gw 5", "system skrócony - gw 4",
                                   "system skrócony - gw 3"},
                                  1, 19, Panel77);
    RadioGroup17->setGeometry(6, 4, 180, 84);
    BitBtn1 = MakeButton(Panel77, "BitBtn1", "OK", QRect(58, 91, 76, 24));
    connect(BitBtn1, &QPushButton::clicked, this, &GuaranteeBox::BitBtn1Click);
}

void GuaranteeBox::Reset() { RadioGroup17->SetItemIndex(0); }

void GuaranteeBox::BitBtn1Click() {
    if (!BitBtn1->isEnabled() || !Panel77->isEnabled()) return;
    SystemListBox& list = stage_.SystemBox();
    list.SetLines({});
    stage_.SetMode(StageMode::GuaranteeRun);
    const int level = kombinator::GuaranteeLevelFromIndex(RadioGroup17->ItemIndex());
    list.SetCount("0");
    list.ClearSelectedRow();
    stage_.MarkSystemUnsaved();
    // The reduction runs inside the click; let the busy light and the disabled boxes show first.
    stage_.repaint();

    const std::int32_t candidates = std::clamp<std::int32_t>(state_.CandidateCount, 0, kombinator::StoreCapacity);
    std::vector<std::string> lines;
    if (candidates > 0)
        lines = kombinator::GuaranteeSystem(*state_.candidates, candidates, level, *state_.system, state_.SystemCount);

    list.SetCount(QString::number(lines.size()));
    stage_.SetMode(StageMode::EnteredIdle);
    list.SetLines(std::move(lines));
}

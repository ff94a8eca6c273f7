#include "ui/filter_editor.h"

#include <QTabWidget>

#include "ui/filter_binding.h"
#include "ui/blocks_tab.h"
#include "ui/preferences_tab.h"
#include "ui/results_tab.h"
#include "ui/types_tab.h"

FilterEditor::FilterEditor(kombinator::FilterSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    setFixedSize(673, 428);
    binding_ = new FilterBinding(settings_, this);
    connect(binding_, &FilterBinding::UserChanged, this, &FilterEditor::UserChanged);
    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName("PageControl1");
    pageControl_->setGeometry(0, 0, 673, 428);
    types_ = new TypesTab(settings_, *binding_, pageControl_);
    types_->setObjectName("TabSheet1");
    pageControl_->addTab(types_, "   Typy ogólne   ");
    results_ = new ResultsTab(*binding_, pageControl_);
    results_->setObjectName("TabSheet2");
    pageControl_->addTab(results_, " Wyniki i bramki ");
    preferences_ = new PreferencesTab(*binding_, pageControl_);
    preferences_->setObjectName("TabSheet3");
    pageControl_->addTab(preferences_, "  Preferencje  ");
    blocks_ = new BlocksTab(*binding_, pageControl_);
    blocks_->setObjectName("TabSheet4");
    pageControl_->addTab(blocks_, " Warunki blokowe ");
    pageControl_->setCurrentIndex(0);
}

void FilterEditor::SetSpinnerStartPositions() { binding_->SetSpinnerStartPositions(); }

kombinator::FilterSettings FilterEditor::SettingsForRun() const {
    kombinator::FilterSettings run = settings_;
    binding_->Collect(run);
    return run;
}

void FilterEditor::ApplySettings(const kombinator::FilterSettings& settings) {
    emit UserChanged();
    types_->ApplyTypeMarks(settings);
    binding_->Apply(settings);
}

QTabWidget* FilterEditor::PageControl() const { return pageControl_; }

#include "ui/filter_editor.h"

#include <QTabWidget>

// Placeholder until the tabs are built: an empty PageControl1.
FilterEditor::FilterEditor(kombinator::FilterSettings& settings, QWidget* parent) : QWidget(parent) {
    (void)settings;
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("PageControl1");
}
void FilterEditor::SetSpinnerStartPositions() {}
kombinator::FilterSettings FilterEditor::SettingsForRun() const { return {}; }
void FilterEditor::ApplySettings(const kombinator::FilterSettings&) { emit UserChanged(); }
QTabWidget* FilterEditor::PageControl() const { return findChild<QTabWidget*>("PageControl1"); }

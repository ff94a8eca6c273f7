#pragma once
// Tab and Shift+Tab in the order a reader meets the controls on screen.

class QWidget;

// Chains the tab order of every control under `root` that takes the focus by Tab: children of
// one container in bands from top to bottom (controls whose heights overlap share a band), left
// to right within a band; a container's controls where the container stands.
void OrderTabsAsOnScreen(QWidget* root);

#include "ui/tab_order.h"

#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

void CollectInScreenOrder(QWidget* container, std::vector<QWidget*>& chain) {
    std::vector<QWidget*> children;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) children.push_back(child);
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    // Side by side is side by side even when the tops differ a little (a zig-zag of edits,
    // a button beside an edit, columns of boxes).
    std::size_t bandStart = 0;
    int bandBottom = 0;
    for (std::size_t i = 0; i <= children.size(); ++i) {
        if (i == children.size() || (i > bandStart && children[i]->y() >= bandBottom)) {
            std::stable_sort(children.begin() + static_cast<std::ptrdiff_t>(bandStart),
                             children.begin() + static_cast<std::ptrdiff_t>(i),
                             [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
            bandStart = i;
            bandBottom = 0;
            if (i == children.size()) break;
        }
        bandBottom = std::max(bandBottom, children[i]->geometry().bottom() + 1);
    }
    for (QWidget* child : children) {
        if (child->focusPolicy() & Qt::TabFocus)
            chain.push_back(child);
        else
            CollectInScreenOrder(child, chain);
    }
}

}  // namespace

void OrderTabsAsOnScreen(QWidget* root) {
    std::vector<QWidget*> chain;
    CollectInScreenOrder(root, chain);
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

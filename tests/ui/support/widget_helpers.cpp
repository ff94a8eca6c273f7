#include "support/widget_helpers.h"

#include <algorithm>

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>

namespace testsupport {

QString SaveScreenshot(QWidget* widget, const QString& name) {
#ifdef KOMBINATOR_SCREENSHOTS
    const QString folder = QStringLiteral(KOMBINATOR_SCREENSHOTS);
#else
    const QString folder = QDir::tempPath();
#endif
    if (!widget || !QDir().mkpath(folder)) return QString();
    const QString path = folder + "/" + name + ".png";
    return widget->grab().save(path, "PNG") ? path : QString();
}

QString Describe(const QWidget* widget) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    else if (auto* group = qobject_cast<const QGroupBox*>(widget))
        text = group->title();
    QString name = widget->objectName().isEmpty() ? QString(widget->metaObject()->className()) : widget->objectName();
    if (!text.isEmpty()) name += " \"" + text + "\"";
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (!up->objectName().isEmpty()) return name + " in " + up->objectName();
    return name;
}

namespace {

QString Fault(const QWidget* widget, const QSize& needed, const QSize& room) {
    return QString("%1 needs %2x%3, has %4x%5")
        .arg(Describe(widget))
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

bool Fits(const QSize& needed, const QRect& room) {
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// The rectangle QLabel lays its text out in: inside frame and margin, less the indent a
// framed label keeps on its aligned sides.
QRect LabelTextRoom(const QLabel* label) {
    QRect room = label->contentsRect();
    const int margin = label->margin();
    room.adjust(margin, margin, -margin, -margin);
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0) indent = label->fontMetrics().horizontalAdvance('x') / 2 - margin;
    if (indent > 0) {
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        if (align & Qt::AlignLeft) room.setLeft(room.left() + indent);
        if (align & Qt::AlignRight) room.setRight(room.right() - indent);
        if (align & Qt::AlignTop) room.setTop(room.top() + indent);
        if (align & Qt::AlignBottom) room.setBottom(room.bottom() - indent);
    }
    return room;
}

void CheckLabel(const QLabel* label, QStringList& faults) {
    if (label->text().isEmpty() || !label->pixmap().isNull()) return;
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (rich) return;
    const QRect room = LabelTextRoom(label);
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    QSize needed = label->fontMetrics().boundingRect(room, flags, label->text()).size();
    if (label->wordWrap()) {
        // A wrapped text also breaks inside a word too long for its line; that is clipping too.
        const int widest = label->fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), flags, label->text()).width();
        for (const QString& word : label->text().split(' ', Qt::SkipEmptyParts))
            needed.setWidth(std::max(needed.width(), std::min(widest, label->fontMetrics().horizontalAdvance(word))));
    }
    if (!Fits(needed, room)) faults << Fault(label, needed, room.size());
}

void CheckIndicatorButton(const QAbstractButton* button, bool radio, QStringList& faults) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const QStyle* style = button->style();
    const QRect indicator =
        style->subElementRect(radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
    if (!button->rect().contains(indicator))
        faults << Fault(button, indicator.size(), button->size()) + " (its indicator)";
    if (button->text().isEmpty()) return;
    const QRect room =
        style->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    const QFontMetrics metrics = button->fontMetrics();
    QSize needed(metrics.horizontalAdvance(QString(button->text()).remove('&')), metrics.height());
    if (!button->icon().isNull()) needed.rwidth() += button->iconSize().width() + 4;
    if (!Fits(needed, room)) faults << Fault(button, needed, room.size());
    // The caption must stand nearer its own indicator than the next control on its right,
    // or a row of boxes leaves it unclear which caption is whose.
    const int before = room.left() - indicator.right() - 1;
    const int textEnd = button->x() + room.left() + needed.width();
    const QWidget* parent = button->parentWidget();
    for (const QWidget* next : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (next == button || !next->isVisibleTo(parent) || next->x() <= button->x()) continue;
        if (next->geometry().bottom() < button->y() || next->y() > button->geometry().bottom()) continue;
        int start = next->x();
        if (auto* box = qobject_cast<const QCheckBox*>(next)) {
            QStyleOptionButton nextOption;
            nextOption.initFrom(box);
            nextOption.rect = box->rect();
            start += box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &nextOption, box).left();
        }
        if (start >= textEnd && start - textEnd < before)
            faults << QString("%1 stands %2 px from %3 but %4 px from its own box")
                          .arg(Describe(button))
                          .arg(start - textEnd)
                          .arg(Describe(next))
                          .arg(before);
    }
}

void CheckPushButton(const QPushButton* button, QStringList& faults) {
    if (button->text().isEmpty()) return;
    // The bevel and the focus frame take four pixels on either side.
    const QRect room = button->rect().adjusted(4, 2, -4, -2);
    const QFontMetrics metrics = button->fontMetrics();
    QSize needed(metrics.horizontalAdvance(QString(button->text()).remove('&')), metrics.height());
    if (!button->icon().isNull()) needed.rwidth() += button->iconSize().width() + 4;
    if (!Fits(needed, room)) faults << Fault(button, needed, room.size());
}

void CheckGroupTitle(QGroupBox* group, QWidget* root, QStringList& faults) {
    if (group->title().isEmpty()) return;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.rect = group->rect();
    option.text = group->title();
    option.textAlignment = group->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (group->isFlat()) option.features |= QStyleOptionFrame::Flat;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    // The style sizes the title to its text; it must stay inside the box.
    if (!group->rect().contains(title))
        faults << QString("%1 title needs (%2,%3 %4x%5), has %6x%7")
                      .arg(Describe(group))
                      .arg(title.x())
                      .arg(title.y())
                      .arg(title.width())
                      .arg(title.height())
                      .arg(group->width())
                      .arg(group->height());
    for (QWidget* child : group->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(root) && !child->isWindow() && child->geometry().intersects(title))
            faults << Describe(child) + " covers the title of " + Describe(group);
}

// Parents whose children are Qt's own parts, laid out by Qt.
bool IsComposite(const QWidget* widget) {
    return qobject_cast<const QAbstractScrollArea*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTabWidget*>(widget) ||
           qobject_cast<const QTabBar*>(widget) || qobject_cast<const QAbstractButton*>(widget);
}

QList<QWidget*> VisibleWidgets(QWidget* root) {
    QList<QWidget*> all{root};
    for (QWidget* widget : root->findChildren<QWidget*>())
        if (widget->isVisibleTo(root) && !widget->isWindow()) all << widget;
    return all;
}

}  // namespace

QStringList ClippedCaptions(QWidget* root) {
    QStringList faults;
    for (QWidget* widget : VisibleWidgets(root)) {
        if (auto* label = qobject_cast<QLabel*>(widget))
            CheckLabel(label, faults);
        else if (auto* check = qobject_cast<QCheckBox*>(widget))
            CheckIndicatorButton(check, false, faults);
        else if (auto* radio = qobject_cast<QRadioButton*>(widget))
            CheckIndicatorButton(radio, true, faults);
        else if (auto* push = qobject_cast<QPushButton*>(widget))
            CheckPushButton(push, faults);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            CheckGroupTitle(group, root, faults);
    }
    return faults;
}

QStringList OverlappingSiblings(QWidget* root, const QList<OverlapAllowance>& allowed) {
    QStringList faults;
    for (QWidget* parent : VisibleWidgets(root)) {
        if (IsComposite(parent)) continue;
        QList<QWidget*> children;
        for (QWidget* child : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (child->isVisibleTo(root) && !child->isWindow() && !child->objectName().startsWith("qt_"))
                children << child;
        // What reaches out of its parent is cut off by it.
        for (QWidget* child : children)
            if (!parent->rect().contains(child->geometry()))
                faults << QString("%1 reaches outside %2 (%3,%4 %5x%6 in %7x%8)")
                              .arg(Describe(child), Describe(parent))
                              .arg(child->x())
                              .arg(child->y())
                              .arg(child->width())
                              .arg(child->height())
                              .arg(parent->width())
                              .arg(parent->height());
        for (int a = 0; a < children.size(); ++a)
            for (int b = a + 1; b < children.size(); ++b) {
                const QRect shared = children[a]->geometry() & children[b]->geometry();
                if (shared.isEmpty()) continue;
                const auto excuses = [&](const OverlapAllowance& allowance) {
                    return allowance.matches(children[a], children[b]) || allowance.matches(children[b], children[a]);
                };
                const bool excused = std::any_of(allowed.begin(), allowed.end(), excuses);
                if (!excused)
                    faults << QString("%1 overlaps %2 by %3x%4")
                                  .arg(Describe(children[a]), Describe(children[b]))
                                  .arg(shared.width())
                                  .arg(shared.height());
            }
    }
    return faults;
}

}  // namespace testsupport

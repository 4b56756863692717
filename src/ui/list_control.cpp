#include "list_control.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace vexilor {

ListControl::ListControl(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::currentTextChanged, this, &ListControl::showCutTextAsToolTip);
}

void ListControl::showPopup() {
    QAbstractItemView* rows = view();
    int extra = 2 * rows->frameWidth();
    if (count() > maxVisibleItems()) {
        extra += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, rows);
    }
    rows->setMinimumWidth(std::max(width(), rows->sizeHintForColumn(0) + extra));
    QComboBox::showPopup();
}

void ListControl::showCutTextAsToolTip(const QString& text) {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect shown =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const bool cut = fontMetrics().horizontalAdvance(text) > shown.width();
    setToolTip(cut ? text : QString());
}

}  // namespace vexilor

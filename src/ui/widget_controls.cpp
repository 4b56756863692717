#include "widget_controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include "latin1.h"
#include "log_table.h"

namespace vexilor {

void WidgetControls::add(ControlId id, QWidget* widget) {
    widgets_[id] = widget;
}

QWidget* WidgetControls::widget(ControlId id) const {
    const auto found = widgets_.find(id);
    return found == widgets_.end() ? nullptr : found->second;
}

int WidgetControls::selectedRow(ControlId id) const {
    const auto* list = as<QComboBox>(id);
    return list == nullptr ? -1 : list->currentIndex();
}

void WidgetControls::setSelectedRow(ControlId id, int row) {
    auto* list = as<QComboBox>(id);
    if (list == nullptr) {
        return;
    }
    list->setCurrentIndex(row >= 0 && row < list->count() ? row : -1);
}

std::string WidgetControls::text(ControlId id) const {
    if (const auto* list = as<QComboBox>(id)) {
        return list->currentIndex() < 0 ? std::string() : ToLatin1(list->currentText());
    }
    if (const auto* field = as<QLineEdit>(id)) {
        return ToLatin1(field->text());
    }
    if (const auto* label = as<QLabel>(id)) {
        return ToLatin1(label->text());
    }
    if (const auto* button = as<QAbstractButton>(id)) {
        return ToLatin1(button->text());
    }
    return {};
}

void WidgetControls::setText(ControlId id, const std::string& text) {
    if (auto* field = as<QLineEdit>(id)) {
        field->setText(ToQString(text));
    } else if (auto* label = as<QLabel>(id)) {
        label->setText(ToQString(text));
    } else if (auto* button = as<QAbstractButton>(id)) {
        button->setText(ToQString(text));
    }
}

bool WidgetControls::ticked(ControlId id) const {
    const auto* box = as<QCheckBox>(id);
    return box != nullptr && box->isChecked();
}

void WidgetControls::setTicked(ControlId id, bool ticked) {
    if (auto* box = as<QCheckBox>(id)) {
        box->setChecked(ticked);
    }
}

void WidgetControls::addRow(ControlId id, const std::string& row, int position) {
    if (auto* list = as<QComboBox>(id)) {
        const int selected = list->currentIndex();
        list->addItem(ToQString(row));
        // Adding to an empty list would select the new row.
        list->setCurrentIndex(selected);
    } else if (auto* table = as<LogTable>(id)) {
        table->logModel().insertLine(position, row);
    }
}

void WidgetControls::removeRows(ControlId id, int position, int count) {
    if (auto* table = as<LogTable>(id)) {
        table->logModel().removeRows(position, count);
    }
}

int WidgetControls::rowCount(ControlId id) const {
    if (const auto* list = as<QComboBox>(id)) {
        return list->count();
    }
    if (const auto* table = as<LogTable>(id)) {
        return table->logModel().rowCount();
    }
    return 0;
}

std::string WidgetControls::cellText(ControlId id, int row, int column) const {
    const auto* table = as<LogTable>(id);
    return table == nullptr ? std::string() : table->logModel().cellText(row, column);
}

void WidgetControls::setEnabled(ControlId id, bool enabled) {
    if (QWidget* control = widget(id)) {
        control->setEnabled(enabled);
    }
}

bool WidgetControls::isEnabled(ControlId id) const {
    const QWidget* control = widget(id);
    // The control's own state, not that of a page or window around it.
    return control != nullptr && control->isEnabledTo(control->window());
}

void WidgetControls::setVisible(ControlId id, bool visible) {
    if (QWidget* control = widget(id)) {
        control->setVisible(visible);
    }
}

bool WidgetControls::isVisibleFlag(ControlId id) const {
    const QWidget* control = widget(id);
    return control != nullptr && !control->isHidden();
}

void WidgetControls::showImage(ControlId id, const QImage& image) {
    if (auto* picture = as<QLabel>(id)) {
        picture->setPixmap(QPixmap::fromImage(image));
    }
}

}  // namespace vexilor

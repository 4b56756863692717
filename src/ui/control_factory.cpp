#include "control_factory.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "latin1.h"
#include "list_control.h"
#include "log_table.h"

namespace vexilor {
namespace {

QWidget* CreateLabel(const ControlSpec& entry, QWidget* parent) {
    auto* label = new QLabel(parent);
    // Plain text: an ampersand is drawn as itself.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setText(ToQString(entry.text));
    return label;
}

QWidget* CreateList(const ControlSpec& entry, QWidget* parent) {
    auto* list = new ListControl(parent);
    for (const std::string& row : entry.rows) {
        list->addItem(ToQString(row));
    }
    // Adding the first row selects it; a list starts with none selected.
    list->setCurrentIndex(-1);
    return list;
}

QWidget* CreateField(const ControlSpec& entry, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    // Only typing is checked; the program may still write any text.
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    field->setText(ToQString(entry.text));
    return field;
}

QWidget* CreateButton(const ControlSpec& entry, QWidget* parent) {
    auto* button = new QPushButton(ToQString(entry.text), parent);
    button->setAutoDefault(false);
    return button;
}

QWidget* CreateCheckBox(const ControlSpec& entry, QWidget* parent) {
    auto* box = new QCheckBox(ToQString(entry.text), parent);
    box->setChecked(false);
    return box;
}

QWidget* CreatePicture(const ControlSpec& entry, QWidget* parent) {
    auto* picture = new QLabel(parent);
    QImage black(entry.width, entry.height, QImage::Format_RGB888);
    black.fill(Qt::black);
    picture->setPixmap(QPixmap::fromImage(black));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QWidget* CreateWidget(const ControlSpec& entry, QWidget* parent) {
    switch (entry.kind) {
        case ControlKind::Label:
            return CreateLabel(entry, parent);
        case ControlKind::List:
            return CreateList(entry, parent);
        case ControlKind::Field:
            return CreateField(entry, parent);
        case ControlKind::Button:
            return CreateButton(entry, parent);
        case ControlKind::CheckBox:
            return CreateCheckBox(entry, parent);
        case ControlKind::Picture:
            return CreatePicture(entry, parent);
        case ControlKind::Table:
            return new LogTable(parent);
    }
    return nullptr;
}

}  // namespace

QWidget* CreateControl(const ControlSpec& entry, QWidget* parent) {
    QWidget* widget = CreateWidget(entry, parent);
    if (widget != nullptr) {
        widget->setGeometry(entry.x, entry.y, entry.width, entry.height);
    }
    return widget;
}

}  // namespace vexilor

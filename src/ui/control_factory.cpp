#include "control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "latin1.h"
#include "log_table.h"

namespace vexilor {
namespace {

QWidget* CreateLabel(const ControlSpec& spec, QWidget* parent) {
    auto* label = new QLabel(parent);
    // Plain text: an ampersand is drawn as itself.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setText(ToQString(spec.text));
    return label;
}

QWidget* CreateList(const ControlSpec& spec, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    for (const std::string& row : spec.rows) {
        list->addItem(ToQString(row));
    }
    // Adding the first row selects it; a list starts with none selected.
    list->setCurrentIndex(-1);
    return list;
}

QWidget* CreateField(const ControlSpec& spec, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    // Only typing is checked; the program may still write any text.
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    field->setText(ToQString(spec.text));
    return field;
}

QWidget* CreateButton(const ControlSpec& spec, QWidget* parent) {
    auto* button = new QPushButton(ToQString(spec.text), parent);
    button->setAutoDefault(false);
    return button;
}

QWidget* CreateCheckBox(const ControlSpec& spec, QWidget* parent) {
    auto* box = new QCheckBox(ToQString(spec.text), parent);
    box->setChecked(false);
    return box;
}

QWidget* CreatePicture(const ControlSpec& spec, QWidget* parent) {
    auto* picture = new QLabel(parent);
    QImage black(spec.width, spec.height, QImage::Format_RGB888);
    black.fill(Qt::black);
    picture->setPixmap(QPixmap::fromImage(black));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QWidget* CreateWidget(const ControlSpec& spec, QWidget* parent) {
    switch (spec.kind) {
        case ControlKind::Label:
            return CreateLabel(spec, parent);
        case ControlKind::List:
            return CreateList(spec, parent);
        case ControlKind::Field:
            return CreateField(spec, parent);
        case ControlKind::Button:
            return CreateButton(spec, parent);
        case ControlKind::CheckBox:
            return CreateCheckBox(spec, parent);
        case ControlKind::Picture:
            return CreatePicture(spec, parent);
        case ControlKind::Table:
            return new LogTable(parent);
    }
    return nullptr;
}

}  // namespace

QWidget* CreateControl(const ControlSpec& spec, QWidget* parent) {
    QWidget* widget = CreateWidget(spec, parent);
    if (widget != nullptr) {
        widget->setGeometry(spec.x, spec.y, spec.width, spec.height);
    }
    return widget;
}

}  // namespace vexilor

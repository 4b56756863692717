#pragma once
// Makes the widget of one control from its layout entry, placed on its
// parent. Lists start with no row selected, fields take typed digits only,
// labels are right-aligned plain text.

#include <QWidget>

#include "control_layout.h"

namespace vexilor {

QWidget* CreateControl(const ControlSpec& entry, QWidget* parent);

}  // namespace vexilor

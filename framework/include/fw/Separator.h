#pragma once

#include "fw/Control.h"

namespace fw {

// A horizontal line (vertical when taller than wide).
class Separator : public RectControl {
public:
    FW_OBJECT;

    Separator();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
};

}  // namespace fw

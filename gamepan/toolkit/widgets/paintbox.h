// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/notify.h"

#include <QWidget>

class QPainter;

namespace Tolvane {

// A transparent area that its owner draws on from a paint callback.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // Valid only while OnPaint runs.
    QPainter* Canvas() const { return FCanvas; }

    TNotifyEvent OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPainter* FCanvas = nullptr;
};

} // namespace Tolvane

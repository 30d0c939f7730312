// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>

// Each iteration paints the whole widget, as a full repaint of the window
// would, into an image of its size.
inline void RenderEachIteration(benchmark::State& state, QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Controls at fixed positions, as the windows lay them out, and the compact
// look those positions are made for.
#pragma once

#include <QRect>
#include <utility>

// The controls' sizes suit a compact dialog font, with frames whose caption
// sits on their border line; at the desktop's usual sizes the captions would
// not fit.
inline constexpr const char* kCompactStyle =
    "QWidget { font-size: 10px; }"
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 6px; top: 0px; padding: 0 2px; }"
    "QPushButton { padding: 0px; }";

template <typename Widget, typename... Arguments>
Widget* Place(QRect geometry, Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    widget->setGeometry(geometry);
    return widget;
}

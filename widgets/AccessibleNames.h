#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

class QWidget;

namespace qv {

// Names controls for assistive technology without changing what is seen:
// each widget gets the name given; then every button under `root` whose own
// text says nothing (a picture, "?" or "...") takes its hint as its name, and
// every field next to a label takes the label's text unless it has a name.
void nameControls(QWidget* root, std::initializer_list<std::pair<QWidget*, QString>> names = {});

} // namespace qv

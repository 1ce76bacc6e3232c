#pragma once

class QWidget;

namespace qv {

// Dialogs whose controls are placed by hand keep the positions and sizes they
// were given wherever their texts fit. Where the style or the font needs more
// room, a control grows (to the right, and about its middle in height), what
// holds it grows to keep it inside, and so does the dialog: no text is cut.
void growToContents(QWidget* dialog);

} // namespace qv

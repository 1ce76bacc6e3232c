#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace qv {

// What assistive technology sees of an LED read-out: a static text named
// after what it shows ("Time left" unless the widget has its own accessible
// name), whose text and value are the time on the display. Installed once by
// the first LED display.
QAccessibleInterface* ledAccessibleFactory(const QString& className, QObject* object);
void installLedAccessibility();

} // namespace qv

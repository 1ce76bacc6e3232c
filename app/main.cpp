#include "app/CommonData.h"
#include "app/MainForm.h"
#include "app/SingleInstance.h"

#include <QApplication>
#include <QFileInfo>

using namespace qv;

// The program title is the main window's icon text, kept apart from its
// caption; no application display name is set, since Qt would append it to
// every window caption.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brindlemoor"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvantel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.02"));

    SingleInstance guard(SingleInstance::defaultRuntimeDir(),
                         QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!guard.acquire()) {
        // Another copy runs: bring it forward (when it is not counting down)
        // and end without a window, without writing anything.
        guard.askFirstToRaise();
        return 0;
    }

    TCommonData data;
    TMainForm form(data, MainFormOptions{AppPaths::fromApplication()});
    guard.setRaiseHandler([&form] { return form.comeForward(); });
    form.show();
    return app.exec();
}

#include "app/CommonData.h"
#include "app/MainForm.h"
#include "app/SessionRequest.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "desktop/SessionDesktop.h"
#include "store/PreferencesStore.h"

#include <ProgramVersion.h>
#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QSessionManager>
#include <fontconfig/fontconfig.h>
#include <latch>
#include <thread>

using namespace qv;

// The program title is the main window's icon text, kept apart from its
// caption; no application display name is set, since Qt would append it to
// every window caption.
int main(int argc, char** argv) {
    // Setting up the fonts is the largest single step before the window can be
    // laid out. Reading the font configuration and its caches needs nothing of
    // Qt, so it runs beside Qt's start (its platform plugin, the display
    // connection). Once the application exists, the same thread lists the fonts
    // into Qt's font database and then loads the image format plugins: Qt asks
    // every one of them about each picture read by name, the menu bar's icon
    // among them, and loading them costs more than reading the pictures.
    // Meanwhile the main thread takes the lock, makes the data module and builds
    // the window, waiting only where it needs what is still being made. fontconfig,
    // QFontDatabase and Qt's plugin loader are safe to use from any thread.
    // (Matching the window's fonts here as well was tried: each thread makes its
    // own font engines, and the window then waited for the font database.)
    std::latch started(1);
    std::jthread prepare([&started] {
        FcInit();
        started.wait();
        QFontDatabase::families();
        QImageReader::supportedImageFormats();
    });

    // Qt takes the X11 startup id out of the environment as it starts, so the
    // token a second copy hands over is read first.
    QString activationToken = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (activationToken.isEmpty())
        activationToken = qEnvironmentVariable("DESKTOP_STARTUP_ID");

    QApplication app(argc, argv);
    started.count_down();
    QCoreApplication::setOrganizationName(QString::fromLatin1(prefs::kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(prefs::kApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
    SessionDesktop::nameApplication();

    SingleInstance guard(SingleInstance::defaultRuntimeDir(),
                         QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!guard.acquire()) {
        // Another copy runs: bring it forward (when it is not counting down)
        // and end without a window, without writing anything.
        guard.setActivationToken(activationToken);
        guard.askFirstToRaise();
        prepare.join();
        return 0;
    }

    TCommonData data;
    SessionDesktop desktop([] { return QDBusConnection::sessionBus(); });
    TMainForm form(data, MainFormOptions{AppPaths::fromApplication(), nullptr, nullptr, &desktop});
    guard.setRaiseHandler([&form](const QString& token) { return form.comeForward(token); });

    // The ends of a session: a signal saves what a close saves and keeps a
    // running timer for the next start; the session manager's request asks the
    // close question only where the session allows one.
    TerminationSignals signals([&form](int) { QCoreApplication::exit(form.endSession() ? 0 : 1); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager& manager) {
                         QtSessionRequest request(manager);
                         form.commitSession(request);
                     });

    form.show();
    prepare.join();
    return app.exec();
}

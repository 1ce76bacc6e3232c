#include "app/CommandLine.h"
#include "app/CommonData.h"
#include "app/MainForm.h"
#include "app/SessionRequest.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "desktop/DBusService.h"
#include "desktop/SessionDesktop.h"
#include "store/PreferencesStore.h"
#include "store/TimerFile.h"
#include "translations/Translations.h"

#include <ProgramVersion.h>
#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <latch>
#include <thread>

using namespace qv;

namespace {

void print(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
}

int report(const remote::Outcome& outcome) {
    print(stdout, outcome.out);
    print(stderr, outcome.err);
    return outcome.status;
}

// The file name the single-instance lock is named after.
QString executableName(const char* argv0) {
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(self.isEmpty() ? QString::fromLocal8Bit(argv0) : self).fileName();
}

// The timers' names as the list shows them, read from the timer file where
// the program would read it; nothing when there is none that can be read.
std::optional<QStringList> timersOnDisk() {
    const QString path = AppPaths::fromApplication().timerFile();
    TimerDB db;
    QString error;
    if (!QFileInfo::exists(path) || !TimerFile::read(path, db, &error))
        return std::nullopt;
    QStringList names;
    for (const std::string& name : db.names())
        names << QString::fromStdString(name);
    return names;
}

// A command for the run, handed to the copy that runs. Gives the exit status,
// or nothing when no copy runs and the program is to start and then act.
std::optional<int> sendToRunningCopy(const CommandLine& command, SingleInstance& guard) {
    if (const auto answer = guard.ask(remote::request(command)))
        return report(remote::outcome(command, *answer));
    if (command.startsProgram())
        return std::nullopt;
    std::optional<QStringList> names;
    if (command.action == CommandLine::Action::List)
        names = timersOnDisk();
    return report(remote::withoutRunningCopy(command, names ? &*names : nullptr));
}

} // namespace

// The program title is the main window's icon text, kept apart from its
// caption; no application display name is set, since Qt would append it to
// every window caption.
int main(int argc, char** argv) {
    // Options are read, and a command goes to the copy that runs, with an
    // application of their own that needs no display; it speaks the user's
    // language. A plain start skips it.
    CommandLine command;
    if (argc > 1) {
        QCoreApplication cli(argc, argv);
        const Translations language(Translations::folders(QCoreApplication::applicationDirPath()));
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        command = CommandLine::parse(arguments);
        switch (command.action) {
        case CommandLine::Action::Help:
        case CommandLine::Action::Version:
            print(stdout, command.text);
            return CommandLine::kDone;
        case CommandLine::Action::Usage:
            print(stderr, QStringLiteral("quorvantel: ") + command.text + QLatin1Char('\n'));
            return CommandLine::kUsage;
        default:
            break;
        }
        if (command.isCommand()) {
            SingleInstance client(SingleInstance::defaultRuntimeDir(), executableName(argv[0]));
            if (const auto status = sendToRunningCopy(command, client))
                return *status;
        }
    }

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
    const Translations language(Translations::folders(QCoreApplication::applicationDirPath()));
    QCoreApplication::setOrganizationName(QString::fromLatin1(prefs::kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(prefs::kApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
    SessionDesktop::nameApplication();

    SingleInstance guard(SingleInstance::defaultRuntimeDir(), executableName(argv[0]));
    if (!guard.acquire()) {
        // Another copy runs: bring it forward (when it is not counting down)
        // and end without a window, without writing anything. A command goes
        // to it instead (it may have started since we looked).
        if (command.isCommand()) {
            const auto status = sendToRunningCopy(command, guard);
            prepare.join();
            return status.value_or(CommandLine::kRefused);
        }
        guard.setActivationToken(activationToken);
        guard.askFirstToRaise();
        prepare.join();
        return 0;
    }

    TCommonData data;
    SessionDesktop desktop([] { return QDBusConnection::sessionBus(); });
    TMainForm form(data, MainFormOptions{AppPaths::fromApplication(), nullptr, nullptr, &desktop});
    guard.setRaiseHandler([&form](const QString& token) { return form.comeForward(token); });
    guard.setCommandHandler(
        [&form](const QByteArray& request) { return remote::answer(form, request); });

    // The command the program was started for, through the same place as
    // the keyboard's. A timer name it does not know ends it before it shows.
    if (command.startsProgram()) {
        const RunCommand run[] = {RunCommand::Start, RunCommand::Stop, RunCommand::Reset,
                                  RunCommand::Toggle};
        const CommandResult result = form.command(
            run[static_cast<int>(command.action) - static_cast<int>(CommandLine::Action::Start)],
            command.timer);
        if (!result.ok()) {
            print(stderr, QStringLiteral("quorvantel: ") + result.message + QLatin1Char('\n'));
            prepare.join();
            return CommandLine::kUsage;
        }
    }

    // The run on the session bus, once the window is up; without a bus the
    // rest works as ever.
    DBusService bus(form);
    QObject::connect(&form, &TMainForm::runChanged, &bus, &DBusService::runChanged);
    QTimer::singleShot(0, &bus, [&bus] { bus.publish(QDBusConnection::sessionBus()); });

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

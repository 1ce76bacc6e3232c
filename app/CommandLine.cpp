#include "app/CommandLine.h"

#include "desktop/RunControl.h"

#include <ProgramVersion.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace qv {
namespace {

struct Command {
    const char* option;
    CommandLine::Action action;
    const char* description;
};

constexpr Command kCommands[] = {
    {"start", CommandLine::Action::Start,
     QT_TRANSLATE_NOOP("qv::CommandLine",
                       "Start the timer NAME (or, without a name, the selected timer).")},
    {"stop", CommandLine::Action::Stop,
     QT_TRANSLATE_NOOP("qv::CommandLine", "Stop the running timer.")},
    {"reset", CommandLine::Action::Reset,
     QT_TRANSLATE_NOOP("qv::CommandLine", "Stop the timer and set it back to its start time.")},
    {"toggle", CommandLine::Action::Toggle,
     QT_TRANSLATE_NOOP("qv::CommandLine",
                       "Do what SPACE does: start, stop or reset, as the preferences say.")},
    {"status", CommandLine::Action::Status,
     QT_TRANSLATE_NOOP("qv::CommandLine",
                       "Print the selected timer, its time left and its state (idle, counting, "
                       "paused or flashing), separated by tabs.")},
    {"list", CommandLine::Action::List,
     QT_TRANSLATE_NOOP("qv::CommandLine", "Print the timers' names, one a line.")},
};

const char* commandName(CommandLine::Action action) {
    for (const Command& c : kCommands)
        if (c.action == action)
            return c.option;
    return "";
}

QString usage(const QString& what) {
    return QCoreApplication::translate("qv::CommandLine",
                                       "%1\nTry 'quorvantel --help' for more information.")
        .arg(what);
}

QByteArray line(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

QJsonObject failure(const char* error, const QString& message) {
    QJsonObject o;
    o.insert(QStringLiteral("ok"), false);
    o.insert(QStringLiteral("error"), QString::fromLatin1(error));
    o.insert(QStringLiteral("message"), message);
    return o;
}

QString statusLine(const QJsonObject& s) {
    return s.value(QStringLiteral("timer")).toString() + QLatin1Char('\t') +
           s.value(QStringLiteral("timeLeft")).toString() + QLatin1Char('\t') +
           s.value(QStringLiteral("state")).toString() + QLatin1Char('\n');
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "qv::CommandLine", "Named countdown timers with spoken announcements and alarms.\n"
                           "With an option, acts on the running copy (starting the program "
                           "first for --start, --stop, --reset and --toggle)."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("qv::CommandLine", "Show this help and exit."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("qv::CommandLine", "Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const Command& c : kCommands)
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(c.option),
                               QCoreApplication::translate("qv::CommandLine", c.description)));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QCoreApplication::translate("qv::CommandLine", "With --status: print one JSON object."));
    parser.addOption(json);
    parser.addPositionalArgument(
        QStringLiteral("NAME"),
        QCoreApplication::translate("qv::CommandLine", "With --start: the timer to start."),
        QStringLiteral("[NAME]"));

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = Action::Usage;
        result.text = usage(parser.errorText());
        return result;
    }
    if (parser.isSet(help)) {
        result.action = Action::Help;
        // Qt's own text names the program by argv[0] in its first line; ours
        // is always the command.
        result.text = parser.helpText();
        const QString self = QCoreApplication::arguments().value(0);
        for (const QString& name : {self, QFileInfo(self).fileName()}) {
            const qsizetype at = name.isEmpty() ? -1 : result.text.indexOf(name);
            if (at >= 0 && at < result.text.indexOf(QLatin1Char('\n'))) {
                result.text.replace(at, name.size(), QStringLiteral("quorvantel"));
                break;
            }
        }
        return result;
    }
    if (parser.isSet(version)) {
        result.action = Action::Version;
        result.text = QStringLiteral("quorvantel " QV_VERSION "\n");
        return result;
    }
    QStringList chosen;
    for (const Command& c : kCommands) {
        if (parser.isSet(QString::fromLatin1(c.option))) {
            chosen << QStringLiteral("--") + QString::fromLatin1(c.option);
            result.action = c.action;
        }
    }
    const QStringList names = parser.positionalArguments();
    auto refuse = [&](const QString& why) {
        CommandLine bad;
        bad.action = Action::Usage;
        bad.text = usage(why);
        return bad;
    };
    if (chosen.size() > 1)
        return refuse(QCoreApplication::translate("qv::CommandLine", "%1 cannot be used together.")
                          .arg(chosen.join(QStringLiteral(", "))));
    if (parser.isSet(json) && result.action != Action::Status)
        return refuse(QCoreApplication::translate("qv::CommandLine", "--json goes with --status."));
    if (!names.isEmpty() && result.action != Action::Start)
        return refuse(QCoreApplication::translate("qv::CommandLine", "Unexpected argument '%1'.")
                          .arg(names.first()));
    if (names.size() > 1)
        return refuse(QCoreApplication::translate(
            "qv::CommandLine", "--start takes one timer name; put a name with spaces in quotes."));
    if (result.action == Action::Start && !names.isEmpty()) {
        result.timer = names.first();
        if (result.timer.isEmpty())
            return refuse(
                QCoreApplication::translate("qv::CommandLine", "The timer name is empty."));
    }
    result.json = parser.isSet(json);
    return result;
}

namespace remote {

QByteArray request(const CommandLine& cl) {
    QJsonObject o;
    o.insert(QStringLiteral("command"), QString::fromLatin1(commandName(cl.action)));
    if (!cl.timer.isEmpty())
        o.insert(QStringLiteral("timer"), cl.timer);
    return line(o);
}

QByteArray answer(RunControl& control, const QByteArray& request) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(request, &error);
    const QJsonObject o = doc.object();
    const QString command = o.value(QStringLiteral("command")).toString();
    const QJsonValue timer = o.value(QStringLiteral("timer"));
    if (error.error != QJsonParseError::NoError || !doc.isObject() ||
        !(timer.isUndefined() || timer.isString()))
        return line(failure("Usage", QCoreApplication::translate(
                                         "qv::CommandLine", "The request could not be read.")));

    QJsonObject ok;
    ok.insert(QStringLiteral("ok"), true);
    if (command == QLatin1String("status")) {
        const RunStatus s = control.status();
        QJsonObject status;
        status.insert(QStringLiteral("timer"), s.timer);
        status.insert(QStringLiteral("timeLeft"), s.timeLeft);
        status.insert(QStringLiteral("secondsLeft"), s.secondsLeft);
        status.insert(QStringLiteral("state"), s.state);
        ok.insert(QStringLiteral("status"), status);
        return line(ok);
    }
    if (command == QLatin1String("list")) {
        ok.insert(QStringLiteral("timers"), QJsonArray::fromStringList(control.timers()));
        return line(ok);
    }
    static const std::pair<const char*, RunCommand> kRun[] = {{"start", RunCommand::Start},
                                                              {"stop", RunCommand::Stop},
                                                              {"reset", RunCommand::Reset},
                                                              {"toggle", RunCommand::Toggle}};
    for (const auto& [name, run] : kRun) {
        if (command != QLatin1String(name))
            continue;
        const CommandResult result = control.command(run, timer.toString());
        switch (result.error) {
        case CommandResult::Error::None:
            return line(ok);
        case CommandResult::Error::NoSuchTimer:
            return line(failure("NoSuchTimer", result.message));
        case CommandResult::Error::Busy:
            return line(failure("Busy", result.message));
        }
    }
    return line(failure(
        "Usage",
        QCoreApplication::translate("qv::CommandLine", "Unknown command '%1'.").arg(command)));
}

Outcome outcome(const CommandLine& cl, const QByteArray& answer) {
    Outcome out;
    QJsonParseError error{};
    const QJsonObject o = QJsonDocument::fromJson(answer, &error).object();
    if (error.error != QJsonParseError::NoError || !o.value(QStringLiteral("ok")).isBool()) {
        out.err =
            QStringLiteral("quorvantel: ") +
            QCoreApplication::translate("qv::CommandLine", "the running copy did not answer.") +
            QLatin1Char('\n');
        return out;
    }
    if (!o.value(QStringLiteral("ok")).toBool()) {
        const QString kind = o.value(QStringLiteral("error")).toString();
        out.status = kind == QLatin1String("Busy") ? CommandLine::kRefused : CommandLine::kUsage;
        out.err = QStringLiteral("quorvantel: ") + o.value(QStringLiteral("message")).toString() +
                  QLatin1Char('\n');
        return out;
    }
    out.status = CommandLine::kDone;
    if (cl.action == CommandLine::Action::Status) {
        const QJsonObject s = o.value(QStringLiteral("status")).toObject();
        if (cl.json) {
            QJsonObject shown;
            for (const char* key : {"timer", "timeLeft", "secondsLeft", "state"})
                shown.insert(QString::fromLatin1(key), s.value(QString::fromLatin1(key)));
            out.out = QString::fromUtf8(line(shown));
        } else {
            out.out = statusLine(s);
        }
    } else if (cl.action == CommandLine::Action::List) {
        for (const QJsonValue& name : o.value(QStringLiteral("timers")).toArray())
            out.out += name.toString() + QLatin1Char('\n');
    }
    return out;
}

Outcome withoutRunningCopy(const CommandLine& cl, const QStringList* timers) {
    Outcome out;
    if (cl.action == CommandLine::Action::List && timers) {
        out.status = CommandLine::kDone;
        for (const QString& name : *timers)
            out.out += name + QLatin1Char('\n');
    }
    return out;
}

} // namespace remote
} // namespace qv

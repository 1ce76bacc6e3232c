// The command line, and the commands between two copies: what is parsed, what
// goes over the channel, what the first copy answers and what the asking copy
// prints with which exit status.

#include "app/CommandLine.h"

#include "app/SingleInstance.h"
#include "desktop/RunControl.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstring>
#include <future>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qv {
namespace {

using Action = CommandLine::Action;

CommandLine parse(QStringList args) {
    args.prepend(QStringLiteral("quorvantel"));
    return CommandLine::parse(args);
}

TEST(CommandLine, EveryOptionAndItsArguments) {
    EXPECT_EQ(parse({}).action, Action::Run);
    EXPECT_EQ(parse({QStringLiteral("--help")}).action, Action::Help);
    EXPECT_TRUE(
        parse({QStringLiteral("-h")}).text.startsWith(QStringLiteral("Usage: quorvantel ")));
    EXPECT_EQ(parse({QStringLiteral("--version")}).text, QStringLiteral("quorvantel 1.02\n"));
    const std::pair<const char*, Action> each[] = {
        {"--start", Action::Start},   {"--stop", Action::Stop},     {"--reset", Action::Reset},
        {"--toggle", Action::Toggle}, {"--status", Action::Status}, {"--list", Action::List}};
    for (const auto& [option, action] : each) {
        const CommandLine cl = parse({QString::fromLatin1(option)});
        EXPECT_EQ(cl.action, action) << option;
        EXPECT_TRUE(cl.isCommand());
        EXPECT_EQ(cl.startsProgram(), action != Action::Status && action != Action::List);
    }
    const CommandLine start = parse({QStringLiteral("--start"), QStringLiteral("Green tea")});
    EXPECT_EQ(start.action, Action::Start);
    EXPECT_EQ(start.timer, QStringLiteral("Green tea"));
    EXPECT_TRUE(parse({QStringLiteral("--status"), QStringLiteral("--json")}).json);
}

TEST(CommandLine, BadCombinationsAreUsageErrors) {
    const QStringList bad[] = {
        {QStringLiteral("--frobnicate")},
        {QStringLiteral("--stop"), QStringLiteral("--start")},
        {QStringLiteral("--status"), QStringLiteral("--list")},
        {QStringLiteral("--json")},
        {QStringLiteral("--list"), QStringLiteral("--json")},
        {QStringLiteral("Tea")},
        {QStringLiteral("--stop"), QStringLiteral("Tea")},
        {QStringLiteral("--start"), QStringLiteral("Tea"), QStringLiteral("Eggs")},
        {QStringLiteral("--start"), QString()},
    };
    for (const QStringList& args : bad) {
        const CommandLine cl = parse(args);
        EXPECT_EQ(cl.action, Action::Usage) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(
            cl.text.endsWith(QStringLiteral("Try 'quorvantel --help' for more information.")));
    }
    EXPECT_TRUE(
        parse({QStringLiteral("--frobnicate")}).text.contains(QStringLiteral("frobnicate")));
}

// A run that records what it was asked, and refuses as it is told.
class RecordingControl final : public RunControl {
public:
    CommandResult command(RunCommand c, const QString& timer) override {
        asked.push_back({c, timer});
        if (busy)
            return {CommandResult::Error::Busy, QStringLiteral("A dialog is open.")};
        if (c == RunCommand::Start && !timer.isEmpty() && timer != QStringLiteral("Tea"))
            return {CommandResult::Error::NoSuchTimer, QStringLiteral("No \"%1\".").arg(timer)};
        return {};
    }
    RunStatus status() const override {
        return {QStringLiteral("Tea"), 299, QStringLiteral("00:04:59"), QStringLiteral("counting")};
    }
    QStringList timers() const override { return {QStringLiteral("Eggs"), QStringLiteral("Tea")}; }
    void activate(const QString&) override {}
    std::vector<std::pair<RunCommand, QString>> asked;
    bool busy = false;
};

remote::Outcome roundTrip(RecordingControl& control, QStringList args) {
    const CommandLine cl = parse(args);
    QByteArray request = remote::request(cl);
    EXPECT_TRUE(request.endsWith('\n'));
    request.chop(1);
    EXPECT_FALSE(request.contains('\n')) << "one line each way";
    QByteArray answer = remote::answer(control, request);
    EXPECT_TRUE(answer.endsWith('\n'));
    answer.chop(1);
    return remote::outcome(cl, answer);
}

TEST(RemoteCommands, EachCommandReachesTheRunAndPrintsWhatItShould) {
    RecordingControl control;
    const remote::Outcome status = roundTrip(control, {QStringLiteral("--status")});
    EXPECT_EQ(status.status, 0);
    EXPECT_EQ(status.out, QStringLiteral("Tea\t00:04:59\tcounting\n"));
    const remote::Outcome json =
        roundTrip(control, {QStringLiteral("--status"), QStringLiteral("--json")});
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("timer")).toString(), QStringLiteral("Tea"));
    EXPECT_EQ(o.value(QStringLiteral("timeLeft")).toString(), QStringLiteral("00:04:59"));
    EXPECT_EQ(o.value(QStringLiteral("secondsLeft")).toInt(), 299);
    EXPECT_EQ(o.value(QStringLiteral("state")).toString(), QStringLiteral("counting"));
    EXPECT_EQ(o.size(), 4);
    EXPECT_TRUE(json.out.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(roundTrip(control, {QStringLiteral("--list")}).out, QStringLiteral("Eggs\nTea\n"));
    EXPECT_TRUE(control.asked.empty()) << "reading changes nothing";

    for (const char* option : {"--stop", "--reset", "--toggle", "--start"}) {
        const remote::Outcome done = roundTrip(control, {QString::fromLatin1(option)});
        EXPECT_EQ(done.status, 0) << option;
        EXPECT_TRUE(done.out.isEmpty() && done.err.isEmpty());
    }
    roundTrip(control, {QStringLiteral("--start"), QStringLiteral("Tea")});
    ASSERT_EQ(control.asked.size(), 5u);
    EXPECT_EQ(control.asked[0].first, RunCommand::Stop);
    EXPECT_EQ(control.asked[1].first, RunCommand::Reset);
    EXPECT_EQ(control.asked[2].first, RunCommand::Toggle);
    EXPECT_EQ(control.asked[3], std::make_pair(RunCommand::Start, QString()));
    EXPECT_EQ(control.asked[4], std::make_pair(RunCommand::Start, QStringLiteral("Tea")));
}

TEST(RemoteCommands, RefusalsGetTheirMessageAndStatus) {
    RecordingControl control;
    const remote::Outcome unknown =
        roundTrip(control, {QStringLiteral("--start"), QStringLiteral("Coffee")});
    EXPECT_EQ(unknown.status, CommandLine::kUsage);
    EXPECT_EQ(unknown.err, QStringLiteral("quorvantel: No \"Coffee\".\n"));
    control.busy = true;
    const remote::Outcome busy = roundTrip(control, {QStringLiteral("--toggle")});
    EXPECT_EQ(busy.status, CommandLine::kRefused);
    EXPECT_EQ(busy.err, QStringLiteral("quorvantel: A dialog is open.\n"));
    EXPECT_TRUE(busy.out.isEmpty());
}

TEST(RemoteCommands, ABadRequestIsNeverActedOn) {
    RecordingControl control;
    for (const QByteArray& request :
         {QByteArray("{"), QByteArray("[]"), QByteArray("{\"command\":\"explode\"}"),
          QByteArray("{\"command\":\"start\",\"timer\":5}"), QByteArray("{\"command\":7}"),
          QByteArray("\xff\xfe")}) {
        const QJsonObject o = QJsonDocument::fromJson(remote::answer(control, request)).object();
        EXPECT_FALSE(o.value(QStringLiteral("ok")).toBool(true)) << request.toStdString();
        EXPECT_EQ(o.value(QStringLiteral("error")).toString(), QStringLiteral("Usage"));
    }
    EXPECT_TRUE(control.asked.empty());
    // An answer the asking copy cannot read is no success.
    const CommandLine stop = parse({QStringLiteral("--stop")});
    EXPECT_EQ(remote::outcome(stop, "garbage").status, CommandLine::kRefused);
    EXPECT_EQ(remote::outcome(stop, "").status, CommandLine::kRefused);
}

TEST(RemoteCommands, WithNoCopyRunningStatusPrintsNothingAndListReadsTheFile) {
    const remote::Outcome status =
        remote::withoutRunningCopy(parse({QStringLiteral("--status")}), nullptr);
    EXPECT_EQ(status.status, CommandLine::kRefused);
    EXPECT_TRUE(status.out.isEmpty() && status.err.isEmpty());
    const QStringList names{QStringLiteral("A"), QStringLiteral("b")};
    const remote::Outcome list =
        remote::withoutRunningCopy(parse({QStringLiteral("--list")}), &names);
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, QStringLiteral("A\nb\n"));
    EXPECT_EQ(remote::withoutRunningCopy(parse({QStringLiteral("--list")}), nullptr).status,
              CommandLine::kRefused);
}

// The channel between two copies, for real: the asking copy on a thread of
// its own while this thread serves the first copy's socket.
std::optional<QByteArray> askFromAnotherCopy(const QString& dir, const QByteArray& request) {
    auto answer = std::async(std::launch::async, [dir, request] {
        SingleInstance second(dir, QStringLiteral("Quorvantel"));
        return second.ask(request, 2000);
    });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return answer.get();
}

TEST(RemoteCommands, TheChannelCarriesCommandsAndSurvivesPeersThatMisbehave) {
    QTemporaryDir dir;
    EXPECT_FALSE(askFromAnotherCopy(dir.path(), "{\"command\":\"status\"}"))
        << "nobody runs: no answer, and no wait";

    SingleInstance first(dir.path(), QStringLiteral("Quorvantel"));
    ASSERT_TRUE(first.acquire());
    RecordingControl control;
    first.setCommandHandler([&control](const QByteArray& r) { return remote::answer(control, r); });

    // A peer that connects, sends half a line and hangs up; one that sends a
    // line far too long: neither is acted on, and the channel goes on serving.
    const QByteArray path = QFile::encodeName(first.serverName());
    for (const QByteArray& junk :
         {QByteArray("{\"command\":\"sto"), QByteArray(100'000, '{') + "\n"}) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        [[maybe_unused]] const ssize_t sent =
            ::send(fd, junk.constData(), std::size_t(junk.size()), MSG_NOSIGNAL);
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        ::close(fd);
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }
    EXPECT_TRUE(control.asked.empty());

    const auto answer =
        askFromAnotherCopy(dir.path(), remote::request(parse({QStringLiteral("--stop")})));
    ASSERT_TRUE(answer);
    EXPECT_EQ(remote::outcome(parse({QStringLiteral("--stop")}), *answer).status, 0);
    ASSERT_EQ(control.asked.size(), 1u);
    EXPECT_EQ(control.asked[0].first, RunCommand::Stop);

    const auto list =
        askFromAnotherCopy(dir.path(), remote::request(parse({QStringLiteral("--list")})));
    ASSERT_TRUE(list);
    EXPECT_EQ(remote::outcome(parse({QStringLiteral("--list")}), *list).out,
              QStringLiteral("Eggs\nTea\n"));
}

} // namespace
} // namespace qv

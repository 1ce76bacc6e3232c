#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qv {

class RunControl;

// What the program was asked on its command line.
struct CommandLine {
    enum class Action { Run, Help, Version, Usage, Start, Stop, Reset, Toggle, Status, List };
    Action action = Action::Run;
    QString timer; // --start NAME
    bool json = false;
    QString text; // the help or version text, or the usage error

    // Exit statuses.
    static constexpr int kDone = 0;
    static constexpr int kRefused = 1; // the running copy refused, or none could be reached
    static constexpr int kUsage = 2;   // an unknown option, a bad combination, an unknown timer

    // `arguments` as argv gives them, the program's name first.
    static CommandLine parse(const QStringList& arguments);

    // A command for the run (as opposed to a plain start, help or version).
    bool isCommand() const { return action >= Action::Start; }
    // Start, Stop, Reset and Toggle start the program when no copy runs.
    bool startsProgram() const { return action >= Action::Start && action <= Action::Toggle; }
};

// The commands between two copies over the single-instance channel: one line
// of JSON each way. A request names the command (and the timer to start); the
// answer says whether it was done, with the status or the timer list asked
// for, or why not.
namespace remote {

QByteArray request(const CommandLine& line);
// The first copy's answer to a request line; a request it cannot read is
// answered as a usage error, never acted on.
QByteArray answer(RunControl& control, const QByteArray& request);

// What the asking copy prints of an answer, and its exit status.
struct Outcome {
    int status = CommandLine::kRefused;
    QString out; // for standard output
    QString err; // for standard error
};
Outcome outcome(const CommandLine& line, const QByteArray& answer);
// A --status or --list with no running copy; `timers` are the names from the
// timer file, or none when it could not be read.
Outcome withoutRunningCopy(const CommandLine& line, const QStringList* timers);

} // namespace remote
} // namespace qv

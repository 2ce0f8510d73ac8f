#pragma once

#include <QDate>
#include <QString>
#include <optional>

class CredentialStore;

// The command line's exchanges with the phone, for scripts and without a display:
//   kabiro --envoyer LISTE.pnv   sends the list to the task list
//   kabiro --relever LISTE.pnv   reads the ticks back, validates the ticked products without
//                                asking and saves the list
// Both take the task list's address and user from kabiro.ini (section "TELEPHONE", keys "URL"
// and "Utilisateur") and keep the sync file in the given directory.
namespace phonecmd {

enum ExitCode { Success = 0, Failure = 1, BadUsage = 2 };

enum class Action { Send, Fetch };

struct Request {
    Action action = Action::Send;
    QString listFile;  // as given on the command line
    QString directory; // where kabiro.ini and the sync file are
    QDate today;
    int timeoutMs = 30000;
};

struct Result {
    int exitCode = Success;
    QString summary; // for the standard output
    QString error;   // for the standard error
};

// Runs one exchange to its end (local event loops; a QCoreApplication must exist). On a network,
// server or file failure nothing is changed locally and the exit code is Failure.
Result run(const Request& request, CredentialStore& store);

// When the arguments hold --envoyer or --relever: runs the command in a QCoreApplication of its
// own (no display needed), prints the summary and returns the exit code (BadUsage for a wrong
// command line). Nothing when the arguments name neither option.
std::optional<int> runFromArguments(int argc, char** argv);

// The usage text printed on a wrong command line.
QString usage();

} // namespace phonecmd

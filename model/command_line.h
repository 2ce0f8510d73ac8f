#pragma once

#include <QString>
#include <QStringList>

// The command line of `kabiro`: the options it knows, the list file it names, and its French
// usage text. It is read before any window exists, so that "--help" and "--version" work
// without a display.
//
// Every option is one row of the table in command_line.cpp: its name, whether it takes a file,
// the line of the usage text, and what it sets in the request. An option with a file takes it
// as the next argument or after "=" ("--option FICHIER" or "--option=FICHIER"); the file is
// made absolute against the directory the program was started in.
namespace cmdline {

enum class Action {
    Run,     // open the window
    Help,    // print the usage on standard output, exit 0
    Version, // print the version on standard output, exit 0
    Fault,   // print the fault and the usage on standard error, exit 2
};

struct Request {
    Action action = Action::Run;
    // Work in the user's own Paniva folder rather than the current directory.
    bool userFolder = false;
    // The list file named on the command line, absolute; empty: the working folder's default.
    QString listFile;
    // What is wrong with the command line (French), when action is Fault.
    QString fault;
};

// Reads the arguments that follow the program's name. Relative file names are taken from
// startDirectory. The first of "--help", "--version" or a fault met from left to right decides
// the action; "--" ends the options, so that a list file whose name starts with "-" can be
// named after it.
Request parse(const QStringList& arguments, const QString& startDirectory);

// The usage text, one option a line, ending with a line break.
QString usage(const QString& programName);
// "kabiro (Paniva) <version>" and the licence, ending with a line break.
QString versionText();

// The exit status of a fault of the command line.
inline constexpr int kFaultStatus = 2;

} // namespace cmdline

#pragma once
// Runs one command of wlt-nastawy-cli on the window state: the same TForm1
// handlers the window's menus and buttons run, in the order a user would,
// with the terminal Ui answering their dialogs. Whether a command did what
// it says is told from what its handlers reported: their message boxes,
// beeps and status texts, the files and print jobs they asked for.

#include "CliCommandLine.h"
#include "TerminalUi.h"

#include <functional>

class TForm1;

// Runs request's command on form, built on ui. The port map, the simulator
// and the work folder are in place already; the file arguments are as the
// file dialogs would return them. out takes the lines the command prints;
// outputIntact, when given, tells whether they all got out so far.
// Returns the exit status: 0, 1, or 2 when the window asked for a
// confirmation the command line did not give (or write-settings was given a
// file of another factory number without --yes). A command that connects
// closes the port again (FormDestroy) before it returns.
int RunCliCommand(const CliRequest& request, TForm1& form, TerminalUi& ui, const TerminalUi::Sink& out,
                  const std::function<bool()>& outputIntact = {});

#pragma once

class QString;

// The one way the client ends after logon on a failure it cannot go on
// from: shows string-table entry `id` once (a second fatal while the first
// is showing, or after it, is dropped), closes the open modal dialogs from
// the top down, then the main window, which ends the program.
void orbel_fatal(int id);
// The same with the text already looked up (a decided outcome carries it).
void orbel_fatal_message(const QString& text);
// True once a fatal exit has begun: code that returns from a nested exec()
// checks it before it sends anything.
bool orbel_ending();
// Forgets an earlier fatal exit (tests that run several in one process).
void orbel_fatal_reset();

// The program's start, up to its message loop: what the main program does, kept
// apart from it so that tests can start the program the same way.
#pragma once

// Registers the program's streamable classes, ends the process when a copy of the
// program runs already for the user (that copy brings its floating window forward),
// sets up the application and creates the three windows. Application must exist.
void StartProgram();

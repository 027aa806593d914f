#pragma once

/// The whole program: parses the command line, starts the engine in the data
/// folder, runs start-up and the frame loop. Returns the exit status.
int CrashmoorMain(int argc, char** argv);

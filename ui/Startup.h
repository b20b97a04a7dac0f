#pragma once

// Runs the timer: the main window, the hidden frame window, the event loop,
// and a shutdown that no speaking worker can outlive. Always returns 0.
int runTimer(int argc, char** argv);

// Ends the run's speech: the channel goes silent, then the workers are given
// about a second to finish. True when none is left.
bool silenceWorkers();

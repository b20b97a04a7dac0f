#include "Startup.h"

int main(int argc, char** argv) { return runTimer(argc, argv); }

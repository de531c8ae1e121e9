// The console tests' fixture, built into this program too: the agenda is
// exercised on the same console and archive as the rest of the window.
#include "../console/BancoConsole.cpp"

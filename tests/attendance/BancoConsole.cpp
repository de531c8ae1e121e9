// The console fixture of the console tests, built into this program too.
#include "../console/BancoConsole.cpp"

// The console tests' fixture, built here too so that these tests sit on the
// same small council.
#include "../console/BancoConsole.cpp"

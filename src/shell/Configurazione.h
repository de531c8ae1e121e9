// The configuration file beside the archive: read into the settings of
// Globali.h at start-up, written back whole whenever a setting changes.
#pragma once

namespace obx {

// True reads cFileConfig, False writes it; either way the vocabularies of
// the assembly kind are set afterwards.
//
// Reading sets the defaults of the keys that have one, then takes every
// "key=value" line it knows (case matters; unknown keys, comments and blank
// lines are skipped).  A number that does not fit 16 bits, an assembly kind
// other than 1, 2, 4 and a voting-unit model other than 4010, 7777 leave the
// setting as it was.  The run-time bits 64 of iPrenotazioni and 4 of
// iOpzioniConsole are never taken from the file nor written to it.  A
// missing file is reported and the defaults stay.
//
// Writing replaces the file only once the new content is complete on disk;
// a failure is reported naming the file and the old file stays as it was.
void GestisceConfig(bool leggi);

// Defaults of the settings that have one, as a reading starts from them.
// The council's name, the members, the ports and the display type hold what
// they held; the run-time bits stay as the console left them.
void ImpostaConfigurazionePredefinita();

// Sets the vocabularies and the two Archivi menu entries for iTipoAssemblea
// (kind 4 the regional assembly, any other kind the councils).
void ImpostaVocabolari();

}  // namespace obx

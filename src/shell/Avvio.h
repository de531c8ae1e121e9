// Start-up of the program: from the second-copy check to the main window,
// and the routines around the archive that the main window shares with it.
#pragma once

#include <QString>
#include <memory>

class QApplication;

namespace obx {

class frmMain;
class IstanzaUnica;

// Runs the start-up and then the event loop; returns the exit code.
int Avvia(QApplication& app);

// The start-up up to the main window, shown.  Null when the program must
// end (second copy, cancelled archive dialog, refused password, a failed
// step already reported).  The lock of the running copy is kept in `lock`
// for the life of the program; `percorsoLock` empty: the per-user default.
std::unique_ptr<frmMain> EseguiAvvio(std::unique_ptr<IstanzaUnica>& lock, const QString& percorsoLock = QString());

// The file dialogs of the shell.  Low four bits of iModo: 0 the archive (a
// new name is accepted once the operator confirms its creation), 1 a
// command file (must exist); bits 4-6: 0 archives "*.db", 16 command
// files "*.txt".  Empty when cancelled.
QString ScegliFile(int iModo, const QString& cTitolo, const QString& cCartellaIniziale);

// Derives cCartella, cNomeArchivio, cPathArchivio, cFileConfig and cFileLog
// from the chosen path; false when the name has no base before its first
// dot (".db"), which cannot name an archive.
bool ImpostaPercorsi(const QString& percorso);

// Opens cPathArchivio for the program, exclusive, closing first any handle
// already open; reports a failure and returns false.
bool ApriArchivio();

// The upkeep of the existing archive cPathArchivio, at start-up (silent)
// and from the menu: repair and compaction, then restructuring.  An
// archive that cannot be written, or that is damaged, is never touched:
// the operator is told why (for a damaged one, which ".old" copy holds
// the last good archive) and the result is false: the program must end.
bool ManutieneArchivio(bool xSilenzioso);

}  // namespace obx

// The files the program holds while an archive is open: the archive
// itself, its configuration file, its ".old" copy and the LED board's log.
// Only their own writers write them; a file the operator names for an
// export or a copy is checked against them first.  The files themselves
// are compared (device and inode once both exist, else the paths with
// their folders and links resolved), so that neither another spelling of
// the path nor a symbolic link gets past the check.
#pragma once

#include <QString>

namespace obx {

// The path a file would be written at: symbolic links followed (a dangling
// one too: writing through it creates its target), the folder canonical.
QString PercorsoReale(const QString& percorso);

// True when the two paths name one file, or would once written.
bool StessoFile(const QString& a, const QString& b);

// What percorso is among the files held ("l'archivio aperto", ...); empty
// when it is none of them.
QString FileProtetto(const QString& percorso);

// The operator's message when percorso is one of them ("Il file ... è
// l'archivio aperto e non può essere sovrascritto."); empty otherwise.
QString AvvisoFileProtetto(const QString& percorso);

}  // namespace obx

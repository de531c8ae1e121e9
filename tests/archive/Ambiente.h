// What the archive tests share: the application object, a temporary
// folder with an archive path, and the vocabularies the tests rely on.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <functional>

#include "platform/Database.h"

namespace obx::test {

// The QApplication of the test program (created once, offscreen).
QApplication& App();

// A temporary folder; Percorso("x.db") gives a path inside it.
class Cartella {
public:
    Cartella() { App(); }
    QString Percorso(const QString& nome) const { return m_dir.filePath(nome); }

private:
    QTemporaryDir m_dir;
};

// Sets the vocabularies of an assembly kind (4 the regional assembly).
void Vocabolari(int tipoAssemblea);

// Closes the archive in use, makes cPathArchivio a new archive at percorso
// with the program's schema (no dialog expected) and opens it in
// dbArchivio.  False when it could not be created.
bool NuovoArchivio(const QString& percorso);

// The engine number of the Errore that f throws; 0 when it throws none.
int NumeroErrore(const std::function<void()>& f);

}  // namespace obx::test

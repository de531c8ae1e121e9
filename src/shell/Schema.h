// The archive's format: the five tables, every field with its type, size
// and attributes, and the indexes "TAG_A" and "TAG_B".  Held as data, one
// record per table, built afresh on every request; the upkeep walks these
// records to create an archive and to bring an old one up to date.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/Database.h"

namespace obx {

// Schema record of one table.  The arrays are 0-based here: field j of the
// table is element j - 1, index k is element k - 1.
struct tTabella {
    QString cNomeTabella;
    int bNumIndici = 0;
    std::vector<int> bCampiIndice;  // fields in each index (1 for every index)
    std::vector<QString> cNomeCampo;
    std::vector<int> bTipoCampo;   // engine type codes (TipoCampo)
    std::vector<int> iDimensione;  // Text: maximum characters; 0 the engine's own size
    // Character k (1-based) is the position of the field within index k;
    // "0", a missing character or an empty string: not in that index.
    std::vector<QString> cIndice;
    std::vector<int> iAttributi;  // 32, or 48 for a numbered key

    int NumCampi() const { return int(cNomeCampo.size()); }
    DefCampo Campo(int j0) const;   // field j0 (0-based) as a definition
    DefIndice Indice(int k) const;  // index k (1-based) as a definition
};

// Schema record of table i (1..5, the numbering of cTabelle); cTabelle
// must hold the names.  Throws Errore for any other number.
tTabella DefinisceTabella(int i);

// "TAG_" and the letter of code 64 + k: "TAG_A" for k = 1.
QString NomeIndice(int k);

// The indexes the program keeps for itself beside TAG_A and TAG_B, none
// of them unique: they serve what every close of a vote looks up (the
// sitting's opening, the votes and closings it supersedes), so that a
// close costs the same after years of sittings.  Named with
// kPrefissoIndiciInterni (and no dot, where the table's own are
// "table.name"), they are not among a table's indexes.
inline const QString kPrefissoIndiciInterni = QStringLiteral("obx_indice_");
struct IndiceInterno {
    QString nome;  // physical name
    int tabella;   // numbering of cTabelle
    QStringList campi;
    QString dove;  // the rows it holds (empty: all); a lookup names it word for word
};
std::vector<IndiceInterno> IndiciInterni();

// The statement that makes one where it is missing.
QString IstruzioneIndiceInterno(const IndiceInterno& i);

}  // namespace obx

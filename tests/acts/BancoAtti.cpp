#include "BancoAtti.h"

#include "platform/Database.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"

namespace obx::test {

void AggiungeVoto(const VotoProva& v)
{
    QString votanti(120, QChar(0));
    QString voti(120, u'0');
    for (const auto& [persona, tasto] : v.tasti) {
        votanti[persona - 1] = QChar(char16_t(persona));
        voti[persona - 1] = tasto;
    }
    dbArchivio.Execute(QStringLiteral("INSERT INTO VOTI (lCodiceVT, iCodLeggeVT, iDeliberaVT, cPaleseVT, cNotaVotoVT, "
                                      "iPresentiVT, iFavorevoliVT, iContrariVT, iAstenutiVT, cVotantiVT, cVotiVT) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {v.codice, v.atto, v.delibera != 0 ? v.delibera : v.atto, v.tipo,
                        v.nota.leftJustified(120, u' '), v.presenti, v.favorevoli, v.contrari, v.astenuti, votanti,
                        voti});
}

void BancoAtti::SetUp()
{
    BancoConsole::SetUp();
    cConsiglio = QStringLiteral("Consiglio Regionale");
    cAttoCorrente = {};
    cTitoloTabellone = {};
}

void BancoAtti::Sceglie(frmCons* f, const QString& chiaveNodo)
{
    NodoAlbero* n = chiaveNodo.isEmpty() ? nullptr : f->oAlbero().Find(chiaveNodo);
    ASSERT_TRUE(chiaveNodo.isEmpty() || n) << chiaveNodo.toStdString();
    f->oAlbero().SetSelectedItem(n);
}

int BancoAtti::Righe() { return ArchivioProva::Righe(cTabelle[5]); }

bool BancoAtti::Esiste(int codice)
{
    RecordAtto r;
    return CercaAtto(codice, r);
}

}  // namespace obx::test

#include "BancoAgenda.h"

#include "platform/Database.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx::test {

void AggiungeVoce(const Voce& v)
{
    try {
        Recordset rs = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
        rs.AddNew();
        rs.SetField(QStringLiteral("iDeliberaDE"), v.codice);
        if (v.posizione.isValid()) rs.SetField(QStringLiteral("iPosOdGDE"), v.posizione);
        rs.SetField(QStringLiteral("cTipoArgDE"), v.tipo);
        rs.SetField(QStringLiteral("cTitoloDE"), v.titolo);
        rs.SetField(QStringLiteral("cTitolinoDE"), v.titolino);
        if (v.gruppo.isValid()) rs.SetField(QStringLiteral("cGruppoDE"), v.gruppo);
        rs.SetField(QStringLiteral("cTitolino1DE"), v.tab1);
        rs.SetField(QStringLiteral("cTitolino2DE"), v.tab2);
        rs.SetField(QStringLiteral("cTitolino3DE"), v.tab3);
        if (v.numeroRegolamento.isValid()) rs.SetField(QStringLiteral("iNumOdGRegolamDE"), v.numeroRegolamento);
        if (v.articolo.isValid()) rs.SetField(QStringLiteral("cArticoloDE"), v.articolo);
        rs.SetField(QStringLiteral("iQuorumDE"), v.quorum);
        rs.Update();
        rs.Close();
    } catch (const Errore& e) {
        ADD_FAILURE() << "riga di DELIBERE: " << e.what();
    }
}

void ImpostaAtto(int codice, const char* campo, const QVariant& valore)
{
    dbArchivio.Execute(QStringLiteral("UPDATE LEGGI SET ") + QString::fromLatin1(campo) +
                           QStringLiteral(" = ? WHERE iCodLeggeLG = ?;"),
                       {valore, codice});
}

QString ParametriAtto(int codice)
{
    Recordset rs =
        dbArchivio.OpenQuery(QStringLiteral("SELECT cParametriLG FROM LEGGI WHERE iCodLeggeLG = ?;"), {codice});
    if (rs.Eof()) return QString();
    return rs.Field(QStringLiteral("cParametriLG")).toString();
}

int Voce0(frmCons* f, const QString& inizio)
{
    for (int k = 0; k < f->cmbArgo(0)->ListCount(); ++k)
        if (f->cmbArgo(0)->List(k).startsWith(inizio)) return k;
    return -1;
}

int VoceAtto(frmCons* f, int codice)
{
    const QString fine = QStringLiteral("[") + Formato(codice, QStringLiteral("######")) + u']';
    for (int k = 0; k < f->cmbArgo(0)->ListCount(); ++k)
        if (f->cmbArgo(0)->List(k).endsWith(fine)) return k;
    return -1;
}

int VoceTipo(const QString& lettera) { return int(cLettereAtti.indexOf(lettera)); }

QString Lettere()
{
    QString s;
    for (const RigaEvento& e : Eventi()) s += e.lettera;
    return s;
}

}  // namespace obx::test

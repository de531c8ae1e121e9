// The event log says what the vote table says: "Votazione Annullata" is on
// the closing events of the votes the table marks superseded and on no
// other; and after a roll call, with the vote-kind combo still on
// "Appello", the events store the number present and the item again.
#include <QPushButton>

#include "BancoMostrato.h"
#include "platform/Database.h"
#include "platform/Testo.h"

namespace obx::test {
namespace {

class RegistroEventi : public BancoMostrato {
protected:
    // The vote rows marked superseded, and the votes whose closing event is.
    static QList<int> VotiAnnullati()
    {
        QList<int> l;
        Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT lCodiceVT, cNotaVotoVT FROM ") + cTabelle[4] +
                                            QStringLiteral(" ORDER BY lCodiceVT;"));
        for (; !rs.Eof(); rs.MoveNext())
            if (TrimSpazi(rs.Field(QStringLiteral("cNotaVotoVT")).toString()) == u"Votazione Annullata")
                l << rs.Field(QStringLiteral("lCodiceVT")).toInt();
        return l;
    }
    static QList<int> ChiusureAnnullate(int* chiusure = nullptr)
    {
        QList<int> l;
        int n = 0;
        for (const RigaEvento& e : Eventi()) {
            if (e.lettera != u"T") continue;
            ++n;
            if (e.extra.startsWith(QStringLiteral("Votazione Annullata"))) l << e.codVoto;
        }
        if (chiusure) *chiusure = n;
        return l;
    }
    static QByteArray Tasti(const char* tasto)
    {
        QByteArray t;
        for (size_t i = 1; i < aPosti.size(); ++i) t += QByteArray::number(qulonglong(i)) + '=' + tasto + "\r\n";
        return t;
    }
};

TEST_F(RegistroEventi, LeChiusureAnnullateSonoQuelleDeiVotiSuperati)
{
    EntranoTutti();
    const int tutti = int(aPosti.size()) - 1;
    // A secret vote, then open votes on the same item: the open vote
    // supersedes the earlier open one only, never the secret vote.
    const char* tipi[] = {"H", "P", "P", "H"};
    int n = 0;
    for (const char* tipo : tipi) {
        cTipoVoto = QString::fromLatin1(tipo);
        Vota(Tasti("3"), tutti);
        f->cmdVoto_Click(2);
        ++n;
        int chiusure = 0;
        const QList<int> eventi = ChiusureAnnullate(&chiusure);
        ASSERT_EQ(chiusure, n) << "after vote " << n;
        EXPECT_EQ(eventi, VotiAnnullati()) << "after vote " << n;
    }
    // The second open vote and the second secret vote stand; the first of
    // each kind does not.
    EXPECT_EQ(VotiAnnullati().size(), 2);
}

TEST_F(RegistroEventi, DopoLAppelloGliEventiHannoPresentiEArgomento)
{
    EntranoTutti();
    cTipoVoto = QStringLiteral("A");
    const int prima = int(Eventi().size());
    Vota("1=*\r\n2=*\r\n3=*\r\n", 3);
    ASSERT_EQ(cTipoVoto, QStringLiteral("A"));  // the combo stays on "Appello"
    ASSERT_EQ(iPresenti, 3);
    const int delibera = iDelibera;
    ASSERT_EQ(delibera, 1);

    // The roll call's own events: no number present, no item.
    const auto ev = Eventi();
    int propri = 0;
    for (size_t i = size_t(prima); i < ev.size(); ++i) {
        EXPECT_EQ(ev[i].presenti, 0) << ev[i].lettera.toStdString();
        EXPECT_EQ(ev[i].delibera, 0) << ev[i].lettera.toStdString();
        if (ev[i].lettera == u"V" || ev[i].lettera == u"L") ++propri;
    }
    EXPECT_EQ(propri, 2);

    // What follows it stores them again.
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    f->cmdConsiglio(1)->click();
    f->EntraEsce(5);
    const auto dopo = Eventi();
    ASSERT_EQ(dopo.size(), ev.size() + 3);
    const int attesi[] = {3, 3, 4};
    for (size_t i = 0; i < 3; ++i) {
        const RigaEvento& e = dopo[ev.size() + i];
        EXPECT_EQ(e.presenti, attesi[i]) << e.lettera.toStdString();
        EXPECT_EQ(e.delibera, delibera) << e.lettera.toStdString();
    }
}

}  // namespace
}  // namespace obx::test
